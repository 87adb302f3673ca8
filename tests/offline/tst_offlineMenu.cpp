// The offline readout opened from the main window's menu in the running program: it reads
// the selected plant with the poll stopped around its exchanges and leaves it running.
#include "tests/ui/UiTestSupport.h"

#include "core/Daten.h"
#include "core/MainProgram.h"
#include "core/ProgramDir.h"
#include "core/Settings.h"
#include "sim/Simulator.h"
#include "storage/UDatenLesen1.h"

#include <QAction>
#include <QtTest>
#include <memory>

class TestOfflineMenu : public QObject {
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

    void readoutFromMenu() {
        sim::Simulator gateway;
        gateway.setTimeFactor(0);
        gateway.plant(2).present = true;
        gateway.plant(2).switchedOn = true;
        gateway.addStoredRecords(2, 2);
        QVERIFY(gateway.listenTcp(0));
        QFile ini(ProgramDir::iniPath());
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[COM]\r\nLAYER=1\r\nNETADR=127.0.0.1\r\nNETPORT=" +
                  QByteArray::number(gateway.tcpPort()) +
                  "\r\nTIMEOUT=20\r\n[2]\r\nPfad=" + dir->path().toUtf8() + "\r\n");
        ini.close();
        MainProgram program;
        QSignalSpy finished(&program.poll(), &TeachInPoll::teachInFinished);
        QVERIFY(finished.wait(10000));
        QCOMPARE(Daten::SelectedPlant, 2);
        QVERIFY(program.poll().LeseTimer.isActive());

        bool pollStoppedForReadout = true;
        connect(&gateway, &sim::Simulator::frameReceived, this, [&](const QByteArray& f) {
            if (f.mid(1) == "r" || f.mid(1) == "G")
                pollStoppedForReadout =
                    pollStoppedForReadout && !program.poll().LeseTimer.isActive();
        });
        int rows = -1;
        QTimer driver;
        connect(&driver, &QTimer::timeout, this, [&] {
            auto* w = qobject_cast<TFDatenLesen1*>(QApplication::activeModalWidget());
            if (!w || rows >= 0)
                return;
            UiTest::BoxAnswer done;
            w->DatenAuslesen();
            rows = w->RowsFilled();
            w->close();
        });
        driver.start(10);
        QAction* item = program.window().menuItem(QStringLiteral("OfflineDatenItem"));
        QVERIFY(item && item->isEnabled());
        item->trigger();

        QCOMPARE(rows, 2);
        QVERIFY(pollStoppedForReadout);
        QCOMPARE(gateway.storedRecordCount(2), 0);
        QCOMPARE(Daten::Anlage[2].Anzahl, 2);
        QVERIFY(program.poll().LeseTimer.isActive());
    }
};

QTEST_MAIN(TestOfflineMenu)
#include "tst_offlineMenu.moc"
