// The plant naming dialog and its directory chooser: the key filter, the empty-name rule,
// what OK stores, the missing-directory message and the chooser's result.
#include "../ui/UiTestSupport.h"

#include "core/Daten.h"
#include "core/ProgramDir.h"
#include "core/Settings.h"
#include "display/UAnlageDaten.h"
#include "display/UPfadsetzen.h"

#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

class TestAnlageDaten : public QObject {
    Q_OBJECT
    QTemporaryDir userSettings;
    std::unique_ptr<QTemporaryDir> dir;
    QString dataDir;

    tAnlageParameter& plant() { return Daten::Anlage[4]; }

    // Key events with the character as text, as a keyboard sends them (umlauts included).
    static void type(QWidget* w, const QString& text) {
        for (QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(w, &press);
        }
    }

private slots:
    void initTestCase() { UiTest::isolateUserSettings(userSettings); }
    void init() {
        ResetProcessState();
        dir = std::make_unique<QTemporaryDir>();
        ProgramDir::setOverride(dir->path());
        Settings::open(ProgramDir::iniPath());
        dataDir = dir->filePath("daten") + QDir::separator();
        QVERIFY(QDir().mkpath(dataDir));
        Daten::SelectedPlant = 4;
        plant().Present = true;
        plant().Name = QStringLiteral("Alt");
        plant().Komm = QStringLiteral("K1");
        plant().Pfad = dataDir;
        plant().Datei = dataDir + "Alt_01.01.2026.CSV";
        TFAnlageDaten::ChooseDirectory = nullptr;
    }
    void cleanup() { Settings::close(); }

    void keyFilter_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("result");
        QTest::newRow("allowed") << "aZ9-_"
                                 << "AltaZ9-_";
        QTest::newRow("space dot umlaut") << " .ä/"
                                          << "Alt";
    }
    void keyFilter() {
        QFETCH(QString, typed);
        TFAnlageDaten d;
        d.Edit1()->setFocus();
        d.Edit1()->end(false);
        type(d.Edit1(), typed);
        QTEST(d.Edit1()->text(), "result");
        QTest::keyClick(d.Edit1(), Qt::Key_Backspace);
        QCOMPARE(d.Edit1()->text().size(), QString(QTest::currentDataTag()) == "allowed" ? 7 : 2);
    }

    void createShowsThePlant() {
        TFAnlageDaten d;
        QCOMPARE(d.NummerLabel()->text(), QStringLiteral("4"));
        QCOMPARE(d.Edit1()->text(), QStringLiteral("Alt"));
        QCOMPARE(d.Edit2()->text(), QStringLiteral("K1"));
        QCOMPARE(d.DirLabel()->text(), dataDir);
        QCOMPARE(d.Edit1()->maxLength(), 20);
    }

    void okStores_data() {
        QTest::addColumn<QString>("name");    // typed after clearing; "" = untouched
        QTest::addColumn<QString>("comment"); // "" = untouched
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<bool>("stored");
        QTest::addColumn<bool>("newFile");
        QTest::newRow("unchanged") << ""
                                   << "" << true << false << false;
        QTest::newRow("comment only") << ""
                                      << "K2" << true << true << false;
        QTest::newRow("new name") << "Neu"
                                  << "" << true << true << true;
    }
    void okStores() {
        QFETCH(QString, name);
        QFETCH(QString, comment);
        QFETCH(bool, stored);
        QFETCH(bool, newFile);
        const QString oldFile = plant().Datei;
        TFAnlageDaten d;
        if (!name.isEmpty()) {
            d.Edit1()->selectAll();
            QTest::keyClicks(d.Edit1(), name);
        }
        if (!comment.isEmpty()) {
            d.Edit2()->selectAll();
            QTest::keyClicks(d.Edit2(), comment);
        }
        d.OKBtnClick();
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(Settings::file().readString("4", Keys::Name, "<none>"),
                 stored ? plant().Name : QStringLiteral("<none>"));
        QCOMPARE(plant().Datei != oldFile, newFile);
        if (newFile)
            QVERIFY(plant().Datei.startsWith(dataDir + "Neu_"));
        if (stored)
            QCOMPARE(Settings::file().readString("4", Keys::Komm, {}), plant().Komm);
    }

    // A comment pasted with line breaks is stored on one line: no section or key is added.
    void pastedCommentStaysOneLine() {
        TFAnlageDaten d;
        QGuiApplication::clipboard()->setText(QStringLiteral("Nord\r\n[COM]\r\nDISPOFFSET=500"));
        d.Edit2()->selectAll();
        d.Edit2()->paste();
        QCOMPARE(d.Edit2()->text(), QStringLiteral("Nord  [COM]  DISPOFFSET=500"));
        QVERIFY(d.Edit2()->isModified());
        d.OKBtnClick();
        QCOMPARE(Settings::file().sections(), QStringList{"4"});
        QCOMPARE(Settings::file().readString("4", Keys::Komm, {}), plant().Komm);
        QVERIFY(!Settings::file().valueExists("COM", "DISPOFFSET"));
    }

    // An emptied name is put back and the dialog stays open.
    void emptyNameRefused() {
        TFAnlageDaten d;
        d.show();
        d.Edit1()->selectAll();
        QTest::keyClick(d.Edit1(), Qt::Key_Delete);
        QVERIFY(d.Edit1()->isModified() && d.Edit1()->text().isEmpty());
        d.OKBtnClick();
        QCOMPARE(d.Edit1()->text(), QStringLiteral("Alt"));
        QVERIFY(d.isVisible());
        QCOMPARE(d.result(), 0);
        d.OKBtnClick();
        QCOMPARE(d.result(), int(QDialog::Accepted));
    }

    void missingDirectory() {
        plant().Pfad = dir->filePath("gone") + QDir::separator();
        UiTest::BoxAnswer box;
        TFAnlageDaten d;
        d.FormActivate();
        QCOMPARE(box.seen, 1);
        QCOMPARE(
            box.text,
            QStringLiteral("Vorgabepfad für Speicherdatei existiert nicht, setze neuen Pfad.."));
        QCOMPARE(d.dialogPath(), ProgramDir::pathWithSeparator());
        QCOMPARE(d.DirLabel()->text(), ProgramDir::pathWithSeparator());
        QVERIFY(!d.pathChanged());
        d.FormActivate(); // exists now: no second message
        QCOMPARE(box.seen, 1);
    }

    void chooser_data() {
        QTest::addColumn<QString>("chosen"); // relative to the program dir, "-" = cancel
        QTest::addColumn<bool>("changed");
        QTest::newRow("same directory") << "daten" << false;
        QTest::newRow("other directory") << "other" << true;
        QTest::newRow("cancelled") << "-" << false;
    }
    void chooser() {
        QFETCH(QString, chosen);
        QVERIFY(QDir().mkpath(dir->filePath("other")));
        TFAnlageDaten::ChooseDirectory = [&](TFAnlageDaten&, const QString&) {
            return chosen == "-" ? QString() : QDir::toNativeSeparators(dir->filePath(chosen));
        };
        TFAnlageDaten d;
        d.PfadButton1Click();
        QTEST(d.pathChanged(), "changed");
        d.OKBtnClick();
        QCOMPARE(plant().Datei.startsWith(dir->filePath("other")), d.pathChanged());
    }

    void directoryChooser() {
        TFPfadsetzen c;
        QCOMPARE(c.size(), QSize(358, 370));
        QVERIFY(c.DriveComboBox1()->count() >= 1);
        c.setDirectory(dataDir);
        QCOMPARE(c.directory(), QDir::toNativeSeparators(dir->filePath("daten")));
        QCOMPARE(c.DirLabel()->text(), c.directory());
        c.setDirectory(dir->filePath("nowhere"));
        QCOMPARE(c.directory(), QDir::toNativeSeparators(dir->filePath("daten")));
    }
};

QTEST_MAIN(TestAnlageDaten)
#include "tst_anlageDaten.moc"
