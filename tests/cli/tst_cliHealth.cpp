// The tool's monitoring side as a service runs it: health from the settings and measurement
// files alone with its exit codes, the last readout in plants --json, and the FEHLER and
// DRINGEND lines of watch, the real binary against the simulator.
#include "core/IniFile.h"
#include "sim/Simulator.h"
#include "storage/BackupState.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace {
struct Result {
    int code = -1;
    QByteArray out;
    QByteArray err;
};

// A pile's section as the program writes it: its file, and a last readout `hoursAgo`.
struct Pile {
    int plant;
    bool ok;
    int stored;
    int hoursAgo; // < 0: never read out
};
} // namespace
Q_DECLARE_METATYPE(QList<Pile>)

class TestCliHealth : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> dir;
    QTemporaryDir userSettings;

    QString iniPath() const { return dir->filePath(QStringLiteral("O2_Aerolis.ini")); }
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
    // The pile's measurement file with two records.
    QString writeFile(int plant) {
        const QString path = dir->filePath(QStringLiteral("Anl-Nr%1.CSV").arg(plant));
        QFile f(path);
        if (f.open(QIODevice::WriteOnly))
            f.write("Titel\r\nNr;Datum\r\n1;10.12.2026  06:00;  50;\r\n"
                    "2;10.12.2026  06:15;  51;\r\n");
        return path;
    }
    void writePiles(const QList<Pile>& piles, const QString& alarm) {
        IniFile ini(iniPath());
        ini.writeInteger(QStringLiteral("COM"), QStringLiteral("DISPOFFSET"), 1);
        if (!alarm.isEmpty())
            ini.writeString(QStringLiteral("COM"), BackupState::AlarmKey, alarm);
        const QDateTime now = QDateTime::currentDateTime();
        for (const Pile& p : piles) {
            const QString s = QString::number(p.plant);
            // A negative count in the table stands for a pile ended since: no file named.
            ini.writeString(s, QStringLiteral("Datei"),
                            p.stored < 0 ? QString() : writeFile(p.plant));
            if (p.hoursAgo < 0)
                continue;
            ini.writeString(
                s, BackupState::LastKey,
                now.addSecs(-qint64(p.hoursAgo) * 3600).toString(BackupState::TimeFormat));
            ini.writeInteger(s, BackupState::OkKey, p.ok ? 1 : 0);
            ini.writeInteger(s, BackupState::StoredKey, p.stored);
        }
    }

private slots:
    void initTestCase() { qputenv("XDG_CONFIG_HOME", userSettings.path().toLocal8Bit()); }
    void init() { dir = std::make_unique<QTemporaryDir>(); }

    // 0 when no pile is late, 1 when one is, 4 when one is urgent; ended piles and piles not
    // yet read out do not count. Hours well away from the 36 so that the test's own run
    // time cannot move a row across.
    void exitCodes_data() {
        QTest::addColumn<QList<Pile>>("piles");
        QTest::addColumn<QString>("alarm");
        QTest::addColumn<int>("code");
        QTest::addColumn<QByteArray>("states"); // the last column of each line
        QTest::newRow("no pile") << QList<Pile>{} << QString() << 0 << QByteArray();
        QTest::newRow("read out 2 h ago")
            << QList<Pile>{{2, true, 40, 2}} << QString() << 0 << QByteArray("OK");
        QTest::newRow("failed") << QList<Pile>{{2, false, 40, 2}} << QString() << 1
                                << QByteArray("ÜBERFÄLLIG");
        QTest::newRow("40 h ago") << QList<Pile>{{2, true, 40, 40}} << QString() << 1
                                  << QByteArray("ÜBERFÄLLIG");
        QTest::newRow("40 h ago, alarm at 48")
            << QList<Pile>{{2, true, 40, 40}} << QStringLiteral("48") << 0 << QByteArray("OK");
        QTest::newRow("alarm off")
            << QList<Pile>{{2, true, 40, 400}} << QStringLiteral("0") << 0 << QByteArray("OK");
        QTest::newRow("950 stored")
            << QList<Pile>{{2, true, 950, 2}} << QString() << 4 << QByteArray("DRINGEND");
        QTest::newRow("one late, one urgent")
            << QList<Pile>{{2, false, 40, 2}, {5, true, 950, 2}} << QString() << 4
            << QByteArray("ÜBERFÄLLIG,DRINGEND");
        QTest::newRow("ended pile")
            << QList<Pile>{{2, false, -1, 2}} << QString() << 0 << QByteArray();
        QTest::newRow("not read out yet")
            << QList<Pile>{{2, true, 0, -1}} << QString() << 0 << QByteArray("OK");
    }
    void exitCodes() {
        QFETCH(QList<Pile>, piles);
        QFETCH(QString, alarm);
        QFETCH(int, code);
        QFETCH(QByteArray, states);
        writePiles(piles, alarm);
        const Result r = run({QStringLiteral("health")});
        QCOMPARE(r.code, code);
        QByteArrayList got;
        for (const QByteArray& line : r.out.split('\n'))
            if (!line.isEmpty())
                got << line.split('\t').last();
        QCOMPARE(got.join(','), states);
    }

    // The JSON document names every field of a pile; a pile not read out has nulls.
    void json() {
        writePiles({{2, false, 950, 3}, {7, true, 0, -1}}, QString());
        const Result r = run({QStringLiteral("--json"), QStringLiteral("health")});
        QCOMPARE(r.code, 4);
        const QJsonObject doc = QJsonDocument::fromJson(r.out).object();
        QCOMPARE(doc.value("alarmHours").toInt(), 36);
        const QJsonArray piles = doc.value("piles").toArray();
        QCOMPARE(piles.size(), 2);
        const QJsonObject two = piles.at(0).toObject();
        QCOMPARE(two.value("number").toInt(), 2);
        QCOMPARE(two.value("name").toString(), QStringLiteral("Anl-Nr2"));
        QVERIFY(two.value("file").toString().endsWith(QStringLiteral("Anl-Nr2.CSV")));
        QCOMPARE(two.value("lastReadout").toString().size(), 19);
        QCOMPARE(two.value("lastReadoutOk").toBool(true), false);
        QCOMPARE(two.value("stored").toInt(), 950);
        QCOMPARE(two.value("lastRecord").toString(), QStringLiteral("10.12.2026  06:15"));
        QCOMPARE(two.value("late").toBool(), true);
        QCOMPARE(two.value("urgent").toBool(), true);
        const QJsonObject seven = piles.at(1).toObject();
        QVERIFY(seven.value("lastReadout").isNull());
        QVERIFY(seven.value("lastReadoutOk").isNull());
        QVERIFY(seven.value("stored").isNull());
        QCOMPARE(seven.value("late").toBool(true), false);
    }

    // A settings file carried over from Windows: health reads the pile's file where the
    // program would take it over, and writes nothing, as another process may own the file.
    void windowsPathsAreReadNotWritten() {
        const QString file = writeFile(2);
        {
            IniFile ini(iniPath());
            QVERIFY(ini.writeString("2", "Datei", "D:\\Kompost\\Anl-Nr2.CSV"));
            QVERIFY(ini.writeString("2", "Pfad", "D:\\Kompost\\"));
        }
        QFile f(iniPath());
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray before = f.readAll();
        f.close();
        const Result r = run({QStringLiteral("--json"), QStringLiteral("health")});
        QCOMPARE(r.code, 0);
        const QJsonArray piles = QJsonDocument::fromJson(r.out).object().value("piles").toArray();
        QCOMPARE(piles.size(), 1);
        QCOMPARE(piles.at(0).toObject().value("file").toString(), file);
        QCOMPARE(piles.at(0).toObject().value("lastRecord").toString(),
                 QStringLiteral("10.12.2026  06:15"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), before);
    }

    // Pointed at a directory without settings, the check does not say all is well.
    void noSettingsFile() {
        const Result r = run({QStringLiteral("health")});
        QCOMPARE(r.code, 2);
        QVERIFY(r.err.contains("O2_Aerolis.ini"));
        QCOMPARE(run({QStringLiteral("health"), QStringLiteral("extra")}).code, 2);
    }

    // A readout through the tool is remembered: plants --json shows it, a failing one makes
    // watch write a FEHLER line, a nearly full memory a DRINGEND line, and health sees both.
    void readoutsThroughTheTool() {
        sim::Simulator simulator;
        simulator.setSeed(3);
        for (int a : {2, 4}) {
            simulator.plant(a).present = simulator.plant(a).switchedOn = true;
            simulator.plant(a).storing = true;
        }
        simulator.addStoredRecords(2, 950);
        QVERIFY(simulator.listenTcp(0));
        {
            QFile f(iniPath());
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("[COM]\r\nLAYER=1\r\nNETADR=127.0.0.1\r\nNETPORT=" +
                    QByteArray::number(simulator.tcpPort()) + "\r\nTIMEOUT=40\r\n");
        }
        QCOMPARE(run({QStringLiteral("readout"), QStringLiteral("2")}).code, 0);
        const Result plants = run({QStringLiteral("--json"), QStringLiteral("plants")});
        QCOMPARE(plants.code, 0);
        const QJsonArray all = QJsonDocument::fromJson(plants.out).array();
        const QJsonObject two = all.at(1).toObject();
        QCOMPARE(two.value("lastReadoutOk").toBool(false), true);
        QCOMPARE(two.value("lastReadout").toString().size(), 19);
        QCOMPARE(two.value("lastRecord").toString().size(), 17);
        QVERIFY(all.at(3).toObject().value("lastReadout").isNull());
        QVERIFY(all.at(3).toObject().value("lastRecord").isNull());

        // Plant 4's count never comes; plant 2 holds 950 again.
        simulator.setReplyOverride(4, 'r', QByteArray());
        simulator.addStoredRecords(2, 950);
        QProcess watch;
        watch.start(QStringLiteral(O2_CLI),
                    {QStringLiteral("--dir"), dir->path(), QStringLiteral("watch"),
                     QStringLiteral("--at-start")});
        QVERIFY(watch.waitForStarted(5000));
        QByteArray err;
        QTRY_VERIFY_WITH_TIMEOUT((err += watch.readAllStandardError()).contains("FEHLER Anl 4"),
                                 30000);
        watch.terminate();
        QTRY_VERIFY_WITH_TIMEOUT(watch.state() == QProcess::NotRunning, 10000);
        err += watch.readAllStandardError();
        QByteArrayList flagged;
        for (const QByteArray& line : err.split('\n'))
            if (line.startsWith("FEHLER") || line.startsWith("DRINGEND"))
                flagged << line.left(line.indexOf(':'));
        QCOMPARE(flagged, QByteArrayList({"DRINGEND Anl 2", "FEHLER Anl 4"}));

        const Result health = run({QStringLiteral("health")});
        QCOMPARE(health.code, 4);
        const QList<QByteArray> lines = health.out.trimmed().split('\n');
        QCOMPARE(lines.size(), 2);
        QVERIFY2(lines[0].startsWith("2\tAnl-Nr2\t"), lines[0].constData());
        QVERIFY(lines[0].contains("\tOK\t950\t"));
        QVERIFY(lines[0].endsWith("\tDRINGEND"));
        QVERIFY(lines[1].contains("\tFEHLER\t"));
        QVERIFY(lines[1].endsWith("\tÜBERFÄLLIG"));

        // The pile ends: its section names no file, and health passes it over.
        QCOMPARE(
            run({QStringLiteral("end-pile"), QStringLiteral("4"), QStringLiteral("--force")}).code,
            0);
        QCOMPARE(IniFile(iniPath()).readString("4", "Datei", QStringLiteral("<none>")), QString());
        const Result after = run({QStringLiteral("health")});
        QCOMPARE(after.out.trimmed().split('\n').size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestCliHealth)
#include "tst_cliHealth.moc"
