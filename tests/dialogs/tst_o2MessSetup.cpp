// The controller setup dialog against the simulated controllers: what it shows for a loaded
// set, which frames reach the controller for which edits, and the plant switch.
#include "SimulatedPlants.h"
#include "ui/UiTestSupport.h"

#include "display/UO2MessSetup.h"
#include "link/Operations.h"
#include "link/Protocol.h"

#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTabBar>

using namespace Kommunikation;

class TestO2MessSetup : public QObject {
    Q_OBJECT
    QTemporaryDir userSettings;
    std::unique_ptr<SimulatedPlants> plants;

    // Waits until a status request sent now has reached the simulator, so that every frame
    // the dialog sent before it is in frames().
    void settle(int address = 2) {
        RequestStatus(address);
        const QString marker = QString::number(address) + QStringLiteral("c");
        QTRY_VERIFY_WITH_TIMEOUT(
            !plants->frames().isEmpty() && plants->frames().last().startsWith(marker), 5000);
        QTRY_COMPARE(int(ReplyCode), int(CmdReadStatus));
    }

    static void setField(TFO2MessSetup& d, const QString& name, double value) {
        if (auto* o2 = d.findChild<QDoubleSpinBox*>(name))
            o2->setValue(value);
        else if (auto* m = d.findChild<QSpinBox*>(name))
            m->setValue(int(value));
        else
            QFAIL(qPrintable(name));
    }

private slots:
    void initTestCase() { UiTest::isolateUserSettings(userSettings); }
    void init() {
        ResetProcessState();
        plants = std::make_unique<SimulatedPlants>();
        // 2 and 3 run piles, 4 is present without one; the others are absent.
        QVERIFY(plants->start({2, 3}, {4}));
        sim::PlantState& three = plants->simulator.plant(3);
        three.storageInterval = 45;
        three.o2On = 80;
        three.o2Off = 100;
        QVERIFY(ReadSetup(2));
        plants->simulator.clearFrames();
    }
    void cleanup() { plants.reset(); }

    void loadedPairTooClose() {
        plants->simulator.plant(2).o2Off = 51;
        QVERIFY(ReadSetup(2));
        TFO2MessSetup d(2);
        QCOMPARE(d.O2EINEdit->value(), 4.9);
        QCOMPARE(d.O2AUSEdit->value(), 5.1);
        QCOMPARE(d.MieteName->text(), QStringLiteral("Miete2"));
        QVERIFY(!SetupRules::anyChange(d.changeMarks()));
        plants->simulator.clearFrames();
        d.OKBtn->click();
        QCOMPARE(d.result(), int(QDialog::Accepted));
        settle();
        QCOMPARE(plants->setFrames(), QStringList());
    }

    void sends_data() {
        QTest::addColumn<QStringList>("edits"); // field=value, in this order
        QTest::addColumn<QStringList>("sent");
        QTest::newRow("storage interval only")
            << QStringList{"SpeicherEdit=20"} << QStringList{"2I0020"};
        QTest::newRow("O2 on 0.3") << QStringList{"O2EINEdit=0.3"} << QStringList{"2p00030070"};
        QTest::newRow("O2 on 12.2 pushes off")
            << QStringList{"O2EINEdit=12.2"} << QStringList{"2p01220124"};
        QTest::newRow("O2 off 20.8") << QStringList{"O2AUSEdit=20.8"} << QStringList{"2p00500208"};
        QTest::newRow("O2 on 21.0") << QStringList{"O2EINEdit=21"} << QStringList{"2p02080210"};
        QTest::newRow("one safety time")
            << QStringList{"NotAUSEdit=25"} << QStringList{"2n00100025"};
        QTest::newRow("every group, sent in fixed order")
            << QStringList{"MaxAUSEdit=61", "NotEINEdit=11", "IntAUSEdit=62",
                           "IntEINEdit=31", "O2AUSEdit=7.5", "SpeicherEdit=1440"}
            << QStringList{"2I1440", "2p00500075", "2E0031", "2O0062", "2n00110020", "2N01200061"};
        QTest::newRow("value set back still counts")
            << QStringList{"IntEINEdit=31", "IntEINEdit=30"} << QStringList{"2E0030"};
    }
    void sends() {
        QFETCH(QStringList, edits);
        QFETCH(QStringList, sent);
        TFO2MessSetup d(2);
        for (const QString& e : edits)
            setField(d, e.section('=', 0, 0), e.section('=', 1).toDouble());
        d.OKBtn->click();
        settle();
        QCOMPARE(plants->setFrames(), sent);
        // The dialog leaves SetupValues to the next read.
        QCOMPARE(Daten::SetupValues.StorageInterval, 15);
    }

    void cancelSendsNothing() {
        TFO2MessSetup d(2);
        d.SpeicherEdit->setValue(99);
        d.CancelBtn->click();
        QCOMPARE(d.result(), int(QDialog::Rejected));
        settle();
        QCOMPARE(plants->setFrames(), QStringList());
    }

    void pendingChangesOnSwitch_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QStringList>("sent");
        QTest::newRow("No discards") << "&Nein" << QStringList{};
        QTest::newRow("Yes sends to the plant shown") << "&Ja" << QStringList{"2I0020"};
    }
    void pendingChangesOnSwitch() {
        QFETCH(QString, answer);
        QFETCH(QStringList, sent);
        TFO2MessSetup d(2);
        d.SpeicherEdit->setValue(20);
        UiTest::BoxAnswer box(answer);
        d.TabControl1->setCurrentIndex(2);
        QCOMPARE(box.seen, 1);
        QCOMPARE(box.text, QStringLiteral("Setup gändert, in Steuerung laden?"));
        QCOMPARE(d.DialogPlant(), 3);
        QCOMPARE(d.SpeicherEdit->value(), 45);
        QCOMPARE(d.O2EINEdit->value(), 8.0);
        QVERIFY(!SetupRules::anyChange(d.changeMarks()));
        QVERIFY(plants->poll->LeseTimer.isActive());
        plants->poll->StopTimer();
        settle(3);
        QCOMPARE(plants->setFrames(), sent);
        // Nothing pending for the new plant: OK sends nothing.
        plants->simulator.clearFrames();
        d.OKBtn->click();
        settle(3);
        QCOMPARE(plants->setFrames(), QStringList());
    }

    void switchTarget_data() {
        QTest::addColumn<int>("plant");
        QTest::addColumn<bool>("silent");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::newRow("running pile") << 3 << false << true << "Miete3"
                                      << "";
        QTest::newRow("switched off")
            << 4 << false << true << "Angeschlossene ANLAGE ist abgeschaltet!!"
            << "";
        QTest::newRow("absent") << 5 << false << false << "KEINE ANLAGE ANGESCHLOSSEN!!"
                                << "";
        QTest::newRow("not answering")
            << 3 << true << false << "Miete3"
            << "TIMEOUT, bei der seriellen Kommunikation!\nBitte Kabel und PC- Einstellung "
               "überprüfen!\nBitte Kabel und PC- Einstellung überprüfen!";
    }
    void switchTarget() {
        QFETCH(int, plant);
        QFETCH(bool, silent);
        QFETCH(bool, enabled);
        QFETCH(QString, name);
        QFETCH(QString, message);
        if (silent)
            plants->simulator.setReplyOverride(plant, 'R', QByteArray());
        TFO2MessSetup d(2);
        UiTest::BoxAnswer box;
        d.TabControl1->setCurrentIndex(plant - 1);
        QCOMPARE(d.DialogPlant(), plant);
        QCOMPARE(d.MieteName->text(), name);
        QCOMPARE(box.seen, message.isEmpty() ? 0 : 1);
        QCOMPARE(box.text, message);
        for (QAbstractSpinBox* f : d.findChildren<QAbstractSpinBox*>())
            QCOMPARE(f->isEnabled(), enabled);
        QVERIFY(d.isEnabled());
        if (!enabled) // the previous plant's values stay in view
            QCOMPARE(d.SpeicherEdit->value(), 15);
        plants->poll->StopTimer();
        d.OKBtn->click();
        settle();
        QCOMPARE(plants->setFrames(), QStringList());
        if (!Daten::Anlage[plant].Present) // not even a read
            QCOMPARE(plants->frames().size(), 1);
    }
};

QTEST_MAIN(TestO2MessSetup)
#include "tst_o2MessSetup.moc"
