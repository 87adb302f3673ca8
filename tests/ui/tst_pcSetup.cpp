// The PC setup dialog: what it shows, what OK writes, and the link it reopens.
#include "UiTestSupport.h"

#include "core/Daten.h"
#include "core/KompUtils.h"
#include "core/Messages.h"
#include "core/ProgramDir.h"
#include "core/Regional.h"
#include "core/Settings.h"
#include "core/UPC_Setup.h"
#include "link/Link.h"
#include "link/Operations.h"
#include "sim/Simulator.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QtTest>
#include <memory>

using namespace Kommunikation;

class TestPcSetup : public QObject {
    Q_OBJECT
    QTemporaryDir userSettings;
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<Link> link;

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
        Settings::LoadDisplaySettings();
        BaseTimeout = uint16_t(Settings::file().readInteger(Keys::Com, Keys::Timeout, 300));
        link = std::make_unique<Link>();
        link->ReadLinkSettings();
    }

private slots:
    void initTestCase() {
        UiTest::isolateUserSettings(userSettings);
        Messages::reportSettingsFailures();
    }
    void init() {
        ResetProcessState();
        Regional::setLocaleOverride(QLocale(QLocale::German, QLocale::Germany));
        dir = std::make_unique<QTemporaryDir>();
        ProgramDir::setOverride(dir->path());
    }
    void cleanup() {
        link.reset();
        Settings::close();
        Regional::clearLocaleOverride();
    }

    void showsSettingsAndOkWithoutChangeWritesNothing() {
        // COM7 names a device that does not exist: the serial line fails to open.
        start("[COM]\r\nDISPOFFSET=10\r\nCOM=7\r\nPORT7=/nonexistent/tty\r\n");
        const QByteArray before = iniBytes();
        TFPC_Setup dialog;
        QCOMPARE(dialog.DispOffsetSelect->value(), 10);
        QCOMPARE(dialog.RefTempSelect->text(), QStringLiteral("55"));
        QCOMPARE(dialog.BaudLabel->text(), QStringLiteral("2400 Baud"));
        QCOMPARE(dialog.TimeoutSpin->value(), 300);
        QCOMPARE(dialog.PageControl1->currentIndex(), 0);
        QVERIFY(dialog.ComButton[7]->isChecked());
        QVERIFY(!dialog.ComButton[7]->isEnabled());
        dialog.OKBtn->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!dialog.linkChanged());
        QCOMPARE(iniBytes(), before);
    }

    // A reference temperature the field cannot show as stored (tenths, beyond the limits, in
    // °F) is shown as near as it can and kept as stored on an OK without a change.
    void untouchedRefTempKeepsItsText_data() {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("shown");
        QTest::newRow("tenths") << QByteArray("55,5") << "55,5";
        QTest::newRow("below the limits") << QByteArray("25") << "30";
        QTest::newRow("fahrenheit") << QByteArray("55,5\r\nMetric=1") << "131";
    }
    void untouchedRefTempKeepsItsText() {
        QFETCH(QByteArray, stored);
        start("[COM]\r\nCOM=7\r\nPORT7=/nonexistent/tty\r\nREFTEMP=" + stored + "\r\n");
        const QByteArray before = iniBytes();
        TFPC_Setup dialog;
        QTEST(dialog.RefTempSelect->text(), "shown");
        dialog.OKBtn->click();
        QCOMPARE(iniBytes(), before);
    }

    // A stored 55,5 stepped up by one is 56,5.
    void changedRefTempKeepsItsTenths() {
        start("[COM]\r\nCOM=7\r\nPORT7=/nonexistent/tty\r\nREFTEMP=55,5\r\n");
        TFPC_Setup dialog;
        dialog.RefTempSelect->stepUp();
        QCOMPARE(dialog.RefTempSelect->text(), QStringLiteral("56,5"));
        dialog.OKBtn->click();
        QCOMPARE(Settings::file().readString(Keys::Com, Keys::RefTemp, QString()),
                 QStringLiteral("56,5"));
    }

    // Changes that the settings file cannot take are not passed off as saved: one error box
    // with the reason for the whole OK, the file unchanged.
    void readOnlySettingsAreReported() {
        start("[COM]\r\nCOM=7\r\nPORT7=/nonexistent/tty\r\nREFTEMP=55\r\n");
        const QByteArray before = iniBytes();
        TFPC_Setup dialog;
        dialog.RefTempSelect->stepUp();
        dialog.DispOffsetSelect->stepUp();
        int boxes = 0;
        QString text, title;
        {
            UiTest::ReadOnlySettings readOnly(ProgramDir::iniPath());
            UiTest::BoxAnswer box;
            dialog.OKBtn->click();
            boxes = box.seen;
            text = box.text;
            title = box.title;
        }
        QCOMPARE(boxes, 1);
        QCOMPARE(title, QStringLiteral("Fehler"));
        QVERIFY2(
            text.startsWith(QStringLiteral("Einstellungen konnten nicht gespeichert werden: ")),
            qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("O2_Aerolis.ini")));
        QCOMPARE(iniBytes(), before);
    }

    // A pasted line break in the host field never reaches the settings file as one.
    void hostFieldTakesNoLineBreak() {
        start("[COM]\r\nCOM=7\r\nPORT7=/nonexistent/tty\r\n");
        TFPC_Setup dialog;
        dialog.NetAddressEdit->selectAll();
        dialog.NetAddressEdit->insert(QStringLiteral("127.0.0.1\n[COM]\nLAYER=0"));
        QCOMPARE(dialog.NetAddressEdit->text(), QStringLiteral("127.0.0.1 [COM] LAYER=0"));
        dialog.OKBtn->click();
        QCOMPARE(Settings::file().sections(), QStringList{"COM"});
        QCOMPARE(Settings::file().keys("COM").count("LAYER"), 1);
        QCOMPARE(NetAddress, QStringLiteral("127.0.0.1 [COM] LAYER=0"));
    }

    // Every way of leaving without OK is "Abbrechen": no teach-in is asked for.
    void networkPageThenCancelLeavesTheSerialLink_data() {
        QTest::addColumn<QString>("way");
        QTest::newRow("Abbrechen") << QStringLiteral("button");
        QTest::newRow("Escape") << QStringLiteral("escape");
        QTest::newRow("title-bar close") << QStringLiteral("close");
    }
    void networkPageThenCancelLeavesTheSerialLink() {
        QFETCH(QString, way);
        start("[COM]\r\nCOM=7\r\nPORT7=/nonexistent/tty\r\n");
        const QByteArray before = iniBytes();
        const QString status = link->status();
        TFPC_Setup dialog;
        dialog.show();
        dialog.PageControl1->setCurrentIndex(1);
        QVERIFY(dialog.linkChanged());
        if (way == QLatin1String("button"))
            dialog.CancelBtn->click();
        else if (way == QLatin1String("escape"))
            QTest::keyClick(&dialog, Qt::Key_Escape);
        else
            dialog.close();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(!dialog.linkChanged());
        QCOMPARE(int(LinkLayer), 0);
        QCOMPARE(link->status(), status);
        QCOMPARE(iniBytes(), before);
    }

    void fahrenheitShowsAndStores() {
        start("[COM]\r\nCOM=7\r\nPORT7=/nonexistent/tty\r\n");
        TFPC_Setup dialog;
        dialog.CelsiusCheck->click();
        QCOMPARE(dialog.RefTempSelect->text(), QStringLiteral("131"));
        QCOMPARE(dialog.RefTempSelect->minimum(), 86.1);
        QCOMPARE(dialog.RefTempSelect->maximum(), 176.1);
        QCOMPARE(dialog.SelectEinheit->text(), QStringLiteral("°F"));
        dialog.OKBtn->click();
        QVERIFY(KompUtils::ImperialUnits);
        QCOMPARE(KompUtils::RefTemp, 55.1);
        QCOMPARE(KompUtils::RefCaption, QStringLiteral("s 131°F[in]"));
        QCOMPARE(Settings::file().readString(Keys::Com, Keys::RefTemp, QString()),
                 QStringLiteral("55,1"));
        QCOMPARE(Settings::file().readString(Keys::Com, Keys::Metric, QString()),
                 QStringLiteral("1"));
        // Shown again in °F, and back in °C the field converts once more.
        TFPC_Setup again;
        QVERIFY(again.CelsiusCheck->isChecked());
        QCOMPARE(again.RefTempSelect->text(), QStringLiteral("131"));
        again.CelsiusCheck->click();
        QCOMPARE(again.RefTempSelect->text(), QStringLiteral("55"));
        QCOMPARE(again.SelectEinheit->text(), QStringLiteral("°C"));
    }

    // Two serial ports, each a simulator's own pseudo-terminal.
    void changingThePortWritesItAndReopens() {
        sim::Simulator one, two;
        const QString pty1 = one.openPty(), pty2 = two.openPty();
        QVERIFY(!pty1.isEmpty() && !pty2.isEmpty());
        start("[COM]\r\nCOM=1\r\nPORT1=" + pty1.toUtf8() + "\r\nPORT2=" + pty2.toUtf8() + "\r\n");
        QCOMPARE(link->status(), QStringLiteral("Serielle Verbindung auf :COM1"));
        TFPC_Setup dialog;
        QVERIFY(dialog.ComButton[1]->isEnabled() && dialog.ComButton[2]->isEnabled());
        dialog.ComButton[2]->click();
        dialog.OKBtn->click();
        QVERIFY(dialog.linkChanged());
        QCOMPARE(Settings::file().readInteger(Keys::Com, Keys::ComPort, 0), 2);
        QCOMPARE(Settings::file().readInteger(Keys::Com, Keys::Layer, -1), 0);
        QCOMPARE(link->status(), QStringLiteral("Serielle Verbindung auf :COM2"));
        QVERIFY(LinkOpen);
        two.plant(4).present = true;
        QVERIFY(Kommunikation::ProbePlant(4));
        QCOMPARE(one.frames().size(), 0);
    }

    void networkAddressSwitchesToTcp() {
        sim::Simulator gateway;
        QVERIFY(gateway.listenTcp(0));
        start("[COM]\r\nCOM=7\r\nPORT7=/nonexistent/tty\r\n");
        TFPC_Setup dialog;
        dialog.PageControl1->setCurrentIndex(1);
        dialog.NetAddressEdit->setText(QStringLiteral("127.0.0.1"));
        dialog.NetPortEdit->setValue(gateway.tcpPort());
        QSignalSpy up(link.get(), &Link::connected);
        dialog.OKBtn->click();
        QCOMPARE(int(LinkLayer), 1);
        QCOMPARE(Settings::file().readInteger(Keys::Com, Keys::Layer, -1), 1);
        QCOMPARE(Settings::file().readString(Keys::Com, Keys::NetAdr, QString()),
                 QStringLiteral("127.0.0.1"));
        QCOMPARE(Settings::file().readInteger(Keys::Com, Keys::NetPort, 0), gateway.tcpPort());
        QVERIFY(up.wait(5000));
        QCOMPARE(link->status(), QStringLiteral("Netzwerkverbindung zu :127.0.0.1"));
    }
};

QTEST_MAIN(TestPcSetup)
#include "tst_pcSetup.moc"
