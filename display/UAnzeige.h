// The live display: every plant's latest status in a grid, the selected plant in a detail
// panel, refreshed once a second from LiveStatus; the plant selection (SelectedPlant); the
// mode tabs and the pile commands; and the daily automatic readout of every plant.
//
// The window is opened modally by the main window and lives until it closes. Every flow
// that talks to a controller pauses the poll and the refresh tick (StopTimer .. StartTimer)
// and takes the window's controls out of use while it waits, so no second exchange can
// start inside a running one.
#pragma once

#include "core/Language.h"
#include "display/DisplayWidgets.h"

#include <QDateTime>
#include <QDialog>
#include <QHash>
#include <QRect>
#include <QTimer>
#include <functional>

class BackupAlarmLabel;
class DepthGauge;
class Lamp;
class LedDisplay;
class PaintedPicture;
class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QProgressBar;
class QStatusBar;
class QTabBar;
class QTableWidget;

class TFAnzeige : public Retranslatable<QDialog> {
    Q_OBJECT
public:
    // Runs FormCreate.
    explicit TFAnzeige(QWidget* parent = nullptr);
    ~TFAnzeige() override;

    // The open live display, nullptr when none (the setup dialog pauses its timers).
    static TFAnzeige* instance();

    static constexpr int DesignWidth = 1095;
    static constexpr int DesignHeight = 792;
    static constexpr int RefreshIntervalMs = 1000;

    // Seams for the dialogs that other windows provide and for tests. The setup and clock
    // dialogs: while unset, "Einstell&werte" and "&Zeit/Datum setzen" stay disabled.
    static std::function<void(TFAnzeige&)> ShowSetupDialog;
    static std::function<void(TFAnzeige&)> ShowClockDialog;
    // The file-open step of "Miete &fortführen": the chosen path, empty when cancelled.
    // Unset: the platform's file-open dialog.
    static std::function<QString(TFAnzeige&, const QString& startDir)> ChooseMeasurementFile;
    // The naming dialog of "Miete &neu starten": true when confirmed. Unset: TFAnlageDaten.
    static std::function<bool(TFAnzeige&)> RunNamingDialog;
    // The clock of the daily readout (tests move it); unset: the system clock.
    std::function<QDateTime()> Now;

    QTimer DispTimer;

    void StopTimer();
    void StartTimer();
    void InitPlantRows();
    void ShowSelectedPlant();
    void ShowPlantRow(int row);
    void ShowAllPlants();

    // Handlers (public so that tests and other windows reach them by name).
    void FormActivate();
    void TabControl1Change();
    void DispTimerOnTimer();
    void BetriebsArtTabChange();
    void Mieteneustarten1Click();
    void Mietefortfuehren1Click();
    void Mietebeenden1Click();
    bool SwitchOffPile();
    void Einstellwerte1Click();
    void Datumsetzen1Click();
    void OfflineDatenauslesen1Click();
    void Speicherstatus1Click();
    void StatusAnzeigeClick();
    void About1Click();
    void Ende1Click();
    bool SaveStoredRecords();
    bool BackupStoredRecords(int plant);

    // Menu items by object name: Ende1, OfflineDatenauslesen1, Mieteneustarten1,
    // Mietefortfuehren1, Mietebeenden1, Speicherstatus1, Zeiten1 ("Einstell&werte"),
    // Datumsetzen1, About1.
    QAction* menuItem(const QString& objectName) const;

    // Controls, by their names.
    QProgressBar* Progressbar1() const { return m_progress; }
    QTabBar* TabControl1() const { return m_plantTabs; }
    QLabel* MieteName() const { return m_mieteName; }
    QTabBar* BetriebsArtTab() const { return m_modeTabs; }
    Lamp* SteuerLED() const { return m_steuerLed; }
    Lamp* MEMLabel() const { return m_memLabel; }
    LedDisplay* TAnz(int sensor) const { return m_tAnz[sensor - 1]; } // 1..5
    DepthGauge* T55Anz() const { return m_gauge; }
    LedDisplay* O2Anz() const { return m_o2Anz; }
    LedDisplay* LaufzeitAnz() const { return m_laufzeitAnz; }
    LedDisplay* ZyklenAnz() const { return m_zyklenAnz; }
    QWidget* Luft1() const { return m_fan; }
    QTableWidget* BPAnzGrid() const { return m_grid; }
    QTableWidget* StatusAnzeige() const { return m_statusGrid; }
    QLabel* StatusPanel(int index) const { return m_panels[index]; } // 0..3
    // The line above the grid naming the piles whose readout is late.
    BackupAlarmLabel* BackupAlarm() const { return m_backupAlarm; }
    int Heartbeat() const { return m_heartbeat; }
    // True while a flow or a readout waits for a controller.
    bool isBusy() const { return m_busy > 0; }

    // Every way of leaving the window (close button, Escape, "Ende") ends here: refused while
    // busy; else the refresh tick stops and the poll is left as it was when the window opened.
    void reject() override;

protected:
    void retranslateUi() override;
    bool event(QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void FormCreate();
    void buildMenus();
    void buildCanvas();
    QWidget* place(QWidget* w, const QRect& designRect);
    void scaleCanvas();
    void setModeTab(int index);
    void modeTabChanged(int index);
    void runDailyReadout(const QDateTime& now);
    QDateTime now() const;
    // Takes the window's controls out of use while a controller exchange runs.
    void beginBusy();
    void endBusy();
    static void setCell(QTableWidget* grid, int row, int column, const QString& text);

    QMenuBar* m_menuBar = nullptr;
    QHash<QString, QAction*> m_items;
    QHash<QString, QMenu*> m_menus;
    QWidget* m_canvas = nullptr;
    struct Placed {
        QWidget* widget;
        QRect design;
        qreal fontPx;
    };
    QList<Placed> m_placed;
    QLabel* m_label1 = nullptr;
    QLabel* m_label2 = nullptr;
    QLabel* m_logo = nullptr;
    QProgressBar* m_progress = nullptr;
    QTabBar* m_plantTabs = nullptr;
    QLabel* m_mieteName = nullptr;
    QTabBar* m_modeTabs = nullptr;
    Lamp* m_steuerLed = nullptr;
    Lamp* m_memLabel = nullptr;
    PaintedPicture* m_background = nullptr;
    LedDisplay* m_tAnz[5] = {};
    DepthGauge* m_gauge = nullptr;
    LedDisplay* m_o2Anz = nullptr;
    LedDisplay* m_laufzeitAnz = nullptr;
    LedDisplay* m_zyklenAnz = nullptr;
    PaintedPicture* m_fan = nullptr;
    QTableWidget* m_grid = nullptr;
    QTableWidget* m_statusGrid = nullptr;
    QStatusBar* m_statusBar = nullptr;
    QLabel* m_panels[4] = {};
    BackupAlarmLabel* m_backupAlarm = nullptr;
    int m_heartbeat = 0;
    int m_busy = 0;
    bool m_pollWasRunning = false; // the poll's state when the window opened
    int m_shownModeTab = 0;
    bool m_readoutRuns = false; // the daily readout runs: its stopped ticks stay stopped
    bool m_backupShown = false; // the status grid's title holds the last run's time
};
