// The whole program frame against the simulator: start-up opens the link and teaches in the
// plants, the menu teaches in again, and the end stops the poll and closes the link.
#include "UiTestSupport.h"

#include "SocatPair.h"
#include "core/Daten.h"
#include "core/DirLock.h"
#include "core/Language.h"
#include "core/MainProgram.h"
#include "core/ProgramDir.h"
#include "core/Settings.h"
#include "core/UiApplication.h"
#include "link/Protocol.h"
#include "sim/Simulator.h"

#include <QAction>
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QtTest>
#include <memory>

using namespace Kommunikation;

class TestMainProgram : public QObject {
    Q_OBJECT
    QTemporaryDir userSettings;
    std::unique_ptr<QTemporaryDir> dir;

    void writeIni(const QByteArray& bytes) {
        QFile f(ProgramDir::iniPath());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

private slots:
    void initTestCase() { UiTest::isolateUserSettings(userSettings); }
    void init() {
        ResetProcessState();
        dir = std::make_unique<QTemporaryDir>();
        ProgramDir::setOverride(dir->path());
    }
    void cleanup() { Settings::close(); }

    // A second program on a directory that a running process holds says who holds it, in
    // the language chosen, and is turned away; once the holder has ended it starts.
    void secondProgramRefused_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("text");
        QTest::newRow("de") << "de"
                            << "Das Programm arbeitet bereits mit diesem Verzeichnis (PID %1)";
        QTest::newRow("en") << "en"
                            << "The program is already working with this directory (PID %1)";
        QTest::newRow("fr") << "fr"
                            << "Le programme travaille déjà avec ce répertoire (PID %1)";
    }
    void secondProgramRefused() {
        QFETCH(QString, language);
        QFETCH(QString, text);
        QVERIFY(Language::choose(language));
        QVERIFY(Language::apply(Language::German));
        auto holder = std::make_unique<DirLock>(dir->path());
        QVERIFY(holder->acquire());
        DirLock second(dir->path());
        {
            UiTest::BoxAnswer box;
            QVERIFY(!UiApplication::takeProgramDir(second));
            QCOMPARE(box.seen, 1);
            QCOMPARE(Language::current(), language);
            QCOMPARE(box.title, QCoreApplication::translate("Messages", "Fehler"));
            QCOMPARE(box.text, text.arg(QCoreApplication::applicationPid()));
        }
        QVERIFY(Language::choose(Language::German));
        holder.reset();
        UiTest::BoxAnswer none;
        QVERIFY(UiApplication::takeProgramDir(second));
        QCOMPARE(none.seen, 0);
        QVERIFY(QFileInfo::exists(dir->filePath(DirLock::FileName)));
    }

    void tcpStartTeachInAndEnd() {
        sim::Simulator gateway;
        for (int a : {2, 5}) {
            gateway.plant(a).present = true;
            gateway.plant(a).switchedOn = true;
            gateway.plant(a).storing = true;
        }
        QVERIFY(gateway.listenTcp(0));
        // A short network time-out keeps the probes of 30 silent addresses quick.
        writeIni("[COM]\r\nLAYER=1\r\nNETADR=127.0.0.1\r\nNETPORT=" +
                 QByteArray::number(gateway.tcpPort()) + "\r\nTIMEOUT=20\r\n");
        MainProgram program;
        TFMain& w = program.window();
        // On TCP the window waits for the connection.
        QVERIFY(!w.isEnabled());
        QCOMPARE(w.statusText(), QStringLiteral("Baue Netzwerkverbindung auf......"));
        QSignalSpy finished(&program.poll(), &TeachInPoll::teachInFinished);
        QVERIFY(finished.wait(10000));
        QVERIFY(w.isEnabled());
        QVERIFY(w.LadeLabel()->isHidden() && w.Anzeige1()->isHidden());
        QCOMPARE(w.statusText(), QStringLiteral("Netzwerkverbindung zu :127.0.0.1"));
        QCOMPARE(Daten::SelectedPlant, 2);
        QVERIFY(Daten::Anlage[5].Present && !Daten::Anlage[5].Datei.isEmpty());
        QVERIFY(program.poll().LeseTimer.isActive());

        // "Anlagen einlernen" probes every address again, from an empty bar.
        QSignalSpy started(&program.poll(), &TeachInPoll::teachInStarted);
        gateway.clearFrames();
        int barAtStart = -1;
        connect(&program.poll(), &TeachInPoll::teachInStarted, this,
                [&] { barAtStart = w.Anzeige1()->value(); });
        QCOMPARE(w.Anzeige1()->value(), 32);
        w.menuItem(QStringLiteral("AnlagenEinlernenItem"))->trigger();
        QCOMPARE(started.count(), 1);
        QCOMPARE(barAtStart, 0);
        QVERIFY(gateway.frames().size() >= 2 * 30 + 4);

        // The end: position saved, poll stopped, the TCP link closed after its wait.
        w.move(40, 30);
        QElapsedTimer t;
        t.start();
        w.close();
        QVERIFY(t.elapsed() >= 500);
        QVERIFY(!program.poll().LeseTimer.isActive());
        QVERIFY(!LinkOpen);
        QVERIFY(program.link().ClientSocket1.state() == QAbstractSocket::UnconnectedState);
        IniFile ini(ProgramDir::iniPath());
        QCOMPARE(ini.readInteger(Keys::Form, Keys::Left, -1), 40);
        QCOMPARE(ini.readInteger(Keys::Form, Keys::Top, -1), 30);
    }

    // On the serial line the teach-in runs at once during start-up.
    void serialStartTeachesIn() {
        sim::Simulator controllers;
        for (int a = 1; a <= 32; ++a)
            controllers.plant(a).present = true;
        const QString pty = controllers.openPty();
        QVERIFY(!pty.isEmpty());
        writeIni("[COM]\r\nCOM=3\r\nPORT3=" + pty.toUtf8() + "\r\n");
        MainProgram program;
        QVERIFY(program.window().isEnabled());
        QCOMPARE(program.window().statusText(), QStringLiteral("Serielle Verbindung auf :COM3"));
        QVERIFY(!program.poll().TeachInPending);
        for (int a = 1; a <= 32; ++a)
            QVERIFY(Daten::Anlage[a].Present);
        QVERIFY(program.poll().LeseTimer.isActive());
        program.window().close();
        QVERIFY(!program.link().ComPort1.isOpen());
        QVERIFY(!program.poll().LeseTimer.isActive());
    }

    // A settings file from a Windows installation: the status line says which paths the
    // teach-in took over into the program directory.
    void windowsPathsInTheStatusLine() {
        sim::Simulator controllers;
        for (int a = 1; a <= 32; ++a)
            controllers.plant(a).present = true;
        controllers.plant(2).switchedOn = controllers.plant(2).storing = true;
        const QString pty = controllers.openPty();
        QVERIFY(!pty.isEmpty());
        writeIni("[COM]\r\nCOM=3\r\nPORT3=" + pty.toUtf8() +
                 "\r\n[2]\r\nDatei=D:\\Kompost\\Nord.CSV\r\n");
        MainProgram program;
        const QString taken = ProgramDir::pathWithSeparator() + QStringLiteral("Nord.CSV");
        QCOMPARE(program.window().statusText(),
                 QStringLiteral("Pfade einer Windows-Installation übernommen: "
                                "D:\\Kompost\\Nord.CSV -> ") +
                     taken);
        QCOMPARE(program.window().StatusPanel()->text(), program.window().statusText());
        QCOMPARE(Daten::Anlage[2].Datei, taken);
        program.window().close();
    }

    // Closing the main window while the start-up teach-in probes (inside the window's
    // start-up on the serial line, after the connect on TCP) is put off until the teach-in
    // is over: the program then ends, and the new file name of the running pile is stored.
    void closeDuringStartTeachIn_data() {
        QTest::addColumn<bool>("tcp");
        QTest::newRow("serial line") << false;
        QTest::newRow("TCP") << true;
    }
    void closeDuringStartTeachIn() {
        QFETCH(bool, tcp);
        sim::Simulator controllers;
        for (int a = 1; a <= 32; ++a)
            controllers.plant(a).present = true;
        controllers.plant(4).switchedOn = true;
        controllers.plant(4).storing = true;
        if (tcp) {
            QVERIFY(controllers.listenTcp(0));
            writeIni("[COM]\r\nLAYER=1\r\nNETADR=127.0.0.1\r\nNETPORT=" +
                     QByteArray::number(controllers.tcpPort()) + "\r\nTIMEOUT=20\r\n");
        } else {
            const QString pty = controllers.openPty();
            QVERIFY(!pty.isEmpty());
            writeIni("[COM]\r\nCOM=3\r\nPORT3=" + pty.toUtf8() + "\r\n");
        }
        // The title bar's close, as soon as the teach-in shows its progress.
        bool closedInTeachIn = false;
        QTimer closer;
        connect(&closer, &QTimer::timeout, this, [&] {
            TFMain* w = TFMain::instance();
            if (w && w->LadeLabel()->isVisible()) {
                closer.stop();
                closedInTeachIn = true;
                w->close();
            }
        });
        closer.start(5);
        MainProgram program;
        QSignalSpy ended(&program.window(), &TFMain::closed);
        QTRY_VERIFY_WITH_TIMEOUT(closedInTeachIn, 10000);
        // Ended once, after the program's loop took over (the spy exists only from here on).
        QTRY_COMPARE_WITH_TIMEOUT(ended.count(), 1, 10000);
        QVERIFY(!program.window().isVisible());
        QVERIFY(!program.poll().TeachInPending);
        QVERIFY(!program.link().ComPort1.isOpen());
        QCOMPARE(program.link().ClientSocket1.state(), QAbstractSocket::UnconnectedState);
        IniFile ini(ProgramDir::iniPath());
        const QString file = ini.readString(Keys::plantSection(4), Keys::Datei, QString());
        QVERIFY(!file.isEmpty());
        QCOMPARE(file, Daten::Anlage[4].Datei);
    }

    // With the link down the teach-in does nothing visible and stays due.
    void teachInWithLinkDown() {
        writeIni("[COM]\r\nCOM=6\r\nPORT6=/nonexistent/tty\r\n");
        UiTest::BoxAnswer box; // "Fehler beim Öffnen der seriellen Schnittstelle !..."
        MainProgram program;
        QCOMPARE(box.seen, 1);
        QCOMPARE(program.window().statusText(),
                 QStringLiteral("Keine Verbindung\rBitte Kabel und PC- Einstellung überprüfen!"));
        QSignalSpy started(&program.poll(), &TeachInPoll::teachInStarted);
        program.window().menuItem(QStringLiteral("AnlagenEinlernenItem"))->trigger();
        // The menu tried the line again, and says so as the start-up did.
        QCOMPARE(box.seen, 2);
        QCOMPARE(started.count(), 0);
        QVERIFY(program.poll().TeachInPending);
        program.window().close();
    }

    // The serial line is there only after the start: "Anlagen einlernen" opens it and
    // teaches in at once.
    void teachInOpensTheLinkFirst() {
        if (!SocatPair::available())
            QSKIP("socat is not installed");
        SocatPair pair(dir->filePath(QStringLiteral("plc")), dir->filePath(QStringLiteral("pc")));
        writeIni("[COM]\r\nCOM=3\r\nPORT3=" + pair.b().toUtf8() + "\r\n");
        UiTest::BoxAnswer box; // the line cannot be opened yet
        MainProgram program;
        QCOMPARE(box.seen, 1);
        program.link().setReconnecting(false); // only the menu opens it here
        sim::Simulator controllers;
        controllers.plant(6).present = true;
        QVERIFY(pair.start());
        QVERIFY(controllers.openSerial(pair.a()));
        QSignalSpy finished(&program.poll(), &TeachInPoll::teachInFinished);
        program.window().menuItem(QStringLiteral("AnlagenEinlernenItem"))->trigger();
        QCOMPARE(finished.count(), 1);
        QCOMPARE(box.seen, 1);
        QCOMPARE(program.window().statusText(), QStringLiteral("Serielle Verbindung auf :COM3"));
        QVERIFY(Daten::Anlage[6].Present);
        QVERIFY(program.poll().LeseTimer.isActive());
        program.window().close();
    }

    // The far end of the serial line goes away and comes back under the same name: the
    // status line says the line is lost, and once it stands again the program teaches in by
    // itself. Over TCP the gateway stopped and started again on its port does the same.
    void lostLinkComesBack_data() {
        QTest::addColumn<bool>("tcp");
        QTest::newRow("serial line") << false;
        QTest::newRow("TCP") << true;
    }
    void lostLinkComesBack() {
        QFETCH(bool, tcp);
        if (!tcp && !SocatPair::available())
            QSKIP("socat is not installed");
        SocatPair pair(dir->filePath(QStringLiteral("plc")), dir->filePath(QStringLiteral("pc")));
        sim::Simulator controllers;
        for (int a = 1; a <= 32; ++a)
            controllers.plant(a).present = true;
        quint16 port = 0;
        if (tcp) {
            QVERIFY(controllers.listenTcp(0));
            port = controllers.tcpPort();
            writeIni("[COM]\r\nLAYER=1\r\nNETADR=127.0.0.1\r\nNETPORT=" + QByteArray::number(port) +
                     "\r\nTIMEOUT=20\r\n");
        } else {
            QVERIFY(pair.start());
            QVERIFY(controllers.openSerial(pair.a()));
            writeIni("[COM]\r\nCOM=3\r\nPORT3=" + pair.b().toUtf8() + "\r\n");
        }
        UiTest::BoxAnswer box;
        MainProgram program;
        TFMain& w = program.window();
        QSignalSpy finished(&program.poll(), &TeachInPoll::teachInFinished);
        const QString up = tcp ? QStringLiteral("Netzwerkverbindung zu :127.0.0.1")
                               : QStringLiteral("Serielle Verbindung auf :COM3");
        QTRY_COMPARE_WITH_TIMEOUT(w.statusText(), up, 10000);
        QTRY_VERIFY(!program.poll().TeachInPending);
        program.link().Reconnect1.setInterval(100);
        finished.clear();

        controllers.close();
        pair.stop();
        const QString lost = tcp ? QStringLiteral("Netzwerkverbindung ist inaktiv !")
                                 : QStringLiteral("Serielle Verbindung verloren");
        QTRY_COMPARE_WITH_TIMEOUT(w.statusText(), lost, 5000);
        QTest::qWait(350); // tries while the far end is gone
        QCOMPARE(w.statusText(), lost);
        QCOMPARE(box.seen, 0);

        controllers.plant(9).present = false;
        if (tcp) {
            QVERIFY(controllers.listenTcp(port));
        } else {
            QVERIFY(pair.start());
            QVERIFY(controllers.openSerial(pair.a()));
        }
        QVERIFY(finished.wait(10000));
        QCOMPARE(w.statusText(), up);
        QVERIFY(w.isEnabled());
        QVERIFY(!Daten::Anlage[9].Present); // taught in anew
        QVERIFY(Daten::Anlage[8].Present);
        QVERIFY(program.poll().LeseTimer.isActive());
        QCOMPARE(box.seen, 0);
        w.close();
        QVERIFY(!program.link().Reconnect1.isActive());
    }
};

QTEST_MAIN(TestMainProgram)
#include "tst_mainProgram.moc"
