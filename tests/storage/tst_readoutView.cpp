// An interactive readout through the window side: the busy window over the form while the
// records come in, hidden afterwards, and the messages as information boxes.
#include "core/Daten.h"
#include "core/Messages.h"
#include "core/ProgramDir.h"
#include "core/Settings.h"
#include "link/Link.h"
#include "sim/Simulator.h"
#include "storage/ReadoutView.h"
#include "storage/UAktiv.h"
#include "storage/UMessDaten.h"
#include "tests/ui/UiTestSupport.h"

#include <QProgressBar>
#include <QSignalSpy>
#include <QtTest>
#include <memory>

using namespace Kommunikation;

class TestReadoutView : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    std::unique_ptr<sim::Simulator> simulator;
    std::unique_ptr<Link> link;

private slots:
    void initTestCase() { UiTest::isolateUserSettings(dir); }
    void init() {
        ResetProcessState();
        ProgramDir::setOverride(dir.path());
        Settings::open(ProgramDir::iniPath());
        simulator = std::make_unique<sim::Simulator>();
        simulator->setTimeFactor(0);
        QVERIFY(simulator->listenTcp(0));
        Settings::file().writeInteger(Keys::Com, Keys::Layer, 1);
        Settings::file().writeString(Keys::Com, Keys::NetAdr, QStringLiteral("127.0.0.1"));
        Settings::file().writeInteger(Keys::Com, Keys::NetPort, simulator->tcpPort());
        link = std::make_unique<Link>();
        QSignalSpy up(link.get(), &Link::connected);
        BaseTimeout = 40;
        link->ReadLinkSettings();
        QVERIFY(up.wait(5000));
        RecordTimeout = 80;
    }
    void cleanup() {
        MeasurementFile::CloseMeasurementFile(2);
        link.reset();
        simulator.reset();
        Settings::close();
    }

    void messagesAndBusyWindow_data() {
        QTest::addColumn<bool>("missingDirectory");
        QTest::addColumn<QString>("message");
        QTest::newRow("record missing")
            << false
            << QStringLiteral("TIMEOUT, bei der seriellen Kommunikation!\nBitte Kabel und PC- "
                              "Einstellung überprüfen!\nBitte Kabel und PC- Einstellung "
                              "überprüfen!");
        QTest::newRow("missing directory")
            << true << QStringLiteral("Speicherdatei kann nicht geöffnet werden !");
    }
    void messagesAndBusyWindow() {
        QFETCH(bool, missingDirectory);
        QFETCH(QString, message);
        QWidget form;
        form.setGeometry(50, 60, 500, 400);
        form.show();
        TFAktiv busy(&form);
        simulator->plant(2).present = true;
        simulator->plant(2).switchedOn = true;
        simulator->addStoredRecords(2, 4);
        tAnlageParameter& a = Daten::Anlage[2];
        a.Present = true;
        a.SwitchedOn = 1;
        a.Name = QStringLiteral("Sued");
        a.Pfad = missingDirectory ? dir.filePath(QStringLiteral("gone")) : dir.path();

        // Seen from the controller: the window is up, over the form, while records go out.
        int records = 0;
        bool shownOverForm = false;
        int maximum = 0;
        connect(simulator.get(), &sim::Simulator::frameReceived, this, [&](const QByteArray& f) {
            if (f.mid(1) != "G")
                return;
            shownOverForm =
                busy.isVisible() && busy.pos() == TFAktiv::PlacementFor(form.frameGeometry());
            maximum = busy.ProgressBar1()->maximum();
            if (++records == 2)
                simulator->setReplyOverride(2, 'G', QByteArray());
        });
        QStringList panel;
        UiTest::BoxAnswer answer;
        const bool ok = Readout::SaveStoredRecords(
            2, MakeReadoutView(&form, [&panel](const QString& t) { panel << t; }));

        QVERIFY(!ok);
        QCOMPARE(answer.seen, 1);
        QCOMPARE(answer.title, QStringLiteral("Informationen"));
        QCOMPARE(answer.text, message);
        QVERIFY(!busy.isVisible());
        if (!missingDirectory) {
            QVERIFY(shownOverForm);
            QCOMPARE(maximum, 4);
            QCOMPARE(panel, QStringList({QStringLiteral("4"), QString()}));
        } else {
            QCOMPARE(records, 0);
            QVERIFY(panel.isEmpty());
        }
    }
};

QTEST_MAIN(TestReadoutView)
#include "tst_readoutView.moc"
