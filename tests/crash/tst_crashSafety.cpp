// Kills the program with SIGKILL at random moments, many times in a row: in the middle of a
// readout of stored records, and in the middle of settings writes. After every kill the
// files must be whole and readable, every key must hold its old or its new value, and the
// next run must go on where the last one stopped. O2_CRASH_KILLS sets the number of kills
// (50), O2_CRASH_SEED the random moments.
#include "FileCheck.h"

#include "core/IniFile.h"
#include "sim/Simulator.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/types.h>

namespace {

int envNumber(const char* name, int def) {
    bool ok = false;
    const int v = qEnvironmentVariableIntValue(name, &ok);
    return ok && v > 0 ? v : def;
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Every line of a settings file is a section, an entry, a comment or empty, and ends CR LF.
bool wellFormedSettings(const QByteArray& bytes, QString* why) {
    if (!bytes.endsWith("\r\n")) {
        *why = QStringLiteral("no line end at the end");
        return false;
    }
    QList<QByteArray> lines = bytes.split('\n');
    lines.removeLast();
    for (const QByteArray& l : lines) {
        const QByteArray t = l.chopped(1).trimmed();
        if (!l.endsWith('\r') || !(t.isEmpty() || t.startsWith(';') ||
                                   (t.startsWith('[') && t.endsWith(']')) || t.indexOf('=') > 0)) {
            *why = QStringLiteral("bad line: ") + QString::fromLatin1(l.left(80));
            return false;
        }
    }
    return true;
}

// Sends SIGKILL once `frames` request frames of this run have reached the controllers,
// after a further random delay of up to a few milliseconds.
class Killer : public QObject {
public:
    Killer(sim::Simulator& sim, QProcess& p, int frames, int delayMs)
        : m_p(p), m_left(frames), m_delay(delayMs) {
        connect(&sim, &sim::Simulator::frameReceived, this, [this] {
            if (--m_left == 0)
                QTimer::singleShot(m_delay, this, [this] {
                    if (m_p.state() == QProcess::Running)
                        ::kill(pid_t(m_p.processId()), SIGKILL);
                });
        });
    }

private:
    QProcess& m_p;
    int m_left;
    int m_delay;
};

} // namespace

class TestCrashSafety : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QRandomGenerator rng{quint32(envNumber("O2_CRASH_SEED", 5))};
    const int kills = envNumber("O2_CRASH_KILLS", 50);

    QString iniPath() const { return dir.filePath(QStringLiteral("O2_Aerolis.ini")); }

    // Files other than the settings file, the measurement files and the temporary copies a
    // settings write killed before its rename leaves behind (never read, so harmless).
    QStringList strayFiles() {
        static const QRegularExpression tempCopy(QStringLiteral("^O2_Aerolis\\.ini\\.\\w{6}$"));
        QStringList out;
        for (const QString& f : QDir(dir.path()).entryList(QDir::Files | QDir::Hidden)) {
            if (tempCopy.match(f).hasMatch())
                tempCopies.insert(f);
            // The lock file of a killed run stays until the next run takes it over.
            else if (f != QLatin1String("O2_Aerolis.ini") &&
                     f != QLatin1String("O2_Aerolis.lock") && !f.endsWith(QLatin1String(".CSV")))
                out << f;
        }
        return out;
    }
    QSet<QString> tempCopies;

private slots:
    void killDuringReadout() {
        constexpr int Running = 3; // plants 1..3 hold records; the others are switched off
        sim::Simulator simulator;
        simulator.setSeed(11);
        simulator.setClock(QDateTime(QDate(2026, 3, 1), QTime(6, 0)));
        for (int a = 1; a <= 32; ++a) {
            sim::PlantState& p = simulator.plant(a);
            p.present = true; // so that the teach-in is quick
            p.switchedOn = p.storing = a <= Running;
        }
        for (int a = 1; a <= Running; ++a) {
            simulator.setPileAge(a, 5 * 24 * 60);
            simulator.addStoredRecords(a, 80);
        }
        simulator.keepRecordLog(true);
        // Paced like a 57600-baud line, a record takes some 10 ms: kills land mid-readout.
        simulator.faults().baud = 57600;
        QVERIFY(simulator.listenTcp(0));
        {
            QFile f(iniPath());
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("[COM]\r\nLAYER=1\r\nNETADR=127.0.0.1\r\nNETPORT=" +
                    QByteArray::number(simulator.tcpPort()) + "\r\nTIMEOUT=80\r\n");
        }

        int killed = 0, runs = 0, lostInFlight = 0;
        while (killed < kills) {
            QVERIFY2(++runs <= 3 * kills, "the kills keep missing the runs");
            int stored = 0;
            for (int a = 1; a <= Running; ++a)
                stored += simulator.storedRecordCount(a);
            if (stored < 30)
                simulator.advanceMinutes(15 * 40); // forty more records on each plant
            const IniFile before(iniPath());
            QString anzahlBefore[Running + 1], dateiBefore[Running + 1];
            for (int a = 1; a <= Running; ++a) {
                anzahlBefore[a] = before.readString(QString::number(a), QStringLiteral("Anzahl"),
                                                    QStringLiteral("0"));
                dateiBefore[a] = before.readString(QString::number(a), QStringLiteral("Datei"), {});
            }
            const qsizetype handedBefore = simulator.recordLog().size();

            QProcess p;
            // 64 frames of teach-in, then the count and the records of three plants.
            Killer killer(simulator, p, 1 + int(rng.bounded(64u + 3u + quint32(stored))),
                          int(rng.bounded(15u)));
            p.start(QStringLiteral(O2_CLI), {QStringLiteral("--dir"), dir.path(),
                                             QStringLiteral("readout"), QStringLiteral("all")});
            QVERIFY(p.waitForStarted(5000));
            QTRY_VERIFY_WITH_TIMEOUT(p.state() == QProcess::NotRunning, 60000);
            const bool wasKilled = p.exitStatus() == QProcess::CrashExit;
            if (wasKilled)
                ++killed;
            else
                QCOMPARE(p.exitCode(), 0);

            // The settings file is whole, and each key holds its old or its new value.
            const QByteArray iniBytes = readAll(iniPath());
            QString why;
            QVERIFY2(wellFormedSettings(iniBytes, &why), qPrintable(why));
            QVERIFY2(strayFiles().isEmpty(), qPrintable(strayFiles().join(' ')));
            const IniFile after(iniPath());
            const filecheck::HandedOut handed(simulator.recordLog());
            QList<int> seen(handed.log().size(), 0);
            for (int a = 1; a <= Running; ++a) {
                const QString section = QString::number(a);
                const QString datei = after.readString(section, QStringLiteral("Datei"), {});
                QVERIFY(datei == dateiBefore[a] || dateiBefore[a].isEmpty());
                // Killed between creating the file and writing its header: the next open
                // gives an empty file its header.
                if (datei.isEmpty() || !QFileInfo::exists(datei) || QFileInfo(datei).size() == 0)
                    continue;
                // Whole lines only, each one a record line, numbered on without a repeat.
                const filecheck::ParsedFile file = filecheck::parseFile(datei);
                QVERIFY2(file.wholeLines && file.headerOk && file.badLines == 0,
                         qPrintable(file.problems.join('\n')));
                QVERIFY2(filecheck::numberedInOrder(file.records),
                         qPrintable(QStringLiteral("plant %1, run %2").arg(a).arg(runs)));
                const QString last =
                    QString::number(file.records.isEmpty() ? 0 : file.records.last().number);
                const QString anzahl =
                    after.readString(section, QStringLiteral("Anzahl"), QStringLiteral("0"));
                QVERIFY2(anzahl == anzahlBefore[a] || anzahl == last,
                         qPrintable(QStringLiteral("Anzahl %1, was %2, file ends at %3")
                                        .arg(anzahl, anzahlBefore[a], last)));
                // Every line is a record the controller handed out, and only once.
                for (const filecheck::FileRecord& r : file.records) {
                    const int i = handed.find(a, r);
                    QVERIFY2(i >= 0, qPrintable(r.time));
                    QCOMPARE(++seen[i], 1);
                }
            }
            // What a run took out of the memories is in the files, but for the one record
            // on the wire at the moment of the kill.
            QList<qsizetype> missing;
            for (qsizetype i = handedBefore; i < handed.log().size(); ++i)
                if (seen[i] == 0)
                    missing << i;
            if (wasKilled && missing == QList<qsizetype>{handed.log().size() - 1})
                ++lostInFlight;
            else
                QVERIFY2(
                    missing.isEmpty(),
                    qPrintable(
                        QStringLiteral("run %1 lost %2 records").arg(runs).arg(missing.size())));
        }

        // A last run without a kill reads everything the controllers still hold.
        QProcess p;
        p.start(QStringLiteral(O2_CLI), {QStringLiteral("--dir"), dir.path(),
                                         QStringLiteral("readout"), QStringLiteral("all")});
        QVERIFY(p.waitForStarted(5000));
        QTRY_VERIFY_WITH_TIMEOUT(p.state() == QProcess::NotRunning, 60000);
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 0);
        for (int a = 1; a <= Running; ++a)
            QCOMPARE(simulator.storedRecordCount(a), 0);
        qsizetype inFiles = 0;
        const IniFile ini(iniPath());
        for (int a = 1; a <= Running; ++a) {
            const filecheck::ParsedFile file = filecheck::parseFile(
                ini.readString(QString::number(a), QStringLiteral("Datei"), {}));
            QVERIFY(filecheck::numberedInOrder(file.records));
            QCOMPARE(ini.readInteger(QString::number(a), QStringLiteral("Anzahl"), -1),
                     int(file.records.size()));
            inFiles += file.records.size();
        }
        QCOMPARE(inFiles + lostInFlight, simulator.recordLog().size());
        qInfo("%d kills in %d runs, %lld records in the files, %d lost on the wire at a kill",
              killed, runs, static_cast<long long>(inFiles), lostInFlight);
    }

    void killDuringSettingsWrite() {
        const QByteArray foreign = "; von Hand eingetragen\r\n[Fremd]\r\nPfad = C:\\Daten\\a,b "
                                   "; kein Kommentar\r\n\r\n";
        {
            QFile f(iniPath());
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(foreign + "[Soak]\r\nK1=0:\r\nK2=0:\r\nK3=0:\r\nK4=0:\r\n");
        }
        static const QRegularExpression valueForm(QStringLiteral("^(\\d+):([a-z]*)$"));
        qint64 round = 1;
        for (int i = 0; i < kills; ++i) {
            QProcess p;
            p.start(QStringLiteral(O2_INI_WRITER), {iniPath(), QString::number(round)});
            QVERIFY(p.waitForStarted(5000));
            QByteArray said;
            QTRY_VERIFY_WITH_TIMEOUT((said += p.readAllStandardOutput()).contains("ready"), 10000);
            // The helper writes all the while; the kill falls anywhere in a write.
            QTimer::singleShot(int(rng.bounded(40u)), &p,
                               [&p] { ::kill(pid_t(p.processId()), SIGKILL); });
            QTRY_VERIFY_WITH_TIMEOUT(p.state() == QProcess::NotRunning, 10000);
            QCOMPARE(p.exitStatus(), QProcess::CrashExit);

            const QByteArray bytes = readAll(iniPath());
            QString why;
            QVERIFY2(wellFormedSettings(bytes, &why), qPrintable(why));
            QVERIFY2(bytes.startsWith(foreign), "the lines the program does not own changed");
            QVERIFY2(strayFiles().isEmpty(), qPrintable(strayFiles().join(' ')));
            const IniFile ini(iniPath());
            qint64 rounds[5] = {};
            for (int k = 1; k <= 4; ++k) {
                const QString v =
                    ini.readString(QStringLiteral("Soak"), QStringLiteral("K%1").arg(k),
                                   QStringLiteral("<missing>"));
                const auto m = valueForm.match(v);
                QVERIFY2(m.hasMatch(), qPrintable(v.left(80)));
                rounds[k] = m.captured(1).toLongLong();
                const QString expected(int(rounds[k] % 97) * 20, QLatin1Char(char('a' + k)));
                QVERIFY2(m.captured(2) == expected, qPrintable(v.left(80)));
            }
            // The keys are written K1 first: each holds the value of the round in progress
            // or of the one before, never anything torn or older.
            QVERIFY(rounds[1] >= rounds[2] && rounds[2] >= rounds[3] && rounds[3] >= rounds[4]);
            QVERIFY(rounds[1] - rounds[4] <= 1);
            QVERIFY(rounds[4] >= round - 1);
            // A round the kill cut short is written again from its first key; starting the
            // next one would leave the last key two rounds behind the first.
            round = rounds[1] == rounds[4] ? rounds[1] + 1 : rounds[1];
        }
        qInfo("%d kills, %lld rounds written, %d temporary copies seen", kills,
              static_cast<long long>(round - 1), int(tempCopies.size()));
    }
};

QTEST_GUILESS_MAIN(TestCrashSafety)
#include "tst_crashSafety.moc"
