// The main window's two menu items open the protocol viewer modally in their mode.
#include "ui/UiTestSupport.h"

#include "core/Daten.h"
#include "core/MainProgram.h"
#include "core/ProgramDir.h"
#include "core/Settings.h"
#include "core/TeachIn.h"
#include "core/UMain.h"
#include "evaluation/UCSV_Lesen.h"
#include "sim/Simulator.h"

#include <QAction>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

class TestViewerMenu : public QObject {
    Q_OBJECT
    QTemporaryDir userSettings;
    std::unique_ptr<QTemporaryDir> dir;

private slots:
    void initTestCase() { UiTest::isolateUserSettings(userSettings); }
    void init() {
        ResetProcessState();
        dir = std::make_unique<QTemporaryDir>();
        ProgramDir::setOverride(dir->path());
    }
    void cleanup() { Settings::close(); }

    void opensInItsMode_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<bool>("quality");
        QTest::addColumn<QString>("title");
        QTest::newRow("Mess&werte drucken")
            << "MesswerteDruckenItem" << false << "Humivo Protokoll";
        QTest::newRow("&Protokoll Gütegemeinschaft")
            << "ProtokollItem" << true << "Humivo Protokoll Gütegemeinschaft";
    }
    void opensInItsMode() {
        QFETCH(QString, item);
        QFETCH(bool, quality);
        QFETCH(QString, title);
        sim::Simulator gateway;
        QVERIFY(gateway.listenTcp(0));
        QFile ini(ProgramDir::iniPath());
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[COM]\r\nLAYER=1\r\nNETADR=127.0.0.1\r\nNETPORT=" +
                  QByteArray::number(gateway.tcpPort()) + "\r\nTIMEOUT=20\r\n");
        ini.close();
        MainProgram program;
        QSignalSpy finished(&program.poll(), &TeachInPoll::teachInFinished);
        QVERIFY(finished.wait(10000));
        QAction* a = program.window().menuItem(item);
        QVERIFY(a && a->isEnabled());

        QPointer<TFCSV_Lesen> seen;
        QString seenTitle;
        bool seenQuality = !quality;
        QTimer closer;
        connect(&closer, &QTimer::timeout, [&] {
            auto* v = qobject_cast<TFCSV_Lesen*>(QApplication::activeModalWidget());
            if (!v || seen)
                return;
            seen = v;
            seenTitle = v->windowTitle();
            seenQuality = v->QualityMode;
            v->menuItem(QStringLiteral("Ende2"))->trigger();
        });
        closer.start(10);
        a->trigger();
        closer.stop();
        QCOMPARE(seenTitle, title);
        QCOMPARE(seenQuality, quality);
        // Destroyed when it closed.
        QVERIFY(seen.isNull());
    }
};

QTEST_MAIN(TestViewerMenu)
#include "tst_viewerMenu.moc"
