// The busy window: its frame, where ShowProgress puts it, its progress and the cancel flag.
#include "storage/UAktiv.h"

#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <QtTest>

class TestBusyWindow : public QObject {
    Q_OBJECT

private slots:
    void frame() {
        TFAktiv w;
        QVERIFY(w.windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(w.size(), QSize(296, 113));
        QCOMPARE(w.StaticText1()->geometry(), QRect(8, 8, 281, 73));
        QCOMPARE(w.ProgressBar1()->geometry(), QRect(8, 88, 281, 17));
        QCOMPARE(w.StaticText1()->font().pixelSize(), 20);
        QCOMPARE(TFAktiv::instance(), &w);
    }

    // Left edge at the form's middle - 100, top edge at its middle - 50, halves truncated;
    // a form partly off screen puts the window partly off screen too.
    void placement_data() {
        QTest::addColumn<QRect>("form");
        QTest::addColumn<QPoint>("at");
        QTest::newRow("on screen") << QRect(100, 200, 400, 300) << QPoint(200, 300);
        QTest::newRow("odd size") << QRect(0, 0, 301, 101) << QPoint(50, 0);
        QTest::newRow("small form") << QRect(10, 10, 100, 50) << QPoint(-40, -15);
        QTest::newRow("off the left edge") << QRect(-500, 40, 301, 99) << QPoint(-450, 39);
    }
    void placement() {
        QFETCH(QRect, form);
        QFETCH(QPoint, at);
        QCOMPARE(TFAktiv::PlacementFor(form), at);
    }

    void showProgressOverForm() {
        QWidget form;
        form.setGeometry(100, 200, 400, 300);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        TFAktiv w;
        w.StaticText1Click();
        QVERIFY(w.Cancelled());
        w.ShowProgress(&form, 5);
        QVERIFY(w.isVisible());
        QVERIFY(!w.Cancelled());
        QCOMPARE(w.pos(), TFAktiv::PlacementFor(form.frameGeometry()));
        QCOMPARE(w.ProgressBar1()->maximum(), 5);
        QCOMPARE(w.ProgressBar1()->value(), 1);
        w.StepProgress();
        QCOMPARE(w.ProgressBar1()->value(), 2);
        // A click on the notice asks for a stop and does nothing else.
        QTest::mouseClick(w.StaticText1(), Qt::LeftButton);
        QVERIFY(w.Cancelled());
        QVERIFY(w.isVisible());
        QCOMPARE(w.ProgressBar1()->value(), 2);
    }

    // Shown over a modal form, the window belongs to it (above it and reachable); hidden,
    // it goes back to its owner, so the form may close without taking it along.
    void belongsToTheFormWhileShown() {
        QWidget owner;
        auto* busy = new TFAktiv(&owner);
        QPointer<TFAktiv> guard(busy);
        {
            QDialog form;
            form.setGeometry(300, 300, 200, 100);
            form.open();
            busy->ShowProgress(&form, 3);
            QCOMPARE(busy->parentWidget(), &form);
            QVERIFY(busy->isWindow());
            QVERIFY(busy->isVisible());
            QVERIFY(busy->windowFlags() & Qt::FramelessWindowHint);
            busy->HideProgress();
            QCOMPARE(busy->parentWidget(), &owner);
            QVERIFY(!busy->isVisible());
        }
        QVERIFY(guard);
        QCOMPARE(TFAktiv::instance(), busy);
    }
};

QTEST_MAIN(TestBusyWindow)
#include "tst_busyWindow.moc"
