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

    // Hostile values (line breaks, brackets, '=', control characters, any Unicode) written
    // and read back never add or remove a section or key, and come back on one line.
    void randomValuesKeepTheStructure() {
        writeAll(path, "; kept\r\n[COM]\r\nLAYER=1\r\nNETADR=gw\r\n\r\n[Firma]\r\nTitel=T\r\n"
                       "[4]\r\nName=Nord\r\nKomm=\r\n");
        IniFile ini(path);
        const auto structure = [&] {
            QStringList out;
            for (const QString& s : ini.sections())
                out << QLatin1Char('[') + s + QLatin1Char(']') + ini.keys(s).join(QLatin1Char(','));
            return out;
        };
        const QStringList before = structure();
        const QList<QPair<QString, QString>> targets = {
            {"COM", "NETADR"}, {"Firma", "Titel"}, {"4", "Komm"}, {"4", "Name"}};
        const QString pieces[] = {"\r",
                                  "\n",
                                  "\r\n",
                                  "[COM]",
                                  "[9]",
                                  "=",
                                  "DISPOFFSET=500",
                                  ";",
                                  "\"",
                                  "'",
                                  "\t",
                                  QString(QChar(0x1A)),
                                  QString(QChar(0)),
                                  QString(QChar(0x85)),
                                  QString(QChar(0x2028)),
                                  "ä€",
                                  "日本",
                                  QString::fromUtf8("\xF0\x9F\x98\x80"),
                                  " ",
                                  "x"};
        QRandomGenerator rng(18);
        for (int round = 0; round < 500; ++round) {
            QString value;
            const int n = rng.bounded(8);
            for (int i = 0; i < n; ++i)
                value += pieces[rng.bounded(int(std::size(pieces)))];
            const auto& [section, key] = targets[rng.bounded(targets.size())];
            QVERIFY(ini.writeString(section, key, value));
            QCOMPARE(structure(), before);
            const QString back = IniFile(path).readString(section, key, QStringLiteral("<none>"));
            for (QChar c : back)
                QVERIFY2(c.category() != QChar::Other_Control, qPrintable(value));
        }
        QVERIFY(!readAll(path).contains('\x1A'));
    }

    // A section or key that is not a plain name is refused and the file is left alone.
    void namesThatAreNotPlainAreRefused_data() {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::newRow("line break in key") << "COM"
                                           << "A\r\nB";
        QTest::newRow("equals in key") << "COM"
                                       << "A=B";
        QTest::newRow("bracket in section") << "COM]\r\n[Form"
                                            << "Left";
        QTest::newRow("empty key") << "COM"
                                   << "";
        QTest::newRow("empty section") << ""
                                       << "ZEIT";
        QTest::newRow("comment key") << "COM"
                                     << ";x";
    }
    void namesThatAreNotPlainAreRefused() {
        QFETCH(QString, section);
        QFETCH(QString, key);
        writeAll(path, "[COM]\r\nZEIT=3\r\n");
        IniFile ini(path);
        QVERIFY(!ini.writeString(section, key, QStringLiteral("1")));
        QVERIFY(!ini.lastError().isEmpty());
        QCOMPARE(readAll(path), QByteArray("[COM]\r\nZEIT=3\r\n"));
    }

    // Characters outside Windows-1252 become '?', never the codec's Ctrl-Z; those inside
    // keep their byte.
    void unencodableCharactersBecomeQuestionMarks_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("check mark and CJK") << QString::fromUtf8("Prüfung ✓ 日本")
                                            << QByteArray("Pr\xFC"
                                                          "fung ? ??");
        QTest::newRow("emoji is one character") << QString::fromUtf8("a\xF0\x9F\x98\x80"
                                                                     "b")
                                                << QByteArray("a?b");
        QTest::newRow("euro and quotes") << QString::fromUtf8("€ „x“ …")
                                         << QByteArray("\x80 \x84"
                                                       "x\x93 \x85");
    }
    void unencodableCharactersBecomeQuestionMarks() {
        QFETCH(QString, text);
        QTEST(Win1252::encode(text), "bytes");
    }
};

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_iniFile.moc"
