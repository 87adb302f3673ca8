// The meaner fault kinds of the simulator, each fed to the program's own reply parser: the
// unusual forms decode exactly like the plain ones, a reply cut short never decodes, a
// spoilt byte never yields a reply of its code, noise with reply letters never makes a false
// record, and a second reply in front leaves the first decoded as it is.
#include "core/Daten.h"
#include "link/Protocol.h"
#include "sim/FaultInjector.h"

#include <QtTest>

namespace K = Kommunikation;

namespace {

const QByteArray StatusPlain = "c512;498;-15;401;9;187;3;1;0;125;37;";
const QByteArray RecordPlain = "G512;498;455;401;210;187;3;0;30;14;07;03;10;125;37;";

// What the parser made of one arrival, as text to compare.
QString decode(const QByteArray& arrival) {
    ResetProcessState();
    K::RequestAddress = 1;
    K::ReceiveText(arrival);
    const auto rec = [](const MeasurementRecord& r) {
        return QStringLiteral("%1 %2 %3 %4 %5 o2=%6 m=%7 fan=%8 aux=%9 rt=%10 cy=%11 v=%12")
            .arg(r.T1)
            .arg(r.T2)
            .arg(r.T3)
            .arg(r.T4)
            .arg(r.T5)
            .arg(r.O2)
            .arg(r.Mode)
            .arg(r.FanOn)
            .arg(r.Aux16)
            .arg(r.RunTime)
            .arg(r.Cycles)
            .arg(r.Valid);
    };
    const tSetupValues& s = Daten::SetupValues;
    return QStringLiteral(
               "code=%1 c[%2] G[%3] %4.%5.%6 %7:%8 r=%9 mode=%10 st=%11/%12 R=%13,%14,%15")
        .arg(K::ReplyCode)
        .arg(rec(K::StatusReply))
        .arg(rec(K::StoredRecord))
        .arg(K::StoredDay, K::StoredMonth, K::StoredYear, K::StoredHour, K::StoredMinute)
        .arg(K::StoredCount)
        .arg(Daten::Anlage[1].Mode)
        .arg(Daten::Anlage[1].Storing)
        .arg(Daten::Anlage[1].SwitchedOn)
        .arg(s.StorageInterval)
        .arg(s.MaxOff)
        .arg(s.Valid);
}

uint8_t codeOf(char letter) {
    switch (letter) {
    case 'B':
        return K::CmdReadMode;
    case 'R':
        return K::CmdReadSetup;
    case 'S':
        return K::CmdReadState;
    case 'c':
        return K::CmdReadStatus;
    case 'G':
        return K::CmdReadRecord;
    case 'r':
        return K::CmdReadCount;
    default:
        return K::CmdReadClock;
    }
}

} // namespace

class TestFaultKinds : public QObject {
    Q_OBJECT

    static void replies() {
        QTest::addColumn<QByteArray>("reply");
        QTest::newRow("B") << QByteArray("B3;");
        QTest::newRow("S") << QByteArray("S1;0;");
        QTest::newRow("r") << QByteArray("r25;");
        QTest::newRow("R") << QByteArray("R15;30;60;50;70;10;20;120;60;");
        QTest::newRow("c fan on") << StatusPlain;
        QTest::newRow("c fan off") << QByteArray("c512;498;455;401;210;187;3;0;0;125;37;");
        QTest::newRow("G") << RecordPlain;
        QTest::newRow("G negative") << QByteArray("G-15;-9;0;401;210;0;4;255;00;00;01;01;26;0;0;");
    }

private slots:
    void unusualFormsDecodeAlike_data() { replies(); }
    void unusualFormsDecodeAlike() {
        QFETCH(QByteArray, reply);
        const QString plain = decode(reply);
        QVERIFY2(plain.startsWith(QStringLiteral("code=%1 ").arg(codeOf(reply.at(0)))),
                 qPrintable(plain));
        sim::FaultInjector f;
        f.setSeed(3);
        QSet<QByteArray> forms;
        for (int i = 0; i < 200; ++i) {
            const QByteArray odd = f.unusual(reply);
            QVERIFY(odd != reply);
            QCOMPARE(decode(odd), plain);
            if (odd.at(1) == ';')
                forms << "after letter";
            if (odd.contains(";;"))
                forms << "empty field";
            if (odd.contains('+'))
                forms << "sign";
            if (odd.contains(' '))
                forms << "blank";
            if (reply.startsWith('c') && (odd.contains(";10;") || odd.contains(";01;")))
                forms << "fan";
        }
        const int expected = reply.startsWith('c') ? 5 : 4;
        QVERIFY2(forms.size() == expected,
                 qPrintable(QStringList(forms.begin(), forms.end()).join(',')));
    }

    void cutShortNeverDecodes_data() {
        replies();
        QTest::newRow("T") << QByteArray("T Datum 07.03.10 Zeit 14:30:00");
    }
    void cutShortNeverDecodes() {
        QFETCH(QByteArray, reply);
        sim::FaultInjector f;
        f.setSeed(5);
        for (int i = 0; i < 200; ++i) {
            // Also from an unusual form, whose extra separators count too.
            const QByteArray cut = f.truncate(i % 2 ? f.unusual(reply) : reply);
            QVERIFY(!cut.isEmpty());
            QVERIFY(reply.startsWith(cut.left(1)));
            decode(cut);
            QVERIFY2(K::ReplyCode == 0, cut.constData());
            QCOMPARE(K::ReceiveBuffer, cut);
        }
    }

    void anyByteSpoilt_data() { replies(); }
    void anyByteSpoilt() {
        QFETCH(QByteArray, reply);
        sim::FaultInjector f;
        f.setSeed(7);
        bool letter = false, separator = false;
        for (int i = 0; i < 300; ++i) {
            const QByteArray bad = f.garbleAny(reply);
            int at = 0;
            while (bad.at(at) == reply.at(at))
                ++at;
            letter = letter || at == 0;
            separator = separator || reply.at(at) == ';';
            decode(bad);
            QVERIFY2(K::ReplyCode != codeOf(reply.at(0)), bad.constData());
        }
        QVERIFY(letter);
        QVERIFY(separator);
    }

    // Noise with reply letters in front of a record may take it, never change it.
    void letterNoiseNeverMakesAFalseRecord() {
        const QString plain = decode(RecordPlain);
        sim::FaultInjector f;
        f.setSeed(11);
        int kept = 0;
        for (int i = 0; i < 2000; ++i) {
            const QByteArray noise = f.letterNoise();
            QVERIFY(noise.size() <= 5);
            QVERIFY(noise.contains('B') || noise.contains('R') || noise.contains('S') ||
                    noise.contains('c') || noise.contains('G') || noise.contains('r') ||
                    noise.contains('T'));
            const QString got = decode(noise + RecordPlain);
            if (K::ReplyCode == K::CmdReadRecord) {
                // The record and its time; a whole reply inside the noise ("B3;") may have
                // set the plant's mode or flags.
                const auto record = [](const QString& d) {
                    return d.section(QLatin1String("] G["), 1).section(QLatin1String(" r="), 0, 0);
                };
                QCOMPARE(record(got), record(plain));
                ++kept;
            }
        }
        QVERIFY(kept > 0 && kept < 2000);
    }

    void secondReplyInFront_data() { replies(); }
    void secondReplyInFront() {
        QFETCH(QByteArray, reply);
        const QList<QByteArray> extras = {"B2;", "S1;1;", StatusPlain};
        sim::FaultInjector f;
        f.setSeed(13);
        f.faults().doubleRate = 1;
        for (int i = 0; i < 50; ++i) {
            const sim::FaultOutcome o = f.apply(reply, extras);
            QVERIFY(o.doubled);
            QCOMPARE(o.pieces.size(), 1);
            const QByteArray arrival = o.pieces.at(0).bytes;
            QVERIFY(arrival.endsWith(reply));
            QVERIFY(arrival.at(0) != reply.at(0));
            decode(arrival);
            QCOMPARE(K::ReplyCode, codeOf(reply.at(0)));
        }
    }
};

QTEST_GUILESS_MAIN(TestFaultKinds)
#include "tst_faultKinds.moc"
