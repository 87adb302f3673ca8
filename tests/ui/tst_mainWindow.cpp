// The main window: caption, saved position, start-up and end, customer logo, menus.
#include "UiTestSupport.h"

#include "core/Daten.h"
#include "core/IniFile.h"
#include "core/KompUtils.h"
#include "core/ProgramDir.h"
#include "core/Settings.h"
#include "core/UMain.h"

#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QScreen>
#include <QSignalSpy>
#include <QtTest>
#include <memory>

class TestMainWindow : public QObject {
    Q_OBJECT
    QTemporaryDir userSettings;
    std::unique_ptr<QTemporaryDir> programDir;

    void writeIni(const QByteArray& bytes) {
        QFile f(ProgramDir::iniPath());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    static QSize desktop() { return QGuiApplication::primaryScreen()->geometry().size(); }

private slots:
    void initTestCase() { UiTest::isolateUserSettings(userSettings); }

    void init() {
        ResetProcessState();
        programDir = std::make_unique<QTemporaryDir>();
        ProgramDir::setOverride(programDir->path());
    }

    void cleanup() {
        Settings::close();
        ProgramDir::setOverride(QString());
    }

    void caption_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QString>("caption");
        QTest::newRow("no offset key")
            << QByteArray("[COM]\r\nCOM=1\r\n") << QStringLiteral("O2- Aerolis a-1 .. 32");
        QTest::newRow("DISPOFFSET 33")
            << QByteArray("[COM]\r\nDISPOFFSET=33\r\n") << QStringLiteral("O2- Aerolis a-33 .. 64");
    }
    void caption() {
        QFETCH(QByteArray, ini);
        QFETCH(QString, caption);
        writeIni(ini);
        TFMain w;
        QCOMPARE(w.windowTitle(), caption);
        QCOMPARE(QGuiApplication::applicationDisplayName(), caption);
    }

    void firstStartWithoutSettingsFile() {
        TFMain w;
        QVERIFY(w.isVisible());
        QVERIFY(w.isEnabled());
        QCOMPARE(w.pos(), QPoint(512, 156));
        QCOMPARE(w.size(), w.builtInSize());
        QCOMPARE(w.windowTitle(), QStringLiteral("O2- Aerolis a-1 .. 32"));
        QCOMPARE(Settings::ReadoutHour, 0);
        QVERIFY(!Settings::BackupEnabled);
        QCOMPARE(KompUtils::RefCaption, QStringLiteral("s 55°C[cm]"));
        // Starting writes nothing.
        QVERIFY(!QFile::exists(ProgramDir::iniPath()));
    }

    void restoredPosition_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QRect>("geometry");
        const QSize d = desktop();
        QTest::newRow("Width 5000")
            << QByteArray("[Form]\r\nLeft=300\r\nTop=20\r\nWidth=5000\r\nHeight=400\r\n")
            << QRect(0, 20, d.width(), 400);
        QTest::newRow("beyond the lower right corner")
            << QByteArray("[Form]\r\nLeft=5000\r\nTop=5000\r\nWidth=460\r\nHeight=400\r\n")
            << QRect(d.width() - 460, d.height() - 400, 460, 400);
        QTest::newRow("negative stays")
            << QByteArray("[Form]\r\nLeft=-30\r\nTop=-4\r\nWidth=460\r\nHeight=400\r\n")
            << QRect(-30, -4, 460, 400);
        // An empty size stands for the built-in one.
        QTest::newRow("zero size keeps the contents visible")
            << QByteArray("[Form]\r\nLeft=10\r\nTop=10\r\nWidth=0\r\nHeight=0\r\n")
            << QRect(10, 10, 0, 0);
    }
    void restoredPosition() {
        QFETCH(QByteArray, ini);
        QFETCH(QRect, geometry);
        writeIni(ini);
        TFMain w;
        if (geometry.isEmpty())
            geometry.setSize(w.builtInSize());
        QCOMPARE(QRect(w.pos(), w.size()), geometry);
    }

    void formCloseWritesThePosition() {
        writeIni("[COM]\r\nCOM=1\r\n");
        QString iniPath = ProgramDir::iniPath();
        TFMain w;
        w.move(100, 80);
        QSignalSpy closed(&w, &TFMain::closed);
        QVERIFY(w.close());
        QCOMPARE(closed.count(), 1);
        QVERIFY(!Settings::isOpen());
        const IniFile ini(iniPath);
        QCOMPARE(ini.readInteger("Form", "Left", -1), 100);
        QCOMPARE(ini.readInteger("Form", "Top", -1), 80);
        QCOMPARE(ini.readInteger("Form", "Width", -1), w.width());
        QCOMPARE(ini.readInteger("Form", "Height", -1), w.height());
        QCOMPARE(ini.readInteger("Form", "State", -1), 0);
        QCOMPARE(ini.readInteger("COM", "COM", -1), 1);

        // The next start comes back where this one ended.
        TFMain again;
        QCOMPARE(again.pos(), QPoint(100, 80));
        QCOMPARE(again.size(), w.size());
    }

    void linkHooksRunInOrder() {
        QStringList steps;
        TFMain::Hooks hooks;
        hooks.readBaseTimeout = [&](TFMain& w) {
            steps << QStringLiteral("timeout visible=%1").arg(w.isVisible());
        };
        hooks.readLinkSettings = [&](TFMain& w) {
            steps << QStringLiteral("link visible=%1").arg(w.isVisible());
        };
        hooks.startLink = [&](TFMain& w) {
            // TCP: the window waits for the connect event.
            steps << QStringLiteral("start enabled=%1").arg(w.isEnabled());
        };
        hooks.stopPoll = [&](TFMain&) { steps << QStringLiteral("poll"); };
        hooks.closeSerialPort = [&](TFMain&) { steps << QStringLiteral("serial"); };
        hooks.closeSocket = [&](TFMain&) {
            // Closing the TCP link runs events; a setting written then must not be lost.
            steps << QStringLiteral("socket open=%1").arg(Settings::isOpen());
            Settings::file().writeString("1", "Datei", "late.csv");
        };
        const QString iniPath = ProgramDir::iniPath();
        TFMain w(hooks);
        QVERIFY(!w.isEnabled());
        w.close();
        QCOMPARE(steps, QStringList({"timeout visible=0", "link visible=1", "start enabled=0",
                                     "poll", "serial", "socket open=1"}));
        QCOMPARE(IniFile(iniPath).readString("1", "Datei", QString()), QStringLiteral("late.csv"));
    }

    void customerLogo_data() {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QSize>("pictureSize");
        QTest::addColumn<QSize>("shownSize"); // empty: the built-in logo stays
        QTest::newRow("KompLogo.BMP") << "KompLogo.BMP" << QSize(120, 40) << QSize(120, 40);
        QTest::newRow("lower-case name") << "komplogo.bmp" << QSize(90, 30) << QSize(90, 30);
        QTest::newRow("wider than the window")
            << "KompLogo.BMP" << QSize(906, 60) << QSize(453, 30);
        QTest::newRow("not a picture") << "KompLogo.BMP" << QSize() << QSize();
        QTest::newRow("other name") << "Logo.bmp" << QSize(120, 40) << QSize();
    }
    void customerLogo() {
        QFETCH(QString, fileName);
        QFETCH(QSize, pictureSize);
        QFETCH(QSize, shownSize);
        const QString path = programDir->filePath(fileName);
        if (pictureSize.isValid()) {
            QImage picture(pictureSize, QImage::Format_RGB32);
            picture.fill(QColor(200, 0, 0));
            QVERIFY(picture.save(path, "BMP"));
        } else {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("BM this is no bitmap");
        }
        TFMain w;
        const QImage shown = w.PartnerLogo()->pixmap().toImage();
        if (shownSize.isValid()) {
            QCOMPARE(shown.size(), shownSize);
            QCOMPARE(w.PartnerLogo()->size(), shownSize);
            QCOMPARE(shown.pixelColor(shown.width() / 2, shown.height() / 2), QColor(200, 0, 0));
        } else {
            const QImage builtIn = QPixmap(QStringLiteral(":/o2aerolis/partner.png")).toImage();
            QCOMPARE(shown, builtIn);
        }
    }

    void menuItems_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("menuTitle");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shortcut");
        QTest::newRow("Ende") << "EndeItem"
                              << "EndeMenu"
                              << "Ende"
                              << "&Ende"
                              << "Ctrl+X";
        QTest::newRow("Setup") << "ProgrammSetupItem"
                               << "PCSetupMenu"
                               << "&PC-Setup"
                               << "Programm &Setup"
                               << "Ctrl+S";
        QTest::newRow("Speicherzeit") << "SpeicherzeitItem"
                                      << "PCSetupMenu"
                                      << "&PC-Setup"
                                      << "Speicher&zeit"
                                      << "Ctrl+Z";
        QTest::newRow("Firmendaten") << "FirmendatenItem"
                                     << "PCSetupMenu"
                                     << "&PC-Setup"
                                     << "&Firmendaten"
                                     << "Ctrl+F";
        QTest::newRow("Anzeige") << "PCAnzeigeItem"
                                 << "MessungMenu"
                                 << "&Messung"
                                 << "PC &Anzeige"
                                 << "Ctrl+A";
        QTest::newRow("einlernen") << "AnlagenEinlernenItem"
                                   << "MessungMenu"
                                   << "&Messung"
                                   << "Anlagen einlernen"
                                   << "Ctrl+E";
        QTest::newRow("Offline") << "OfflineDatenItem"
                                 << "MessungMenu"
                                 << "&Messung"
                                 << "&Offline Daten auslesen"
                                 << "Ctrl+O";
        QTest::newRow("Messwerte") << "MesswerteDruckenItem"
                                   << "DatenMenu"
                                   << "&Daten"
                                   << "Mess&werte drucken"
                                   << "Ctrl+W";
        QTest::newRow("Protokoll") << "ProtokollItem"
                                   << "DatenMenu"
                                   << "&Daten"
                                   << "&Protokoll Gütegemeinschaft"
                                   << "Ctrl+P";
        QTest::newRow("Grafik") << "GrafikItem"
                                << "DatenMenu"
                                << "&Daten"
                                << "&Grafik erstellen"
                                << "Ctrl+G";
        QTest::newRow("Info") << "InfoItem"
                              << "InfoMenu"
                              << "&Info"
                              << "&Info"
                              << "Ctrl+I";
    }
    void menuItems() {
        QFETCH(QString, item);
        QFETCH(QString, menu);
        QFETCH(QString, menuTitle);
        QFETCH(QString, text);
        QFETCH(QString, shortcut);
        TFMain w;
        QAction* a = w.menuItem(item);
        QVERIFY(a);
        QCOMPARE(a->text(), text);
        QCOMPARE(a->shortcut().toString(QKeySequence::PortableText), shortcut);
        QMenu* m = w.menu(menu);
        QVERIFY(m);
        QCOMPARE(m->title(), menuTitle);
        QVERIFY(m->actions().contains(a));
    }

    void menuBarLayout() {
        TFMain w;
        QStringList titles;
        for (QAction* a : w.menuBar()->actions())
            titles << a->text();
        QCOMPARE(titles,
                 QStringList({"Ende", "&PC-Setup", "&Messung", "&Daten", "Sprache", "&Info"}));
        auto layout = [&](const char* menu) {
            QStringList out;
            for (QAction* a : w.menu(menu)->actions())
                out << (a->isSeparator() ? QStringLiteral("-") : a->text());
            return out;
        };
        QCOMPARE(layout("PCSetupMenu"),
                 QStringList({"Programm &Setup", "Speicher&zeit", "-", "&Firmendaten"}));
        QCOMPARE(layout("MessungMenu"), QStringList({"PC &Anzeige", "-", "Anlagen einlernen", "-",
                                                     "&Offline Daten auslesen"}));
        QCOMPARE(layout("SpracheMenu"), QStringList({"Deutsch", "English", "Français"}));
    }

    void endeClosesTheWindow() {
        TFMain w;
        QSignalSpy closed(&w, &TFMain::closed);
        w.menuItem("EndeItem")->trigger();
        QCOMPARE(closed.count(), 1);
        QVERIFY(!w.isVisible());
    }

    void statusLine() {
        TFMain w;
        w.setStatusText(QStringLiteral("COM1 geöffnet\rVerbunden"));
        QCOMPARE(w.StatusPanel()->text(), QStringLiteral("COM1 geöffnet\nVerbunden"));
        QCOMPARE(w.statusText(), QStringLiteral("COM1 geöffnet\rVerbunden"));
        QCOMPARE(w.StatusPanel()->height(), 45);
    }

    void teachInControls() {
        TFMain w;
        QVERIFY(w.LadeLabel()->isHidden());
        QVERIFY(w.Anzeige1()->isHidden());
        QCOMPARE(w.LadeLabel()->text(),
                 QStringLiteral("Einlesen der Systemumgebung!!!\n Anlernen der angeschlossenen "
                                "Steuerungen."));
        QVERIFY(w.LadeLabel()->font().bold());
        QCOMPARE(w.Comments()->text(), QStringLiteral("Assynchrone Messwertspeicherung und\n"
                                                      "Visualisierung in Zusammenarbeit mit"));
        QCOMPARE(w.VersionLabel()->text(), QStringLiteral("Version 3.0.5"));
        QVERIFY(w.ProductName()->font().bold());
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainWindow.moc"
