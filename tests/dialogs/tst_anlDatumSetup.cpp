// The controller clock dialog against the simulated controllers: it shows the clock text of
// the plant of the chosen tab and sets that plant's clock from the PC clock.
#include "SimulatedPlants.h"
#include "ui/UiTestSupport.h"

#include "display/UAnlDatumSet.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>

class TestAnlDatumSetup : public QObject {
    Q_OBJECT
    QTemporaryDir userSettings;
    std::unique_ptr<SimulatedPlants> plants;
    // A controller's clock is a plain reading, kept as UTC so that no zone shifts it.
    const QDateTime oldClock{QDate(2001, 2, 3), QTime(4, 5, 6), Qt::UTC};

private slots:
    void initTestCase() { UiTest::isolateUserSettings(userSettings); }
    void init() {
        ResetProcessState();
        plants = std::make_unique<SimulatedPlants>();
        QVERIFY(plants->start({2, 3}, {4}));
        plants->simulator.setTimeFactor(0);
        plants->simulator.setClock(oldClock);
    }
    void cleanup() { plants.reset(); }

    void opensOnSelectedPlant() {
        TFAnlDatumSetup d(2);
        QCOMPARE(d.DialogPlant(), 2);
        QCOMPARE(d.TabControl1->currentIndex(), 1);
        QCOMPARE(d.MieteName->text(), QStringLiteral("Miete2"));
        QCOMPARE(d.Edit1->text(),
                 QStringLiteral("T Datum 03.02.01 Zeit 04:05:06").leftJustified(30));
        QVERIFY(d.SetBtn->isEnabled());
    }

    void chosenTab_data() {
        QTest::addColumn<int>("plant");
        QTest::addColumn<bool>("silent");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("clockShown");
        QTest::addColumn<bool>("canSet");
        QTest::newRow("running pile") << 3 << false << "Miete3" << true << true;
        QTest::newRow("switched off")
            << 4 << false << "Angeschlossene ANLAGE ist abgeschaltet!!" << true << true;
        QTest::newRow("not answering") << 3 << true << "Miete3" << false << true;
        QTest::newRow("absent") << 7 << false << "KEINE ANLAGE ANGESCHLOSSEN!!" << false << false;
    }
    void chosenTab() {
        QFETCH(int, plant);
        QFETCH(bool, silent);
        QFETCH(QString, name);
        QFETCH(bool, clockShown);
        QFETCH(bool, canSet);
        if (silent)
            plants->simulator.setReplyOverride(plant, '6', QByteArray());
        TFAnlDatumSetup d(2);
        d.TabControl1->setCurrentIndex(plant - 1);
        QCOMPARE(d.DialogPlant(), plant);
        QCOMPARE(d.MieteName->text(), name);
        QCOMPARE(d.Edit1->text().isEmpty(), !clockShown);
        QCOMPARE(d.SetBtn->isEnabled(), canSet);
        QVERIFY(d.isEnabled());
    }

    void setsClockOfChosenPlant() {
        TFAnlDatumSetup d(2);
        d.TabControl1->setCurrentIndex(2);
        plants->simulator.clearFrames();
        const QDateTime before = QDateTime::currentDateTime();
        d.SetBtn->click();
        const QDateTime after = QDateTime::currentDateTime();
        const QStringList frames = plants->frames();
        QCOMPARE(frames.size(), 3);
        QVERIFY2(frames[0].startsWith(QLatin1String("3D")), qPrintable(frames[0]));
        QVERIFY2(frames[1].startsWith(QLatin1String("3Z")), qPrintable(frames[1]));
        QVERIFY2(frames[2].startsWith(QLatin1String("36")), qPrintable(frames[2]));
        // The new clock text is plant 3's, set from the PC clock; plant 2 keeps its clock.
        const QString shown = d.Edit1->text();
        bool matches = false;
        for (const QDateTime& t : {before, after})
            matches = matches || shown.startsWith(QStringLiteral("T Datum ") +
                                                  t.toString(QStringLiteral("dd.MM.yy")) +
                                                  QStringLiteral(" Zeit ") +
                                                  t.toString(QStringLiteral("HH:mm")));
        QVERIFY2(matches, qPrintable(shown));
        QCOMPARE(plants->simulator.plant(2).clock, oldClock);
    }
};

QTEST_MAIN(TestAnlDatumSetup)
#include "tst_anlDatumSetup.moc"
