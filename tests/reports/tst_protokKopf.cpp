// The report header dialog: what it shows, what OK writes, and its sample preview.
#include "ReportText.h"
#include "ui/UiTestSupport.h"

#include "core/Daten.h"
#include "core/MainProgram.h"
#include "core/ProgramDir.h"
#include "core/Regional.h"
#include "core/Settings.h"
#include "storage/UProtokollKopf.h"
#include "storage/UQRKompForm.h"

#include <QAction>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QtTest>

class TestProtokKopf : public QObject {
    Q_OBJECT
    QTemporaryDir userSettings;
    std::unique_ptr<QTemporaryDir> dir;

    QByteArray iniBytes() const {
        QFile f(ProgramDir::iniPath());
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }
    void start(const QByteArray& ini) {
        QFile f(ProgramDir::iniPath());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(ini);
        f.close();
        Settings::open(ProgramDir::iniPath());
    }
    // As the user types: the entry's text replaced through the keyboard.
    static void type(QLineEdit* edit, const QString& text) {
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }

private slots:
    void initTestCase() { UiTest::isolateUserSettings(userSettings); }
    void init() {
        ResetProcessState();
        Regional::setLocaleOverride(QLocale(QLocale::German, QLocale::Germany));
        dir = std::make_unique<QTemporaryDir>();
        ProgramDir::setOverride(dir->path());
    }
    void cleanup() {
        Settings::close();
        Regional::clearLocaleOverride();
    }

    void okWritesOnlyChangedLines_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<int>("edit"); // 0 = none, else the line typed into
        QTest::addColumn<QByteArray>("written");
        const QByteArray noFirma = "[COM]\r\nCOM=1\r\n";
        const QByteArray firma = "[Firma]\r\nTitel=Werk Nord\r\nZeile2=a\r\nZeile3=b\r\n";
        QTest::newRow("no Firma section, no change")
            << noFirma << QStringList{"Firmen- Name", "* Text *", "* Text *"} << 0 << noFirma;
        QTest::newRow("no Firma section, line 2")
            << noFirma << QStringList{"Firmen- Name", "* Text *", "* Text *"} << 2
            << QByteArray(noFirma + "[Firma]\r\nZeile2=Neu\r\n");
        QTest::newRow("stored lines, line 2")
            << firma << QStringList{"Werk Nord", "a", "b"} << 2
            << QByteArray("[Firma]\r\nTitel=Werk Nord\r\nZeile2=Neu\r\nZeile3=b\r\n");
        QTest::newRow("stored lines, title")
            << firma << QStringList{"Werk Nord", "a", "b"} << 1
            << QByteArray("[Firma]\r\nTitel=Neu\r\nZeile2=a\r\nZeile3=b\r\n");
    }
    void okWritesOnlyChangedLines() {
        QFETCH(QByteArray, ini);
        QFETCH(QStringList, shown);
        QFETCH(int, edit);
        QFETCH(QByteArray, written);
        start(ini);
        TFProtokKopf dialog;
        QCOMPARE(dialog.Edit1->text(), shown[0]);
        QCOMPARE(dialog.Edit2->text(), shown[1]);
        QCOMPARE(dialog.Edit3->text(), shown[2]);
        QLineEdit* edits[] = {nullptr, dialog.Edit1, dialog.Edit2, dialog.Edit3};
        if (edit)
            type(edits[edit], QStringLiteral("Neu"));
        dialog.OKBtn->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(iniBytes(), written);
    }

    void cancelWritesNothing() {
        start("[Firma]\r\nTitel=Werk Nord\r\n");
        TFProtokKopf dialog;
        type(dialog.Edit1, QStringLiteral("Anders"));
        dialog.CancelBtn->click();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(iniBytes(), QByteArray("[Firma]\r\nTitel=Werk Nord\r\n"));
        QVERIFY(dialog.OKBtn->isDefault());
    }

    void sampleShowsUnsavedTitleAndTwentyRows() {
        if (!ReportText::available())
            QSKIP("pdftotext is not installed");
        start("[Firma]\r\nTitel=Werk Nord\r\n");
        TFProtokKopf dialog;
        type(dialog.Edit1, QStringLiteral("Ungespeichert"));
        const QString pdf = dir->filePath(QStringLiteral("sample.pdf"));
        QVERIFY(dialog.makeSampleReport()->exportPdf(pdf));
        // The empty chart area of the summary band does not fit under 20 rows: page 2.
        const QStringList pages = ReportText::pages(pdf);
        QCOMPARE(pages.size(), 2);
        QVERIFY(ReportText::detailLines(pages[1]).isEmpty());
        QVERIFY(pages[1].contains(QStringLiteral("Seitennr. :")));
        const QString& page = pages[0];
        for (const char* s : {"Ungespeichert", "* Text *", "Anlagen- Name:", "DateiName", "K1",
                              "K2", "S 55°C[cm]", "T5[°C]"})
            QVERIFY2(page.contains(QString::fromUtf8(s)), s);
        QVERIFY(!page.contains(QStringLiteral("Werk Nord")));
        const auto lines = ReportText::detailLines(page);
        QCOMPARE(lines.size(), 20);
        for (int i = 0; i < 20; ++i)
            QCOMPARE(lines[i],
                     (QStringList{QString::number(i + 1), "12:00", "03.10.1999", "52.0", "53.0",
                                  "54.0", "55.0", "56.0", "19.6", "123", "234", "80.0"}));
    }

    // The typed lines outlive the dialog's own preview and a switch to another program and
    // back; OK then stores them.
    void typedLinesStay_data() {
        QTest::addColumn<bool>("preview");
        QTest::newRow("after the preview") << true;
        QTest::newRow("after switching back to the program") << false;
    }
    void typedLinesStay() {
        QFETCH(bool, preview);
        start("[Firma]\r\nTitel=Werk Nord\r\n");
        TFProtokKopf dialog;
        dialog.show();
        type(dialog.Edit1, QStringLiteral("Ungespeichert"));
        if (preview) {
            bool sawPreview = false;
            bool buttonOff = false;
            QTimer closer;
            connect(&closer, &QTimer::timeout, this, [&] {
                if (auto* p =
                        qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget())) {
                    sawPreview = true;
                    buttonOff = !dialog.Button1->isEnabled();
                    p->reject();
                }
            });
            closer.start(20);
            dialog.Button1->click();
            QVERIFY(sawPreview);
            QVERIFY(buttonOff);
            QVERIFY(dialog.Button1->isEnabled());
        } else {
            QEvent away(QEvent::WindowDeactivate);
            QApplication::sendEvent(&dialog, &away);
            QEvent back(QEvent::WindowActivate);
            QApplication::sendEvent(&dialog, &back);
        }
        QCOMPARE(dialog.Edit1->text(), QStringLiteral("Ungespeichert"));
        dialog.OKBtn->click();
        QCOMPARE(Settings::file().readString(Keys::Firma, Keys::Titel, QString()),
                 QStringLiteral("Ungespeichert"));
    }

    void mainMenuOpensDialogModally() {
        start("[COM]\r\nCOM=6\r\nPORT6=/nonexistent/tty\r\n[Firma]\r\nTitel=Werk Nord\r\n");
        Settings::close();
        UiTest::BoxAnswer box; // the serial line cannot be opened
        MainProgram program;
        QCOMPARE(box.seen, 1);
        QAction* item = program.window().menuItem(QStringLiteral("FirmendatenItem"));
        QVERIFY(item && item->isEnabled());
        QString shown;
        QTimer closer;
        connect(&closer, &QTimer::timeout, this, [&] {
            if (auto* d = qobject_cast<TFProtokKopf*>(QApplication::activeModalWidget())) {
                shown = d->Edit1->text();
                d->CancelBtn->click();
            }
        });
        closer.start(20);
        item->trigger();
        QCOMPARE(shown, QStringLiteral("Werk Nord"));
        program.window().close();
    }
};

QTEST_MAIN(TestProtokKopf)
#include "tst_protokKopf.moc"
