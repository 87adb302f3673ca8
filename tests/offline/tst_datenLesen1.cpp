// The offline readout window against the simulator over TCP: the table, the file, the
// messages, the busy window's cancel, the plant tabs, and the printed log read back.
#include "core/Daten.h"
#include "core/KompUtils.h"
#include "core/ProgramDir.h"
#include "core/Settings.h"
#include "core/TeachIn.h"
#include "link/Link.h"
#include "sim/Simulator.h"
#include "storage/UAktiv.h"
#include "storage/UDatenLesen1.h"
#include "storage/UMessDaten.h"
#include "storage/UQRKompForm.h"
#include "tests/reports/ReportText.h"
#include "tests/ui/UiTestSupport.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTabBar>
#include <QToolBar>
#include <QtTest>
#include <memory>

#ifdef Q_OS_LINUX
#include <csignal>
#include <sys/resource.h>
#endif

using namespace Kommunikation;

namespace {

// Answers every message box with its default button and notes title and text of each.
class BoxLog : public QObject {
public:
    BoxLog() {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            seen << box->windowTitle() + QLatin1Char('|') + box->text();
            box->defaultButton() ? box->defaultButton()->click() : box->reject();
        });
        m_timer.start(10);
    }
    QStringList seen;

private:
    QTimer m_timer;
};

const QString Done = QStringLiteral("Warnung|INFO Daten auslesen abgeschlossen.");
const QString Saved = QStringLiteral("Werte in Datei gespeichert !");

// The record lines of a measurement file, each as its trimmed fields.
QList<QStringList> recordLines(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QList<QStringList> out;
    const QList<QByteArray> lines = f.readAll().split('\n');
    for (const QByteArray& raw : lines) {
        QStringList cells = QString::fromLatin1(raw.trimmed()).split(QLatin1Char(';'));
        for (QString& c : cells)
            c = c.trimmed();
        bool number = false;
        if (cells.size() >= 12)
            cells[0].toInt(&number);
        if (number)
            out << cells;
    }
    return out;
}

#ifdef Q_OS_LINUX
// The size this process may write a file up to, as a full device would stop it.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit l = m_old;
        l.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &l);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};
#endif

} // namespace

class TestDatenLesen1 : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    std::unique_ptr<sim::Simulator> simulator;
    std::unique_ptr<Link> link;
    std::unique_ptr<TeachInPoll> poll;
    std::unique_ptr<QWidget> owner;
    int requests = 0; // 'G' frames seen by the simulator

    // Plant 2 holds `count` records: T 55, 60, 64, 45, 30 °C (reference depth 38 cm), O2 209.
    void storeRecords(int count) {
        sim::PlantState& p = simulator->plant(2);
        for (int i = 0; i < count; ++i) {
            sim::StoredRecord r;
            r.t = {550, 600, 640, 450, 300};
            r.o2 = 209;
            r.mode = 3;
            r.time = QDateTime(QDate(2026, 12, 9), QTime(14, 30).addSecs(900 * i));
            r.runTime = 10 + i;
            r.cycles = 2 + i;
            p.memory.push_back(r);
        }
    }

private slots:
    void initTestCase() { UiTest::isolateUserSettings(dir); }
    void init() {
        ResetProcessState();
        ProgramDir::setOverride(dir.path());
        QFile::remove(ProgramDir::iniPath());
        Settings::open(ProgramDir::iniPath());
        simulator = std::make_unique<sim::Simulator>();
        simulator->setTimeFactor(0);
        QVERIFY(simulator->listenTcp(0));
        Settings::file().writeInteger(Keys::Com, Keys::Layer, 1);
        Settings::file().writeString(Keys::Com, Keys::NetAdr, QStringLiteral("127.0.0.1"));
        Settings::file().writeInteger(Keys::Com, Keys::NetPort, simulator->tcpPort());
        link = std::make_unique<Link>();
        QSignalSpy up(link.get(), &Link::connected);
        BaseTimeout = 40;
        link->ReadLinkSettings();
        QVERIFY(up.wait(5000));
        RecordTimeout = 80;
        poll = std::make_unique<TeachInPoll>();
        owner = std::make_unique<QWidget>();
        new TFAktiv(owner.get());
        requests = 0;
        connect(simulator.get(), &sim::Simulator::frameReceived, this, [this](const QByteArray& f) {
            if (f.mid(1) == "G")
                ++requests;
        });

        simulator->plant(2).present = true;
        simulator->plant(2).switchedOn = true;
        tAnlageParameter& a = Daten::Anlage[2];
        a.Present = true;
        a.SwitchedOn = 1;
        a.Name = QStringLiteral("Nord");
        a.Komm = QStringLiteral("Halle 3");
        a.Pfad = dir.path() + QLatin1Char('/');
        a.Datei = a.Pfad + QStringLiteral("Nord_%1.CSV").arg(QTest::currentDataTag());
        QFile::remove(a.Datei);
        Daten::SelectedPlant = 2;
    }
    void cleanup() {
        owner.reset();
        poll.reset();
        link.reset();
        simulator.reset();
        Settings::close();
    }

    // The table, the file and the tool bar after a readout that ran to its end.
    void readout_data() {
        QTest::addColumn<int>("records");
        QTest::addColumn<bool>("imperial");
        QTest::addColumn<bool>("showRefDepth");
        QTest::addColumn<QStringList>("titles"); // columns 2, 7, 11
        QTest::addColumn<QStringList>("cells");  // columns 1, 2, 6, 7, 8, 9, 11 of row 1
        QTest::newRow("empty") << 0 << false << true
                               << QStringList{"T5[°C]", "O2 [0,1 %]", "s 55°C[cm]"}
                               << QStringList();
        QTest::newRow("imperial")
            << 3 << true << true << QStringList{"T5[°F]", "O2 [0,1 %]", "s 131°F[in]"}
            << QStringList{"09.12.2026  14:30", " 131", "  86", " 209", "3", "   10", "  14"};
        QTest::newRow("metric")
            << 3 << false << false << QStringList{"T5[°C]", "O2 [0,1 %]", ""}
            << QStringList{"09.12.2026  14:30", "  55", "  30", " 209", "3", "   10", ""};
    }
    void readout() {
        QFETCH(int, records);
        QFETCH(bool, imperial);
        QFETCH(bool, showRefDepth);
        QFETCH(QStringList, titles);
        QFETCH(QStringList, cells);
        KompUtils::ImperialUnits = imperial;
        KompUtils::ShowRefDepth = showRefDepth;
        KompUtils::MakeRefCaption();
        storeRecords(records);
        poll->StartTimer();
        bool pollStopped = true;
        connect(simulator.get(), &sim::Simulator::frameReceived, this,
                [&] { pollStopped = pollStopped && !poll->LeseTimer.isActive(); });

        TFDatenLesen1 w;
        w.show();
        BoxLog boxes;
        w.DatenAuslesen();

        QCOMPARE(boxes.seen, QStringList{Done});
        QVERIFY(pollStopped);
        QVERIFY(poll->LeseTimer.isActive());
        QCOMPARE(w.AnzDaten1()->text(), QString::number(records));
        QCOMPARE(w.RowsFilled(), records);
        QCOMPARE(w.StatusText(), Saved);
        QCOMPARE(w.PreviewButton()->isEnabled(), records > 0);
        QCOMPARE(w.PrintButton()->isEnabled(), records > 0);
        QCOMPARE((QStringList{w.Cell(2, 0), w.Cell(7, 0), w.Cell(11, 0)}), titles);
        QCOMPARE(requests, records);
        QVERIFY(!TFAktiv::instance()->isVisible());
        if (records > 0) {
            QCOMPARE(w.RowCount(), records + 1);
            QStringList row1;
            for (int c : {1, 2, 6, 7, 8, 9, 11})
                row1 << w.Cell(c, 1);
            QCOMPARE(row1, cells);
            QCOMPARE(w.Cell(0, 3), QStringLiteral("3"));
        }
        // The file holds the values as measured, whatever the screen shows.
        QVERIFY(QFile::exists(Daten::Anlage[2].Datei));
        const QList<QStringList> lines = recordLines(Daten::Anlage[2].Datei);
        QCOMPARE(lines.size(), records);
        for (const QStringList& l : lines)
            QCOMPARE(l.mid(2, 7), (QStringList{"55", "60", "64", "45", "30", "38", "20,9"}));
        QCOMPARE(Daten::Anlage[2].Anzahl, records);
    }

    // The poll stays as the caller left it: the live display has stopped it and restarts it.
    void pollLeftStopped() {
        storeRecords(1);
        TFDatenLesen1 w;
        BoxLog boxes;
        w.DatenAuslesen();
        QCOMPARE(w.RowsFilled(), 1);
        QVERIFY(!poll->LeseTimer.isActive());
    }

    // A click on the busy window while the third record is on its way: that record was taken
    // out of the controller, so it is kept; the two after it stay in the controller.
    void cancelKeepsRecordInHand() {
        storeRecords(5);
        TFDatenLesen1 w;
        w.show();
        connect(simulator.get(), &sim::Simulator::frameReceived, this, [&](const QByteArray& f) {
            if (f.mid(1) != "G")
                return;
            // Closing the window while the file is open waits for the readout's end.
            if (requests == 2) {
                w.close();
                w.reject();
            }
            if (requests == 3)
                TFAktiv::instance()->StaticText1Click();
        });
        BoxLog boxes;
        w.DatenAuslesen();

        QVERIFY(w.isVisible());
        QCOMPARE(boxes.seen, QStringList{Done});
        QCOMPARE(requests, 3);
        QCOMPARE(w.RowsFilled(), 3);
        QCOMPARE(w.Cell(1, 3), QStringLiteral("09.12.2026  15:00"));
        QCOMPARE(recordLines(Daten::Anlage[2].Datei).size(), 3);
        QCOMPARE(simulator->storedRecordCount(2), 2);
        QCOMPARE(w.StatusText(), Saved);
        QVERIFY(w.PreviewButton()->isEnabled());
    }

    void failures_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("status");
        QTest::newRow("record missing")
            << "record"
            << QStringList{"Informationen|TIMEOUT, bei der seriellen Kommunikation!\nBitte Kabel "
                           "und PC- Einstellung überprüfen!\nBitte Kabel und PC- Einstellung "
                           "überprüfen!",
                           Done}
            << 1 << Saved;
        QTest::newRow("count missing")
            << "count"
            << QStringList{"Informationen|Anzahl der Speicherdaten kann nicht ausgelesen werden "
                           "!\nKommunikationsfehler !"}
            << 0 << QString();
        QTest::newRow("no directory")
            << "directory"
            << QStringList{"Informationen|Speicherdatei kann nicht geöffnet werden !"} << 0
            << QString();
        QTest::newRow("switched off") << "off" << QStringList() << 0 << QString();
    }
    void failures() {
        QFETCH(QString, fault);
        QFETCH(QStringList, boxes);
        QFETCH(int, rows);
        QFETCH(QString, status);
        storeRecords(4);
        if (fault == "record")
            connect(simulator.get(), &sim::Simulator::frameReceived, this, [this] {
                if (requests == 2)
                    simulator->setReplyOverride(2, 'G', QByteArray());
            });
        else if (fault == "count")
            simulator->setReplyOverride(2, 'r', QByteArray());
        else if (fault == "directory")
            Daten::Anlage[2].Pfad = Daten::Anlage[2].Datei =
                dir.filePath(QStringLiteral("gone/x.CSV"));
        else if (fault == "off")
            Daten::Anlage[2].SwitchedOn = 0;
        TFDatenLesen1 w;
        BoxLog boxes_;
        w.DatenAuslesen();
        QCOMPARE(boxes_.seen, boxes);
        QCOMPARE(w.RowsFilled(), rows);
        QCOMPARE(recordLines(Daten::Anlage[2].Datei).size(), rows);
        QCOMPARE(w.StatusText(), status);
        QCOMPARE(w.PreviewButton()->isEnabled(), rows > 0);
        QVERIFY(!TFAktiv::instance()->isVisible());
    }

    // Too little room on the file's file system for the records the controller reports:
    // no record is asked for, the message gives the free space, the table stays empty and
    // the records stay in the controller.
    void noRoom() {
        storeRecords(4);
        MeasurementFile::SetFreeSpaceProbe([](const QString&) { return qint64(10 * 1024); });
        TFDatenLesen1 w;
        BoxLog boxes;
        w.DatenAuslesen();
        MeasurementFile::SetFreeSpaceProbe({});
        QCOMPARE(boxes.seen,
                 QStringList{QStringLiteral(
                                 "Informationen|Nicht genug Platz für 4 Messwerte auf %1 (10,0 kB "
                                 "frei)!\nBitte Speichermedium überprüfen !!")
                                 .arg(QDir::toNativeSeparators(dir.path()))});
        QCOMPARE(requests, 0);
        QCOMPARE(w.RowsFilled(), 0);
        QCOMPARE(recordLines(Daten::Anlage[2].Datei).size(), 0);
        QCOMPARE(simulator->storedRecordCount(2), 4);
        QCOMPARE(MeasurementFile::OpenPlant(), 0);
        QVERIFY(!TFAktiv::instance()->isVisible());
    }

#ifdef Q_OS_LINUX
    // The device fills up during the third line: the loop ends after that record, the
    // completion message comes first, then the storage message, which names the rescue file
    // in the program directory that now holds the third record; the status stays empty.
    void fullDevice() {
        storeRecords(5);
        QVERIFY(MeasurementFile::OpenMeasurementFile(2));
        QVERIFY(MeasurementFile::CloseMeasurementFile(2));
        const QString path = Daten::Anlage[2].Datei;
        const qint64 header = QFileInfo(path).size();
        const qint64 lineSize = qint64(
            MeasurementFile::RecordLine(1, QStringLiteral("09.12.2026  14:30"), {}).size() + 2);
        const QString rescue = MeasurementFile::RescueFileName(2);
        TFDatenLesen1 w;
        BoxLog boxes;
        {
            FileSizeLimit limit(rlim_t(header + 2 * lineSize + lineSize / 2));
            w.DatenAuslesen();
        }
        QCOMPARE(boxes.seen,
                 (QStringList{Done, QStringLiteral("Informationen|Daten wurden nicht korrekt "
                                                   "gespeichert!!\nBitte Speichermedium "
                                                   "überprüfen !!\nDer zuletzt gelesene Messwert "
                                                   "steht in ") +
                                        QDir::toNativeSeparators(rescue)}));
        QCOMPARE(QFileInfo(rescue).absolutePath(), QFileInfo(ProgramDir::iniPath()).absolutePath());
        QCOMPARE(requests, 3);
        QCOMPARE(w.RowsFilled(), 3);
        QCOMPARE(recordLines(path).size(), 2);
        const QList<QStringList> saved = recordLines(rescue);
        QCOMPARE(saved.size(), 1);
        QCOMPARE(saved.at(0).mid(0, 2), (QStringList{"3", "09.12.2026  15:00"}));
        QCOMPARE(saved.at(0).at(10), QStringLiteral("12")); // the third record's run time
        QCOMPARE(w.StatusText(), QString());
        QCOMPARE(simulator->storedRecordCount(2), 2);
        QFile::remove(rescue);
    }
#endif

    void tabChoice_data() {
        QTest::addColumn<bool>("present");
        QTest::addColumn<bool>("switchedOn");
        QTest::addColumn<QString>("label");
        QTest::newRow("absent") << false << false << "KEINE ANLAGE ANGESCHLOSSEN!!";
        QTest::newRow("switched off")
            << true << false << "Angeschlossene ANLAGE ist abgeschaltet!!";
        QTest::newRow("running") << true << true << "Ost";
    }
    void tabChoice() {
        QFETCH(bool, present);
        QFETCH(bool, switchedOn);
        QFETCH(QString, label);
        tAnlageParameter& a = Daten::Anlage[5];
        a.Present = present;
        a.SwitchedOn = switchedOn;
        a.Name = QStringLiteral("Ost");
        a.Datei = QStringLiteral("/data/Ost_1.CSV");
        TFDatenLesen1 w;
        w.show();
        QCOMPARE(w.MieteName()->text(), QStringLiteral("--"));
        QVERIFY(w.ToolBar1()->isEnabled());
        w.TabControl1()->setCurrentIndex(4);
        QCOMPARE(Daten::SelectedPlant, 5);
        QCOMPARE(w.MieteName()->text(), label);
        QCOMPARE(w.ToolBar1()->isEnabled(), present);
        QVERIFY(!w.PreviewButton()->isEnabled());
        QCOMPARE(w.StatusText(), a.Datei);
    }

    // The printed log: one detail line per table row, O2 in vol% with one decimal (the table
    // keeps tenths), the plant and file named.
    void printedLog() {
        if (!ReportText::available())
            QSKIP("pdftotext is not installed");
        KompUtils::ImperialUnits = true;
        KompUtils::MakeRefCaption();
        storeRecords(3);
        TFDatenLesen1 w;
        w.show();
        BoxLog boxes;
        w.DatenAuslesen();
        QCOMPARE(w.RowsFilled(), 3);
        const QString shot = qEnvironmentVariable("O2_OFFLINE_SHOT");
        if (!shot.isEmpty())
            QVERIFY(w.grab().save(shot));

        TFQRKompForm report;
        w.PrepareLogReport(report);
        const QString pdf = dir.filePath(QStringLiteral("log.pdf"));
        QVERIFY(report.exportPdf(pdf));
        if (!shot.isEmpty())
            QFile::copy(pdf, shot + QStringLiteral(".pdf"));
        const QStringList pages = ReportText::pages(pdf);
        QCOMPARE(pages.size(), 1);
        const QList<QStringList> lines = ReportText::detailLines(pages[0]);
        QCOMPARE(lines.size(), 3);
        for (int i = 0; i < 3; ++i) {
            // Nr, date, time, five temperatures, O2, run time, cycles, depth.
            QCOMPARE(lines[i].size(), 12);
            QCOMPARE(lines[i][0], QString::number(i + 1));
            QCOMPARE(lines[i].mid(3, 5), (QStringList{"131", "140", "147", "113", "86"}));
            QCOMPARE(lines[i][8], QStringLiteral("20,9"));
            QCOMPARE(lines[i][11], QStringLiteral("14"));
        }
        QVERIFY(pages[0].contains(QStringLiteral("T5[°F]")));
        QVERIFY(pages[0].contains(QStringLiteral("Halle 3")));
        QVERIFY(pages[0].contains(Daten::Anlage[2].Datei));
        QVERIFY(!pages[0].contains(QStringLiteral("K1")));
    }
};

QTEST_MAIN(TestDatenLesen1)
#include "tst_datenLesen1.moc"
