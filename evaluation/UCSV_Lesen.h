// The protocol viewer: prints a measurement file that is already on disk, either as the
// measurement log (every record with all values) or as the temperature protocol for the
// compost quality association, optionally with the graph and one value per calendar day.
// It also shows the hygienisation overview of the loaded file.
#pragma once

#include "core/Language.h"
#include "evaluation/Hygiene.h"

#include <QDialog>
#include <functional>
#include <memory>

class QAction;
class QCheckBox;
class QLabel;
class QMenuBar;
class QStatusBar;
class QTabBar;
class QTableWidget;
class QToolBar;
class TChartSeries;
class TMessDaten;
struct ChartSeriesData;

class TFCSV_Lesen : public Retranslatable<QDialog> {
    Q_OBJECT

public:
    // Asks for the file to open, starting in `startDir`; an empty answer means cancelled.
    using FileChooser = std::function<QString(QWidget* parent, const QString& startDir)>;

    explicit TFCSV_Lesen(QWidget* parent = nullptr);
    ~TFCSV_Lesen() override;

    // Set by the opener before the window is shown; never changed afterwards.
    bool QualityMode = false;

    // The native file dialog unless replaced (tests choose files through this).
    void setFileChooser(FileChooser chooser) { m_chooser = std::move(chooser); }
    // The start directory the next file dialog gets.
    QString StartDirectory() const;

    void OpenButtonClick();
    void Schliessen1Click();
    void PreviewButtonClick();
    void PrintButtonClick();
    // Builds the report exactly as preview and print do and writes it as a PDF. False when
    // nothing was written (an empty report or a time stamp that could not be read).
    bool ExportPdf(const QString& path);

    // A series value as printed: at least four characters, right-aligned, rounded to
    // `decimals`, with the user's decimal separator; "-*-" when the series holds no value
    // at `position`.
    static QString ValueText(const ChartSeriesData& series, int position, int decimals);

    const TMessDaten& data() const { return *m_data; }
    int WindowPlant() const { return m_plant; }
    // The overview shown in the window, recomputed at every valid open.
    const Hygiene::Overview& HygieneOverview() const { return m_hygiene; }

    QAction* OpenButton() const { return m_openButton; }
    QAction* PreviewButton() const { return m_previewButton; }
    QAction* PrintButton() const { return m_printButton; }
    QAction* menuItem(const QString& objectName) const;
    QCheckBox* GrafikCheck() const { return m_grafik; }
    QCheckBox* TagCheck() const { return m_tag; }
    QCheckBox* HygieneCheck() const { return m_hygieneCheck; }
    QTabBar* TabControl1() const { return m_tabs; }
    QLabel* MieteName() const { return m_mieteName; }
    QLabel* FileNamePanel() const { return m_panels[1]; }
    QLabel* CountPanel() const { return m_panels[3]; }
    QTableWidget* HygieneTable() const { return m_hygieneTable; }
    QToolBar* ToolBar1() const { return m_toolBar; }

protected:
    void retranslateUi() override;
    void showEvent(QShowEvent* event) override;

private:
    enum class Output { Preview, Print, Pdf };

    void FormCreate();
    void FormActivate();
    void CheckClick();
    void TabControl1Change(int index);
    void Ende2Click();
    void Info1Click();
    void FormDestroy();
    bool runReport(Output out, const QString& pdfPath = QString());
    void setPrintEnabled(bool on);
    void showHygiene();
    // Widths for the overview's columns so that all of them fit the table's width: each
    // column at least its longest word, the rest shared out by what each would like.
    void fitHygieneColumns();
    bool eventFilter(QObject* watched, QEvent* event) override;
    QString graphKey() const;
    QString dayKey() const;

    std::unique_ptr<TMessDaten> m_data;
    std::unique_ptr<TChartSeries> m_chartSeries;
    FileChooser m_chooser;
    int m_plant = 1;
    bool m_firstActivation = true;
    bool m_settingsChanged = false;
    Hygiene::Overview m_hygiene;
    bool m_fitting = false;

    QMenuBar* m_menuBar = nullptr;
    QToolBar* m_toolBar = nullptr;
    QAction* m_openButton = nullptr;
    QAction* m_previewButton = nullptr;
    QAction* m_printButton = nullptr;
    QCheckBox* m_grafik = nullptr;
    QCheckBox* m_tag = nullptr;
    QCheckBox* m_hygieneCheck = nullptr;
    QTabBar* m_tabs = nullptr;
    QLabel* m_mieteName = nullptr;
    QLabel* m_hygieneTitle = nullptr;
    QTableWidget* m_hygieneTable = nullptr;
    QLabel* m_hygieneNote = nullptr;
    QStatusBar* m_statusBar = nullptr;
    std::array<QLabel*, 4> m_panels{};
};
