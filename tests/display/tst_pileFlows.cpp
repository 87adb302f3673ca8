// The mode and pile flows of the live display against the simulated controllers: what is
// sent in which order, what the plant table and the settings file keep, and every question
// and message.
#include "../ui/UiTestSupport.h"
#include "DisplayTestSupport.h"

#include "core/Messages.h"
#include "core/ProgramDir.h"
#include "display/UAnlageDaten.h"
#include "display/UAnzeige.h"
#include "storage/UMessDaten.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QTabBar>
#include <QTemporaryDir>

using namespace Kommunikation;

class TestPileFlows : public QObject {
    Q_OBJECT
    QTemporaryDir userSettings;
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<DisplayTest::Plants> plants;
    std::unique_ptr<TFAnzeige> w;

    // Plant 1 present, with or without a running pile; the window open on it.
    void open(bool pileRunning, int mode = 2) {
        plants = std::make_unique<DisplayTest::Plants>();
        plants->plant(1, pileRunning).mode = mode;
        QVERIFY(plants->start());
        Daten::SelectedPlant = 1;
        w = std::make_unique<TFAnzeige>();
        w->show();
        w->FormActivate();
        plants->sim.clearFrames();
    }
    QString sent() const { return plants->letters(1); }

private slots:
    void initTestCase() {
        UiTest::isolateUserSettings(userSettings);
        Messages::reportSettingsFailures();
    }
    void init() {
        ResetProcessState();
        dir = std::make_unique<QTemporaryDir>();
        ProgramDir::setOverride(dir->path());
        Settings::open(ProgramDir::iniPath());
        TFAnzeige::RunNamingDialog = nullptr;
        TFAnzeige::ChooseMeasurementFile = nullptr;
    }
    void cleanup() {
        w.reset();
        plants.reset();
        Settings::close();
    }

    // A plant without a pile refuses the mode tabs and nothing is sent.
    void modeTabWithoutPile() {
        open(false);
        const int before = w->BetriebsArtTab()->currentIndex();
        w->BetriebsArtTab()->setCurrentIndex((before + 1) % 4); // as a click does
        QCOMPARE(w->BetriebsArtTab()->currentIndex(), before);
        QTest::qWait(50);
        QVERIFY(!sent().contains(QLatin1Char('e')) && !sent().contains(QLatin1Char('B')));
    }

    void modeChange() {
        open(true, 2);
        QCOMPARE(w->BetriebsArtTab()->currentIndex(), 2);
        w->BetriebsArtTab()->setCurrentIndex(1);
        QCOMPARE(int(Daten::Anlage[1].Mode), 1);
        QCOMPARE(int(Daten::LiveStatus[1].Mode), 1);
        QVERIFY(Daten::LiveStatus[1].FanOn);
        QCOMPARE(plants->sim.plant(1).mode, 1);
        QVERIFY(sent().contains(QStringLiteral("eB")));
        QVERIFY(w->DispTimer.isActive() && plants->poll->LeseTimer.isActive() && !w->isBusy());
    }

    // Unanswered: table and tabs back as they were, silently.
    void modeChangeUnanswered() {
        open(true, 2);
        UiTest::BoxAnswer box;
        plants->sim.plant(1).present = false;
        w->BetriebsArtTab()->setCurrentIndex(0);
        const tAnlageParameter& a = Daten::Anlage[1];
        QVERIFY(a.Present && a.SwitchedOn && a.Storing);
        QCOMPARE(int(a.Mode), 2);
        QCOMPARE(w->BetriebsArtTab()->currentIndex(), 2);
        QCOMPARE(box.seen, 0);
        QVERIFY(w->DispTimer.isActive());
    }

    void newPile() {
        open(false, 3);
        int asked = 0;
        TFAnzeige::RunNamingDialog = [&](TFAnzeige&) {
            ++asked;
            // Polling goes on while the dialog is open.
            if (!w->DispTimer.isActive())
                return false;
            Daten::Anlage[1].Name = QStringLiteral("Hof-Nord");
            return true;
        };
        w->menuItem(QStringLiteral("Mieteneustarten1"))->trigger();
        QCOMPARE(asked, 1);
        // Date, time, the mode command with its probe, then the start with its state read.
        const QString s = sent();
        QVERIFY2(s.contains(QRegularExpression(QStringLiteral("DZqBSFS"))), qPrintable(s));
        const tAnlageParameter& a = Daten::Anlage[1];
        QVERIFY(a.SwitchedOn && a.Storing);
        const QString stem = MeasurementFile::FileStem(a.Name, QDate::currentDate());
        QCOMPARE(a.Datei, ProgramDir::pathWithSeparator() + stem + ".CSV");
        QCOMPARE(a.Anzahl, 0);
        QCOMPARE(Settings::file().readString("1", Keys::Datei, {}), a.Datei);
        QCOMPARE(w->MieteName()->text(), QStringLiteral("Hof-Nord"));
        QVERIFY(w->menuItem(QStringLiteral("Mietebeenden1"))->isEnabled());
        QVERIFY(!w->menuItem(QStringLiteral("Mieteneustarten1"))->isEnabled());
    }

    // A data directory that is gone: the naming dialog puts the program directory in its
    // place, a plain OK keeps it, and the pile's records land there.
    void newPileOnMissingDirectory() {
        open(false, 3);
        tAnlageParameter& a = Daten::Anlage[1];
        const QString gone = dir->filePath("gone") + QDir::separator();
        a.Pfad = gone;
        QVERIFY(Settings::file().writeString("1", Keys::Pfad, gone));
        TFAnzeige::RunNamingDialog = [](TFAnzeige& parent) {
            TFAnlageDaten d(&parent);
            d.FormActivate();
            d.OKBtnClick(); // nothing edited
            return d.result() == QDialog::Accepted;
        };
        DisplayTest::BoxScript boxes;
        w->menuItem(QStringLiteral("Mieteneustarten1"))->trigger();
        QCOMPARE(boxes.texts, QStringList{QStringLiteral(
                                  "Vorgabepfad für Speicherdatei existiert nicht, setze neuen "
                                  "Pfad..")});
        QVERIFY(a.SwitchedOn);
        const QString programDir = ProgramDir::pathWithSeparator();
        QCOMPARE(a.Pfad, programDir);
        QCOMPARE(Settings::file().readString("1", Keys::Pfad, {}), programDir);
        QCOMPARE(QFileInfo(a.Datei).absolutePath(), QFileInfo(programDir).absolutePath());

        plants->sim.addStoredRecords(1, 3);
        w->StopTimer();
        QVERIFY(w->SaveStoredRecords());
        QFile f(a.Datei);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = f.readAll().split('\n');
        QCOMPARE(lines.size(), 9 + 3 + 1);
        QVERIFY(lines.at(11).startsWith("3;"));
        QCOMPARE(Settings::file().readInteger("1", Keys::Anzahl, 0), 3);
        QVERIFY(!QFileInfo::exists(gone));
    }

    // A settings file that cannot be written: the pile start says why and sends nothing,
    // before the naming dialog opens.
    void pileStartWithReadOnlySettings_data() {
        QTest::addColumn<QString>("item");
        QTest::newRow("new pile") << "Mieteneustarten1";
        QTest::newRow("continued pile") << "Mietefortfuehren1";
    }
    void pileStartWithReadOnlySettings() {
        QFETCH(QString, item);
        open(false);
        bool asked = false;
        TFAnzeige::RunNamingDialog = [&](TFAnzeige&) { return asked = true; };
        TFAnzeige::ChooseMeasurementFile = [&](TFAnzeige&, const QString&) {
            asked = true;
            return QString();
        };
        w->StopTimer(); // so that not even a poll is sent
        plants->sim.clearFrames();
        DisplayTest::BoxScript boxes;
        {
            UiTest::ReadOnlySettings readOnly(ProgramDir::iniPath());
            w->menuItem(item)->trigger();
        }
        QCOMPARE(boxes.texts.size(), 1);
        QVERIFY2(boxes.texts[0].startsWith(
                     QStringLiteral("Einstellungen konnten nicht gespeichert werden: ")),
                 qPrintable(boxes.texts[0]));
        QVERIFY(boxes.texts[0].contains(QStringLiteral("O2_Aerolis.ini")));
        QVERIFY(!asked);
        QTest::qWait(50);
        QCOMPARE(sent(), QString());
        QVERIFY(!Daten::Anlage[1].SwitchedOn);
    }

    // All records filed, but the settings file cannot take their count: the message says
    // so, not that data were lost; the failure itself is told once.
    void readoutWithReadOnlySettings() {
        open(true);
        plants->sim.addStoredRecords(1, 4);
        w->StopTimer();
        DisplayTest::BoxScript boxes;
        bool ok = true;
        {
            UiTest::ReadOnlySettings readOnly(ProgramDir::iniPath());
            ok = w->SaveStoredRecords();
        }
        QVERIFY(!ok);
        QVERIFY2(boxes.texts.size() == 2, qPrintable(boxes.texts.join("|")));
        QVERIFY(boxes.texts[0].startsWith(
            QStringLiteral("Einstellungen konnten nicht gespeichert werden: ")));
        QCOMPARE(boxes.texts[1],
                 QStringLiteral("Messwerte wurden in der Speicherdatei gespeichert,\naber die "
                                "Einstellungen konnten nicht gespeichert werden !!\nBitte "
                                "Schreibrechte der Einstellungsdatei überprüfen !!"));
        QFile f(Daten::Anlage[1].Datei);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll().count('\n'), 9 + 4);
    }

    void newPileCancelled() {
        open(false);
        TFAnzeige::RunNamingDialog = [](TFAnzeige&) { return false; };
        w->StopTimer(); // so that not even a poll is sent
        plants->sim.clearFrames();
        w->Mieteneustarten1Click();
        QTest::qWait(50);
        QCOMPARE(sent(), QString());
        QVERIFY(!Daten::Anlage[1].SwitchedOn);
    }

    // A continued pile takes the file's data over and numbers on from its record count.
    void continuePile() {
        open(false);
        tAnlageParameter& a = Daten::Anlage[1];
        a.Name = QStringLiteral("Alt");
        a.Komm = QStringLiteral("vom Vorjahr");
        QVERIFY(MeasurementFile::NewMeasurementFile(1));
        const QString path = a.Datei;
        QVERIFY(MeasurementFile::OpenMeasurementFile(1));
        MeasurementRecord r;
        r.Valid = true;
        for (int i = 0; i < 3; ++i)
            QVERIFY(MeasurementFile::AppendMeasurementRecord(1, "01.02.2026  10:00", r));
        QVERIFY(MeasurementFile::CloseMeasurementFile(1));
        a.Name = QStringLiteral("Neu");
        a.Komm.clear();
        a.Datei.clear();
        a.Anzahl = 0;
        a.Pfad = QStringLiteral("/does/not/exist/");
        QString startDir;
        TFAnzeige::ChooseMeasurementFile = [&](TFAnzeige&, const QString& start) {
            startDir = start;
            return path;
        };
        DisplayTest::BoxScript boxes;
        w->menuItem(QStringLiteral("Mietefortfuehren1"))->trigger();
        QCOMPARE(boxes.texts, QStringList());
        QCOMPARE(startDir, ProgramDir::pathWithSeparator());
        QCOMPARE(a.Name, QStringLiteral("Alt"));
        QCOMPARE(a.Komm, QStringLiteral("vom Vorjahr"));
        QCOMPARE(a.Datei, path);
        QCOMPARE(a.Anzahl, 3);
        QCOMPARE(Settings::file().readInteger("1", Keys::Anzahl, -1), 3);
        QVERIFY(a.SwitchedOn);
        QVERIFY(sent().contains(QStringLiteral("DZ")) && sent().contains(QStringLiteral("FS")));
        // The next stored record becomes number 4 of the same file.
        plants->sim.addStoredRecords(1, 1);
        w->StopTimer();
        QVERIFY(w->SaveStoredRecords());
        QCOMPARE(a.Anzahl, 4);
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = f.readAll().split('\n');
        QVERIFY(lines.size() >= 2 && lines[lines.size() - 2].startsWith("4;"));
    }

    void continuePileInvalidFileAndFailedStart() {
        open(false);
        const QString junk = dir->filePath("junk.csv");
        QFile j(junk);
        QVERIFY(j.open(QIODevice::WriteOnly));
        j.write("nothing;of;ours\r\n");
        j.close();
        TFAnzeige::ChooseMeasurementFile = [&](TFAnzeige&, const QString&) { return junk; };
        DisplayTest::BoxScript boxes;
        w->Mietefortfuehren1Click();
        QTRY_COMPARE(boxes.texts.size(), 1);
        QVERIFY(boxes.texts[0].startsWith(QStringLiteral("Datendatei existiert nicht oder\n")));
        QVERIFY(Daten::Anlage[1].Datei != junk);

        // A valid file, but the controller does not confirm the start: the data stay.
        tAnlageParameter& a = Daten::Anlage[1];
        QVERIFY(MeasurementFile::NewMeasurementFile(1));
        QVERIFY(MeasurementFile::OpenMeasurementFile(1));
        MeasurementRecord r;
        r.Valid = true;
        QVERIFY(MeasurementFile::AppendMeasurementRecord(1, "01.02.2026  10:00", r));
        QVERIFY(MeasurementFile::CloseMeasurementFile(1));
        const QString good = a.Datei;
        a.Datei.clear();
        TFAnzeige::ChooseMeasurementFile = [&](TFAnzeige&, const QString&) { return good; };
        plants->sim.plant(1).present = false; // the controller stops answering
        w->Mietefortfuehren1Click();
        QTRY_COMPARE(boxes.texts.size(), 2);
        QCOMPARE(boxes.texts[1],
                 QStringLiteral("Anlage ist NICHT eingeschaltet!!\nFehler beim Starten!"));
        QCOMPARE(a.Datei, good);
        QVERIFY(!a.SwitchedOn);
        QCOMPARE(Settings::file().readString("1", Keys::Datei, {}), good);
    }

    // Ending reads the remaining records first, then switches off.
    void endPile() {
        open(true);
        plants->sim.addStoredRecords(1, 2);
        DisplayTest::BoxScript boxes({QStringLiteral("&Ja")});
        w->menuItem(QStringLiteral("Mietebeenden1"))->trigger();
        QCOMPARE(boxes.texts.size(), 2);
        QVERIFY(boxes.texts[0].startsWith(
            QStringLiteral("Soll die aktuell aktive Anlage ausgeschaltet werden ?\n")));
        QCOMPARE(boxes.texts[1], QStringLiteral("Anlage ist ausgeschaltet!!\nEinschalten durch "
                                                "Start einer neuen Miete!"));
        const QString s = sent();
        QVERIFY2(s.contains(QRegularExpression(QStringLiteral("rGG.*A"))), qPrintable(s));
        const tAnlageParameter& a = Daten::Anlage[1];
        QVERIFY(!a.SwitchedOn && a.Datei.isEmpty() && a.Anzahl == 0);
        QVERIFY(!Daten::LiveStatus[1].Valid);
        QVERIFY(w->menuItem(QStringLiteral("Mieteneustarten1"))->isEnabled());
        QVERIFY(!w->menuItem(QStringLiteral("Mietebeenden1"))->isEnabled());
        QVERIFY(w->DispTimer.isActive() && !w->isBusy());
    }

    // A failed readout asks again; "No" keeps the pile running with its timers restarted.
    void endPileReadoutFails_data() {
        QTest::addColumn<QString>("second");
        QTest::addColumn<bool>("switchedOff");
        QTest::newRow("no") << "&Nein" << false;
        QTest::newRow("yes") << "&Ja" << true;
    }
    void endPileReadoutFails() {
        QFETCH(QString, second);
        QFETCH(bool, switchedOff);
        open(true);
        plants->sim.setReplyOverride(1, 'r', QByteArray());
        DisplayTest::BoxScript boxes({QStringLiteral("&Ja"), QString(), second});
        w->Mietebeenden1Click();
        QVERIFY(boxes.texts.size() >= 3);
        QCOMPARE(boxes.texts[2], QStringLiteral("Nicht alle Daten wurden korrekt gespeichert!!\n"
                                                "Trotzdem Anlage ausschalten???"));
        QCOMPARE(!Daten::Anlage[1].SwitchedOn, switchedOff);
        QCOMPARE(sent().contains(QLatin1Char('A')), switchedOff);
        QVERIFY(w->DispTimer.isActive() && plants->poll->LeseTimer.isActive());
        QVERIFY(!w->isBusy());
    }

    // A switch-off without a good 'S' reply (none, or one that fails to decode and so
    // clears the flags) leaves the plant entry as it was: the pile still runs in the table.
    void endPileSwitchOffFails_data() {
        QTest::addColumn<QByteArray>("stateReply");
        QTest::newRow("silent") << QByteArray();
        QTest::newRow("garbled") << QByteArray("Sx;y;");
    }
    void endPileSwitchOffFails() {
        QFETCH(QByteArray, stateReply);
        open(true);
        const tAnlageParameter before = Daten::Anlage[1];
        plants->sim.setReplyOverride(1, 'A', QByteArray());
        plants->sim.setReplyOverride(1, 'S', stateReply);
        DisplayTest::BoxScript boxes({QStringLiteral("&Ja")});
        w->Mietebeenden1Click();
        QCOMPARE(boxes.texts.last(),
                 QStringLiteral("Anlage ist NICHT ausgeschaltet!!\nFehler bei der Übertragung!"));
        const tAnlageParameter& a = Daten::Anlage[1];
        QVERIFY(a.Present && a.SwitchedOn);
        QCOMPARE(a.Storing, before.Storing);
        QCOMPARE(a.Datei, before.Datei);
        QVERIFY(!a.Datei.isEmpty());
        w->TabControl1Change();
        QVERIFY(w->menuItem(QStringLiteral("Mietebeenden1"))->isEnabled());
    }

    // While a flow waits for the controller, the window takes no input and cannot close.
    void busyDuringWait() {
        open(true, 2);
        bool busySeen = false, closeRefused = false;
        connect(&plants->sim, &sim::Simulator::frameReceived, this, [&](const QByteArray& f) {
            if (f.size() > 1 && f.at(1) == 'e' && !busySeen) {
                busySeen = w->isBusy() && !w->TabControl1()->isEnabled();
                closeRefused = !w->close();
            }
        });
        w->BetriebsArtTab()->setCurrentIndex(1);
        QVERIFY(busySeen);
        QVERIFY(closeRefused);
        QVERIFY(w->isVisible() && w->TabControl1()->isEnabled());
    }
};

QTEST_MAIN(TestPileFlows)
#include "tst_pileFlows.moc"
