#include "display/UAnzeige.h"

#include "display/UAnlDatumSet.h"
#include "display/UO2MessSetup.h"
#include "storage/UDatenLesen1.h"

#include "core/Daten.h"
#include "core/KompUtils.h"
#include "core/Messages.h"
#include "core/PlantTabs.h"
#include "core/ProgramDir.h"
#include "core/Settings.h"
#include "core/TeachIn.h"
#include "display/AnzeigeLogic.h"
#include "display/DisplayWidgets.h"
#include "display/PileFlow.h"
#include "display/UAnlageDaten.h"
#include "evaluation/TMessDaten.h"
#include "evaluation/UAbout.h"
#include "link/Operations.h"
#include "storage/BackupAlarmLabel.h"
#include "storage/Readout.h"
#include "storage/ReadoutView.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QStatusBar>
#include <QTabBar>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Kommunikation;

std::function<void(TFAnzeige&)> TFAnzeige::ShowSetupDialog = [](TFAnzeige& w) {
    TFO2MessSetup::showFor(Daten::SelectedPlant,
                           {[&w] { w.StopTimer(); }, [&w] { w.StartTimer(); }}, &w);
};
std::function<void(TFAnzeige&)> TFAnzeige::ShowClockDialog = [](TFAnzeige& w) {
    TFAnlDatumSetup::showFor(Daten::SelectedPlant, &w);
};
std::function<QString(TFAnzeige&, const QString&)> TFAnzeige::ChooseMeasurementFile;
std::function<bool(TFAnzeige&)> TFAnzeige::RunNamingDialog;

namespace {
TFAnzeige* g_instance = nullptr;

// The canvas below the menu bar and above the status bar at the design size.
constexpr int CanvasWidth = TFAnzeige::DesignWidth;
constexpr int CanvasHeight = TFAnzeige::DesignHeight - 46;
constexpr int RowHeight = 22;
constexpr int FirstColumnWidth = 64;
constexpr int ValueColumnWidth = 84;
constexpr int PlantTabWidth = 33;
const QColor WindowColour(240, 240, 240); // 15790320
const QColor FixedCellColour(214, 220, 226);

const char* const TimeoutText =
    QT_TRANSLATE_NOOP("TFAnzeige", "TIMEOUT, bei der seriellen Kommunikation!\rBitte Kabel und "
                                   "PC- Einstellung überprüfen!\rBitte Kabel und PC- Einstellung "
                                   "überprüfen!");
} // namespace

TFAnzeige::TFAnzeige(QWidget* parent) : Retranslatable<QDialog>(parent) {
    g_instance = this;
    if (TeachInPoll* poll = TeachInPoll::current())
        m_pollWasRunning = poll->LeseTimer.isActive();
    FormCreate();
}

TFAnzeige::~TFAnzeige() {
    DispTimer.stop();
    if (g_instance == this)
        g_instance = nullptr;
}

TFAnzeige* TFAnzeige::instance() {
    return g_instance;
}

QAction* TFAnzeige::menuItem(const QString& objectName) const {
    return m_items.value(objectName);
}

void TFAnzeige::FormCreate() {
    setObjectName(QStringLiteral("TFAnzeige"));
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, WindowColour);
    setPalette(pal);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    buildMenus();
    layout->setMenuBar(m_menuBar);
    buildCanvas();
    layout->addWidget(m_canvas, 1);
    m_statusBar = new QStatusBar(this);
    m_statusBar->setSizeGripEnabled(true);
    const int widths[4] = {35, 390, 115, 50};
    for (int i = 0; i < 4; ++i) {
        m_panels[i] = new QLabel(m_statusBar);
        m_panels[i]->setTextFormat(Qt::PlainText);
        m_panels[i]->setFrameShape(QFrame::StyledPanel);
        m_panels[i]->setMinimumWidth(widths[i]);
        m_statusBar->addWidget(m_panels[i], i == 1 ? 1 : 0);
    }
    layout->addWidget(m_statusBar);

    DispTimer.setInterval(RefreshIntervalMs);
    connect(&DispTimer, &QTimer::timeout, this, &TFAnzeige::DispTimerOnTimer);

    InitPlantRows();
    FillPlantTabs(m_plantTabs, KompUtils::PlantCount);
    if (KompUtils::ShowRefDepth) {
        m_gauge->setCaption(KompUtils::RefCaption);
    } else {
        m_gauge->hide();
    }
    if (KompUtils::ImperialUnits) {
        for (LedDisplay* d : m_tAnz)
            d->setUnit(QStringLiteral("°F"));
        m_gauge->setUnit(QStringLiteral("in"));
        m_gauge->setMaximum(KompUtils::CmToIn(100));
    } else {
        for (LedDisplay* d : m_tAnz)
            d->setUnit(QStringLiteral("°C"));
    }
    m_statusGrid->hide();

    retranslateUi();
    setMinimumSize(DesignWidth, DesignHeight);
    resize(DesignWidth, DesignHeight);
}

void TFAnzeige::buildMenus() {
    m_menuBar = new QMenuBar(this);
    auto addMenu = [this](const char* name) {
        QMenu* m = m_menuBar->addMenu(QString());
        m->setObjectName(QLatin1String(name));
        m_menus.insert(QLatin1String(name), m);
        return m;
    };
    auto addItem = [this](QMenu* m, const char* name, const QKeySequence& key, bool enabled,
                          void (TFAnzeige::*handler)()) {
        QAction* a = m->addAction(QString());
        a->setObjectName(QLatin1String(name));
        a->setShortcut(key);
        a->setEnabled(enabled);
        connect(a, &QAction::triggered, this, handler);
        m_items.insert(QLatin1String(name), a);
        return a;
    };
    const auto Ctrl = Qt::CTRL;
    QMenu* ende = addMenu("EndeMenu");
    addItem(ende, "Ende1", Ctrl | Qt::Key_X, true, &TFAnzeige::Ende1Click);
    QMenu* mieten = addMenu("MietenMenu");
    addItem(mieten, "OfflineDatenauslesen1", Ctrl | Qt::Key_O, true,
            &TFAnzeige::OfflineDatenauslesen1Click);
    mieten->addSeparator();
    addItem(mieten, "Mieteneustarten1", Ctrl | Qt::Key_N, false, &TFAnzeige::Mieteneustarten1Click);
    addItem(mieten, "Mietefortfuehren1", Ctrl | Qt::Key_F, false,
            &TFAnzeige::Mietefortfuehren1Click);
    addItem(mieten, "Mietebeenden1", Ctrl | Qt::Key_B, false, &TFAnzeige::Mietebeenden1Click);
    mieten->addSeparator();
    addItem(mieten, "Speicherstatus1", QKeySequence(), true, &TFAnzeige::Speicherstatus1Click);
    QMenu* optionen = addMenu("OptionenMenu");
    addItem(optionen, "Zeiten1", Ctrl | Qt::Key_W, false, &TFAnzeige::Einstellwerte1Click);
    addItem(optionen, "Datumsetzen1", Ctrl | Qt::Key_Z, false, &TFAnzeige::Datumsetzen1Click);
    QMenu* info = addMenu("InfoMenu");
    addItem(info, "About1", Ctrl | Qt::Key_I, true, &TFAnzeige::About1Click);
}

QWidget* TFAnzeige::place(QWidget* w, const QRect& designRect) {
    qreal px = w->font().pixelSize();
    if (px <= 0)
        px = 12;
    m_placed.append({w, designRect, px});
    w->setGeometry(designRect);
    return w;
}

namespace {
QFont pixelFont(int px, bool bold = false) {
    QFont f;
    f.setPixelSize(px);
    f.setBold(bold);
    return f;
}

QTableWidget* makeGrid(QWidget* parent, int columns) {
    auto* g = new QTableWidget(parent);
    g->setColumnCount(columns);
    g->horizontalHeader()->hide();
    g->verticalHeader()->hide();
    g->setEditTriggers(QAbstractItemView::NoEditTriggers);
    g->setSelectionMode(QAbstractItemView::NoSelection);
    g->setFocusPolicy(Qt::NoFocus);
    g->setAlternatingRowColors(true);
    g->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    g->setStyleSheet(QStringLiteral(
        "QTableWidget { background: #fbfcfd; alternate-background-color: #eef3f7;"
        " gridline-color: #b8c2cc; border: 2px solid #6b7782; border-radius: 4px; }"));
    g->setFont(pixelFont(12));
    g->setTextElideMode(Qt::ElideNone);
    g->setWordWrap(false);
    return g;
}
} // namespace

void TFAnzeige::buildCanvas() {
    m_canvas = new QWidget(this);
    m_canvas->installEventFilter(this);

    m_label1 = new QLabel(m_canvas);
    m_label1->setFont(pixelFont(12, true));
    place(m_label1, QRect(8, 6, 44, 16));
    m_progress = new QProgressBar(m_canvas);
    m_progress->setRange(0, 10);
    m_progress->setValue(0);
    m_progress->setTextVisible(false);
    m_progress->setStyleSheet(QStringLiteral(
        "QProgressBar { border: 1px solid #6b7782; border-radius: 3px; background: #dde3e8; }"
        "QProgressBar::chunk { background: #2f9e58; }"));
    place(m_progress, QRect(56, 8, 150, 12));

    m_logo = new QLabel(m_canvas);
    m_logo->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    place(m_logo, QRect(CanvasWidth - 168, 2, 160, 26));

    m_plantTabs = new QTabBar(m_canvas);
    m_plantTabs->setObjectName(QStringLiteral("TabControl1"));
    m_plantTabs->setExpanding(false);
    m_plantTabs->setUsesScrollButtons(true);
    m_plantTabs->setDrawBase(false);
    m_plantTabs->setFont(pixelFont(12, true));
    place(m_plantTabs, QRect(8, 30, CanvasWidth - 16, 24));
    connect(m_plantTabs, &QTabBar::currentChanged, this, [this] { TabControl1Change(); });

    m_mieteName = new QLabel(m_canvas);
    m_mieteName->setTextFormat(Qt::PlainText);
    m_mieteName->setAlignment(Qt::AlignCenter);
    m_mieteName->setStyleSheet(
        QStringLiteral("QLabel { background: #1f3b57; color: #ffffff; border-radius: 5px; }"));
    m_mieteName->setFont(pixelFont(20, true));
    place(m_mieteName, QRect(8, 60, 482, 34));

    m_modeTabs = new QTabBar(m_canvas);
    m_modeTabs->setObjectName(QStringLiteral("BetriebsArtTab"));
    m_modeTabs->setExpanding(true);
    m_modeTabs->setDrawBase(false);
    m_modeTabs->setFont(pixelFont(13, true));
    for (int i = 0; i < 4; ++i)
        m_modeTabs->addTab(QString());
    place(m_modeTabs, QRect(8, 100, 482, 28));
    connect(m_modeTabs, &QTabBar::currentChanged, this, &TFAnzeige::modeTabChanged);

    m_steuerLed = new Lamp(QColor(255, 150, 40), m_canvas);
    m_steuerLed->setFont(pixelFont(13, true));
    place(m_steuerLed, QRect(8, 134, 236, 26));
    m_memLabel = new Lamp(QColor(90, 220, 120), m_canvas);
    m_memLabel->setFont(pixelFont(13, true));
    place(m_memLabel, QRect(254, 134, 236, 26));

    m_background = new PaintedPicture(PaintedPicture::PanelBackground, m_canvas);
    place(m_background, QRect(8, 166, 482, CanvasHeight - 172));

    // T5 (the surface) at the top down to T1 (100 cm) at the bottom, as in the pile.
    const int tTop = 180;
    const int tStep = 108;
    for (int k = 5; k >= 1; --k) {
        auto* d = new LedDisplay(3, 0, m_canvas);
        d->setFont(pixelFont(13));
        m_tAnz[k - 1] = d;
        place(d, QRect(22, tTop + (5 - k) * tStep, 196, 86));
    }
    m_gauge = new DepthGauge(m_canvas);
    m_gauge->setFont(pixelFont(12, true));
    place(m_gauge, QRect(226, tTop, 84, 4 * tStep + 86));

    m_o2Anz = new LedDisplay(4, 1, m_canvas);
    m_o2Anz->setFont(pixelFont(13));
    place(m_o2Anz, QRect(318, tTop, 162, 86));
    m_laufzeitAnz = new LedDisplay(5, 0, m_canvas);
    m_laufzeitAnz->setFont(pixelFont(12));
    place(m_laufzeitAnz, QRect(318, tTop + tStep, 162, 86));
    m_zyklenAnz = new LedDisplay(5, 0, m_canvas);
    m_zyklenAnz->setFont(pixelFont(11));
    place(m_zyklenAnz, QRect(318, tTop + 2 * tStep, 162, 86));
    m_fan = new PaintedPicture(PaintedPicture::Fan, m_canvas);
    m_fan->setObjectName(QStringLiteral("Luft1"));
    place(m_fan, QRect(339, tTop + 3 * tStep + 10, 120, 120));
    m_fan->hide();

    m_label2 = new QLabel(m_canvas);
    m_label2->setFont(pixelFont(14, true));
    place(m_label2, QRect(500, 62, 400, 24));

    const QRect gridRect(500, 92, CanvasWidth - 508, CanvasHeight - 98);
    m_grid = makeGrid(m_canvas, 7);
    m_grid->setObjectName(QStringLiteral("BPAnzGrid"));
    place(m_grid, gridRect);
    m_statusGrid = makeGrid(m_canvas, 2);
    m_statusGrid->setObjectName(QStringLiteral("StatusAnzeige"));
    m_statusGrid->viewport()->installEventFilter(this);
    place(m_statusGrid, gridRect);

    // Above the grid, beside its title: the piles whose readout is late.
    m_backupAlarm = new BackupAlarmLabel(m_canvas);
    m_backupAlarm->setFont(pixelFont(13, true));
    m_backupAlarm->setAlignment(Qt::AlignCenter);
    place(m_backupAlarm, QRect(740, 62, CanvasWidth - 748, 26));
}

void TFAnzeige::setCell(QTableWidget* grid, int row, int column, const QString& text) {
    QTableWidgetItem* item = grid->item(row, column);
    if (!item) {
        item = new QTableWidgetItem(text);
        item->setTextAlignment(column == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
        if (row == 0 || column == 0) {
            item->setBackground(FixedCellColour);
            QFont f = grid->font();
            f.setBold(true);
            item->setFont(f);
        }
        grid->setItem(row, column, item);
    } else if (item->text() != text) {
        item->setText(text);
    }
}

void TFAnzeige::InitPlantRows() {
    const int rows = KompUtils::PlantCount + 1;
    m_grid->setRowCount(rows);
    m_statusGrid->setRowCount(rows);
    for (int row = 0; row < rows; ++row) {
        for (int c = 0; c < 7; ++c)
            setCell(m_grid, row, c, QString());
        for (int c = 0; c < 2; ++c)
            setCell(m_statusGrid, row, c, QString());
    }
    for (int row = 1; row < rows; ++row) {
        const QString caption = QStringLiteral("Anl %1").arg(KompUtils::DisplayOffset + row);
        setCell(m_grid, row, 0, caption);
        setCell(m_statusGrid, row, 0, caption);
    }
}

void TFAnzeige::retranslateUi() {
    setWindowTitle(tr("Kompost- Messwerterfassung"));
    m_menus[QStringLiteral("EndeMenu")]->setTitle(tr("&Ende"));
    m_menus[QStringLiteral("MietenMenu")]->setTitle(tr("&Mieten- Verwaltung"));
    m_menus[QStringLiteral("OptionenMenu")]->setTitle(tr("&Optionen"));
    m_menus[QStringLiteral("InfoMenu")]->setTitle(tr("&Info"));
    m_items[QStringLiteral("Ende1")]->setText(tr("&Ende"));
    m_items[QStringLiteral("OfflineDatenauslesen1")]->setText(tr("&Offline Daten auslesen"));
    m_items[QStringLiteral("Mieteneustarten1")]->setText(tr("Miete &neu starten"));
    m_items[QStringLiteral("Mietefortfuehren1")]->setText(tr("Miete &fortführen"));
    m_items[QStringLiteral("Mietebeenden1")]->setText(tr("Miete &beenden"));
    m_items[QStringLiteral("Speicherstatus1")]->setText(tr("PC-Speicherstatus"));
    m_items[QStringLiteral("Zeiten1")]->setText(tr("Einstell&werte"));
    m_items[QStringLiteral("Datumsetzen1")]->setText(tr("&Zeit/Datum setzen"));
    m_items[QStringLiteral("About1")]->setText(tr("&Info"));
    m_label1->setText(tr("Aktiv:"));
    m_label2->setText(tr("Aktueller Anlagenzustand:"));
    const QStringList modes = {tr("Lüfter AUS"), tr("Lüfter EIN"), tr("Intervall"),
                               tr("O2- Regelung")};
    for (int i = 0; i < 4; ++i)
        m_modeTabs->setTabText(i, modes[i]);
    m_steuerLed->setText(tr("Steuerbetrieb"));
    m_memLabel->setText(tr("Speicherstatus"));
    const char* const depths[5] = {"T100", "T 75", "T 50", "T 25", "T  0"};
    for (int k = 1; k <= 5; ++k)
        m_tAnz[k - 1]->setCaption(QLatin1String(depths[k - 1]));
    m_o2Anz->setCaption(QStringLiteral("O2"));
    m_o2Anz->setUnit(QStringLiteral("vol%"));
    m_laufzeitAnz->setCaption(tr("Laufzeit"));
    m_laufzeitAnz->setUnit(QStringLiteral("min"));
    m_zyklenAnz->setCaption(tr("Schaltzyklen"));
    const QStringList titles = {QString(),
                                tr("Lüfter"),
                                QStringLiteral("%/O2"),
                                tr("Betriebsart"),
                                tr("Laufzeit"),
                                tr("Zyklen"),
                                KompUtils::ShowRefDepth ? KompUtils::RefCaption : QString()};
    for (int c = 0; c < 7; ++c)
        setCell(m_grid, 0, c, titles[c]);
    if (!m_backupShown)
        setCell(m_statusGrid, 0, 1, tr("Speicherstatus"));
    m_panels[0]->setText(tr("Datei:"));
    m_panels[2]->setText(tr("Anzahl Speicherwerte:"));
}

bool TFAnzeige::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate && !isBusy())
        FormActivate();
    return Retranslatable<QDialog>::event(e);
}

bool TFAnzeige::eventFilter(QObject* watched, QEvent* e) {
    if (watched == m_canvas && e->type() == QEvent::Resize && m_statusGrid)
        scaleCanvas();
    if (m_statusGrid && watched == m_statusGrid->viewport() &&
        e->type() == QEvent::MouseButtonRelease)
        StatusAnzeigeClick();
    return Retranslatable<QDialog>::eventFilter(watched, e);
}

void TFAnzeige::resizeEvent(QResizeEvent* e) {
    Retranslatable<QDialog>::resizeEvent(e);
}

void TFAnzeige::closeEvent(QCloseEvent* e) {
    // Closing while a controller exchange waits would tear the window away under it.
    if (isBusy()) {
        e->ignore();
        return;
    }
    Retranslatable<QDialog>::closeEvent(e); // runs reject()
}

void TFAnzeige::reject() {
    if (isBusy())
        return;
    DispTimer.stop();
    if (TeachInPoll* poll = TeachInPoll::current()) {
        if (m_pollWasRunning)
            poll->StartTimer();
        else
            poll->StopTimer();
    }
    Retranslatable<QDialog>::reject();
}

void TFAnzeige::scaleCanvas() {
    const qreal sx = qreal(m_canvas->width()) / CanvasWidth;
    const qreal sy = qreal(m_canvas->height()) / CanvasHeight;
    const qreal sf = qMin(sx, sy);
    for (const Placed& p : m_placed) {
        const QRect& d = p.design;
        p.widget->setGeometry(qRound(d.x() * sx), qRound(d.y() * sy), qRound(d.width() * sx),
                              qRound(d.height() * sy));
        QFont f = p.widget->font();
        const int px = qMax(8, qRound(p.fontPx * sf));
        if (f.pixelSize() != px) {
            f.setPixelSize(px);
            p.widget->setFont(f);
        }
    }
    m_plantTabs->setStyleSheet(
        QStringLiteral("QTabBar::tab { width: %1px; height: %2px; padding: 0px; }")
            .arg(qRound(PlantTabWidth * sx) - 2)
            .arg(qRound(20 * sy)));
    for (int r = 0; r < m_grid->rowCount(); ++r) {
        m_grid->setRowHeight(r, qRound(RowHeight * sy));
        m_statusGrid->setRowHeight(r, qRound(RowHeight * sy));
    }
    const int first = qRound(FirstColumnWidth * sx);
    m_grid->setColumnWidth(0, first);
    const int avail = m_grid->viewport()->width() - first;
    const int value = qMax(qRound(ValueColumnWidth * sx), avail / 6);
    for (int c = 1; c < 7; ++c)
        m_grid->setColumnWidth(c, value);
    m_statusGrid->setColumnWidth(0, first);
    m_statusGrid->setColumnWidth(1, m_statusGrid->width() - first - 5);
    const QPixmap logo(QStringLiteral(":/o2aerolis/logo.png"));
    if (!logo.isNull())
        m_logo->setPixmap(
            logo.scaled(m_logo->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void TFAnzeige::StopTimer() {
    if (TeachInPoll* poll = TeachInPoll::current())
        poll->StopTimer();
    DispTimer.stop();
}

void TFAnzeige::StartTimer() {
    // The daily readout stopped the ticks for its whole run; a dialog that restarts them
    // around its own (refused) exchange must not let a tick in.
    if (m_readoutRuns)
        return;
    DispTimer.setInterval(RefreshIntervalMs);
    DispTimer.start();
    if (TeachInPoll* poll = TeachInPoll::current())
        poll->StartTimer();
}

void TFAnzeige::beginBusy() {
    if (m_busy++ == 0) {
        m_canvas->setEnabled(false);
        m_menuBar->setEnabled(false);
    }
}

void TFAnzeige::endBusy() {
    if (--m_busy == 0) {
        m_canvas->setEnabled(true);
        m_menuBar->setEnabled(true);
    }
}

QDateTime TFAnzeige::now() const {
    return Now ? Now() : QDateTime::currentDateTime();
}

void TFAnzeige::setModeTab(int index) {
    if (index < 0 || index >= m_modeTabs->count())
        return; // mode 4 has no tab: the selection stays
    const QSignalBlocker quiet(m_modeTabs);
    m_modeTabs->setCurrentIndex(index);
    m_shownModeTab = index;
}

void TFAnzeige::FormActivate() {
    SelectPlantTab(m_plantTabs, Daten::SelectedPlant - 1);
    TabControl1Change();
    setModeTab(Daten::Anlage[size_t(Daten::SelectedPlant)].Mode);
    StartTimer();
}

void TFAnzeige::TabControl1Change() {
    const int index = m_plantTabs->currentIndex();
    if (index < 0)
        return;
    Daten::SelectedPlant = index + 1;
    const tAnlageParameter& plant = Daten::Anlage[size_t(Daten::SelectedPlant)];
    setModeTab(plant.Mode);
    ShowSelectedPlant();
    const Anzeige::PlantControls c = Anzeige::ControlsFor(plant);
    m_items[QStringLiteral("Mieteneustarten1")]->setEnabled(c.newPile);
    m_items[QStringLiteral("Mietefortfuehren1")]->setEnabled(c.continuePile);
    m_items[QStringLiteral("Mietebeenden1")]->setEnabled(c.endPile);
    m_items[QStringLiteral("Zeiten1")]->setEnabled(c.options && bool(ShowSetupDialog));
    m_items[QStringLiteral("Datumsetzen1")]->setEnabled(c.options && bool(ShowClockDialog));
    m_memLabel->setLit(c.storingLamp);
    m_mieteName->setText(c.pileName);
    m_panels[1]->setText(c.fileText);
    m_panels[3]->setText(c.countText);
}

void TFAnzeige::DispTimerOnTimer() {
    m_heartbeat = Anzeige::NextHeartbeat(m_heartbeat);
    m_progress->setValue(m_heartbeat);
    ShowSelectedPlant();
    ShowAllPlants();
    // A readout that falls due while an exchange waits (the clock dialog reads with the
    // ticks running) or while a readout runs would have every request refused or close the
    // running one's file: it waits for the next tick after them.
    const QDateTime t = now();
    if (Anzeige::BackupDueAt(t) && !IsWaiting() && !m_readoutRuns)
        runDailyReadout(t);
}

void TFAnzeige::ShowSelectedPlant() {
    const Anzeige::PanelValues v =
        Anzeige::PanelFor(Daten::LiveStatus[size_t(Daten::SelectedPlant)]);
    if (v.blank) {
        for (LedDisplay* d : m_tAnz)
            d->blank();
        m_o2Anz->blank();
        m_laufzeitAnz->blank();
        m_zyklenAnz->blank();
        m_gauge->setValue(0);
        m_fan->hide();
        return;
    }
    for (int k = 0; k < 5; ++k)
        m_tAnz[k]->setValue(v.temperature[size_t(k)]);
    m_gauge->setValue(v.refDepth);
    m_o2Anz->setValue(v.o2);
    m_laufzeitAnz->setValue(v.runTime);
    m_zyklenAnz->setValue(v.cycles);
    m_fan->setVisible(v.fanOn);
    m_steuerLed->setLit(v.safetyMode);
    setModeTab(v.modeTab);
}

void TFAnzeige::ShowPlantRow(int row) {
    if (row < 1 || row > KompUtils::PlantCount || row >= m_grid->rowCount())
        return;
    const std::array<QString, 6> cells = Anzeige::PlantRowTexts(Daten::LiveStatus[size_t(row)]);
    for (int c = 0; c < 6; ++c) {
        if (!cells[size_t(c)].isNull())
            setCell(m_grid, row, c + 1, cells[size_t(c)]);
    }
}

void TFAnzeige::ShowAllPlants() {
    for (int row = 1; row <= KompUtils::PlantCount; ++row)
        ShowPlantRow(row);
}

void TFAnzeige::runDailyReadout(const QDateTime& t) {
    for (int row = 1; row <= KompUtils::PlantCount; ++row)
        setCell(m_statusGrid, row, 1, QString());
    setCell(m_statusGrid, 0, 1, Anzeige::BackupHeading(t));
    m_backupShown = true;
    StopTimer();
    beginBusy();
    m_readoutRuns = true;
    bool failed = false;
    for (int p = 1; p <= KompUtils::PlantCount; ++p) {
        const bool ok = BackupStoredRecords(p);
        setCell(m_statusGrid, p, 1, ok ? tr("Ergebnis OK !") : tr("Fehler beim sichern!"));
        failed = failed || !ok;
    }
    Anzeige::AdvanceBackupDue();
    m_readoutRuns = false;
    StartTimer();
    endBusy();
    // A failure must not wait for the user to look: the results come to the front.
    if (failed)
        Speicherstatus1Click();
}

bool TFAnzeige::SaveStoredRecords() {
    return Readout::SaveStoredRecords(
        Daten::SelectedPlant,
        MakeReadoutView(this, [this](const QString& text) { m_panels[3]->setText(text); }));
}

bool TFAnzeige::BackupStoredRecords(int plant) {
    return Readout::BackupStoredRecords(
        plant, MakeReadoutView(this, [this](const QString& text) { m_panels[3]->setText(text); }));
}

void TFAnzeige::modeTabChanged(int index) {
    if (isBusy() || !PileFlow::ModeChangeAllowed(Daten::SelectedPlant)) {
        setModeTab(m_shownModeTab); // refused: the tabs do not move
        return;
    }
    m_shownModeTab = index;
    BetriebsArtTabChange();
}

void TFAnzeige::BetriebsArtTabChange() {
    const int plant = Daten::SelectedPlant;
    if (!PileFlow::ModeChangeAllowed(plant))
        return;
    const int remembered = Daten::Anlage[size_t(plant)].Mode;
    StopTimer();
    beginBusy();
    const bool ok = PileFlow::ChangeMode(plant, m_modeTabs->currentIndex());
    StartTimer();
    endBusy();
    if (ok) {
        ShowPlantRow(plant);
        ShowSelectedPlant();
    } else {
        setModeTab(remembered);
    }
}

void TFAnzeige::Mieteneustarten1Click() {
    const int plant = Daten::SelectedPlant;
    // Asked before the naming dialog: its entries would be lost with the settings file.
    if (isBusy() || !PileFlow::PileStartAllowed(plant) || !Settings::CheckWritable())
        return;
    bool confirmed = false;
    if (RunNamingDialog) {
        confirmed = RunNamingDialog(*this);
    } else {
        TFAnlageDaten dialog(this);
        confirmed = dialog.exec() == QDialog::Accepted;
    }
    if (!confirmed)
        return;
    StopTimer();
    beginBusy();
    if (PileFlow::StartNewPile(plant))
        TabControl1Change();
    StartTimer();
    endBusy();
}

void TFAnzeige::Mietefortfuehren1Click() {
    const int plant = Daten::SelectedPlant;
    if (isBusy() || !PileFlow::PileStartAllowed(plant) || !Settings::CheckWritable())
        return;
    tAnlageParameter& a = Daten::Anlage[size_t(plant)];
    if (a.Pfad.isEmpty() || !QDir(a.Pfad).exists())
        a.Pfad = ProgramDir::pathWithSeparator();
    QString path;
    if (ChooseMeasurementFile) {
        path = ChooseMeasurementFile(*this, a.Pfad);
    } else {
        QFileDialog dialog(this);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setNameFilter(tr("EXCEL ( *.csv)") + QStringLiteral(" (*.csv *.CSV)"));
        dialog.setDefaultSuffix(QStringLiteral("csv"));
        dialog.setDirectory(a.Pfad);
        dialog.setOption(QFileDialog::ReadOnly, false);
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
            path = dialog.selectedFiles().constFirst();
    }
    if (path.isEmpty())
        return;
    TMessDaten data;
    data.LoadFile(path);
    if (!data.FileValid) {
        Messages::information(tr("Datendatei existiert nicht oder\rKein gültiger "
                                 "Dateiaufbau\rDatei war nicht von dieser Software erzeugt!"),
                              this);
        return;
    }
    PileFlow::AdoptFile(plant, data, path);
    StopTimer();
    beginBusy();
    const bool started = PileFlow::ContinuePile(plant);
    if (started)
        TabControl1Change();
    StartTimer();
    endBusy();
    if (!started)
        Messages::information(tr("Anlage ist NICHT eingeschaltet!!\rFehler beim Starten!"), this);
}

void TFAnzeige::Mietebeenden1Click() {
    if (isBusy() || !PileFlow::ModeChangeAllowed(Daten::SelectedPlant))
        return;
    beginBusy();
    SwitchOffPile();
    endBusy();
}

bool TFAnzeige::SwitchOffPile() {
    const int plant = Daten::SelectedPlant;
    if (!Messages::confirmation(tr("Soll die aktuell aktive Anlage ausgeschaltet werden ?\rEs "
                                   "werden keine weiteren Messwerte gespeichert.\rEinschalten "
                                   "durch Start einer neuen Miete!!"),
                                this))
        return false;
    StopTimer();
    if (!SaveStoredRecords() &&
        !Messages::confirmation(
            tr("Nicht alle Daten wurden korrekt gespeichert!!\rTrotzdem Anlage ausschalten???"),
            this)) {
        StartTimer();
        return false;
    }
    if (PileFlow::EndPile(plant)) {
        TabControl1Change();
        StartTimer();
        Messages::information(
            tr("Anlage ist ausgeschaltet!!\rEinschalten durch Start einer neuen Miete!"), this);
        return true;
    }
    StartTimer();
    Messages::information(tr("Anlage ist NICHT ausgeschaltet!!\rFehler bei der Übertragung!"),
                          this);
    return false;
}

void TFAnzeige::Einstellwerte1Click() {
    if (isBusy() || !ShowSetupDialog)
        return;
    StopTimer();
    beginBusy();
    const bool ok = ReadSetup(Daten::SelectedPlant);
    StartTimer();
    endBusy();
    if (ok)
        ShowSetupDialog(*this);
    else
        Messages::information(tr(TimeoutText), this);
}

void TFAnzeige::Datumsetzen1Click() {
    if (isBusy() || !ShowClockDialog)
        return;
    ShowClockDialog(*this);
}

void TFAnzeige::OfflineDatenauslesen1Click() {
    if (isBusy())
        return;
    // The window does its own exchanges; this window's ticks and input rest meanwhile.
    StopTimer();
    beginBusy();
    TFDatenLesen1::ShowModal(this);
    endBusy();
    StartTimer();
}

void TFAnzeige::Speicherstatus1Click() {
    m_statusGrid->show();
    m_statusGrid->raise();
}

void TFAnzeige::StatusAnzeigeClick() {
    m_statusGrid->setVisible(!m_statusGrid->isVisible());
}

void TFAnzeige::About1Click() {
    if (!isBusy())
        TFAbout::ShowAbout(this);
}

void TFAnzeige::Ende1Click() {
    close();
}
