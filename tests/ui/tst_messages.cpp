// The four message kinds: titles, buttons, line breaks, and the confirmation's answer.
#include "UiTestSupport.h"

#include "core/Messages.h"

#include <QtTest>

class TestMessages : public QObject {
    Q_OBJECT

private slots:
    void kinds_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QMessageBox::Icon>("icon");
        QTest::newRow("information") << "information"
                                     << "Informationen" << QMessageBox::Information;
        QTest::newRow("warning") << "warning"
                                 << "Warnung" << QMessageBox::Warning;
        QTest::newRow("error") << "error"
                               << "Fehler" << QMessageBox::Critical;
    }
    void kinds() {
        QFETCH(QString, kind);
        QFETCH(QString, title);
        QFETCH(QMessageBox::Icon, icon);
        QMessageBox::Icon shownIcon = QMessageBox::NoIcon;
        QTimer probe;
        connect(&probe, &QTimer::timeout, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                shownIcon = box->icon();
        });
        probe.start(5);
        UiTest::BoxAnswer answer;
        const QString text = QStringLiteral("Erste Zeile\rZweite Zeile\r\nDritte <b>Zeile</b>");
        if (kind == "information")
            Messages::information(text);
        else if (kind == "warning")
            Messages::warning(text);
        else
            Messages::error(text);
        QCOMPARE(answer.seen, 1);
        QCOMPARE(answer.title, title);
        QCOMPARE(answer.buttons, QStringList{"OK"});
        QCOMPARE(answer.text, QStringLiteral("Erste Zeile\nZweite Zeile\nDritte <b>Zeile</b>"));
        QCOMPARE(shownIcon, icon);
    }

    void confirmation_data() {
        QTest::addColumn<QString>("press");
        QTest::addColumn<bool>("result");
        QTest::newRow("Ja") << "&Ja" << true;
        QTest::newRow("Nein") << "&Nein" << false;
        QTest::newRow("default button") << QString() << true;
    }
    void confirmation() {
        QFETCH(QString, press);
        QFETCH(bool, result);
        UiTest::BoxAnswer answer(press);
        QCOMPARE(Messages::confirmation(QStringLiteral("Miete beenden?")), result);
        QCOMPARE(answer.title, QStringLiteral("Bestätigung"));
        QCOMPARE(answer.buttons, QStringList({"&Ja", "&Nein"}));
    }

    void confirmationEscapeSaysNo() {
        QTimer esc;
        connect(&esc, &QTimer::timeout, [] {
            if (QWidget* box = QApplication::activeModalWidget())
                QTest::keyClick(box, Qt::Key_Escape);
        });
        esc.start(10);
        QVERIFY(!Messages::confirmation(QStringLiteral("Wirklich?")));
    }
};

QTEST_MAIN(TestMessages)
#include "tst_messages.moc"
