#include "storage/UDatenLesen1.h"

#include "core/Daten.h"
#include "core/KompUtils.h"
#include "core/Messages.h"
#include "core/PlantTabs.h"
#include "core/Regional.h"
#include "core/TeachIn.h"
#include "core/UMain.h"
#include "evaluation/UAbout.h"
#include "link/Link.h"
#include "link/Operations.h"
#include "link/Protocol.h"
#include "storage/BackupAlarmLabel.h"
#include "storage/BackupState.h"
#include "storage/Readout.h"
#include "storage/ReadoutView.h"
#include "storage/UAktiv.h"
#include "storage/UMessDaten.h"
#include "storage/UQRKompForm.h"

#include <QAction>
#include <QCloseEvent>
#include <QDateTime>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QTabBar>
#include <QTableWidget>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

using namespace Kommunikation;

namespace {
constexpr int ColumnWidths[TFDatenLesen1::ColumnCount] = {30, 120, 40, 40, 40, 40,
                                                          40, 47,  88, 71, 59, 89};
// Rows of a cleared table, the title row included.
constexpr int ClearedRowCount = 20;
constexpr int GridRowHeight = 14;

QLabel* plainLabel(QWidget* parent, const char* name) {
    auto* l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    l->setTextFormat(Qt::PlainText);
    return l;
}

// The storage time of the record in hand; invalid when a text is no number or the date or
// time does not exist (the table then shows the zero date).
QDateTime storedDateTime() {
    bool ok[5];
    const int day = StoredDay.toInt(&ok[0]);
    const int month = StoredMonth.toInt(&ok[1]);
    const int year = StoredYear.toInt(&ok[2]);
    const int hour = StoredHour.toInt(&ok[3]);
    const int minute = StoredMinute.toInt(&ok[4]);
    for (bool b : ok)
        if (!b)
            return {};
    const QDate date(year, month, day);
    const QTime time(hour, minute);
    if (!date.isValid() || !time.isValid())
        return {};
    return QDateTime(date, time);
}
} // namespace

TFDatenLesen1::TFDatenLesen1(QWidget* parent) : Retranslatable<QDialog>(parent) {
    setObjectName(QStringLiteral("FDatenLesen1"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(240, 240, 240));
    setPalette(pal);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_menuBar = new QMenuBar(this);
    layout->setMenuBar(m_menuBar);
    m_client = new QWidget(this);
    m_client->setMinimumSize(ClientWidth / 2, ClientHeight / 2);
    m_client->resize(ClientWidth, ClientHeight);
    m_client->installEventFilter(this);
    layout->addWidget(m_client);

    auto addItem = [this](QMenu* menu, const char* name, const QKeySequence& key,
                          void (TFDatenLesen1::*handler)()) {
        QAction* a = menu->addAction(QString());
        a->setObjectName(QLatin1String(name));
        a->setShortcut(key);
        connect(a, &QAction::triggered, this, handler);
        return a;
    };
    QMenu* ende = m_menuBar->addMenu(QString());
    ende->setObjectName(QStringLiteral("Ende1"));
    addItem(ende, "Ende2", QKeySequence(Qt::CTRL | Qt::Key_X), &TFDatenLesen1::Ende2Click);
    QMenu* drucken = m_menuBar->addMenu(QString());
    drucken->setObjectName(QStringLiteral("Drucken1"));
    addItem(drucken, "Druckvorschau1", QKeySequence(Qt::CTRL | Qt::Key_V),
            &TFDatenLesen1::PreviewButtonClick);
    addItem(drucken, "Drucken2", QKeySequence(Qt::CTRL | Qt::Key_D),
            &TFDatenLesen1::PrintButtonClick);
    QAction* info = m_menuBar->addAction(QString());
    info->setObjectName(QStringLiteral("Info1"));
    connect(info, &QAction::triggered, this, &TFDatenLesen1::Info1Click);

    m_toolBar = new QToolBar(m_client);
    m_toolBar->setObjectName(QStringLiteral("ToolBar1"));
    m_toolBar->setIconSize(QSize(20, 20));
    QStyle* st = style();
    m_readAction = m_toolBar->addAction(st->standardIcon(QStyle::SP_ArrowDown), QString(), this,
                                        &TFDatenLesen1::DatenAuslesen);
    m_readAction->setObjectName(QStringLiteral("ToolButton1"));
    m_toolBar->addSeparator();
    m_previewAction = m_toolBar->addAction(st->standardIcon(QStyle::SP_FileDialogContentsView),
                                           QString(), this, &TFDatenLesen1::PreviewButtonClick);
    m_previewAction->setObjectName(QStringLiteral("PreviewButton"));
    m_printAction =
        m_toolBar->addAction(QIcon::fromTheme(QStringLiteral("document-print"),
                                              st->standardIcon(QStyle::SP_DialogSaveButton)),
                             QString(), this, &TFDatenLesen1::PrintButtonClick);
    m_printAction->setObjectName(QStringLiteral("PrintButton"));
    place(m_toolBar, QRect(0, 0, ClientWidth, 30));

    m_tabs = new QTabBar(m_client);
    m_tabs->setObjectName(QStringLiteral("TabControl1"));
    m_tabs->setUsesScrollButtons(true);
    m_tabs->setExpanding(false);
    m_tabs->setDrawBase(false);
    m_tabs->setStyleSheet(QStringLiteral("QTabBar::tab { min-width: 25px; padding: 2px 4px; }"));
    place(m_tabs, QRect(0, 32, 561, 41));
    m_backupAlarm = new BackupAlarmLabel(m_client);
    m_backupAlarm->setWordWrap(true);
    m_backupAlarm->setAlignment(Qt::AlignCenter);
    place(m_backupAlarm, QRect(566, 34, ClientWidth - 570, 38));

    m_mieteName = plainLabel(m_client, "MieteName");
    QFont big = m_mieteName->font();
    big.setBold(true);
    m_mieteName->setFont(big);
    place(m_mieteName, QRect(0, 76, 300, 22));
    m_label1 = plainLabel(m_client, "Label1");
    place(m_label1, QRect(310, 78, 120, 18));
    m_anzDaten1 = plainLabel(m_client, "AnzDaten1");
    place(m_anzDaten1, QRect(430, 78, 50, 18));
    m_label3 = plainLabel(m_client, "Label3");
    place(m_label3, QRect(490, 78, 110, 18));
    m_datenNr = plainLabel(m_client, "DatenNr");
    place(m_datenNr, QRect(600, 78, 60, 18));

    m_grid = new QTableWidget(m_client);
    m_grid->setObjectName(QStringLiteral("StringGrid1"));
    m_grid->setColumnCount(ColumnCount);
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setMinimumSectionSize(GridRowHeight);
    m_grid->verticalHeader()->setDefaultSectionSize(GridRowHeight);
    m_grid->horizontalHeader()->setHighlightSections(false);
    m_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    QFont small = m_grid->font();
    small.setPixelSize(11);
    m_grid->setFont(small);
    place(m_grid, QRect(0, 104, ClientWidth, 305));

    m_statusBar = new QStatusBar(m_client);
    m_statusBar->setObjectName(QStringLiteral("StatusBar1"));
    m_statusBar->setSizeGripEnabled(false);
    m_statusCaption = plainLabel(m_statusBar, "StatusPanel0");
    m_statusCaption->setFixedWidth(50);
    m_statusText = plainLabel(m_statusBar, "StatusPanel1");
    m_statusText->setMinimumWidth(500);
    m_statusBar->addWidget(m_statusCaption);
    m_statusBar->addWidget(m_statusText, 1);
    place(m_statusBar, QRect(0, 413, ClientWidth, 23));

    retranslateUi();
    FormCreate();
    resize(
        sizeHint().expandedTo(QSize(ClientWidth, ClientHeight + m_menuBar->sizeHint().height())));
    // Centred on the main window, whichever window opened it.
    if (const QWidget* main = TFMain::instance())
        move(main->frameGeometry().center() - rect().center());
}

TFDatenLesen1::~TFDatenLesen1() = default;

void TFDatenLesen1::ShowModal(QWidget* parent) {
    TFDatenLesen1 window(parent);
    window.exec();
}

void TFDatenLesen1::place(QWidget* w, const QRect& design) {
    w->setGeometry(design);
    m_placed.push_back({w, design});
}

void TFDatenLesen1::FormCreate() {
    for (int c = 0; c < ColumnCount; ++c)
        m_grid->setColumnWidth(c, ColumnWidths[c]);
    ClearGrid();
    FillPlantTabs(m_tabs, KompUtils::PlantCount);
    connect(m_tabs, &QTabBar::currentChanged, this, &TFDatenLesen1::TabControl1Change);
    m_mieteName->setText(QStringLiteral("--"));
    OfferLatePlants();
}

void TFDatenLesen1::OfferLatePlants() {
    QList<BackupState::Alarm> alarms = BackupState::RunningAlarms();
    if (alarms.isEmpty())
        return;
    // Urgent piles before late ones, each group in address order.
    std::stable_sort(alarms.begin(), alarms.end(),
                     [](const BackupState::Alarm& a, const BackupState::Alarm& b) {
                         return a.urgent && !b.urgent;
                     });
    for (const BackupState::Alarm& a : alarms)
        m_tabs->setTabTextColor(a.plant - 1, QColor(198, 40, 40));
    const int index = alarms.first().plant - 1;
    if (m_tabs->currentIndex() == index)
        TabControl1Change(index);
    else
        m_tabs->setCurrentIndex(index);
}

void TFDatenLesen1::FormResize() {
    const double sx = double(m_client->width()) / ClientWidth;
    const double sy = double(m_client->height()) / ClientHeight;
    for (const Placed& p : m_placed) {
        const QRect& d = p.design;
        p.widget->setGeometry(int(d.x() * sx), int(d.y() * sy), int(d.width() * sx),
                              int(d.height() * sy));
    }
}

bool TFDatenLesen1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_client && event->type() == QEvent::Resize)
        FormResize();
    return Retranslatable<QDialog>::eventFilter(watched, event);
}

void TFDatenLesen1::closeEvent(QCloseEvent* event) {
    // The file is open and a reply wait runs while records come in: the window closes once
    // the readout has ended.
    if (m_reading) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void TFDatenLesen1::reject() {
    // Escape, like the close button, waits for the readout to end.
    if (!m_reading)
        QDialog::reject();
}

void TFDatenLesen1::retranslateUi() {
    setWindowTitle(tr("Daten Offline lesen"));
    m_menuBar->findChild<QMenu*>(QStringLiteral("Ende1"))->setTitle(tr("&Ende"));
    menuItem(QStringLiteral("Ende2"))->setText(tr("&Ende"));
    m_menuBar->findChild<QMenu*>(QStringLiteral("Drucken1"))->setTitle(tr("&Drucken"));
    menuItem(QStringLiteral("Druckvorschau1"))->setText(tr("Druck&vorschau"));
    menuItem(QStringLiteral("Drucken2"))->setText(tr("&Drucken"));
    menuItem(QStringLiteral("Info1"))->setText(tr("&Info"));
    m_readAction->setText(tr("Daten auslesen"));
    m_previewAction->setText(tr("Druckvorschau"));
    m_printAction->setText(tr("Drucken"));
    m_label1->setText(tr("Anzahl Datensätze:"));
    m_label3->setText(tr("Lese Datensatz:"));
    m_statusCaption->setText(tr("Status:"));
    setColumnTitles();
}

QAction* TFDatenLesen1::menuItem(const QString& objectName) const {
    return findChild<QAction*>(objectName);
}

void TFDatenLesen1::setColumnTitles() {
    const bool f = KompUtils::ImperialUnits;
    const QString titles[ColumnCount] = {
        QString(),
        tr("Datum"),
        f ? tr("T5[°F]") : tr("T5[°C]"),
        f ? tr("T4[°F]") : tr("T4[°C]"),
        f ? tr("T3[°F]") : tr("T3[°C]"),
        f ? tr("T2[°F]") : tr("T2[°C]"),
        f ? tr("T1[°F]") : tr("T1[°C]"),
        tr("O2 [0,1 %]"),
        tr("Betriebsart"),
        tr("Laufzeit"),
        tr("Zyklen"),
        KompUtils::ShowRefDepth ? KompUtils::RefCaption : QString(),
    };
    for (int c = 0; c < ColumnCount; ++c) {
        auto* item = new QTableWidgetItem(titles[c]);
        item->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        m_grid->setHorizontalHeaderItem(c, item);
    }
}

QString TFDatenLesen1::Cell(int column, int row) const {
    if (row == 0) {
        const QTableWidgetItem* h = m_grid->horizontalHeaderItem(column);
        return h ? h->text() : QString();
    }
    const QTableWidgetItem* item = m_grid->item(row - 1, column);
    return item ? item->text() : QString();
}

int TFDatenLesen1::RowCount() const {
    return m_grid->rowCount() + 1;
}

void TFDatenLesen1::setCell(int column, int row, const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_grid->setItem(row - 1, column, item);
}

QString TFDatenLesen1::StatusText() const {
    return m_statusText->text();
}

void TFDatenLesen1::setStatus(const QString& text) {
    m_statusText->setText(text);
}

void TFDatenLesen1::ClearGrid() {
    m_grid->clearContents();
    m_grid->setRowCount(0);
    setColumnTitles();
    m_rowsFilled = 0;
    m_grid->setRowCount(ClearedRowCount - 1);
    m_anzDaten1->setText(QStringLiteral("0"));
    m_datenNr->setText(QStringLiteral("0"));
}

void TFDatenLesen1::TabControl1Change(int index) {
    if (!Daten::isPlantAddress(index + 1))
        return;
    Daten::SelectedPlant = index + 1;
    ClearGrid();
    const tAnlageParameter& a = Daten::Anlage[size_t(Daten::SelectedPlant)];
    m_toolBar->setEnabled(a.Present);
    m_previewAction->setEnabled(false);
    m_printAction->setEnabled(false);
    setStatus(a.Datei);
    if (!a.Present)
        m_mieteName->setText(tr("KEINE ANLAGE ANGESCHLOSSEN!!"));
    else if (a.SwitchedOn)
        m_mieteName->setText(a.Name);
    else
        m_mieteName->setText(tr("Angeschlossene ANLAGE ist abgeschaltet!!"));
}

void TFDatenLesen1::DatenAuslesen() {
    if (m_reading)
        return;
    // The controls and menus are disabled rather than the window itself, so that the
    // message boxes of the readout, which belong to this window, stay usable.
    m_reading = true;
    m_client->setEnabled(false);
    m_menuBar->setEnabled(false);
    ReadRecordsIntoGrid();
    m_menuBar->setEnabled(true);
    m_client->setEnabled(true);
    m_reading = false;
    m_previewAction->setEnabled(m_rowsFilled > 0);
    m_printAction->setEnabled(m_rowsFilled > 0);
}

void TFDatenLesen1::ReadRecordsIntoGrid() {
    ClearGrid();
    const int plant = Daten::SelectedPlant;
    if (!Daten::isPlantAddress(plant) || !Daten::Anlage[size_t(plant)].SwitchedOn)
        return;
    if (!MeasurementFile::OpenMeasurementFile(plant)) {
        BackupState::Record(plant, false, -1);
        Messages::information(tr("Speicherdatei kann nicht geöffnet werden !"), this);
        return;
    }
    bool writeFailed = false;
    QString rescueFile;
    // The poll stays as the caller left it: the live display has stopped it already and
    // restarts it itself.
    TeachInPoll* poll = TeachInPoll::current();
    const bool polling = poll && poll->LeseTimer.isActive();
    if (poll)
        poll->StopTimer();

    const Readout::View view = MakeReadoutView(this, {});
    if (!ReadStoredCount(plant)) {
        Messages::information(
            tr("Anzahl der Speicherdaten kann nicht ausgelesen werden !\rKommunikationsfehler !"),
            this);
        MeasurementFile::CloseMeasurementFile(plant);
        BackupState::Record(plant, false, -1);
    } else if (QString noRoom; !Readout::RoomForRecords(StoredCount, &noRoom)) {
        // Nothing is asked for that the file could not take: the records stay in the
        // controller.
        Messages::information(noRoom, this);
        MeasurementFile::CloseMeasurementFile(plant);
        BackupState::Record(plant, false, StoredCount);
    } else {
        const int count = StoredCount;
        m_anzDaten1->setText(QString::number(count));
        m_rowsFilled = 0;
        m_grid->setRowCount(count);
        view.showProgress(count);
        while (m_rowsFilled < count && !TimeoutFlag && !writeFailed) {
            // The record step takes the record out of the controller, so a record that came
            // is always kept, also when the user asked to stop meanwhile.
            if (!Readout::RecordStep(plant, view, &writeFailed, &rescueFile)) {
                Messages::information(
                    tr("TIMEOUT, bei der seriellen Kommunikation!\rBitte Kabel und PC- "
                       "Einstellung überprüfen!\rBitte Kabel und PC- Einstellung "
                       "überprüfen!"),
                    this);
                break;
            }
            const int r = ++m_rowsFilled;
            m_datenNr->setText(QString::number(r));
            setCell(0, r, QString::number(r));
            const TFQRKompForm::LogRow row = TFQRKompForm::recordRow(
                StoredRecord, storedDateTime(), KompUtils::ImperialUnits, KompUtils::ShowRefDepth);
            setCell(1, r, row.dat);
            for (int i = 0; i < 5; ++i)
                setCell(2 + i, r, row.t[i]);
            setCell(7, r, row.o2);
            setCell(8, r, QString::number(StoredRecord.Mode));
            setCell(9, r, row.zeit);
            setCell(10, r, row.zyklen);
            setCell(11, r, row.refDepth);
            m_grid->setCurrentCell(r - 1, 0);
            const TFAktiv* busy = TFAktiv::instance();
            if (busy && busy->Cancelled())
                break;
        }
        view.hideProgress();
        Messages::warning(tr("INFO Daten auslesen abgeschlossen."), this);
        // Every line is on disk already; a failing close loses the saved count, which the
        // user must hear about as much as a lost line.
        bool settingsFailed = false;
        const bool closed = Readout::CloseAfterReadout(plant, &settingsFailed);
        // Records left in the controller (a stop, a time-out) make the readout a failed one.
        BackupState::Record(plant, closed && !writeFailed && m_rowsFilled == count, count);
        if (!writeFailed && settingsFailed) {
            Messages::information(Readout::SettingsNotSavedText(), this);
            setStatus(QString());
        } else if (writeFailed || !closed) {
            QString text =
                tr("Daten wurden nicht korrekt gespeichert!!\rBitte Speichermedium überprüfen !!");
            if (writeFailed)
                text += QLatin1Char('\r') + Readout::RescuedText(rescueFile);
            Messages::information(text, this);
            setStatus(QString());
        } else {
            setStatus(tr("Werte in Datei gespeichert !"));
        }
    }
    view.hideProgress();
    if (poll && polling)
        poll->StartTimer();
}

void TFDatenLesen1::PrepareLogReport(TFQRKompForm& report) {
    report.loadHeaderLines();
    const int plant = Daten::SelectedPlant;
    if (Daten::isPlantAddress(plant)) {
        const tAnlageParameter& a = Daten::Anlage[size_t(plant)];
        report.setPlant(a.Name, a.Datei);
        // The offline log has no comment lines of its own: the plant's comment and the
        // file's own name tell the printed sheet's reader where it came from.
        report.setComments(a.Komm, QFileInfo(a.Datei).fileName());
    } else {
        report.setPlant(QString(), QString());
        report.setComments(QString(), QString());
    }
    report.setUnits(KompUtils::ImperialUnits, KompUtils::ShowRefDepth, KompUtils::RefCaption);
    report.setRowSource([this](int row, TFQRKompForm::LogRow& out) {
        if (row > m_rowsFilled)
            return false;
        out.nr = QString::number(row);
        out.dat = Cell(1, row);
        for (int i = 0; i < 5; ++i)
            out.t[i] = Cell(2 + i, row);
        // The table keeps the controller's tenths; the printed log shows vol% with one
        // decimal, as it does printed from anywhere else.
        bool whole = false;
        const int tenths = Cell(7, row).trimmed().toInt(&whole);
        out.o2 = whole ? QString::asprintf("%4.1f", tenths / 10.0)
                             .replace(QLatin1Char('.'), Regional::decimalSeparator())
                       : Cell(7, row);
        out.zeit = Cell(9, row);
        out.zyklen = Cell(10, row);
        out.refDepth = Cell(11, row);
        return true;
    });
    report.removeSummary();
}

void TFDatenLesen1::PreviewButtonClick() {
    TFQRKompForm report;
    PrepareLogReport(report);
    report.preview(this);
}

void TFDatenLesen1::PrintButtonClick() {
    TFQRKompForm report;
    PrepareLogReport(report);
    if (report.print(this))
        setStatus(tr("Werte ausgedruckt !"));
}

void TFDatenLesen1::Info1Click() {
    TFAbout::ShowAbout(this);
}

void TFDatenLesen1::Ende2Click() {
    close();
}
