// Stored-record readouts against the simulated controllers over TCP: the requests sent, the
// lines that reach the file, the status bar total, the messages and the result, also when a
// record never arrives, the count is out of range or the storage device fills up.
#include "core/Daten.h"
#include "core/ProgramDir.h"
#include "core/Regional.h"
#include "core/Settings.h"
#include "link/Link.h"
#include "link/Operations.h"
#include "link/Protocol.h"
#include "sim/Simulator.h"
#include "storage/Readout.h"
#include "storage/UMessDaten.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#ifdef Q_OS_LINUX
#include <csignal>
#include <sys/resource.h>
#endif

using namespace Kommunikation;

namespace {

const int Plant = 3;

const QString OpenFailed = QStringLiteral("Speicherdatei kann nicht geöffnet werden !");
const QString CountFailed = QStringLiteral(
    "Anzahl der Speicherdaten kann nicht ausgelesen werden !\rKommunikationsfehler !");
const QString TimedOut =
    QStringLiteral("TIMEOUT, bei der seriellen Kommunikation!\rBitte Kabel und PC- Einstellung "
                   "überprüfen!\rBitte Kabel und PC- Einstellung überprüfen!");
const QString NotSaved =
    QStringLiteral("Daten wurden nicht korrekt gespeichert!!\rBitte Speichermedium überprüfen !!");

QList<QByteArray> fileLines(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QList<QByteArray> lines = f.readAll().split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QByteArray recordNumber(const QByteArray& line) {
    return line.left(line.indexOf(';'));
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

class TestReadout : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<sim::Simulator> simulator;
    std::unique_ptr<Link> link;

    // What the readout showed, in order.
    QStringList messages;
    QStringList notices;
    QStringList panel3;
    QList<int> progressMaxima;
    int steps = 0;
    int hides = 0;

    Readout::View view() {
        Readout::View v;
        v.showProgress = [this](int maximum) { progressMaxima << maximum; };
        v.stepProgress = [this] { ++steps; };
        v.hideProgress = [this] { ++hides; };
        v.setPanel3 = [this](const QString& t) { panel3 << t; };
        v.message = [this](const QString& t) { messages << t; };
        v.notice = [this](const QString& t) { notices << t; };
        return v;
    }

    bool run(bool backup) {
        return backup ? Readout::BackupStoredRecords(Plant, view())
                      : Readout::SaveStoredRecords(Plant, view());
    }

    void startPlant(int stored, bool switchedOn = true) {
        sim::PlantState& p = simulator->plant(Plant);
        p.present = true;
        p.switchedOn = switchedOn;
        p.storing = true;
        simulator->addStoredRecords(Plant, stored);
        tAnlageParameter& a = Daten::Anlage[Plant];
        a.Present = true;
        a.SwitchedOn = switchedOn ? 1 : 0;
        a.Name = QStringLiteral("Nord");
        a.Pfad = QDir::toNativeSeparators(dir->path());
    }

    QStringList frames() const {
        QStringList out;
        for (const QByteArray& f : simulator->frames())
            out << QString::number(quint8(f.at(0))) + QString::fromLatin1(f.mid(1));
        return out;
    }

    int settingsCount() const {
        return Settings::file().readInteger(QString::number(Plant), Keys::Anzahl, -1);
    }

private slots:
    void init() {
        ResetProcessState();
        Regional::setLocaleOverride(QLocale(QLocale::German, QLocale::Germany));
        dir = std::make_unique<QTemporaryDir>();
        ProgramDir::setOverride(dir->path());
        Settings::open(ProgramDir::iniPath());
        messages.clear();
        notices.clear();
        panel3.clear();
        progressMaxima.clear();
        steps = hides = 0;

        simulator = std::make_unique<sim::Simulator>();
        simulator->setSeed(3);
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
        // The link derives the record wait from the base time-out; keep it short.
        RecordTimeout = 80;
    }
    void cleanup() {
        MeasurementFile::SetFreeSpaceProbe({});
        MeasurementFile::CloseMeasurementFile(Plant);
        link.reset();
        simulator.reset();
        Settings::close();
        Regional::clearLocaleOverride();
    }

    // Every record is asked for once and lands as the next numbered line; the status bar
    // shows the total the file will hold only while the records are read. A remembered file
    // that has vanished comes back with a fresh header and the numbering goes on.
    void allRecordsRead_data() {
        QTest::addColumn<bool>("backup");
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("stored");
        QTest::newRow("save, new file") << false << 0 << 3;
        QTest::newRow("backup, new file") << true << 0 << 3;
        QTest::newRow("save, 7 into a vanished file of 50") << false << 50 << 7;
        QTest::newRow("backup, nothing stored") << true << 4 << 0;
    }
    void allRecordsRead() {
        QFETCH(bool, backup);
        QFETCH(int, before);
        QFETCH(int, stored);
        startPlant(stored);
        if (before > 0) {
            MeasurementFile::NewMeasurementFile(Plant);
            Daten::Anlage[Plant].Anzahl = before;
        }
        simulator->clearFrames();

        QVERIFY(run(backup));

        QStringList expectedFrames{QStringLiteral("3r")};
        for (int i = 0; i < stored; ++i)
            expectedFrames << QStringLiteral("3G");
        QCOMPARE(frames(), expectedFrames);
        const QList<QByteArray> lines = fileLines(Daten::Anlage[Plant].Datei);
        QCOMPARE(lines.size(), 9 + stored);
        QVERIFY(lines.at(4).startsWith("Anlagen- Name: Nord"));
        for (int i = 0; i < stored; ++i)
            QCOMPARE(recordNumber(lines.at(9 + i)), QByteArray::number(before + 1 + i));
        QCOMPARE(Daten::Anlage[Plant].Anzahl, before + stored);
        QCOMPARE(settingsCount(), before + stored);
        QCOMPARE(panel3, QStringList({QString::number(before + stored), QString()}));
        QCOMPARE(progressMaxima, QList<int>{stored});
        QCOMPARE(steps, stored);
        QCOMPARE(hides, 1);
        QVERIFY(messages.isEmpty());
        QCOMPARE(simulator->storedRecordCount(Plant), 0);
        QCOMPARE(MeasurementFile::OpenPlant(), 0);
    }

    // The second record never comes: one line stays in the file and in the count, the
    // time-out is reported once (interactive readout only) and the readout failed.
    void recordMissing_data() {
        QTest::addColumn<bool>("backup");
        QTest::newRow("save") << false;
        QTest::newRow("backup") << true;
    }
    void recordMissing() {
        QFETCH(bool, backup);
        startPlant(3);
        int records = 0;
        connect(simulator.get(), &sim::Simulator::frameReceived, this,
                [this, &records](const QByteArray& f) {
                    if (f.mid(1) == "G" && ++records == 2)
                        simulator->setReplyOverride(Plant, 'G', QByteArray());
                });
        simulator->clearFrames();

        QVERIFY(!run(backup));

        QCOMPARE(frames(), QStringList({"3r", "3G", "3G"}));
        const QList<QByteArray> lines = fileLines(Daten::Anlage[Plant].Datei);
        QCOMPARE(lines.size(), 10);
        QCOMPARE(recordNumber(lines.at(9)), QByteArray("1"));
        QCOMPARE(settingsCount(), 1);
        QCOMPARE(messages, backup ? QStringList() : QStringList{TimedOut});
        QCOMPARE(hides, 1);
        QCOMPARE(panel3.last(), QString());
    }

    // A count that is not in 0..1000, or none at all, reads nothing, closes the file again
    // and is a failed readout (never a success with nothing read).
    void countFails_data() {
        QTest::addColumn<bool>("backup");
        QTest::addColumn<QByteArray>("reply");
        QTest::newRow("save, 1001") << false << QByteArray("r1001;");
        QTest::newRow("save, -1") << false << QByteArray("r-1;");
        QTest::newRow("save, no reply") << false << QByteArray();
        QTest::newRow("backup, 1001") << true << QByteArray("r1001;");
    }
    void countFails() {
        QFETCH(bool, backup);
        QFETCH(QByteArray, reply);
        startPlant(2);
        simulator->setReplyOverride(Plant, 'r', reply);
        simulator->clearFrames();

        QVERIFY(!run(backup));

        QVERIFY(!frames().contains(QStringLiteral("3G")));
        QCOMPARE(fileLines(Daten::Anlage[Plant].Datei).size(), 9);
        QCOMPARE(messages, backup ? QStringList() : QStringList{CountFailed});
        QVERIFY(progressMaxima.isEmpty());
        QCOMPARE(panel3, QStringList{QString()});
        QCOMPARE(MeasurementFile::OpenPlant(), 0);
    }

    void backupOfSwitchedOffPlantDoesNothing() {
        startPlant(3, false);
        simulator->clearFrames();
        QVERIFY(Readout::BackupStoredRecords(Plant, view()));
        QVERIFY(frames().isEmpty());
        QVERIFY(Daten::Anlage[Plant].Datei.isEmpty());
        QCOMPARE(settingsCount(), -1);
        QVERIFY(QDir(dir->path()).entryList({QStringLiteral("*.CSV")}).isEmpty());
        QVERIFY(panel3.isEmpty());
    }

    void missingDirectory_data() {
        QTest::addColumn<bool>("backup");
        QTest::newRow("save") << false;
        QTest::newRow("backup") << true;
    }
    void missingDirectory() {
        QFETCH(bool, backup);
        startPlant(3);
        Daten::Anlage[Plant].Pfad = dir->filePath(QStringLiteral("gone"));
        simulator->clearFrames();
        QVERIFY(!run(backup));
        QVERIFY(frames().isEmpty());
        QCOMPARE(messages, backup ? QStringList() : QStringList{OpenFailed});
        QVERIFY(!QFileInfo::exists(dir->filePath(QStringLiteral("gone"))));
        QCOMPARE(simulator->storedRecordCount(Plant), 3);
    }

    // Too little room for every record the controller holds (a line takes at most 120
    // bytes, plus 64 KiB to spare): nothing is asked for, the records stay in the
    // controller, and the message (the tool's notice for the silent readout) gives the
    // free space. A file system that tells no figure is not refused.
    void noRoom_data() {
        QTest::addColumn<bool>("backup");
        QTest::addColumn<qint64>("free");
        QTest::addColumn<bool>("reads");
        const qint64 needed =
            3 * MeasurementFile::MaxRecordLineBytes + MeasurementFile::SpaceMargin;
        QTest::newRow("save, 64 KiB free") << false << qint64(65536) << false;
        QTest::newRow("backup, 64 KiB free") << true << qint64(65536) << false;
        QTest::newRow("save, room to the byte") << false << needed << true;
        QTest::newRow("backup, one byte short") << true << needed - 1 << false;
        QTest::newRow("save, free space unknown") << false << qint64(-1) << true;
    }
    void noRoom() {
        QFETCH(bool, backup);
        QFETCH(qint64, free);
        QFETCH(bool, reads);
        startPlant(3);
        QString probed;
        MeasurementFile::SetFreeSpaceProbe([&](const QString& d) {
            probed = d;
            return free;
        });
        simulator->clearFrames();

        QCOMPARE(run(backup), reads);

        QCOMPARE(QDir(probed), QDir(dir->path()));
        QCOMPARE(frames().count(QStringLiteral("3G")), reads ? 3 : 0);
        QCOMPARE(simulator->storedRecordCount(Plant), reads ? 0 : 3);
        QCOMPARE(fileLines(Daten::Anlage[Plant].Datei).size(), reads ? 12 : 9);
        QCOMPARE(settingsCount(), reads ? 3 : 0);
        QStringList said;
        if (!reads)
            said << QStringLiteral("Nicht genug Platz für 3 Messwerte auf %1 (%2 frei)!\rBitte "
                                   "Speichermedium überprüfen !!")
                        .arg(QDir::toNativeSeparators(dir->path()),
                             free == 65536 ? QStringLiteral("64,0 kB") : QStringLiteral("64,4 kB"));
        QCOMPARE(backup ? notices : messages, said);
        QVERIFY(progressMaxima.isEmpty() != reads);
        QCOMPARE(MeasurementFile::OpenPlant(), 0);
    }

#ifdef Q_OS_LINUX
    // The device fills up during the third line: the readout stops there and says so after
    // the close; every line written before it is whole, and the record in hand, already
    // handed out by the controller, is in the rescue file in the program directory, which
    // the message names. Each further attempt on the full device rescues its one record;
    // once there is room the rest follows into the file: no record is lost on the way.
    void fullDevice_data() {
        QTest::addColumn<bool>("backup");
        QTest::newRow("save") << false;
        QTest::newRow("backup") << true;
    }
    void fullDevice() {
        QFETCH(bool, backup);
        startPlant(0);
        for (int i = 1; i <= 7; ++i) {
            sim::StoredRecord r;
            r.time = QDateTime(QDate(2026, 12, 9), QTime(8, 0).addSecs(900 * i));
            r.runTime = i; // tells the records apart in the lines
            simulator->plant(Plant).memory.push_back(r);
        }
        QVERIFY(MeasurementFile::OpenMeasurementFile(Plant));
        QVERIFY(MeasurementFile::CloseMeasurementFile(Plant));
        const QString path = Daten::Anlage[Plant].Datei;
        const qint64 header = QFileInfo(path).size();
        const qint64 lineSize = qint64(
            MeasurementFile::RecordLine(1, QStringLiteral("01.01.2026  00:00"), {}).size() + 2);
        const QString rescue =
            dir->filePath(MeasurementFile::FileStem(QStringLiteral("Nord"), QDate::currentDate()) +
                          QStringLiteral("_Rettung.CSV"));
        const QString rescued = NotSaved +
                                QStringLiteral("\rDer zuletzt gelesene Messwert steht in ") +
                                QDir::toNativeSeparators(rescue);
        // The fifth field from the end of a record line: the run time, 1..7 as stored.
        const auto runTimes = [](const QList<QByteArray>& lines) {
            QList<int> out;
            for (const QByteArray& l : lines)
                if (l.count(';') == 12 && recordNumber(l).toInt() > 0)
                    out << l.split(';').at(10).trimmed().toInt();
            return out;
        };
        for (int attempt = 1; attempt <= 2; ++attempt) {
            messages.clear();
            notices.clear();
            simulator->clearFrames();
            bool ok = true;
            {
                FileSizeLimit limit(rlim_t(header + 2 * lineSize + lineSize / 2));
                ok = run(backup);
            }
            QVERIFY(!ok);
            QCOMPARE(frames().count(QStringLiteral("3G")), attempt == 1 ? 3 : 1);
            QCOMPARE(backup ? notices : messages, QStringList{rescued});
            const QList<QByteArray> lines = fileLines(path);
            QCOMPARE(lines.size(), 11);
            for (int i = 9; i < 11; ++i) {
                QVERIFY(lines.at(i).endsWith(";\r"));
                QCOMPARE(recordNumber(lines.at(i)), QByteArray::number(i - 8));
            }
            QCOMPARE(settingsCount(), 2);
            // The rescued lines: whole, in the file's format, numbered as the file's next.
            const QList<QByteArray> saved = fileLines(rescue);
            QCOMPARE(saved.size(), attempt);
            for (const QByteArray& l : saved) {
                QVERIFY(l.endsWith(";\r"));
                QCOMPARE(recordNumber(l), QByteArray("3"));
            }
            QCOMPARE(runTimes(lines) + runTimes(saved),
                     QList<int>({1, 2, 3, 4}).mid(0, 2 + attempt));
            QCOMPARE(simulator->storedRecordCount(Plant), 5 - attempt);
        }
        messages.clear();
        notices.clear();
        QVERIFY(run(backup));
        QVERIFY(messages.isEmpty() && notices.isEmpty());
        QCOMPARE(runTimes(fileLines(path)), QList<int>({1, 2, 5, 6, 7}));
        QCOMPARE(runTimes(fileLines(rescue)), QList<int>({3, 4}));
        QCOMPARE(settingsCount(), 5);
    }
#endif
};

QTEST_GUILESS_MAIN(TestReadout)
#include "tst_readout.moc"
