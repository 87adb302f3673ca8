// The command-line tool as a user runs it: the real binary against the simulator.
#include "SocatPair.h"
#include "core/Daten.h"
#include "core/DirLock.h"
#include "core/IniFile.h"
#include "core/ProgramDir.h"
#include "core/Settings.h"
#include "core/TeachIn.h"
#include "link/Link.h"
#include "sim/Simulator.h"
#include "storage/Readout.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace {
struct Result {
    int code = -1;
    QByteArray out;
    QByteArray err;
};
} // namespace

class TestCli : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<sim::Simulator> simulator;
    QTemporaryDir userSettings; // the tool's language choice, away from the user's own

    void writeIni(const QByteArray& com) {
        QFile f(dir->filePath(QStringLiteral("O2_Aerolis.ini")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[COM]\r\n" + com);
    }
    void useTcp() {
        QVERIFY(simulator->listenTcp(0));
        writeIni("LAYER=1\r\nNETADR=127.0.0.1\r\nNETPORT=" +
                 QByteArray::number(simulator->tcpPort()) + "\r\nTIMEOUT=40\r\n");
    }
    // Runs the tool while this process keeps serving the simulator.
    Result run(const QStringList& args) {
        QProcess p;
        p.start(QStringLiteral(O2_CLI), QStringList{QStringLiteral("--dir"), dir->path()} + args);
        Result r;
        if (!p.waitForStarted(5000))
            return r;
        QElapsedTimer t;
        t.start();
        while (p.state() != QProcess::NotRunning && t.elapsed() < 60000)
            QTest::qWait(20);
        r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
        r.out = p.readAllStandardOutput();
        r.err = p.readAllStandardError();
        return r;
    }

private slots:
    void initTestCase() { qputenv("XDG_CONFIG_HOME", userSettings.path().toLocal8Bit()); }
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        simulator = std::make_unique<sim::Simulator>();
        simulator->setSeed(3);
        for (int a : {2, 4}) {
            simulator->plant(a).present = true;
            simulator->plant(a).switchedOn = true;
            simulator->plant(a).storing = true;
        }
        simulator->plant(6).present = true;
        simulator->setPileAge(2, 4 * 24 * 60);
    }
    void cleanup() { simulator.reset(); }

    void plantsAsTextAndJson() {
        useTcp();
        const Result text = run({QStringLiteral("plants")});
        QCOMPARE(text.code, 0);
        const QList<QByteArray> lines = text.out.trimmed().split('\n');
        QCOMPARE(lines.size(), 32);
        QVERIFY(lines[1].startsWith("2\t2\tpresent\ton\tstoring\t"));
        QVERIFY(lines[5].startsWith("6\t6\tpresent\toff\t"));
        QVERIFY(lines[0].startsWith("1\t1\tabsent\t"));

        const Result json = run({QStringLiteral("--json"), QStringLiteral("plants")});
        QCOMPARE(json.code, 0);
        const QJsonArray all = QJsonDocument::fromJson(json.out).array();
        QCOMPARE(all.size(), 32);
        const QJsonObject two = all.at(1).toObject();
        QCOMPARE(two.value("address").toInt(), 2);
        QCOMPARE(two.value("present").toBool(), true);
        QCOMPARE(two.value("switchedOn").toBool(), true);
        QCOMPARE(two.value("name").toString(), QStringLiteral("Anl-Nr2"));
        // The teach-in gave the running pile its file, as the program would.
        QVERIFY(two.value("file").toString().contains(QStringLiteral("Anl-Nr2_")));
        QCOMPARE(all.at(5).toObject().value("switchedOn").toBool(), false);
    }

    // Over the simulator's own pseudo-terminal, as on a serial line.
    void statusOverSerial() {
        const QString pty = simulator->openPty();
        QVERIFY(!pty.isEmpty());
        writeIni("COM=2\r\nPORT2=" + pty.toUtf8() + "\r\n");
        const Result r = run({QStringLiteral("--json"), QStringLiteral("status"),
                              QStringLiteral("--seconds"), QStringLiteral("2")});
        QCOMPARE(r.code, 0);
        const QJsonArray all = QJsonDocument::fromJson(r.out).array();
        QCOMPARE(all.size(), 3); // the present plants 2, 4 and 6
        const QJsonObject two = all.at(0).toObject();
        QCOMPARE(two.value("address").toInt(), 2);
        QVERIFY(two.value("valid").toBool());
        // A pile four days old is hot at the bottom.
        QVERIFY(two.value("t1").toInt() > 40);
        QVERIFY(two.value("o2").isDouble());
        // Switched off: never polled, so no values.
        QCOMPARE(all.at(2).toObject().value("valid").toBool(), false);
    }

    void modeAndClock() {
        useTcp();
        Result r = run({QStringLiteral("mode"), QStringLiteral("4"), QStringLiteral("1")});
        QCOMPARE(r.code, 0);
        QCOMPARE(simulator->plant(4).mode, 1);
        simulator->setClock(QDateTime(QDate(2009, 12, 1), QTime(8, 0)));
        r = run({QStringLiteral("clock"), QStringLiteral("2")});
        QCOMPARE(r.code, 0);
        QVERIFY(r.out.startsWith("T"));
        QCOMPARE(r.out.size(), 31); // the 30 characters and the line end
        QVERIFY(r.out.contains("01.12.09"));
        r = run({QStringLiteral("set-clock"), QStringLiteral("2")});
        QCOMPARE(r.code, 0);
        QVERIFY(
            r.out.contains(QDate::currentDate().toString(QStringLiteral("dd.MM.yy")).toLatin1()));
        const QList<QByteArray> frames = simulator->frames();
        QVERIFY(std::any_of(frames.begin(), frames.end(), [](const QByteArray& f) {
            return f.startsWith("\x02"
                                "D");
        }));
        QVERIFY(std::any_of(frames.begin(), frames.end(), [](const QByteArray& f) {
            return f.startsWith("\x02"
                                "Z");
        }));
    }

    // The tool's readout writes the bytes the program's own readout writes.
    void readoutMatchesTheProgram() {
        const QDateTime clock(QDate(2026, 3, 7), QTime(10, 0));
        simulator->setClock(clock);
        simulator->addStoredRecords(2, 3);
        useTcp();
        const Result r = run({QStringLiteral("readout"), QStringLiteral("2")});
        QCOMPARE(r.code, 0);
        QVERIFY2(r.out.startsWith("2\tErgebnis OK !\t3\t"), r.out.constData());
        QCOMPARE(simulator->storedRecordCount(2), 0);
        const QString cliFile = QString::fromUtf8(r.out.trimmed().split('\t').last());

        // The same controller once more, read out by the program's routine in this process.
        sim::Simulator twin;
        twin.setSeed(3);
        twin.plant(2) = sim::PlantState();
        twin.plant(2).present = twin.plant(2).switchedOn = twin.plant(2).storing = true;
        twin.setPileAge(2, 4 * 24 * 60);
        twin.setClock(clock);
        twin.addStoredRecords(2, 3);
        QVERIFY(twin.listenTcp(0));
        QTemporaryDir own;
        ResetProcessState();
        ProgramDir::setOverride(own.path());
        Settings::open(ProgramDir::iniPath());
        Settings::file().writeInteger("COM", "LAYER", 1);
        Settings::file().writeString("COM", "NETADR", "127.0.0.1");
        Settings::file().writeInteger("COM", "NETPORT", twin.tcpPort());
        Kommunikation::BaseTimeout = 20;
        {
            Kommunikation::Link link;
            TeachInPoll poll;
            QSignalSpy up(&link, &Kommunikation::Link::connected);
            link.ReadLinkSettings();
            QVERIFY(up.wait(5000));
            poll.TeachIn();
            poll.StopTimer();
            QVERIFY(Readout::BackupStoredRecords(2, Readout::View{}));
        }
        const QString ownFile = Daten::Anlage[2].Datei;
        Settings::close();
        ProgramDir::setOverride(QString());
        auto linesOf = [](const QString& path) {
            QFile f(path);
            f.open(QIODevice::ReadOnly);
            QList<QByteArray> lines = f.readAll().split('\n');
            lines.removeAt(5); // "Datei  - Name: " names the file itself
            return lines;
        };
        QCOMPARE(linesOf(cliFile).size(), 9 - 1 + 3 + 1); // the empty rest after the last CR LF
        QCOMPARE(linesOf(cliFile), linesOf(ownFile));
        QCOMPARE(IniFile(dir->filePath("O2_Aerolis.ini")).readInteger("2", "Anzahl", 0), 3);

        // A readout killed after two more lines, before their count was saved: the next one
        // numbers on after them and reports only the records it read itself.
        {
            QFile f(cliFile);
            QVERIFY(f.open(QIODevice::ReadWrite | QIODevice::Append));
            const QByteArray last = linesOf(cliFile).at(10);
            const QByteArray rest = last.mid(last.indexOf(';'));
            f.write("4" + rest + "\n5" + rest + "\n");
        }
        simulator->addStoredRecords(2, 2);
        const Result again =
            run({QStringLiteral("--json"), QStringLiteral("readout"), QStringLiteral("2")});
        QCOMPARE(again.code, 0);
        const QJsonObject plant = QJsonDocument::fromJson(again.out).array().at(0).toObject();
        QCOMPARE(plant.value("records").toInt(), 2);
        QCOMPARE(plant.value("count").toInt(), 7);
        QVERIFY(linesOf(cliFile).at(14).startsWith("7;"));
    }

    // SIGTERM in the middle of a readout: the file holds whole lines only, and its count in
    // the settings file matches them.
    void watchEndsCleanlyMidReadout() {
        simulator->addStoredRecords(2, 400);
        // Paced like a 9600-baud line, a record takes some 50 ms: the readout is still
        // running when the signal comes. The time-out leaves room for a loaded machine.
        simulator->faults().baud = 9600;
        QVERIFY(simulator->listenTcp(0));
        writeIni("LAYER=1\r\nNETADR=127.0.0.1\r\nNETPORT=" +
                 QByteArray::number(simulator->tcpPort()) + "\r\nTIMEOUT=80\r\n");
        QProcess p;
        p.start(QStringLiteral(O2_CLI), {QStringLiteral("--dir"), dir->path(),
                                         QStringLiteral("watch"), QStringLiteral("--at-start")});
        QVERIFY(p.waitForStarted(5000));
        QString file;
        QTRY_VERIFY_WITH_TIMEOUT(
            !(file = IniFile(dir->filePath("O2_Aerolis.ini")).readString("2", "Datei", QString()))
                 .isEmpty(),
            20000);
        const auto lines = [&] {
            QFile f(file);
            f.open(QIODevice::ReadOnly);
            return f.readAll();
        };
        QTRY_VERIFY_WITH_TIMEOUT(lines().count('\n') >= 9 + 20, 20000);
        QVERIFY(simulator->storedRecordCount(2) > 0); // still reading
        p.terminate();
        QTRY_VERIFY_WITH_TIMEOUT(p.state() == QProcess::NotRunning, 10000);
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 0);
        const QByteArray bytes = lines();
        QVERIFY(bytes.endsWith("\r\n"));
        const int records = int(bytes.count('\n')) - 9;
        QVERIFY(records >= 20 && records < 400);
        QCOMPARE(IniFile(dir->filePath("O2_Aerolis.ini")).readInteger("2", "Anzahl", -1), records);
        // Every record handed out by the controller is in the file.
        QCOMPARE(simulator->storedRecordCount(2), 400 - records);
        QVERIFY(p.readAllStandardOutput().contains("Sicherung am "));
    }

    // While another running process holds the program directory (here: this test), every
    // command that opens the link says who holds it and ends with 5, sending nothing and
    // writing nothing; the commands that only read a file go on.
    void refusedWhileAnotherProcessWorks_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::newRow("readout") << QStringList{"readout", "2"} << 5;
        QTest::newRow("plants") << QStringList{"--json", "plants"} << 5;
        QTest::newRow("watch") << QStringList{"watch", "--at-start"} << 5;
        QTest::newRow("start-pile") << QStringList{"start-pile", "6", "--name", "Neu"} << 5;
        QTest::newRow("end-pile") << QStringList{"end-pile", "2", "--force"} << 5;
        QTest::newRow("series") << QStringList{"series", "FILE"} << 0;
        QTest::newRow("help") << QStringList{"--help"} << 0;
    }
    void refusedWhileAnotherProcessWorks() {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        simulator->addStoredRecords(2, 2);
        useTcp();
        QCOMPARE(run({QStringLiteral("readout"), QStringLiteral("2")}).code, 0);
        const QString file = IniFile(dir->filePath("O2_Aerolis.ini")).readString("2", "Datei", {});
        args.replaceInStrings(QStringLiteral("FILE"), file);
        simulator->addStoredRecords(2, 3);
        const auto snapshot = [&] {
            QByteArray all;
            for (const QFileInfo& f : QDir(dir->path()).entryInfoList(QDir::Files | QDir::Hidden))
                if (f.fileName() != DirLock::FileName) {
                    QFile in(f.filePath());
                    in.open(QIODevice::ReadOnly);
                    all += f.fileName().toUtf8() + '\n' + in.readAll();
                }
            return all;
        };
        const QByteArray before = snapshot();

        DirLock holder(dir->path());
        QVERIFY(holder.acquire());
        QSignalSpy frames(simulator.get(), &sim::Simulator::frameReceived);
        const Result r = run(args);
        QCOMPARE(r.code, code);
        const QByteArray refusal = "Das Programm arbeitet bereits mit diesem Verzeichnis (PID " +
                                   QByteArray::number(QCoreApplication::applicationPid()) + ")\n";
        if (code == 5) {
            QCOMPARE(r.err, refusal);
            QVERIFY(r.out.isEmpty());
            QCOMPARE(frames.count(), 0);
        } else {
            QVERIFY2(!r.err.contains("arbeitet bereits"), r.err.constData());
        }
        QCOMPARE(snapshot(), before);
        QCOMPARE(simulator->storedRecordCount(2), 3);
    }

    // A tool killed with SIGKILL leaves its lock file behind; the next command takes it over
    // (its process is gone) and releases it at its end.
    void staleLockTakenOver() {
        useTcp();
        QProcess p;
        p.start(QStringLiteral(O2_CLI),
                {QStringLiteral("--dir"), dir->path(), QStringLiteral("watch")});
        QVERIFY(p.waitForStarted(5000));
        const QString lockPath = dir->filePath(DirLock::FileName);
        QSignalSpy frames(simulator.get(), &sim::Simulator::frameReceived);
        QTRY_VERIFY_WITH_TIMEOUT(frames.count() > 0, 20000);
        QVERIFY(QFileInfo::exists(lockPath));
        const qint64 pid = p.processId();
        p.kill();
        QVERIFY(p.waitForFinished(5000));
        QCOMPARE(p.exitStatus(), QProcess::CrashExit);
        {
            QLockFile left(lockPath);
            qint64 holder = 0;
            QString host, app;
            QVERIFY(left.getLockInfo(&holder, &host, &app));
            QCOMPARE(holder, pid);
        }
        const Result r = run({QStringLiteral("plants")});
        QCOMPARE(r.code, 0);
        QVERIFY2(r.err.isEmpty(), r.err.constData());
        QVERIFY(!QFileInfo::exists(lockPath));
    }

    // The serial line's far end goes away and comes back under the same name: watch opens
    // the port again, teaches in and reads out as it does after a gateway that came back.
    void watchSurvivesALostSerialLine() {
        if (!SocatPair::available())
            QSKIP("socat is not installed");
        for (int a = 1; a <= 32; ++a)
            simulator->plant(a).present = true; // no silent addresses to wait out
        SocatPair pair(dir->filePath(QStringLiteral("plc")), dir->filePath(QStringLiteral("pc")));
        QVERIFY(pair.start());
        QVERIFY(simulator->openSerial(pair.a()));
        writeIni("COM=3\r\nPORT3=" + pair.b().toUtf8() + "\r\n");
        QProcess p;
        p.start(QStringLiteral(O2_CLI),
                {QStringLiteral("--dir"), dir->path(), QStringLiteral("watch"),
                 QStringLiteral("--every"), QStringLiteral("1")});
        QVERIFY(p.waitForStarted(5000));
        QByteArray out;
        const auto okLines = [&] {
            out += p.readAllStandardOutput();
            return out.count("Ergebnis OK !");
        };
        QTRY_VERIFY_WITH_TIMEOUT(okLines() >= 2, 30000);

        pair.stop();
        simulator->close();
        QTest::qWait(1500); // readouts while the line is gone
        QVERIFY(pair.start());
        QVERIFY(simulator->openSerial(pair.a()));
        okLines();
        const int before = int(out.count("Ergebnis OK !"));
        QTRY_VERIFY_WITH_TIMEOUT(okLines() >= before + 2, 30000);
        p.terminate();
        QTRY_VERIFY_WITH_TIMEOUT(p.state() == QProcess::NotRunning, 10000);
        QCOMPARE(p.exitCode(), 0);
    }

    // The serial line's far end goes away in the middle of a readout and comes back: the
    // records read so far are in the file whole, numbered on and counted, at most the record
    // on the wire is lost, and the next readout takes the rest.
    void readoutAcrossALostSerialLine() {
        if (!SocatPair::available())
            QSKIP("socat is not installed");
        simulator->faults().baud = 57600; // some 10 ms a record: the loss falls mid-readout
        simulator->addStoredRecords(2, 200);
        simulator->keepRecordLog(true);
        const int held = simulator->storedRecordCount(2);
        SocatPair pair(dir->filePath(QStringLiteral("plc")), dir->filePath(QStringLiteral("pc")));
        QVERIFY(pair.start());
        QVERIFY(simulator->openSerial(pair.a()));
        writeIni("COM=3\r\nPORT3=" + pair.b().toUtf8() + "\r\n");
        const QString iniPath = dir->filePath(QStringLiteral("O2_Aerolis.ini"));
        const auto recordLines = [](const QString& path) {
            QFile f(path);
            QList<int> numbers;
            if (!f.open(QIODevice::ReadOnly))
                return numbers;
            for (const QByteArray& line : f.readAll().split('\n')) {
                bool ok = false;
                const int n = line.left(line.indexOf(';')).toInt(&ok);
                if (ok && line.endsWith('\r'))
                    numbers << n;
            }
            return numbers;
        };
        const auto numberedOn = [](const QList<int>& numbers) {
            for (int i = 0; i < numbers.size(); ++i)
                if (numbers.at(i) != i + 1)
                    return false;
            return true;
        };

        QProcess p;
        p.start(QStringLiteral(O2_CLI), {QStringLiteral("--dir"), dir->path(),
                                         QStringLiteral("readout"), QStringLiteral("2")});
        QVERIFY(p.waitForStarted(5000));
        QString file;
        QTRY_VERIFY_WITH_TIMEOUT(
            !(file = IniFile(iniPath).readString("2", "Datei", QString())).isEmpty() &&
                recordLines(file).size() >= 20,
            20000);
        pair.stop();
        simulator->close();
        QTRY_VERIFY_WITH_TIMEOUT(p.state() == QProcess::NotRunning, 30000);
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 1);
        const QList<int> first = recordLines(file);
        QVERIFY2(first.size() < held, qPrintable(QString::number(first.size())));
        QVERIFY(numberedOn(first));
        QCOMPARE(IniFile(iniPath).readInteger("2", "Anzahl", -1), int(first.size()));
        const qsizetype handedOut = simulator->recordLog().size();
        QCOMPARE(simulator->storedRecordCount(2), held - int(handedOut));
        QVERIFY2(
            handedOut - first.size() <= 1,
            qPrintable(
                QStringLiteral("%1 handed out, %2 in the file").arg(handedOut).arg(first.size())));

        QVERIFY(pair.start());
        QVERIFY(simulator->openSerial(pair.a()));
        const Result again = run({QStringLiteral("readout"), QStringLiteral("2")});
        QCOMPARE(again.code, 0);
        QCOMPARE(simulator->storedRecordCount(2), 0);
        const QList<int> all = recordLines(file);
        QVERIFY(numberedOn(all));
        QCOMPARE(all.size(), first.size() + (held - handedOut));
        QCOMPARE(IniFile(iniPath).readInteger("2", "Anzahl", -1), int(all.size()));
    }

    // Assignments send only the changed groups, with the dialog's O2 linking, then read back.
    void setup_data() {
        QTest::addColumn<QStringList>("assignments");
        QTest::addColumn<QList<QByteArray>>("sent");
        QTest::addColumn<QByteArray>("shown");
        QTest::addColumn<int>("loadedOn"); // the O2 pair the controller holds, in tenths
        QTest::addColumn<int>("loadedOff");
        QTest::newRow("read only")
            << QStringList{} << QList<QByteArray>{}
            << QByteArray("StorageInterval=15\nO2On=5.0\nO2Off=7.0\n") << 50 << 70;
        QTest::newRow("storage interval")
            << QStringList{"StorageInterval=20"} << QList<QByteArray>{"\x02I0020"}
            << QByteArray("StorageInterval=20\n") << 50 << 70;
        QTest::newRow("O2 on pushes off")
            << QStringList{"O2On=7.5"} << QList<QByteArray>{"\x02p00750077"}
            << QByteArray("O2On=7.5\nO2Off=7.7\n") << 50 << 70;
        QTest::newRow("two groups in order") << QStringList{"MaxOff=90", "IntervalOn=12"}
                                             << QList<QByteArray>{"\x02"
                                                                  "E0012",
                                                                  "\x02N01200090"}
                                             << QByteArray("MaxOff=90\n") << 50 << 70;
        // A pair held on above off stays as it is unless O2 is named.
        QTest::newRow("other group, O2 pair on above off")
            << QStringList{"MaxOn=100"} << QList<QByteArray>{"\x02N01000060"}
            << QByteArray("O2On=7.0\nO2Off=5.0\n") << 70 << 50;
        QTest::newRow("other group, O2 pair too close")
            << QStringList{"StorageInterval=30"} << QList<QByteArray>{"\x02I0030"}
            << QByteArray("O2On=5.0\nO2Off=5.1\n") << 50 << 51;
        // Named, the pair follows the dialog's linking from the pair as shown.
        QTest::newRow("O2 off named, pair on above off")
            << QStringList{"O2Off=6.0"} << QList<QByteArray>{"\x02p00480060"}
            << QByteArray("O2On=4.8\nO2Off=6.0\n") << 70 << 50;
    }
    void setup() {
        QFETCH(QStringList, assignments);
        QFETCH(QList<QByteArray>, sent);
        QFETCH(QByteArray, shown);
        QFETCH(int, loadedOn);
        QFETCH(int, loadedOff);
        simulator->plant(2).o2On = loadedOn;
        simulator->plant(2).o2Off = loadedOff;
        useTcp();
        const Result r =
            run(QStringList{QStringLiteral("setup"), QStringLiteral("2")} + assignments);
        QCOMPARE(r.code, 0);
        QVERIFY2(r.out.contains(shown), r.out.constData());
        QList<QByteArray> setFrames;
        for (const QByteArray& f : simulator->frames())
            if (f.size() > 2)
                setFrames << f;
        QCOMPARE(setFrames, sent);
    }

    // A new pile with the naming dialog's rules, then its end with the remaining records.
    void pileLifecycle() {
        useTcp();
        const QString data = dir->filePath(QStringLiteral("daten"));
        QVERIFY(QDir().mkpath(data));
        Result r = run({QStringLiteral("start-pile"), QStringLiteral("6"), QStringLiteral("--name"),
                        QStringLiteral("Nord-1"), QStringLiteral("--comment"),
                        QStringLiteral("Grüngut"), QStringLiteral("--data-dir"), data});
        QCOMPARE(r.code, 0);
        QVERIFY(simulator->plant(6).switchedOn && simulator->plant(6).storing);
        IniFile ini(dir->filePath(QStringLiteral("O2_Aerolis.ini")));
        QCOMPARE(ini.readString("6", "Name", QString()), QStringLiteral("Nord-1"));
        QCOMPARE(ini.readString("6", "Komm", QString()), QStringLiteral("Grüngut"));
        const QString file = ini.readString("6", "Datei", QString());
        QVERIFY2(file.startsWith(data + QLatin1Char('/') + QStringLiteral("Nord-1_")),
                 qPrintable(file));
        // A running pile cannot be started again.
        QCOMPARE(run({QStringLiteral("start-pile"), QStringLiteral("6")}).code, 1);

        simulator->addStoredRecords(6, 2);
        r = run({QStringLiteral("end-pile"), QStringLiteral("6")});
        QCOMPARE(r.code, 0);
        QVERIFY(r.out.contains("Anlage ist ausgeschaltet!!"));
        QVERIFY(!simulator->plant(6).switchedOn);
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll().count('\n'), 9 + 2);
    }

    // The remaining records cannot be read: the pile keeps running unless --force.
    void endPileWhenTheReadoutFails() {
        simulator->setReplyOverride(2, 'r', QByteArray());
        useTcp();
        Result r = run({QStringLiteral("end-pile"), QStringLiteral("2")});
        QCOMPARE(r.code, 1);
        QVERIFY(r.err.contains("Trotzdem Anlage ausschalten???"));
        QVERIFY(simulator->plant(2).switchedOn);
        r = run({QStringLiteral("end-pile"), QStringLiteral("2"), QStringLiteral("--force")});
        QCOMPARE(r.code, 0);
        QVERIFY(!simulator->plant(2).switchedOn);
    }

    // A data directory that is gone: start-pile takes the program directory instead and
    // keeps it, so the pile's records land there.
    void startPileOnMissingDirectory() {
        useTcp();
        const QString gone = dir->filePath(QStringLiteral("gone")) + QLatin1Char('/');
        QVERIFY(IniFile(dir->filePath(QStringLiteral("O2_Aerolis.ini")))
                    .writeString("6", "Pfad", gone));
        const Result r = run({QStringLiteral("start-pile"), QStringLiteral("6")});
        QCOMPARE(r.code, 0);
        QVERIFY(r.err.contains("Vorgabepfad f\xc3\xbcr Speicherdatei existiert nicht"));
        const QString programDir = QDir(dir->path()).absolutePath() + QLatin1Char('/');
        const IniFile ini(dir->filePath(QStringLiteral("O2_Aerolis.ini")));
        QCOMPARE(ini.readString("6", "Pfad", QString()), programDir);
        const QString file = ini.readString("6", "Datei", QString());
        QVERIFY2(file.startsWith(programDir + QStringLiteral("Anl-Nr6_")), qPrintable(file));

        simulator->addStoredRecords(6, 3);
        const Result readout = run({QStringLiteral("readout"), QStringLiteral("6")});
        QVERIFY2(readout.out.startsWith("6\tErgebnis OK !\t3\t" + file.toUtf8()),
                 readout.out.constData());
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll().count('\n'), 9 + 3);
        QVERIFY(!QFileInfo::exists(gone));
    }

    // A settings file carried over from a Windows installation, its measurement file copied
    // into the program directory: the readout numbers on in the copy, says once which
    // paths it took over, and creates nothing else.
    void windowsPathsAreTakenOver() {
        useTcp();
        const QString windowsFile = QStringLiteral("D:\\Kompost\\Nord_01-12-2026.CSV");
        {
            IniFile ini(dir->filePath(QStringLiteral("O2_Aerolis.ini")));
            QVERIFY(ini.writeString("2", "Name", "Nord"));
            QVERIFY(ini.writeString("2", "Datei", windowsFile));
            QVERIFY(ini.writeString("2", "Pfad", "D:\\Kompost\\"));
            QVERIFY(ini.writeInteger("2", "Anzahl", 2));
        }
        const QString copy = dir->filePath(QStringLiteral("Nord_01-12-2026.CSV"));
        {
            QFile f(copy);
            QVERIFY(f.open(QIODevice::WriteOnly));
            const QByteArray record =
                ";01.12.2026  10:00;   58;   62;   60;   51;   45;   36; 20,9;3;  125;   48;\r\n";
            f.write(QByteArray("Firmen- Name\r\n* Text *\r\n* Text *\r\n\r\nAnlagen- Name: Nord\r\n"
                               "Datei  - Name: D:\\Kompost\\Nord_01-12-2026.CSV\r\n\r\n"
                               "Erste Datensicherung : 01.12.2026\r\n ;Speicherzeit;T5;T4;T3;T2;T1;"
                               "RefMarke; O2[vol%];Betriebsart;Luefterlaufzeit;LuefterZyklen\r\n") +
                    "1" + record + "2" + record);
        }
        simulator->addStoredRecords(2, 1);
        const Result r = run({QStringLiteral("readout"), QStringLiteral("2")});
        QCOMPARE(r.code, 0);
        QVERIFY2(r.out.startsWith("2\tErgebnis OK !\t1\t" + copy.toUtf8() + "\n"),
                 r.out.constData());
        QVERIFY2(r.err.contains("Pfade einer Windows-Installation \xc3\xbc"
                                "bernommen: D:\\Kompost\\Nord_01-12-2026.CSV -> " +
                                copy.toUtf8()),
                 r.err.constData());
        QFile f(copy);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = f.readAll().split('\n');
        QCOMPARE(lines.size(), 9 + 3 + 1);
        QVERIFY(lines.at(11).startsWith("3;"));
        QCOMPARE(QDir(dir->path()).entryList(QDir::Files | QDir::NoDotAndDotDot),
                 (QStringList{"Nord_01-12-2026.CSV", "O2_Aerolis.ini"}));
        QVERIFY(!QFileInfo::exists(windowsFile));
        const IniFile ini(dir->filePath(QStringLiteral("O2_Aerolis.ini")));
        QCOMPARE(ini.readString("2", "Datei", QString()), copy);
        QCOMPARE(ini.readString("2", "Anzahl", QString()), QStringLiteral("3"));

        // Written back: the next run has nothing to take over.
        const Result again = run({QStringLiteral("readout"), QStringLiteral("2")});
        QCOMPARE(again.code, 0);
        QVERIFY(!again.err.contains("Windows"));
    }

    // Plants are named and shown by the numbers the windows show (address + DISPOFFSET - 1).
    void plantNumbers_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QByteArray>("out");
        QTest::addColumn<QByteArray>("err");
        QTest::newRow("readout by shown number")
            << QStringList{"readout", "34"} << 0 << QByteArray("34\tErgebnis OK !\t")
            << QByteArray();
        QTest::newRow("absent plant by shown number")
            << QStringList{"clock", "35"} << 1 << QByteArray()
            << QByteArray("Anlage 35 antwortet nicht.");
        QTest::newRow("mode by shown number")
            << QStringList{"mode", "36", "2"} << 0 << QByteArray("36\tmode 2") << QByteArray();
        QTest::newRow("address below the shown range")
            << QStringList{"mode", "2", "1"} << 2 << QByteArray() << QByteArray("33..64 sein: 2");
        QTest::newRow("above the shown range")
            << QStringList{"readout", "65"} << 2 << QByteArray() << QByteArray("33..64 sein: 65");
        QTest::newRow("json keeps address and number")
            << QStringList{"--json", "clock", "34"} << 0
            << QByteArray("\"address\": 2,\n    \"clock\"") << QByteArray();
    }
    void plantNumbers() {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QByteArray, out);
        QFETCH(QByteArray, err);
        simulator->addStoredRecords(2, 1);
        QVERIFY(simulator->listenTcp(0));
        writeIni("LAYER=1\r\nNETADR=127.0.0.1\r\nNETPORT=" +
                 QByteArray::number(simulator->tcpPort()) + "\r\nTIMEOUT=40\r\nDISPOFFSET=33\r\n");
        const Result r = run(args);
        QCOMPARE(r.code, code);
        QVERIFY2(r.out.contains(out), r.out.constData());
        QVERIFY2(r.err.contains(err), r.err.constData());
        if (args.contains(QStringLiteral("--json")))
            QCOMPARE(QJsonDocument::fromJson(r.out).object().value("number").toInt(), 34);
        if (code == 2)
            QVERIFY(simulator->frames().isEmpty());
    }

    // A command on named plants probes those only and sends nothing to any other address;
    // the commands on the whole table teach in all 32.
    void probesOnlyNamedPlants_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QList<int>>("addressed");
        QTest::newRow("clock") << QStringList{"clock", "2"} << QList<int>{2};
        QTest::newRow("set-clock") << QStringList{"set-clock", "2"} << QList<int>{2};
        QTest::newRow("mode") << QStringList{"mode", "4", "2"} << QList<int>{4};
        QTest::newRow("readout two") << QStringList{"readout", "4", "2"} << QList<int>{2, 4};
        QTest::newRow("setup") << QStringList{"setup", "2", "MaxOn=100"} << QList<int>{2};
        QTest::newRow("start-pile") << QStringList{"start-pile", "6"} << QList<int>{6};
        QTest::newRow("end-pile") << QStringList{"end-pile", "4"} << QList<int>{4};
        QTest::newRow("absent plant") << QStringList{"clock", "3"} << QList<int>{3};
        QList<int> all;
        for (int a = 1; a <= 32; ++a)
            all << a;
        QTest::newRow("readout all") << QStringList{"readout", "all"} << all;
        QTest::newRow("plants") << QStringList{"plants"} << all;
    }
    void probesOnlyNamedPlants() {
        QFETCH(QStringList, args);
        QFETCH(QList<int>, addressed);
        useTcp();
        run(args);
        QSet<int> seen;
        for (const QByteArray& f : simulator->frames())
            seen.insert(quint8(f.at(0)));
        QCOMPARE(seen, QSet<int>(addressed.begin(), addressed.end()));
    }

    // The probe of one plant keeps the teach-in's rules: a running pile without a file gets
    // one, safety mode is shown as O2 control.
    void oneProbeKeepsTheTeachInRules() {
        simulator->plant(2).mode = 4;
        useTcp();
        const Result r =
            run({QStringLiteral("--json"), QStringLiteral("setup"), QStringLiteral("2")});
        QCOMPARE(r.code, 0);
        IniFile ini(dir->filePath(QStringLiteral("O2_Aerolis.ini")));
        QVERIFY(ini.readString("2", "Datei", QString()).contains(QStringLiteral("Anl-Nr2_")));
        QVERIFY(ini.readString("4", "Datei", QString()).isEmpty()); // not probed, not touched
        const Result m =
            run({QStringLiteral("--json"), QStringLiteral("end-pile"), QStringLiteral("6")});
        QCOMPARE(m.code, 1); // switched off: no pile to end, nothing switched
        QVERIFY(m.err.contains("Auf Anlage 6 l\xc3\xa4uft keine Miete."));
    }

    // The live display's guard: no mode change without a running pile, and nothing sent.
    void modeRefusedWithoutPile() {
        useTcp();
        const Result r = run({QStringLiteral("mode"), QStringLiteral("6"), QStringLiteral("1")});
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains("Auf Anlage 6 l\xc3\xa4uft keine Miete."), r.err.constData());
        for (const QByteArray& f : simulator->frames())
            QVERIFY2(f == "\x06"
                          "B" ||
                         f == "\x06"
                              "S",
                     f.constData());
        QCOMPARE(simulator->plant(6).mode, 3);
    }

    // A usage error shows its command's usage line, not the whole list; COMMAND --help shows
    // that command's help.
    void usage_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QByteArray>("shown");
        QTest::addColumn<QByteArray>("notShown");
        QTest::newRow("mode without its mode")
            << QStringList{"mode", "2"} << 2 << QByteArray("usage: o2aerolis-cli mode PLANT MODE\n")
            << QByteArray("start-pile");
        QTest::newRow("mode out of range, reason and line")
            << QStringList{"mode", "2", "7"} << 2
            << QByteArray("Betriebsart muss 0..3 sein: 7\nusage: o2aerolis-cli mode PLANT MODE\n")
            << QByteArray("readout");
        QTest::newRow("setup key")
            << QStringList{"setup", "2", "Foo=1"} << 2
            << QByteArray("usage: o2aerolis-cli setup PLANT [KEY=VALUE...]") << QByteArray("watch");
        QTest::newRow("watch") << QStringList{"watch", "--every", "x"} << 2
                               << QByteArray("usage: o2aerolis-cli watch [--at-start] [--every S]")
                               << QByteArray("plants");
        QTest::newRow("series") << QStringList{"series"} << 2
                                << QByteArray("usage: o2aerolis-cli series FILE [--per-day]")
                                << QByteArray("mode PLANT");
        QTest::newRow("mode --help")
            << QStringList{"mode", "--help"} << 0
            << QByteArray("usage: o2aerolis-cli [--dir DIR] [--json] mode PLANT MODE\n\nSwitches")
            << QByteArray("start-pile");
        QTest::newRow("readout --help")
            << QStringList{"readout", "-h"} << 0 << QByteArray("DISPOFFSET") << QByteArray("setup");
        QTest::newRow("report --help")
            << QStringList{"report", "--help"} << 0
            << QByteArray("\n" + QByteArray(42, ' ') + "report graph FILE")
            << QByteArray("series FILE");
    }
    void usage() {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QByteArray, shown);
        QFETCH(QByteArray, notShown);
        useTcp();
        const Result r = run(args);
        QCOMPARE(r.code, code);
        const QByteArray text = code == 0 ? r.out : r.err;
        QVERIFY2(text.contains(shown), text.constData());
        QVERIFY2(!text.contains(notShown), text.constData());
        QVERIFY(simulator->frames().isEmpty());
    }

    void failures_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<bool>("linkUp");
        QTest::addColumn<int>("code");
        QTest::addColumn<QByteArray>("message");
        QTest::newRow("absent plant")
            << QStringList{"clock", "3"} << true << 1 << QByteArray("antwortet nicht");
        QTest::newRow("unknown command")
            << QStringList{"frobnicate"} << true << 2 << QByteArray("usage:");
        QTest::newRow("plant out of range")
            << QStringList{"mode", "33", "1"} << true << 2 << QByteArray("1..32 sein: 33");
        QTest::newRow("mode out of range")
            << QStringList{"mode", "2", "4"} << true << 2 << QByteArray("0..3");
        QTest::newRow("setup out of range")
            << QStringList{"setup", "2", "MaxOn=301"} << true << 2 << QByteArray("1..300");
        QTest::newRow("name with a blank")
            << QStringList{"start-pile", "6", "--name", "a b"} << true << 2 << QByteArray("a b");
        QTest::newRow("no link") << QStringList{"plants"} << false << 3
                                 << QByteArray("Fehler beim \xc3\x96"
                                               "ffnen der Netzerkverbindung!");
    }
    void failures() {
        QFETCH(QStringList, args);
        QFETCH(bool, linkUp);
        QFETCH(int, code);
        QFETCH(QByteArray, message);
        if (linkUp) {
            useTcp();
        } else {
            // A port nobody listens on: the connection is refused.
            QTcpServer probe;
            QVERIFY(probe.listen(QHostAddress::LocalHost));
            const quint16 port = probe.serverPort();
            probe.close();
            writeIni("LAYER=1\r\nNETADR=127.0.0.1\r\nNETPORT=" + QByteArray::number(port) + "\r\n");
        }
        const Result r = run(args);
        QCOMPARE(r.code, code);
        QVERIFY2(r.err.contains(message), r.err.constData());
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
