// The whole program frame against the simulator: start-up opens the link and teaches in the
// plants, the menu teaches in again, and the end stops the poll and closes the link.
#include "UiTestSupport.h"

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
        QCOMPARE(started.count(), 0);
        QVERIFY(program.poll().TeachInPending);
        program.window().close();
    }
};

QTEST_MAIN(TestMainProgram)
#include "tst_mainProgram.moc"
