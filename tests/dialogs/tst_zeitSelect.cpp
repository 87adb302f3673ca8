// The readout-hour dialog and the main window's "Speicher&zeit" flow: the buttons, at most
// one down, the placement, and what OK and "Abbruch" leave in ReadoutHour and "ZEIT".
#include "ui/UiTestSupport.h"

#include "core/Daten.h"
#include "core/ProgramDir.h"
#include "core/Settings.h"
#include "display/UZeitSelect.h"

#include <QAbstractButton>
#include <QPushButton>
#include <QtTest>
#include <functional>

class TestZeitSelect : public QObject {
    Q_OBJECT
    QTemporaryDir userSettings;
    std::unique_ptr<QTemporaryDir> dir;

    // Runs `act` on the readout-hour dialog once it is shown modally.
    static void whenShown(std::function<void(TFZeitSelect*)> act) {
        auto* timer = new QTimer;
        QObject::connect(timer, &QTimer::timeout, timer, [timer, act] {
            auto* d = qobject_cast<TFZeitSelect*>(QApplication::activeModalWidget());
            if (!d || !d->isVisible())
                return;
            timer->stop();
            timer->deleteLater();
            act(d);
        });
        timer->start(10);
    }

private slots:
    void initTestCase() { UiTest::isolateUserSettings(userSettings); }
    void init() {
        ResetProcessState();
        dir = std::make_unique<QTemporaryDir>();
        ProgramDir::setOverride(dir->path());
        Settings::open(ProgramDir::iniPath());
    }
    void cleanup() { Settings::close(); }

    void buttons() {
        TFZeitSelect d;
        QCOMPARE(d.windowTitle(), QStringLiteral("Speicherzeit auswählen"));
        QCOMPARE(d.button(1)->text(), QStringLiteral("OFF"));
        QCOMPARE(d.button(2)->text(), QStringLiteral(" 1h"));
        QCOMPARE(d.button(10)->text(), QStringLiteral(" 9h"));
        QCOMPARE(d.button(11)->text(), QStringLiteral("10h"));
        QCOMPARE(d.button(25)->text(), QStringLiteral("24h"));
        QCOMPARE(d.button(25)->size(), QSize(30, 24));
        // Five rows: "OFF" alone, then six hours to a row.
        QSet<int> rows;
        for (int n = 1; n <= TFZeitSelect::ButtonCount; ++n)
            rows << d.button(n)->y();
        QCOMPARE(rows.size(), 5);
        QCOMPARE(d.button(8)->y(), d.button(13)->y());
        QVERIFY(d.button(14)->y() > d.button(13)->y());
        QCOMPARE(d.OKBtn->text(), QStringLiteral("OK"));
        QCOMPARE(d.CancelBtn->text(), QStringLiteral("Abbruch"));
    }

    void atMostOneDown_data() {
        QTest::addColumn<int>("preset");
        QTest::addColumn<QList<int>>("clicks"); // button numbers
        QTest::addColumn<int>("hour");
        QTest::newRow("preset only") << 6 << QList<int>{} << 6;
        QTest::newRow("another hour") << 6 << QList<int>{25} << 24;
        QTest::newRow("OFF") << 6 << QList<int>{1} << 0;
        QTest::newRow("down button released") << 6 << QList<int>{7} << -1;
        QTest::newRow("released, then chosen") << 6 << QList<int>{7, 3} << 2;
        QTest::newRow("several clicks") << 0 << QList<int>{5, 9, 12} << 11;
    }
    void atMostOneDown() {
        QFETCH(int, preset);
        QFETCH(QList<int>, clicks);
        QFETCH(int, hour);
        TFZeitSelect d;
        d.setHour(preset);
        for (int n : clicks)
            d.button(n)->click();
        QCOMPARE(d.hour(), hour);
        int down = 0;
        for (int n = 1; n <= TFZeitSelect::ButtonCount; ++n)
            down += d.button(n)->isChecked() ? 1 : 0;
        QCOMPARE(down, hour < 0 ? 0 : 1);
    }

    void mainWindowFlow_data() {
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("click"); // button number, 0 for none
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("after");
        QTest::addColumn<int>("stored"); // -1: "ZEIT" not written
        QTest::newRow("24h") << 6 << 25 << true << 24 << 24;
        QTest::newRow("OFF") << 6 << 1 << true << 0 << 0;
        QTest::newRow("cancel") << 6 << 25 << false << 6 << -1;
        QTest::newRow("same hour") << 6 << 0 << true << 6 << -1;
        QTest::newRow("none down") << 6 << 7 << true << 6 << -1;
    }
    void mainWindowFlow() {
        QFETCH(int, before);
        QFETCH(int, click);
        QFETCH(bool, ok);
        QFETCH(int, after);
        QFETCH(int, stored);
        Settings::ReadoutHour = before;
        Settings::ComputeBackupDue();
        QWidget mainWindow;
        mainWindow.resize(300, 200);
        mainWindow.move(120, 80);
        mainWindow.show();
        QPoint placed;
        int presetShown = -2;
        whenShown([&](TFZeitSelect* d) {
            placed = d->pos() - mainWindow.frameGeometry().topLeft();
            presetShown = d->hour();
            if (click)
                d->button(click)->click();
            (ok ? d->OKBtn : d->CancelBtn)->click();
        });
        ChooseReadoutHour(&mainWindow);
        QCOMPARE(placed, QPoint(100, 50));
        QCOMPARE(presetShown, before);
        QCOMPARE(Settings::ReadoutHour, after);
        QCOMPARE(Settings::file().readInteger(Keys::Com, Keys::ReadoutHour, -1), stored);
        QCOMPARE(Settings::BackupEnabled, after != 0);
        if (after == 24)
            QCOMPARE(Settings::BackupDue, QDateTime(QDate::currentDate().addDays(1), QTime(0, 0)));
    }
};

QTEST_MAIN(TestZeitSelect)
#include "tst_zeitSelect.moc"
