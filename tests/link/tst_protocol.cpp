// The wire protocol on its own: request frames as they leave through the frame sink, and
// replies fed to the parser in the pieces in which they may arrive.
#include "core/Daten.h"
#include "core/KompUtils.h"
#include "link/Protocol.h"

#include <QtTest>

using namespace Kommunikation;

namespace {

QString recordText(const MeasurementRecord& r) {
    return QStringLiteral("%1 %2 %3 %4 %5 %6 o2=%7 mode=%8 fan=%9 aux=%10 run=%11 cyc=%12 ref=%13")
        .arg(r.Valid ? "valid" : "invalid")
        .arg(r.T1)
        .arg(r.T2)
        .arg(r.T3)
        .arg(r.T4)
        .arg(r.T5)
        .arg(r.O2)
        .arg(r.Mode)
        .arg(r.FanOn ? 1 : 0)
        .arg(r.Aux16)
        .arg(r.RunTime)
        .arg(r.Cycles)
        .arg(r.RefDepth);
}

// One view of the protocol results, chosen by name, so that each table row states only
// what its reply is meant to change.
QString view(const QString& what) {
    const tAnlageParameter& plant = Daten::Anlage[RequestAddress];
    const tSetupValues& s = Daten::SetupValues;
    if (what == "mode")
        return QString::number(plant.Mode);
    if (what == "flags")
        return QStringLiteral("%1,%2").arg(plant.Storing).arg(plant.SwitchedOn);
    if (what == "count")
        return QString::number(StoredCount);
    if (what == "setup")
        return QStringLiteral("%1,%2,%3,%4,%5,%6,%7,%8,%9 %10")
            .arg(s.StorageInterval)
            .arg(s.IntervalOn)
            .arg(s.IntervalOff)
            .arg(s.O2On)
            .arg(s.O2Off)
            .arg(s.SafetyOn)
            .arg(s.SafetyOff)
            .arg(s.MaxOn)
            .arg(s.MaxOff)
            .arg(s.Valid ? "valid" : "invalid");
    if (what == "status")
        return recordText(StatusReply);
    if (what == "record")
        return recordText(StoredRecord);
    if (what == "stamp")
        return QStringList{StoredMinute, StoredHour, StoredDay, StoredMonth, StoredYear}.join(' ');
    if (what == "clock")
        return ClockText;
    if (what == "buffer")
        return QString::fromLatin1(ReceiveBuffer);
    return QStringLiteral("?") + what;
}

QString views(const QString& whats) {
    QStringList out;
    for (const QString& w : whats.split(','))
        out << view(w);
    return out.join('|');
}

const QByteArray StatusExample = "c512;498;455;401;210;187;3;1;0;125;37;";
const QString StatusDecoded =
    "valid 51 49 45 40 21 o2=187 mode=3 fan=1 aux=0 run=125 cyc=37 ref=100";
const QByteArray RecordExample = "G512;498;455;401;210;187;3;0;30;14;07;03;10;125;37;";
const QByteArray Clock30 = "T10.03.10 14:30:00 Mi 12345678";

} // namespace

class TestProtocol : public QObject {
    Q_OBJECT
    QList<QByteArray> frames;

private slots:
    void init() {
        ResetProcessState();
        frames.clear();
        SetFrameSink(
            [this](uint8_t a, const QByteArray& text) { frames << QByteArray(1, char(a)) + text; });
    }
    void cleanup() { SetFrameSink(nullptr); }

    void sendRequest_data() {
        QTest::addColumn<int>("address");
        QTest::addColumn<int>("index");
        QTest::addColumn<QList<quint16>>("params");
        QTest::addColumn<QByteArray>("frame"); // empty: nothing sent
        using P = QList<quint16>;
        QTest::newRow("status poll of plant 3") << 3 << 19 << P{0}
                                                << QByteArray("\x03"
                                                              "c");
        QTest::newRow("date 7 March 2010") << 5 << 9 << P{7, 3, 10}
                                           << QByteArray("\x05"
                                                         "D070310");
        QTest::newRow("date 1 December 2009") << 5 << 9 << P{1, 12, 9}
                                              << QByteArray("\x05"
                                                            "D011209");
        QTest::newRow("time 9:05:00") << 5 << 8 << P{9, 5, 0}
                                      << QByteArray("\x05"
                                                    "Z090500");
        QTest::newRow("storage interval 15") << 2 << 10 << P{15}
                                             << QByteArray("\x02"
                                                           "I0015");
        QTest::newRow("storage interval 1440") << 2 << 10 << P{1440}
                                               << QByteArray("\x02"
                                                             "I1440");
        QTest::newRow("O2 5.0 and 7.5") << 2 << 15 << P{50, 75}
                                        << QByteArray("\x02"
                                                      "p00500075");
        QTest::newRow("O2 45 and 205") << 2 << 15 << P{45, 205}
                                       << QByteArray("\x02"
                                                     "p00450205");
        // Plant 32 is the byte 0x20, a blank that the blank-to-'0' rule must not touch.
        QTest::newRow("safety times on plant 32")
            << 32 << 13 << P{10, 20} << QByteArray(" n00100020");
        QTest::newRow("maximum times") << 1 << 14 << P{120, 60}
                                       << QByteArray("\x01"
                                                     "N01200060");
        QTest::newRow("too wide grows the frame") << 1 << 11 << P{65535}
                                                  << QByteArray("\x01"
                                                                "E65535");
        QTest::newRow("missing parameters are 0") << 1 << 13 << P{7}
                                                  << QByteArray("\x01"
                                                                "n00070000");
        QTest::newRow("parameters ignored") << 1 << 1 << P{99, 98}
                                            << QByteArray("\x01"
                                                          "B");
        QTest::newRow("clock text") << 1 << 21 << P{0}
                                    << QByteArray("\x01"
                                                  "6");
        QTest::newRow("fan on") << 4 << 3 << P{0}
                                << QByteArray("\x04"
                                              "e");
        QTest::newRow("address 0") << 0 << 1 << P{0} << QByteArray();
        QTest::newRow("address 33") << 33 << 1 << P{0} << QByteArray();
        QTest::newRow("negative address") << -1 << 1 << P{0} << QByteArray();
        QTest::newRow("index 0") << 1 << 0 << P{0} << QByteArray();
        QTest::newRow("index 22") << 1 << 22 << P{0} << QByteArray();
        QTest::newRow("status poll of absent plant") << 4 << 19 << P{0} << QByteArray();
        QTest::newRow("status poll of plant that is off") << 5 << 19 << P{0} << QByteArray();
    }
    void sendRequest() {
        QFETCH(int, address);
        QFETCH(int, index);
        QFETCH(QList<quint16>, params);
        QFETCH(QByteArray, frame);
        Daten::Anlage[3].Present = true;
        Daten::Anlage[3].SwitchedOn = 1;
        Daten::Anlage[5].Present = true;
        ReplyCode = 16;
        SendRequest(address, index, params);
        QCOMPARE(ReplyCode, uint8_t(0));
        QCOMPARE(frames, frame.isEmpty() ? QList<QByteArray>{} : QList<QByteArray>{frame});
    }

    // What a request does to the receive buffer and RequestAddress, sent or not.
    void requestSideEffects_data() {
        QTest::addColumn<int>("address");
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("cleared");
        QTest::addColumn<int>("requestAddress");
        QTest::newRow("'c' to an absent plant") << 6 << 19 << true << 6;
        QTest::newRow("'G' clears") << 2 << 20 << true << 2;
        QTest::newRow("'A' has no reply") << 2 << 7 << false << 2;
        QTest::newRow("'p' has no reply") << 2 << 15 << false << 2;
        QTest::newRow("address 33") << 33 << 1 << false << 9;
        QTest::newRow("index 22") << 2 << 22 << false << 2;
    }
    void requestSideEffects() {
        QFETCH(int, address);
        QFETCH(int, index);
        QFETCH(bool, cleared);
        QFETCH(int, requestAddress);
        RequestAddress = 9;
        ReceiveBuffer = "c12;";
        SendRequest(address, index);
        QCOMPARE(ReceiveBuffer.isEmpty(), cleared);
        QCOMPARE(int(RequestAddress), requestAddress);
    }

    void takeField_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("taken");
        QTest::addColumn<QByteArray>("field");
        QTest::addColumn<QByteArray>("rest");
        QTest::newRow("first of two")
            << QByteArray("12;34;") << true << QByteArray("12") << QByteArray(";34;");
        QTest::newRow("separators skipped")
            << QByteArray(";;12;34;") << true << QByteArray("12") << QByteArray(";34;");
        QTest::newRow("separator last")
            << QByteArray("12;") << true << QByteArray("12") << QByteArray();
        QTest::newRow("no separator")
            << QByteArray("12") << true << QByteArray("12") << QByteArray();
        QTest::newRow("ends inside a field")
            << QByteArray("12;3") << true << QByteArray("12") << QByteArray(";3");
        QTest::newRow("only separators")
            << QByteArray(";;;") << false << QByteArray() << QByteArray(";;;");
        QTest::newRow("empty") << QByteArray() << false << QByteArray() << QByteArray();
    }
    void takeField() {
        QFETCH(QByteArray, text);
        QFETCH(bool, taken);
        QFETCH(QByteArray, field);
        QFETCH(QByteArray, rest);
        QByteArray got;
        QCOMPARE(TakeField(';', text, got), taken);
        QCOMPARE(got, field);
        QCOMPARE(text, rest);
    }

    void convertField_data() {
        QTest::addColumn<QByteArray>("field");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("value");
        QTest::newRow("plain") << QByteArray("187") << true << 187;
        QTest::newRow("leading blanks") << QByteArray("  12") << true << 12;
        QTest::newRow("trailing blank") << QByteArray("12 ") << false << 0;
        QTest::newRow("plus") << QByteArray("+5") << true << 5;
        QTest::newRow("minus") << QByteArray("-15") << true << -15;
        QTest::newRow("sign only") << QByteArray("-") << false << 0;
        QTest::newRow("blank only") << QByteArray(" ") << false << 0;
        QTest::newRow("letter") << QByteArray("1x") << false << 0;
        QTest::newRow("largest") << QByteArray("2147483647") << true << 2147483647;
        QTest::newRow("too large") << QByteArray("2147483648") << false << 0;
        QTest::newRow("smallest") << QByteArray("-2147483648") << true << int(-2147483647 - 1);
        QTest::newRow("too small") << QByteArray("-2147483649") << false << 0;
        QTest::newRow("very long") << QByteArray(400, '9') << false << 0;
    }
    void convertField() {
        QFETCH(QByteArray, field);
        QFETCH(bool, ok);
        QFETCH(int, value);
        int32_t got = 0;
        QCOMPARE(ConvertField(field, got), ok);
        QCOMPARE(int(got), value);
    }

    void receive_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("expected");
        // Before every row: RequestAddress 4, its Storing and SwitchedOn 1, StoredCount 7,
        // StatusReply.RefDepth 42.
        QTest::newRow("B") << QByteArray("B3;") << 1 << "mode"
                           << "3";
        QTest::newRow("B malformed") << QByteArray("Bx;") << 0 << "mode"
                                     << "0";
        QTest::newRow("S") << QByteArray("S0;1;") << 18 << "flags"
                           << "0,1";
        QTest::newRow("S first field malformed") << QByteArray("Sx;1;") << 0 << "flags"
                                                 << "0,0";
        QTest::newRow("S second field malformed") << QByteArray("S1;1 ;") << 0 << "flags"
                                                  << "0,0";
        // Separators that end no field: the reply waits for its fields (the next request
        // empties the buffer).
        QTest::newRow("S without fields") << QByteArray("S;;") << 0 << "flags,buffer"
                                          << "1,1|S;;";
        QTest::newRow("r") << QByteArray("r25;") << 16 << "count"
                           << "25";
        QTest::newRow("r negative") << QByteArray("r-1;") << 16 << "count"
                                    << "-1";
        QTest::newRow("r malformed is consumed") << QByteArray("rx5;") << 0 << "count,buffer"
                                                 << "7|";
        QTest::newRow("R") << QByteArray("R15;30;60;50;70;10;20;120;60;") << 2 << "setup"
                           << "15,30,60,50,70,10,20,120,60 valid";
        QTest::newRow("R stops at a bad field")
            << QByteArray("R15;30;60;x;70;10;20;120;60;") << 0 << "setup,buffer"
            << "15,30,60,0,0,0,0,0,0 invalid|";
        QTest::newRow("R without values") << QByteArray("R;;;;;;;;;") << 0 << "setup"
                                          << "0,0,0,0,0,0,0,0,0 invalid";
        QTest::newRow("c") << StatusExample << 19 << "status" << StatusDecoded;
        QTest::newRow("c separator after letter")
            << QByteArray("c;512;498;455;401;210;187;3;1;0;125;37;") << 19 << "status"
            << StatusDecoded;
        QTest::newRow("c -15 and 9")
            << QByteArray("c-15;9;215;0;-9;209;0;0;65537;0;0;") << 19 << "status"
            << "valid -1 0 21 0 0 o2=209 mode=0 fan=0 aux=1 run=0 cyc=0 ref=100";
        QTest::newRow("c fan 10 runs")
            << QByteArray("c1;1;1;1;1;1;1;10;1;1;1;") << 19 << "status"
            << "valid 0 0 0 0 0 o2=1 mode=1 fan=1 aux=1 run=1 cyc=1 ref=100";
        QTest::newRow("c fan 01 does not")
            << QByteArray("c1;1;1;1;1;1;1;01;1;1;1;") << 19 << "status"
            << "valid 0 0 0 0 0 o2=1 mode=1 fan=0 aux=1 run=1 cyc=1 ref=100";
        QTest::newRow("c fan 0 does not")
            << QByteArray("c1;1;1;1;1;1;1;0;1;1;1;") << 19 << "status"
            << "valid 0 0 0 0 0 o2=1 mode=1 fan=0 aux=1 run=1 cyc=1 ref=100";
        QTest::newRow("c hot pile has a reference depth")
            << QByteArray("c700;650;600;500;300;150;3;1;0;10;2;") << 19 << "status"
            << "valid 70 65 60 50 30 o2=150 mode=3 fan=1 aux=0 run=10 cyc=2 ref=37";
        // A bad temperature: the others are still read, the depth keeps its old value.
        QTest::newRow("c bad temperature")
            << QByteArray("c700;x;600;500;300;150;3;1;0;10;2;") << 0 << "status"
            << "invalid 70 0 60 50 30 o2=150 mode=3 fan=1 aux=0 run=10 cyc=2 ref=42";
        QTest::newRow("c trailing blank")
            << QByteArray("c512 ;498;455;401;210;187;3;1;0;125;37;") << 0 << "status"
            << "invalid 0 49 45 40 21 o2=187 mode=3 fan=1 aux=0 run=125 cyc=37 ref=42";
        QTest::newRow("c bad O2 drops the mode")
            << QByteArray("c1;1;1;1;1;?;3;1;0;5;6;") << 0 << "status"
            << "invalid 0 0 0 0 0 o2=0 mode=0 fan=1 aux=0 run=5 cyc=6 ref=100";
        QTest::newRow("c empty fields")
            << QByteArray("c;;;;;;;;;;;") << 0 << "status,buffer"
            << "invalid 0 0 0 0 0 o2=0 mode=0 fan=0 aux=255 run=0 cyc=0 ref=42|c;;;;;;;;;;;";
        QTest::newRow("G") << RecordExample << 20 << "record,stamp"
                           << "valid 51 49 45 40 21 o2=187 mode=3 fan=0 aux=0 run=125 cyc=37 "
                              "ref=100|30 14 07 03 2010";
        QTest::newRow("G texts cut to 10")
            << QByteArray("G1;1;1;1;1;1;1;1;30;14;0123456789AB;03;123456789;1;1;") << 20 << "stamp"
            << "30 14 0123456789 03 2012345678";
        QTest::newRow("G bad run time")
            << QByteArray("G1;1;1;1;1;1;1;1;30;14;07;03;10;x;1;") << 0 << "stamp"
            << "30 14 07 03 2010";
        QTest::newRow("T") << Clock30 << 21 << "clock,buffer" << QString(Clock30) + "|";
        QTest::newRow("T with 29") << Clock30.left(29) << 0 << "clock,buffer"
                                   << "|" + QString(Clock30.left(29));
        QTest::newRow("T with 40, rest noise")
            << Clock30 + "\r\n;123;45;" << 21 << "clock,buffer" << QString(Clock30) + "|";
        QTest::newRow("T with 40, rest a reply")
            << Clock30 + "B2;\r\n;1234" << 1 << "clock,mode" << QString(Clock30) + "|2";
        QTest::newRow("noise before a reply") << QByteArray("\r\n;;12x\rB3;") << 1 << "mode"
                                              << "3";
        QTest::newRow("two replies in one arrival") << QByteArray("B2;S0;0;") << 18 << "mode,flags"
                                                    << "2|0,0";
        QTest::newRow("failed reply after a good one") << QByteArray("B2;Bx;") << 0 << "mode"
                                                       << "2";
        QTest::newRow("incomplete reply waits") << QByteArray("S1;") << 0 << "flags,buffer"
                                                << "1,1|S1;";
        // The Needs count covers the whole buffer: a ';' behind the reply completes it, and
        // the unfinished field then runs up to that ';'.
        QTest::newRow("needs met by a later ';'") << QByteArray("S1;\r;") << 0 << "flags"
                                                  << "0,0";
    }
    void receive() {
        QFETCH(QByteArray, text);
        QFETCH(int, code);
        QFETCH(QString, what);
        QFETCH(QString, expected);
        RequestAddress = 4;
        Daten::Anlage[4].Storing = 1;
        Daten::Anlage[4].SwitchedOn = 1;
        StoredCount = 7;
        StatusReply.RefDepth = 42;
        ReceiveText(text);
        QCOMPARE(int(ReplyCode), code);
        QCOMPARE(views(what), expected);
    }

    // A reply in pieces is decoded only when its last needed ';' arrives.
    void pieces_data() {
        QTest::addColumn<QByteArrayList>("pieces");
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("expected");
        QTest::newRow("c over three arrivals")
            << QByteArrayList{"c512;498;455;401;210;", "187;3;1;0;125;3", "7;"} << "status"
            << StatusDecoded;
        QByteArrayList bytes;
        for (char c : StatusExample)
            bytes << QByteArray(1, c);
        QTest::newRow("c byte by byte") << bytes << "status" << StatusDecoded;
        QTest::newRow("T in two") << QByteArrayList{Clock30.left(29), Clock30.mid(29)} << "clock"
                                  << QString(Clock30);
        QTest::newRow("G letter alone") << QByteArrayList{"G", RecordExample.mid(1)} << "stamp"
                                        << "30 14 07 03 2010";
        // The separator after the letter and an empty field end no field: the reply is not
        // decoded before its last field has come whole.
        QTest::newRow("c ';' after the letter, cut in the last field")
            << QByteArrayList{"c;512;498;455;401;210;187;3;1;0;125;3", "7;"} << "status"
            << StatusDecoded;
        QTest::newRow("c empty fields, cut in the last field")
            << QByteArrayList{"c512;;498;455;401;210;187;3;;1;0;125;3", "7;"} << "status"
            << StatusDecoded;
        QTest::newRow("G ';' after the letter, cut in the last field")
            << QByteArrayList{"G;" + RecordExample.mid(1).chopped(2), "7;"} << "stamp"
            << "30 14 07 03 2010";
        QTest::newRow("S ';' after the letter, second field to come")
            << QByteArrayList{"S;1;", "1;"} << "flags"
            << "1,1";
    }
    void pieces() {
        QFETCH(QByteArrayList, pieces);
        QFETCH(QString, what);
        QFETCH(QString, expected);
        RequestAddress = 1;
        for (int i = 0; i < pieces.size(); ++i) {
            ReceiveText(pieces.at(i));
            const bool last = i == pieces.size() - 1;
            QVERIFY2((ReplyCode != 0) == last, qPrintable(QString::number(i)));
        }
        QCOMPARE(view(what), expected);
    }

    // Junk that never forms a reply cannot grow the buffer without bound, and a reply behind
    // it still decodes.
    void junkIsBounded() {
        const QByteArray junk = "c" + QByteArray(3 * MaxReceiveBuffer, '7');
        RequestAddress = 2;
        ReceiveText(junk);
        QVERIFY(ReceiveBuffer.size() <= MaxReceiveBuffer);
        ReceiveText(junk + "B4;");
        QCOMPARE(int(ReplyCode), 1);
        QCOMPARE(int(Daten::Anlage[2].Mode), 4);
    }
};

QTEST_GUILESS_MAIN(TestProtocol)
#include "tst_protocol.moc"
