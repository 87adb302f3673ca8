// The plant sections of the settings file: defaults, the program directory as the default
// path, and the section named by the address whatever number the display shows.
#include "core/Daten.h"
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
