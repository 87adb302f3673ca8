// The offline readout window "Daten Offline lesen": reads every record stored in one
// plant's controller into the plant's measurement file, as the automatic readouts do, and
// shows the records of that readout in a table that can be previewed and printed as the
// measurement log. Opened modally from the main window and from the live display.
#pragma once

#include "core/Language.h"

#include <QDialog>
#include <QRect>
#include <QVector>

class BackupAlarmLabel;
class QAction;
class QLabel;
class QMenuBar;
class QStatusBar;
class QTabBar;
class QTableWidget;
class QToolBar;
class TFQRKompForm;

class TFDatenLesen1 : public Retranslatable<QDialog> {
    Q_OBJECT

public:
    static constexpr int ColumnCount = 12;
    static constexpr int ClientWidth = 708;
    static constexpr int ClientHeight = 436;

    explicit TFDatenLesen1(QWidget* parent = nullptr);
    ~TFDatenLesen1() override;

    // Creates the window over `parent`, runs it modally and releases it. The caller stops
    // its own timers around it (the window stops the poll only around its exchanges).
    static void ShowModal(QWidget* parent);

    // Tool bar and menu handlers.
    void DatenAuslesen();
    void PreviewButtonClick();
    void PrintButtonClick();
    void Info1Click();
    void Ende2Click();
    // Escape: like the close button, it waits for a running readout to end.
    void reject() override;
    // The user picked tab `index` (plant address index + 1).
    void TabControl1Change(int index);

    // Fills `report` from the table: header lines, plant, units, one detail line per row.
    void PrepareLogReport(TFQRKompForm& report);

    // The table as a grid of texts: row 0 holds the column titles, rows 1..RowCount()-1 the
    // records of the last readout.
    QString Cell(int column, int row) const;
    int RowCount() const;
    int RowsFilled() const { return m_rowsFilled; }

    QToolBar* ToolBar1() const { return m_toolBar; }
    QAction* ToolButton1() const { return m_readAction; }
    QAction* PreviewButton() const { return m_previewAction; }
    QAction* PrintButton() const { return m_printAction; }
    QTabBar* TabControl1() const { return m_tabs; }
    // The line naming the piles whose readout is late.
    BackupAlarmLabel* BackupAlarm() const { return m_backupAlarm; }
    QLabel* MieteName() const { return m_mieteName; }
    QLabel* AnzDaten1() const { return m_anzDaten1; }
    QLabel* DatenNr() const { return m_datenNr; }
    QTableWidget* StringGrid1() const { return m_grid; }
    QString StatusText() const;
    QAction* menuItem(const QString& objectName) const;

protected:
    void retranslateUi() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    // The piles whose readout is late come first: their tabs in red, the first of them
    // (an urgent one before a late one) selected.
    void OfferLatePlants();
    void FormResize();
    void ClearGrid();
    void ReadRecordsIntoGrid();
    void setColumnTitles();
    void setStatus(const QString& text);
    void setCell(int column, int row, const QString& text);
    void place(QWidget* w, const QRect& design);

    QMenuBar* m_menuBar = nullptr;
    QWidget* m_client = nullptr;
    QToolBar* m_toolBar = nullptr;
    QAction* m_readAction = nullptr;
    QAction* m_previewAction = nullptr;
    QAction* m_printAction = nullptr;
    QTabBar* m_tabs = nullptr;
    BackupAlarmLabel* m_backupAlarm = nullptr;
    QLabel* m_mieteName = nullptr;
    QLabel* m_label1 = nullptr;
    QLabel* m_anzDaten1 = nullptr;
    QLabel* m_label3 = nullptr;
    QLabel* m_datenNr = nullptr;
    QTableWidget* m_grid = nullptr;
    QStatusBar* m_statusBar = nullptr;
    QLabel* m_statusCaption = nullptr;
    QLabel* m_statusText = nullptr;

    struct Placed {
        QWidget* widget;
        QRect design;
    };
    QVector<Placed> m_placed;

    int m_rowsFilled = 0;
    bool m_reading = false;
};
