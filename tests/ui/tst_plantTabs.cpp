// Plant tab strips: captions with the display offset, and no change signal from code.
#include "core/Daten.h"
#include "core/KompUtils.h"
#include "core/PlantTabs.h"

#include <QSignalSpy>
#include <QTabBar>
#include <QtTest>

class TestPlantTabs : public QObject {
    Q_OBJECT

private slots:
    void init() { ResetProcessState(); }

    void captions_data() {
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::newRow("default") << 0 << 32 << "1"
                                 << "32";
        QTest::newRow("DISPOFFSET 10") << 9 << 32 << "10"
                                       << "41";
        QTest::newRow("DISPOFFSET 33") << 32 << 32 << "33"
                                       << "64";
        QTest::newRow("three tabs") << 0 << 3 << "1"
                                    << "3";
    }
    void captions() {
        QFETCH(int, offset);
        QFETCH(int, count);
        QFETCH(QString, first);
        QFETCH(QString, last);
        KompUtils::DisplayOffset = offset;
        QTabBar tabs;
        tabs.addTab(QStringLiteral("alt"));
        tabs.addTab(QStringLiteral("alt 2"));
        SelectPlantTab(&tabs, 1);
        QSignalSpy changed(&tabs, &QTabBar::currentChanged);
        FillPlantTabs(&tabs, count);
        QCOMPARE(tabs.count(), count);
        QCOMPARE(tabs.tabText(0), first);
        QCOMPARE(tabs.tabText(count - 1), last);
        QCOMPARE(tabs.currentIndex(), 0);
        QCOMPARE(changed.count(), 0);
    }

    void selectWithoutChangeSignal() {
        QTabBar tabs;
        FillPlantTabs(&tabs, 32);
        QSignalSpy changed(&tabs, &QTabBar::currentChanged);
        SelectPlantTab(&tabs, 6);
        QCOMPARE(tabs.currentIndex(), 6);
        SelectPlantTab(&tabs, 32); // out of range: nothing
        SelectPlantTab(&tabs, -1);
        QCOMPARE(tabs.currentIndex(), 6);
        QCOMPARE(changed.count(), 0);
        FillPlantTabs(nullptr, 3);
        FillPlantTabs(&tabs, 0);
        QCOMPARE(tabs.count(), 0);
    }
};

QTEST_MAIN(TestPlantTabs)
#include "tst_plantTabs.moc"
