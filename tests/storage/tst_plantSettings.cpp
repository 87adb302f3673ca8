// The plant sections of the settings file: defaults, the program directory as the default
// path, and the section named by the address whatever number the display shows.
#include "core/Daten.h"
#include "core/IniFile.h"
#include "core/ProgramDir.h"
#include "core/Settings.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

namespace {

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

} // namespace

class TestPlantSettings : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

    QString iniPath() const { return dir.filePath(QStringLiteral("O2_Aerolis.ini")); }
    QString programDir() const { return QDir::toNativeSeparators(dir.path()) + QDir::separator(); }

private slots:
    void init() {
        ResetProcessState();
        ProgramDir::setOverride(dir.path());
        QFile::remove(iniPath());
        Settings::open(iniPath());
    }

    void load_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<int>("address");
        QTest::addColumn<int>("displayOffset");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("komm");
        QTest::addColumn<QString>("datei");
        QTest::addColumn<QString>("pfad"); // "<dir>" stands for the program directory
        QTest::addColumn<int>("anzahl");

        QTest::newRow("no section 5")
            << QByteArray("[4]\r\nName=Vier\r\nAnzahl=9\r\n") << 5 << 0 << "Anl-Nr5"
            << ""
            << ""
            << "<dir>" << 0;
        QTest::newRow("Pfad present but empty")
            << QByteArray("[5]\r\nName=Nord\r\nPfad=\r\nKomm=Test\r\n") << 5 << 0 << "Nord"
            << "Test"
            << ""
            << "<dir>" << 0;
        QTest::newRow("all keys, umlaut in Windows-1252")
            << QByteArray("[7]\r\nName=M\xfchle\r\nKomm=k\r\nDatei=/d/M.CSV\r\nPfad=/d\r\n"
                          "Anzahl=42\r\n")
            << 7 << 0 << QStringLiteral("Mühle") << "k"
            << "/d/M.CSV"
            << "/d" << 42;
        QTest::newRow("plant 32 reads section 32 with offset 100")
            << QByteArray("[132]\r\nName=Falsch\r\n[32]\r\nName=Letzte\r\n") << 32 << 100
            << "Letzte"
            << ""
            << ""
            << "<dir>" << 0;
        QTest::newRow("unreadable count gives 0")
            << QByteArray("[1]\r\nAnzahl=viele\r\n") << 1 << 0 << "Anl-Nr1"
            << ""
            << ""
            << "<dir>" << 0;
    }
    void load() {
        QFETCH(QByteArray, ini);
        QFETCH(int, address);
        QFETCH(int, displayOffset);
        QFETCH(QString, name);
        QFETCH(QString, komm);
        QFETCH(QString, datei);
        QFETCH(QString, pfad);
        QFETCH(int, anzahl);
        writeAll(iniPath(), ini);
        KompUtils::DisplayOffset = displayOffset;

        Daten::LoadPlantSettings(address);

        const tAnlageParameter& a = Daten::Anlage[address];
        QCOMPARE(a.Name, name);
        QCOMPARE(a.Komm, komm);
        QCOMPARE(a.Datei, datei);
        QCOMPARE(a.Pfad, pfad == QLatin1String("<dir>") ? programDir() : pfad);
        QCOMPARE(a.Anzahl, anzahl);
        // Loading never writes: the replaced path stays in memory only.
        QCOMPARE(readAll(iniPath()), ini);
    }

    // Paths of a settings file carried over from a Windows installation name their file in
    // the program directory, are written back and told once; a relative path is taken
    // relative to the program directory and stays as written.
    void foreignPaths_data() {
        QTest::addColumn<QString>("datei");
        QTest::addColumn<QString>("pfad");
        QTest::addColumn<QString>("dateiNow"); // after "<dir>", the program directory
        QTest::addColumn<QString>("pfadNow");
        QTest::addColumn<bool>("migrated");
        QTest::newRow("drive letter and backslashes") << "D:\\Kompost\\Nord_01-12-2026.CSV"
                                                      << "D:\\Kompost\\"
                                                      << "Nord_01-12-2026.CSV"
                                                      << "" << true;
        QTest::newRow("network share") << "\\\\server\\kompost\\a.CSV"
                                       << "\\\\server\\kompost"
                                       << "a.CSV"
                                       << "" << true;
        QTest::newRow("drive letter with slashes") << "C:/Daten/b.CSV"
                                                   << "C:/Daten/"
                                                   << "b.CSV"
                                                   << "" << true;
        QTest::newRow("relative") << "daten/c.CSV"
                                  << "daten"
                                  << "daten/c.CSV"
                                  << "daten/" << false;
    }
    void foreignPaths() {
        QFETCH(QString, datei);
        QFETCH(QString, pfad);
        QFETCH(QString, dateiNow);
        QFETCH(QString, pfadNow);
        QFETCH(bool, migrated);
        QVERIFY(Settings::file().writeString("3", Keys::Datei, datei));
        QVERIFY(Settings::file().writeString("3", Keys::Pfad, pfad));
        const QByteArray before = readAll(iniPath());
        QCOMPARE(Daten::TakePathNotices(), QString());

        Daten::LoadPlantSettings(3);

        const tAnlageParameter& a = Daten::Anlage[3];
        QCOMPARE(a.Datei, programDir() + QDir::toNativeSeparators(dateiNow));
        QCOMPARE(a.Pfad, programDir() + QDir::toNativeSeparators(pfadNow));
        const IniFile ini(iniPath());
        if (migrated) {
            QCOMPARE(ini.readString("3", Keys::Datei, {}), a.Datei);
            QCOMPARE(ini.readString("3", Keys::Pfad, {}), a.Pfad);
            const QString notice = Daten::TakePathNotices();
            QVERIFY2(notice.startsWith(QStringLiteral("Pfade einer Windows-Installation "
                                                      "übernommen: ") +
                                       datei + QStringLiteral(" -> ") + a.Datei + "; " + pfad +
                                       " -> " + a.Pfad),
                     qPrintable(notice));
        } else {
            QCOMPARE(readAll(iniPath()), before);
            QCOMPARE(Daten::TakePathNotices(), QString());
        }
        // Told once, also when the file could not take the new paths.
        QVERIFY(Settings::file().writeString("3", Keys::Datei, datei));
        Daten::LoadPlantSettings(3);
        QCOMPARE(Daten::TakePathNotices(), QString());
    }

    void saveWritesNamePfadKommInOrder() {
        writeAll(iniPath(), QByteArray("[COM]\r\nLAYER=1\r\n"));
        tAnlageParameter& a = Daten::Anlage[32];
        a.Name = QStringLiteral("Süd");
        a.Pfad = QStringLiteral("/daten/");
        a.Komm = QStringLiteral("Grüngut €");
        a.Datei = QStringLiteral("/daten/x.CSV"); // not written by SavePlantSettings
        a.Anzahl = 5;
        KompUtils::DisplayOffset = 7;
        QVERIFY(Daten::SavePlantSettings(32));
        QCOMPARE(readAll(iniPath()), QByteArray("[COM]\r\nLAYER=1\r\n[32]\r\nName=S\xfc"
                                                "d\r\nPfad=/daten/\r\nKomm=Gr\xfcngut \x80\r\n"));
        // Round trip through the file.
        Daten::Anlage[32] = tAnlageParameter{};
        Daten::LoadPlantSettings(32);
        QCOMPARE(Daten::Anlage[32].Name, QStringLiteral("Süd"));
        QCOMPARE(Daten::Anlage[32].Komm, QStringLiteral("Grüngut €"));
        QCOMPARE(Daten::Anlage[32].Pfad, QStringLiteral("/daten/"));
    }

    void invalidAddressesTouchNothing() {
        writeAll(iniPath(), QByteArray("[0]\r\nName=Null\r\n"));
        Daten::LoadPlantSettings(0);
        Daten::LoadPlantSettings(33);
        QVERIFY(!Daten::SavePlantSettings(33));
        QCOMPARE(readAll(iniPath()), QByteArray("[0]\r\nName=Null\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestPlantSettings)
#include "tst_plantSettings.moc"
