// Switching the language at run time, keeping the choice, and windows that follow it.
#include "UiTestSupport.h"

#include "core/Daten.h"
#include "core/Language.h"
#include "core/ProgramDir.h"
#include "core/UMain.h"
#include "evaluation/UAbout.h"

#include <QLabel>
#include <QMenu>
#include <QSettings>
#include <QtTest>

class TestLanguage : public QObject {
    Q_OBJECT
    QTemporaryDir userSettings;
    QTemporaryDir programDir;

private slots:
    void initTestCase() {
        UiTest::isolateUserSettings(userSettings);
        ProgramDir::setOverride(programDir.path());
    }

    void init() {
        ResetProcessState();
        QSettings(QStringLiteral("O2-Humivo"), QStringLiteral("Locales")).clear();
    }

    void switchAndBack_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("menuTitle");
        QTest::addColumn<QString>("itemText");
        QTest::addColumn<QString>("comments");
        QTest::newRow("English") << "LanguageEn"
                                 << "en"
                                 << "Exit"
                                 << "E&xit"
                                 << "Asynchronous measurement storage and\n"
                                    "visualisation in cooperation with";
        QTest::newRow("French") << "LanguageFr"
                                << "fr"
                                << "Quitter"
                                << "&Quitter"
                                << "Enregistrement asynchrone des mesures et\n"
                                   "visualisation en collaboration avec";
    }
    void switchAndBack() {
        QFETCH(QString, item);
        QFETCH(QString, code);
        QFETCH(QString, menuTitle);
        QFETCH(QString, itemText);
        QFETCH(QString, comments);
        TFMain w;
        QMenu* ende = w.menu("EndeMenu");
        QCOMPARE(ende->title(), QStringLiteral("Ende"));

        w.menuItem(item)->trigger();
        QTRY_COMPARE(ende->title(), menuTitle);
        QCOMPARE(w.menuItem("EndeItem")->text(), itemText);
        QCOMPARE(w.Comments()->text(), comments);
        QVERIFY(w.menuItem(item)->isChecked());
        QVERIFY(!w.menuItem("LanguageDe")->isChecked());
        QCOMPARE(Language::stored(), code);
        // The caption keeps the product name and the plant range.
        QCOMPARE(w.windowTitle(), QStringLiteral("O2- Aerolis a-1 .. 32"));
        // Language names stay in their own language.
        QCOMPARE(w.menuItem("LanguageDe")->text(), QStringLiteral("Deutsch"));

        w.menuItem("LanguageDe")->trigger();
        QTRY_COMPARE(ende->title(), QStringLiteral("Ende"));
        QCOMPARE(w.menuItem("EndeItem")->text(), QStringLiteral("&Ende"));
        QCOMPARE(Language::stored(), QStringLiteral("de"));
    }

    void choiceRestoredAtStart() {
        QVERIFY(Language::choose(Language::English));
        Language::resetState(); // as at a new start
        TFMain w;
        QCOMPARE(Language::current(), QStringLiteral("en"));
        QTRY_COMPARE(w.menu("EndeMenu")->title(), QStringLiteral("Exit"));
        QVERIFY(w.menuItem("LanguageEn")->isChecked());
    }

    void unknownChoiceMeansGerman() {
        QSettings(QStringLiteral("O2-Humivo"), QStringLiteral("Locales"))
            .setValue("Language", "xx");
        QCOMPARE(Language::stored(), QStringLiteral("de"));
        QVERIFY(!Language::choose(QStringLiteral("xx")));
        QCOMPARE(Language::current(), QStringLiteral("de"));
    }

    void openWindowFollows() {
        TFMain w;
        TFAbout about(w);
        about.show();
        QCOMPARE(about.windowTitle(), QStringLiteral("Info"));
        Language::choose(Language::French);
        QTRY_COMPARE(about.windowTitle(), QStringLiteral("À propos"));
        Language::choose(Language::German);
        QTRY_COMPARE(about.windowTitle(), QStringLiteral("Info"));
    }
};

QTEST_MAIN(TestLanguage)
#include "tst_language.moc"
