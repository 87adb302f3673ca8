// Unit conversions, reference depth, reference caption and the small text routines.
#include "core/Daten.h"
#include "core/KompUtils.h"

#include <QtTest>

using namespace KompUtils;

class TestKompUtils : public QObject {
    Q_OBJECT
private slots:
    void init() { ResetProcessState(); }

    void conversions_data() {
        QTest::addColumn<int>("c");
        QTest::addColumn<int>("f");
        QTest::newRow("-1") << -1 << 31;
        QTest::newRow("55") << 55 << 131;
        QTest::newRow("0") << 0 << 32;
        QTest::newRow("-40") << -40 << -40;
    }
    void conversions() {
        QFETCH(int, c);
        QFETCH(int, f);
        QCOMPARE(CToF(c), f);
    }

    void lengthsAndReals() {
        QCOMPARE(CmToIn(100), 39);
        QCOMPARE(CmToIn(25), 9);
        QCOMPARE(CToFReal(55), 131.1);
        QCOMPARE(FToCReal(131), 55.1);
        QCOMPARE(CmToInReal(100), 39.1);
        // Whole part of a negative result goes toward zero.
        QCOMPARE(FToCReal(0), -17 + 0.1);
    }

    void refDepth_data() {
        QTest::addColumn<QList<int>>("t");
        QTest::addColumn<double>("ref");
        QTest::addColumn<int>("depth");
        QTest::newRow("worked example") << QList<int>{70, 60, 50, 40, 30} << 55.0 << 62;
        QTest::newRow("all reach it") << QList<int>{56, 56, 56, 56, 55} << 55.0 << 0;
        QTest::newRow("all equal to ref") << QList<int>{55, 55, 55, 55, 55} << 55.0 << 0;
        QTest::newRow("deepest below") << QList<int>{54, 60, 60, 60, 60} << 55.0 << 100;
        QTest::newRow("T1 one degree below") << QList<int>{54, 54, 54, 54, 54} << 55.0 << 100;
        QTest::newRow("between T4 and T5") << QList<int>{60, 60, 60, 56, 40} << 55.0 << 23;
        QTest::newRow("real reference") << QList<int>{56, 55, 55, 55, 55} << 55.1 << 77;
    }
    void refDepth() {
        QFETCH(QList<int>, t);
        QFETCH(double, ref);
        QFETCH(int, depth);
        RefTemp = ref;
        MeasurementRecord r;
        r.T1 = t[0], r.T2 = t[1], r.T3 = t[2], r.T4 = t[3], r.T5 = t[4];
        CalcRefDepth(r);
        QCOMPARE(r.RefDepth, depth);
    }

    void refCaption_data() {
        QTest::addColumn<double>("ref");
        QTest::addColumn<bool>("imperial");
        QTest::addColumn<QString>("caption");
        QTest::newRow("55") << 55.0 << false << QStringLiteral("s 55°C[cm]");
        QTest::newRow("55.1") << 55.1 << false << QStringLiteral("s 55°C[cm]");
        QTest::newRow("54.5 half to even") << 54.5 << false << QStringLiteral("s 54°C[cm]");
        QTest::newRow("55.5 half to even") << 55.5 << false << QStringLiteral("s 56°C[cm]");
        QTest::newRow("imperial") << 55.0 << true << QStringLiteral("s 131°F[in]");
    }
    void refCaption() {
        QFETCH(double, ref);
        QFETCH(bool, imperial);
        QFETCH(QString, caption);
        RefTemp = ref;
        ImperialUnits = imperial;
        MakeRefCaption();
        QCOMPARE(RefCaption, caption);
    }

    void plantTabs() {
        DisplayOffset = 9; // DISPOFFSET 10
        const QStringList tabs = PlantTabCaptions(32);
        QCOMPARE(tabs.size(), 32);
        QCOMPARE(tabs.first(), QStringLiteral("10"));
        QCOMPARE(tabs.last(), QStringLiteral("41"));
    }

    void splitFirst() {
        QString text = QStringLiteral("a;b"), head;
        QVERIFY(SplitFirst(QLatin1Char(';'), text, head));
        QCOMPARE(head, QStringLiteral("a"));
        QCOMPARE(text, QStringLiteral("b"));
        head = QStringLiteral("old");
        QVERIFY(SplitFirst(QLatin1Char(';'), text, head));
        QCOMPARE(head, QStringLiteral("old"));
        QCOMPARE(text, QStringLiteral("b"));
        text.clear();
        QVERIFY(!SplitFirst(QLatin1Char(';'), text, head));
        QCOMPARE(CountChar(QLatin1Char(';'), QString()), 0);
        QCOMPARE(CountChar(';', QByteArray("c1;2;;3")), 3);
    }
};

QTEST_GUILESS_MAIN(TestKompUtils)
#include "tst_kompUtils.moc"
