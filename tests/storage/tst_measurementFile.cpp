// The measurement file writer: file names, the header and record lines byte for byte, the
// count kept in the settings file, and what a failing device leaves behind.
#include "core/Daten.h"
#include "core/ProgramDir.h"
#include "core/Regional.h"
#include "core/Settings.h"
#include "storage/UMessDaten.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_LINUX
#include <csignal>
#include <sys/resource.h>
#endif

using namespace MeasurementFile;

namespace {

const QDate Day(2026, 12, 9);

QByteArray readAll(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

MeasurementRecord record(int t1, int t2, int t3, int t4, int t5, int ref, int o2, int mode,
                         int runTime, int cycles) {
    MeasurementRecord r;
    r.Valid = true;
    r.T1 = t1;
    r.T2 = t2;
    r.T3 = t3;
    r.T4 = t4;
    r.T5 = t5;
    r.RefDepth = ref;
    r.O2 = o2;
    r.Mode = uint8_t(mode);
    r.RunTime = runTime;
    r.Cycles = cycles;
    return r;
}

const QByteArray ColumnHeader =
    " ;Speicherzeit;T5;T4;T3;T2;T1;RefMarke; O2[vol%];Betriebsart;Luefterlaufzeit;LuefterZyklen";

#ifdef Q_OS_LINUX
// Limits the size of files this process may write, the way a full device stops a write
// part way through a line.
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

class TestMeasurementFile : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

    QString iniPath() const { return dir.filePath(QStringLiteral("O2_Aerolis.ini")); }
    QString dataDir() const { return QDir::toNativeSeparators(dir.path()) + QDir::separator(); }

    // Plant 3 named Anl-Nr3 with comment Testmiete, directory without trailing separator.
    void setUpPlant3() {
        tAnlageParameter& a = Daten::Anlage[3];
        a.Name = QStringLiteral("Anl-Nr3");
        a.Komm = QStringLiteral("Testmiete");
        a.Pfad = QDir::toNativeSeparators(dir.path());
        a.Datei.clear();
        a.Anzahl = 0;
    }
    QString settingsValue(const QString& key) const {
        return Settings::file().readString(QStringLiteral("3"), key, QStringLiteral("<none>"));
    }

private slots:
    void init() {
        ResetProcessState();
        Regional::setLocaleOverride(QLocale(QLocale::German, QLocale::Germany));
        ProgramDir::setOverride(dir.path());
        for (const QString& f : QDir(dir.path()).entryList(QDir::Files | QDir::System))
            QFile::remove(dir.filePath(f));
        Settings::open(iniPath());
        setUpPlant3();
    }
    void cleanup() {
        CloseMeasurementFile(3);
        Regional::clearLocaleOverride();
    }

    void fileName_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("stem");
        const QLocale de(QLocale::German, QLocale::Germany);
        QTest::newRow("Anl-Nr3, German") << "Anl-Nr3" << de << "Anl-Nr3_09-12-2026";
        QTest::newRow("blank and umlauts")
            << QStringLiteral("Miete Süd Ä") << de << "Miete-S-d--_09-12-2026";
        QTest::newRow("backspace and tab") << QStringLiteral("A\bB\tC") << de << "A-B-C_09-12-2026";
        QTest::newRow("no regional settings") << "A_b" << QLocale::c() << "A_b_09-12-2026";
        QTest::newRow("US short date")
            << "X" << QLocale(QLocale::English, QLocale::UnitedStates) << "X_12-9-2026";
    }
    void fileName() {
        QFETCH(QString, name);
        QFETCH(QLocale, locale);
        QFETCH(QString, stem);
        Regional::setLocaleOverride(locale);
        Daten::Anlage[3].Name = name;
        Daten::Anlage[3].Anzahl = 17;
        QVERIFY(NewMeasurementFile(3, Day));
        const tAnlageParameter& a = Daten::Anlage[3];
        QCOMPARE(a.Pfad, dataDir());
        QCOMPARE(a.Datei, dataDir() + stem + QStringLiteral(".CSV"));
        QCOMPARE(a.Anzahl, 0);
        QCOMPARE(settingsValue(QStringLiteral("Datei")), a.Datei);
        QCOMPARE(settingsValue(QStringLiteral("Anzahl")), QStringLiteral("0"));
        // Nothing on disk until the first open.
        QVERIFY(!QFileInfo::exists(a.Datei));
    }

    void allowedNameChars() {
        for (int c = 0; c < 256; ++c) {
            const QChar ch(c);
            const bool expected = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') ||
                                  (c >= 'a' && c <= 'z') || c == '_' || c == '-' || c == 8;
            QCOMPARE(IsAllowedNameChar(ch), expected);
        }
    }

    void recordLine_data() {
        QTest::addColumn<MeasurementRecord>("rec");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("line");
        const QLocale de(QLocale::German, QLocale::Germany);
        const QLocale en(QLocale::English, QLocale::UnitedStates);
        const QString t = QStringLiteral("09.12.2026  14:30");
        QTest::newRow("example 1")
            << record(58, 62, 60, 51, 45, 36, 209, 3, 125, 48) << de
            << t + ";   58;   62;   60;   51;   45;   36; 20,9;3;  125;   48;";
        QTest::newRow("O2 0,5 and 100,0")
            << record(0, 0, 0, 0, 0, 100, 5, 0, 0, 0) << de
            << t + ";    0;    0;    0;    0;    0;  100;  0,5;0;    0;    0;";
        QTest::newRow("decimal comma under English")
            << record(1, 2, 3, 4, 5, 0, 1000, 1, 1, 1) << en
            << t + ";    1;    2;    3;    4;    5;    0;100,0;1;    1;    1;";
        QTest::newRow("negative temperatures and O2")
            << record(-3, -12, -1234, 7, 8, 0, -5, 2, 9, 10) << de
            << t + ";   -3;  -12;-1234;    7;    8;    0; -0,5;2;    9;   10;";
        QTest::newRow("longer than the field")
            << record(123456, -123456, 0, 0, 0, 0, 123456, 4, 123456, 99999) << de
            << t + ";123456;-123456;    0;    0;    0;    0;12345,6;4;123456;99999;";
    }
    void recordLine() {
        QFETCH(MeasurementRecord, rec);
        QFETCH(QLocale, locale);
        QFETCH(QString, line);
        Regional::setLocaleOverride(locale);
        QCOMPARE(RecordLine(1, RecordTimeText("09", "12", "2026", "14", "30"), rec),
                 QStringLiteral("1;") + line);
    }

    void recordTimeText() {
        QCOMPARE(RecordTimeText("09", "12", "2026", "14", "30"),
                 QStringLiteral("09.12.2026  14:30"));
        QCOMPARE(RecordTimeText("7", "3", "2010", "4", "5"), QStringLiteral("7.3.2010  4:5"));
        // Garbled texts cannot split the line.
        QCOMPARE(RecordTimeText("0;", "1\r\n", "2010", "4", "5"),
                 QStringLiteral("0?.1??.2010  4:5"));
    }

    void newFileBytes() {
        Daten::Anlage[3].Komm = QStringLiteral("Größe € 5");
        Settings::file().writeString(QStringLiteral("Firma"), QStringLiteral("Zeile2"),
                                     QStringLiteral("Kompost GmbH"));
        QVERIFY(OpenMeasurementFile(3, Day));
        QVERIFY(AppendMeasurementRecord(3, QStringLiteral("09.12.2026  14:30"),
                                        record(58, 62, 60, 51, 45, 36, 209, 3, 125, 48)));
        QVERIFY(AppendMeasurementRecord(3, QStringLiteral("09.12.2026  15:30"),
                                        record(59, 63, 61, 53, 47, 31, 187, 3, 130, 50)));
        QVERIFY(CloseMeasurementFile(3));

        const QString path = Daten::Anlage[3].Datei;
        QCOMPARE(path, dataDir() + QStringLiteral("Anl-Nr3_09-12-2026.CSV"));
        const QByteArray expected =
            "Firmen- Name\r\n"
            "Kompost GmbH\r\n"
            "* Text *\r\n"
            "\r\n"
            "Anlagen- Name: Anl-Nr3\r\n"
            "Datei  - Name: " +
            QFile::encodeName(path) +
            "\r\n"
            "Gr\xf6\xdf"
            "e \x80 5\r\n"
            "Erste Datensicherung : 09.12.2026\r\n" +
            ColumnHeader +
            "\r\n"
            "1;09.12.2026  14:30;   58;   62;   60;   51;   45;   36; 20,9;3;  125;   48;\r\n"
            "2;09.12.2026  15:30;   59;   63;   61;   53;   47;   31; 18,7;3;  130;   50;\r\n";
        QCOMPARE(readAll(path), expected);
        QCOMPARE(Daten::Anlage[3].Anzahl, 2);
        QCOMPARE(settingsValue(QStringLiteral("Anzahl")), QStringLiteral("2"));
        QCOMPARE(OpenPlant(), 0);
    }

    // A comment with characters outside Windows-1252 and control characters: '?' for the
    // former, a blank for the latter, and never the Ctrl-Z of the codec.
    void headerTextOutsideTheCodePage() {
        Daten::Anlage[3].Komm = QString::fromUtf8("Prüfung ✓ 日本") + QChar(0x1A) + "\tx";
        QVERIFY(OpenMeasurementFile(3, Day));
        QVERIFY(CloseMeasurementFile(3));
        const QList<QByteArray> lines = readAll(Daten::Anlage[3].Datei).split('\n');
        QCOMPARE(lines.value(6), QByteArray("Pr\xFC"
                                            "fung ? ??  x\r"));
    }

    // An existing file is appended to without a new header; a vanished one comes back with
    // a fresh header and the numbering goes on from the remembered count.
    void existingAndVanishedFiles_data() {
        QTest::addColumn<bool>("exists");
        QTest::addColumn<int>("headerLines");
        QTest::newRow("existing file") << true << 0;
        QTest::newRow("vanished file") << false << 9;
    }
    void existingAndVanishedFiles() {
        QFETCH(bool, exists);
        QFETCH(int, headerLines);
        NewMeasurementFile(3, Day);
        tAnlageParameter& a = Daten::Anlage[3];
        const QByteArray old = "old\r\n";
        if (exists)
            writeAll(a.Datei, old);
        a.Anzahl = 5;
        QVERIFY(OpenMeasurementFile(3, QDate(2027, 1, 2)));
        QVERIFY(
            AppendMeasurementRecord(3, QStringLiteral("t"), record(1, 1, 1, 1, 1, 0, 1, 0, 1, 1)));
        QVERIFY(CloseMeasurementFile(3));
        const QList<QByteArray> lines = readAll(a.Datei).split('\n');
        QCOMPARE(lines.size() - 1, (exists ? 1 : 0) + headerLines + 1);
        QVERIFY(lines.at(lines.size() - 2).startsWith("6;t;"));
        if (exists)
            QVERIFY(readAll(a.Datei).startsWith(old));
        else
            QCOMPARE(lines.at(7), QByteArray("Erste Datensicherung : 02.01.2027\r"));
        QCOMPARE(settingsValue(QStringLiteral("Anzahl")), QStringLiteral("6"));
    }

    void lastLineWithoutItsEnd_data() {
        QTest::addColumn<QByteArray>("last"); // the file's end after its header line
        QTest::addColumn<QByteArray>("kept"); // the line that stays, empty: none
        // A record cut short is taken back; its number goes to the next record.
        QTest::newRow("record cut short") << QByteArray("1;frag") << QByteArray();
        // Anything else stays, apart from the next line.
        QTest::newRow("a note") << QByteArray("Bemerkung") << QByteArray("Bemerkung\r");
    }
    void lastLineWithoutItsEnd() {
        QFETCH(QByteArray, last);
        QFETCH(QByteArray, kept);
        NewMeasurementFile(3, Day);
        const QString path = Daten::Anlage[3].Datei;
        writeAll(path, "header\r\n" + last);
        Daten::Anlage[3].Anzahl = 1;
        QVERIFY(OpenMeasurementFile(3, Day));
        QVERIFY(AppendMeasurementRecord(3, QStringLiteral("t"), MeasurementRecord{}));
        QVERIFY(AppendMeasurementRecord(3, QStringLiteral("t"), MeasurementRecord{}));
        CloseMeasurementFile(3);
        QList<QByteArray> lines = readAll(path).split('\n');
        QCOMPARE(lines.takeFirst(), QByteArray("header\r"));
        if (!kept.isEmpty())
            QCOMPARE(lines.takeFirst(), kept);
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines.at(0).startsWith("2;t;"));
        QVERIFY(lines.at(1).startsWith("3;t;"));
        QCOMPARE(lines.at(2), QByteArray());
    }

    void missingDirectoryIsNotCreated() {
        Daten::Anlage[3].Pfad = dir.filePath(QStringLiteral("fehlt"));
        QVERIFY(!OpenMeasurementFile(3, Day));
        QCOMPARE(OpenPlant(), 0);
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("fehlt"))));
        QVERIFY(!AppendMeasurementRecord(3, QStringLiteral("t"), MeasurementRecord{}));
        QCOMPARE(Daten::Anlage[3].Anzahl, 0);
    }

    void appendNeedsTheOpenPlant() {
        QVERIFY(!AppendMeasurementRecord(3, QStringLiteral("t"), MeasurementRecord{}));
        QVERIFY(OpenMeasurementFile(3, Day));
        Daten::Anlage[4].Anzahl = 7;
        QVERIFY(!AppendMeasurementRecord(4, QStringLiteral("t"), MeasurementRecord{}));
        QCOMPARE(Daten::Anlage[4].Anzahl, 7);
        QVERIFY(!AppendMeasurementRecord(33, QStringLiteral("t"), MeasurementRecord{}));
    }

    // A readout cut short by an error may leave its file open; the next open closes it
    // with its count saved instead of refusing every later readout.
    void staleOpenFileIsClosed() {
        QVERIFY(OpenMeasurementFile(3, Day));
        QVERIFY(AppendMeasurementRecord(3, QStringLiteral("t"), MeasurementRecord{}));
        tAnlageParameter& b = Daten::Anlage[4];
        b.Name = QStringLiteral("B");
        b.Pfad = dataDir();
        QVERIFY(OpenMeasurementFile(4, Day));
        QCOMPARE(OpenPlant(), 4);
        QCOMPARE(settingsValue(QStringLiteral("Anzahl")), QStringLiteral("1"));
        QVERIFY(CloseMeasurementFile(4));
    }

    // Two writers on one new file (another process that opened it after its creation):
    // every line of both survives, none written over from a stale offset.
    void twoWritersOnANewFile() {
        QVERIFY(OpenMeasurementFile(3, Day));
        QFile other(Daten::Anlage[3].Datei);
        QVERIFY(other.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered));
        QList<QByteArray> expected;
        for (int i = 1; i <= 3; ++i) {
            QVERIFY(AppendMeasurementRecord(3, QStringLiteral("t"),
                                            record(i, i, i, i, i, 0, 1, 0, 1, 1)));
            expected << RecordLine(i, QStringLiteral("t"), record(i, i, i, i, i, 0, 1, 0, 1, 1))
                            .toLatin1();
            const QByteArray line = QByteArray::number(100 + i) + ";other;\r\n";
            QCOMPARE(other.write(line), qint64(line.size()));
            expected << line.chopped(2);
        }
        other.close();
        QVERIFY(CloseMeasurementFile(3));
        QList<QByteArray> lines = readAll(Daten::Anlage[3].Datei).split('\n');
        QCOMPARE(lines.takeLast(), QByteArray());
        lines = lines.mid(9);
        for (QByteArray& l : lines)
            l.chop(1); // CR
        QCOMPARE(lines, expected);
    }

#ifdef Q_OS_LINUX
    // The device fills up part way through a record line: the line is taken back whole,
    // the count stays with the lines on disk, and the next readout numbers on from there.
    void fullDeviceMidLine() {
        QVERIFY(OpenMeasurementFile(3, Day));
        QVERIFY(
            AppendMeasurementRecord(3, QStringLiteral("t"), record(1, 1, 1, 1, 1, 0, 1, 0, 1, 1)));
        const QString path = Daten::Anlage[3].Datei;
        const QByteArray before = readAll(path);
        {
            FileSizeLimit limit(rlim_t(before.size() + 10));
            QVERIFY(!AppendMeasurementRecord(3, QStringLiteral("t"), MeasurementRecord{}));
        }
        QCOMPARE(readAll(path), before);
        QCOMPARE(Daten::Anlage[3].Anzahl, 1);
        QVERIFY(CloseMeasurementFile(3));
        QCOMPARE(settingsValue(QStringLiteral("Anzahl")), QStringLiteral("1"));

        QVERIFY(OpenMeasurementFile(3, Day));
        QVERIFY(AppendMeasurementRecord(3, QStringLiteral("t"), MeasurementRecord{}));
        QVERIFY(CloseMeasurementFile(3));
        QVERIFY(readAll(path).endsWith(";\r\n"));
        QVERIFY(readAll(path).mid(before.size()).startsWith("2;t;"));
    }

    // A header that does not fit leaves no file behind that no reader could recognise.
    void fullDeviceInHeader() {
        NewMeasurementFile(3, Day);
        {
            FileSizeLimit limit(100);
            QVERIFY(!OpenMeasurementFile(3, Day));
        }
        QVERIFY(!QFileInfo::exists(Daten::Anlage[3].Datei));
        QCOMPARE(OpenPlant(), 0);
    }

    void deviceRefusingEveryWrite() {
        if (!QFileInfo::exists(QStringLiteral("/dev/full")))
            QSKIP("no /dev/full");
        NewMeasurementFile(3, Day);
        QVERIFY(QFile::link(QStringLiteral("/dev/full"), Daten::Anlage[3].Datei));
        Daten::Anlage[3].Anzahl = 4;
        QVERIFY(OpenMeasurementFile(3, Day));
        QVERIFY(!AppendMeasurementRecord(3, QStringLiteral("t"), MeasurementRecord{}));
        QCOMPARE(Daten::Anlage[3].Anzahl, 4);
        CloseMeasurementFile(3);
        QCOMPARE(settingsValue(QStringLiteral("Anzahl")), QStringLiteral("4"));
    }
#endif
};

QTEST_GUILESS_MAIN(TestMeasurementFile)
#include "tst_measurementFile.moc"
