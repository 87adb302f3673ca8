// The graph window: draws a measurement file as a chart, environment data (temperatures,
// reference mark, O2) on one sheet and fan data (run time, switching cycles) on the other,
// lets the user zoom into and pan along it, and previews or prints what it shows. The choice
// of series and the one-value-per-day option are remembered in the settings file.
#pragma once

#include "core/Language.h"
#include "evaluation/TMessDaten.h"
#include "evaluation/UChartSeries.h"

#include <QDialog>
#include <QPoint>
#include <array>
#include <functional>
#include <memory>

class QAction;
class QChart;
class QChartView;
class QCheckBox;
class QLabel;
class QMenuBar;
class QRubberBand;
class QStatusBar;
class QTabBar;
class QTabWidget;
class QToolBar;
class QValueAxis;
class TChartSeries;
class TFQRGraphForm;

class TFGraphForm : public Retranslatable<QDialog> {
    Q_OBJECT

public:
    // Asks for the file to open, starting in `startDir`; an empty answer means cancelled.
    using FileChooser = std::function<QString(QWidget* parent, const QString& startDir)>;

    // The boxes in the order of their settings keys.
    enum Box { T1, T2, T3, T4, T5, T55, O2, Wert, LuftZeit, Zyklen, BoxCount };

    explicit TFGraphForm(QWidget* parent = nullptr);
    ~TFGraphForm() override;

    // The native file dialog unless replaced (tests choose files through this).
    void setFileChooser(FileChooser chooser) { m_chooser = std::move(chooser); }
    QString StartDirectory() const;

    void OpenButtonClick();
    void Schliessen1Click();
    void PreviewButtonClick();
    void PrintButtonClick();
    // Builds the report exactly as preview and print do and writes it as a PDF.
    bool ExportPdf(const QString& path);

    // The chart handlers, run by the mouse gestures on the chart and by UndoZoom.
    // Zooms all three axes to the given ranges (bottom, left, right).
    void ZoomTo(double xMin, double xMax, double leftMin, double leftMax, double rightMin,
                double rightMax);
    // Back to the ranges from before the first zoom; nothing when not zoomed.
    void UndoZoom();
    bool Zoomed() const { return m_zoomed; }
    // Moves the bottom axis by `delta` points when Chart1AllowScroll agrees.
    bool PanBy(double delta);
    // The veto on a proposed range of one axis during a pan.
    bool Chart1AllowScroll(const QValueAxis* axis, double newMin, double newMax) const;
    // Where the plot area lies on the view's device pixels, which the series are cut to.
    PlotPixels ViewPixels() const;
    int ViewColumns() const { return ViewPixels().columns(); }

    const TMessDaten& data() const { return *m_data; }
    int WindowPlant() const { return m_plant; }

    QChart* Chart1() const { return m_chart; }
    QChartView* Chart1View() const { return m_chartView; }
    QValueAxis* Axis(int which) const; // ChartTarget::Left, Right, Bottom
    QCheckBox* Check(Box b) const { return m_checks[size_t(b)]; }
    QTabWidget* PageControl1() const { return m_pages; }
    QTabBar* TabControl1() const { return m_tabs; }
    QLabel* MieteName() const { return m_mieteName; }
    QLabel* FileNamePanel() const { return m_panels[1]; }
    QLabel* CountPanel() const { return m_panels[3]; }
    QAction* OpenButton() const { return m_openButton; }
    QAction* PreviewButton() const { return m_previewButton; }
    QAction* PrintButton() const { return m_printButton; }
    QAction* menuItem(const QString& objectName) const;

    // The box's settings key; the fan-run-time box has a key of its own, so that it never
    // overwrites the daily readout hour kept under "ZEIT".
    static QString KeyOf(Box b);

protected:
    void retranslateUi() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Output { Preview, Print, Pdf };

    void FormCreate();
    void CheckClick(Box b);
    void PageControl1Change(int index);
    void TabControl1Change(int index);
    void Ende2Click();
    void Info1Click();
    void FormDestroy();
    void Chart1Zoom();
    void Chart1UndoZoom();

    void Refresh();
    void fitView();
    void removeAllSeries(QChart* chart);
    // Attaches the series of the active sheet whose boxes are ticked.
    void attachTicked(QChart* chart);
    void fill();
    bool runReport(Output out, const QString& pdfPath = QString());
    void setPrintEnabled(bool on);
    void showPlantName();

    // The mouse gestures on the chart.
    bool mousePress(QMouseEvent* e);
    bool mouseMove(QMouseEvent* e);
    bool mouseRelease(QMouseEvent* e);

    std::unique_ptr<TMessDaten> m_data;
    std::unique_ptr<TChartSeries> m_chartSeries;
    FileChooser m_chooser;
    int m_plant = 1;
    bool m_creating = true;
    bool m_settingsChanged = false;
    bool m_refreshing = false; // the series are cut once, at the end of a refresh

    // Zoom state: the axis ranges (bottom, left, right as min/max) before the first zoom.
    bool m_zoomed = false;
    std::array<double, 6> m_unzoomed{};
    bool m_unzoomedAuto[3] = {false, false, false};
    enum class Drag { None, Zoom, Pan } m_drag = Drag::None;
    QPoint m_dragStart;
    QPoint m_dragLast;
    QRubberBand* m_rubberBand = nullptr;

    QMenuBar* m_menuBar = nullptr;
    QToolBar* m_toolBar = nullptr;
    QAction* m_openButton = nullptr;
    QAction* m_previewButton = nullptr;
    QAction* m_printButton = nullptr;
    QTabBar* m_tabs = nullptr;
    QLabel* m_mieteName = nullptr;
    QTabWidget* m_pages = nullptr;
    std::array<QCheckBox*, BoxCount> m_checks{};
    QChart* m_chart = nullptr;
    QChartView* m_chartView = nullptr;
    QStatusBar* m_statusBar = nullptr;
    std::array<QLabel*, 4> m_panels{};
};
