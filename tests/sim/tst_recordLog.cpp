// The simulator's log of the records it handed out: what became of each reply, and the lost
// records counted by cause, so that a soak can account for every record.
#include "SimClient.h"
#include "sim/Simulator.h"

#include <QtTest>

#include <memory>

Q_DECLARE_METATYPE(sim::RecordFate)

class TestRecordLog : public QObject {
    Q_OBJECT

private slots:
    void fate_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<sim::RecordFate>("fate");
        QTest::addColumn<qint64>("lost");
        QTest::newRow("sent") << "none" << sim::RecordFate::Sent << qint64(0);
        QTest::newRow("garbled") << "garble" << sim::RecordFate::Garbled << qint64(0);
        QTest::newRow("dropped") << "drop" << sim::RecordFate::Dropped << qint64(1);
        QTest::newRow("silenced") << "silent" << sim::RecordFate::Silenced << qint64(1);
        QTest::newRow("cut before it went out") << "cut" << sim::RecordFate::Cut << qint64(1);
    }
    void fate() {
        QFETCH(QString, fault);
        QFETCH(sim::RecordFate, fate);
        QFETCH(qint64, lost);
        sim::Simulator s;
        QVERIFY(s.listenTcp(0));
        s.setClock(QDateTime(QDate(2026, 12, 9), QTime(14, 30)));
        sim::PlantState& p = s.plant(1);
        p.present = p.switchedOn = p.storing = true;
        s.setPileAge(1, 3 * 24 * 60);
        s.addStoredRecords(1, 2);
        const sim::StoredRecord oldest = s.plant(1).memory.front();
        s.keepRecordLog(true);
        if (fault == QLatin1String("garble"))
            s.faults().garbleRate = 1;
        else if (fault == QLatin1String("drop"))
            s.faults().dropRate = 1;
        else if (fault == QLatin1String("silent"))
            s.setReplyOverride(1, 'G', QByteArray());
        else if (fault == QLatin1String("cut"))
            s.faults().latencyMs = 5000;
        SimClient client;
        QVERIFY(client.connectTo(s.tcpPort()));
        client.send("\x01"
                    "G");
        QTRY_COMPARE(s.stats().recordsHandedOut, qint64(1));
        if (fault == QLatin1String("cut"))
            s.dropConnections();

        QCOMPARE(s.recordLog().size(), 1);
        const sim::HandedOutRecord& r = s.recordLog().first();
        QCOMPARE(r.address, 1);
        QCOMPARE(r.record.time, oldest.time);
        QCOMPARE(r.record.t, oldest.t);
        QCOMPARE(r.fate, fate);
        const sim::Stats st = s.stats();
        QCOMPARE(st.recordsLost, lost);
        QCOMPARE(st.recordsLost, st.recordsDropped + st.recordsCut + st.recordsSilenced);
        QCOMPARE(st.recordsGarbled, qint64(fate == sim::RecordFate::Garbled));
        QCOMPARE(st.connectionsAccepted, qint64(1));
    }
};

QTEST_GUILESS_MAIN(TestRecordLog)
#include "tst_recordLog.moc"
