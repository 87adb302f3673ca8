// The about window shows what the main window shows.
#include "UiTestSupport.h"

#include "core/Daten.h"
#include "core/ProgramDir.h"
#include "core/UMain.h"
#include "evaluation/UAbout.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

class TestAbout : public QObject {
    Q_OBJECT
    QTemporaryDir userSettings;
    QTemporaryDir programDir;

private slots:
    void initTestCase() {
        UiTest::isolateUserSettings(userSettings);
        ProgramDir::setOverride(programDir.path());
    }
    void init() { ResetProcessState(); }

    void copiesTheMainWindow() {
        TFMain w;
        w.ProductName()->setText(QStringLiteral("O2- Aerolis a"));
        w.VersionLabel()->setText(QStringLiteral("Version 9.9"));
        TFAbout about(w);
        QCOMPARE(about.windowTitle(), QStringLiteral("Info"));
        QCOMPARE(about.ProductName()->text(), QStringLiteral("O2- Aerolis a"));
        QCOMPARE(about.Version()->text(), QStringLiteral("Version 9.9"));
        QCOMPARE(about.Comments()->text(), w.Comments()->text());
        QCOMPARE(about.ProgramLogo()->pixmap().toImage(), w.programLogoPixmap().toImage());
        QVERIFY(about.ProductName()->font().bold());
        QCOMPARE(about.ProductName()->font().pointSize(), 12);
        QCOMPARE(about.Version()->font().pointSize(), 10);
        QVERIFY(about.Comments()->wordWrap());
        QCOMPARE(about.OKButton()->text(), QStringLiteral("OK"));
        QVERIFY(about.OKButton()->isDefault());
        QCOMPARE(about.size(), QSize(348, 215));
        // Centred on the main window (to the pixel that rounding allows).
        QVERIFY((about.frameGeometry().center() - w.frameGeometry().center()).manhattanLength() <=
                2);
    }

    void infoItemOpensAndOkCloses() {
        TFMain w;
        QString shownProduct;
        QTimer::singleShot(0, [&] {
            auto* about = qobject_cast<TFAbout*>(QApplication::activeModalWidget());
            QVERIFY(about);
            shownProduct = about->ProductName()->text();
            about->OKButton()->click();
        });
        w.menuItem("InfoItem")->trigger();
        QCOMPARE(shownProduct, QStringLiteral("O2- Aerolis a"));
        QVERIFY(!QApplication::activeModalWidget());
    }
};

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
