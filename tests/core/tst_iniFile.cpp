// The settings file against files as the existing installations write them.
#include "core/IniFile.h"
#include "core/Regional.h"
#include "core/Win1252.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

// As written by an existing installation: CR LF, Windows-1252 umlauts, a backslash path,
// a comment, an unknown key and a last line without line end.
const QByteArray Legacy =
    "; Einstellungen\r\n"
    "[COM]\r\n"
    "LAYER=1\r\n"
    "NETADR=10.1.2.3\r\n"
    "Unbekannt = Wert, mit Komma\r\n"
    "REFTEMP=55,5\r\n"
    "\r\n"
    "[3]\r\n"
    "Name=M\xfc"
    "hlberg S\xfc"
    "d\r\n"
    "Pfad=C:\\Kompost\\Daten\\\r\n"
    "Anzahl=17\r\n"
    "[Firma]\r\n"
    "Titel=Gr\xfc"
    "ngut \x80 GmbH";

QByteArray readAll(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

class TestIniFile : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString path;

private slots:
    void initTestCase() { QVERIFY(Win1252::available()); }
    void init() {
        path = dir.filePath(QStringLiteral("O2_Aerolis.ini"));
        QFile::remove(path);
        Regional::setLocaleOverride(QLocale(QLocale::German, QLocale::Germany));
    }

    void readsLegacyFile_data() {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::newRow("plain") << "COM" << "NETADR" << "10.1.2.3";
        QTest::newRow("case-insensitive") << "com" << "netadr" << "10.1.2.3";
        QTest::newRow("unknown key, blanks, comma") << "COM" << "unbekannt" << "Wert, mit Komma";
        QTest::newRow("umlauts") << "3" << "Name" << QStringLiteral("Mühlberg Süd");
        QTest::newRow("backslashes") << "3" << "Pfad" << QStringLiteral("C:\\Kompost\\Daten\\");
        QTest::newRow("euro, last line without CR LF")
            << "Firma" << "Titel" << QStringLiteral("Grüngut € GmbH");
        QTest::newRow("missing key") << "3" << "Komm" << "<def>";
        QTest::newRow("missing section") << "5" << "Name" << "<def>";
    }
    void readsLegacyFile() {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        writeAll(path, Legacy);
        IniFile ini(path);
        QCOMPARE(ini.readString(section, key, QStringLiteral("<def>")), value);
    }

    void typedReads() {
        writeAll(path, "[COM]\r\nA=12\r\nB=abc\r\nC=-3\r\nD=55,5\r\nE=55.5\r\nF=x1\r\nG=2\r\n");
        IniFile ini(path);
        QCOMPARE(ini.readInteger("COM", "A", 7), 12);
        QCOMPARE(ini.readInteger("COM", "B", 7), 7);
        QCOMPARE(ini.readInteger("COM", "Missing", 7), 7);
        QCOMPARE(ini.readBool("COM", "C", false), true);
        QCOMPARE(ini.readBool("COM", "G", false), true);
        QCOMPARE(ini.readBool("COM", "B", true), true);
        QCOMPARE(ini.readFloat("COM", "D", 1.0), 55.5);
        QCOMPARE(ini.readFloat("COM", "E", 1.0), 55.5);
        QCOMPARE(ini.readFloat("COM", "F", 1.0), 1.0);
        QVERIFY(ini.sectionExists("com"));
        QVERIFY(!ini.sectionExists("Form"));
    }

    // Writing one key changes that line only; every other byte stays as it was.
    void writeKeepsTheRestByteForByte_data() {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("expected");
        QByteArray changed = Legacy;
        changed.replace("Anzahl=17", "Anzahl=18");
        QTest::newRow("existing key") << "3" << "anzahl" << "18" << changed;
        QByteArray added = Legacy;
        added.replace("Anzahl=17\r\n", "Anzahl=17\r\nKomm=S\xfc"
                                       "dseite\r\n");
        QTest::newRow("new key in section") << "3" << "Komm" << QStringLiteral("Südseite") << added;
        QTest::newRow("new section at end")
            << "Form" << "Left" << "5" << QByteArray(Legacy + "\r\n[Form]\r\nLeft=5\r\n");
        QByteArray last = Legacy;
        last.replace("Gr\xfcngut \x80 GmbH", "Neu");
        QTest::newRow("last line without CR LF") << "Firma" << "Titel" << "Neu" << last;
    }
    void writeKeepsTheRestByteForByte() {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QByteArray, expected);
        writeAll(path, Legacy);
        IniFile ini(path);
        QVERIFY(ini.writeString(section, key, value));
        QCOMPARE(readAll(path), expected);
        QCOMPARE(IniFile(path).readString(section, key, QString()), value);
    }

    void typedWrites() {
        IniFile ini(path);
        QVERIFY(ini.writeBool("COM", "SHOWREF", true));
        QVERIFY(ini.writeBool("COM", "Metric", false));
        QVERIFY(ini.writeFloat("COM", "REFTEMP", 55.1));
        QVERIFY(ini.writeInteger("COM", "ZEIT", 24));
        QCOMPARE(readAll(path), QByteArray("[COM]\r\nSHOWREF=1\r\nMetric=0\r\nREFTEMP=55,1\r\n"
                                           "ZEIT=24\r\n"));
        Regional::setLocaleOverride(QLocale(QLocale::English, QLocale::UnitedStates));
        QVERIFY(ini.writeFloat("COM", "REFTEMP", 54.5));
        QCOMPARE(ini.readFloat("COM", "REFTEMP", 0), 54.5);
        QVERIFY(readAll(path).contains("REFTEMP=54.5\r\n"));
    }

    // The same value again does not rewrite the file.
    void sameValueTouchesNothing() {
        writeAll(path, Legacy);
        const QDateTime before = QFileInfo(path).lastModified();
        IniFile ini(path);
        QTest::qWait(20);
        QVERIFY(ini.writeString("3", "Anzahl", "17"));
        QCOMPARE(QFileInfo(path).lastModified(), before);
    }

    // Another writer (the command-line tool) changing the file is seen at the next read.
    void readsSeeTheFileOnDisk() {
        writeAll(path, "[COM]\r\nZEIT=3\r\n");
        IniFile ini(path);
        QCOMPARE(ini.readInteger("COM", "ZEIT", 0), 3);
        IniFile other(path);
        QVERIFY(other.writeInteger("COM", "ZEIT", 14));
        QCOMPARE(ini.readInteger("COM", "ZEIT", 0), 14);
    }

    void unwritableFileReportsFailure() {
        IniFile ini(dir.filePath(QStringLiteral("missing-dir/O2_Aerolis.ini")));
        QVERIFY(!ini.writeInteger("COM", "ZEIT", 1));
        QVERIFY(!ini.lastError().isEmpty());
        QCOMPARE(ini.readInteger("COM", "ZEIT", 0), 0);
    }
};

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_iniFile.moc"
