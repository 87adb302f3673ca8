// The simulator's request framing: frames cut out of a stream that arrives in pieces and
// carries garbage.
#include "sim/RequestParser.h"

#include <QtTest>

using sim::RequestParser;

// Literals with NUL bytes in them, at their full length.
template <size_t N> QByteArray B(const char (&s)[N]) {
    return QByteArray(s, N - 1);
}

class TestRequestParser : public QObject {
    Q_OBJECT
private slots:
    void feed_data() {
        QTest::addColumn<QList<QByteArray>>("chunks");
        QTest::addColumn<QList<QByteArray>>("frames");
        QTest::addColumn<qint64>("skipped");
        using L = QList<QByteArray>;
        QTest::newRow("status poll") << L{"\x03"
                                          "c"}
                                     << L{"\x03"
                                          "c"}
                                     << 0LL;
        QTest::newRow("plant 32 is a blank") << L{" B"} << L{" B"} << 0LL;
        QTest::newRow("two frames in one piece") << L{"\x05"
                                                      "D070310"
                                                      "\x05"
                                                      "Z090500"}
                                                 << L{"\x05"
                                                      "D070310",
                                                      "\x05"
                                                      "Z090500"}
                                                 << 0LL;
        QTest::newRow("split inside the digits") << L{"\x02"
                                                      "p00",
                                                      "5000", "75"}
                                                 << L{"\x02"
                                                      "p00500075"}
                                                 << 0LL;
        QTest::newRow("split after the address") << L{"\x07", "G"}
                                                 << L{"\x07"
                                                      "G"}
                                                 << 0LL;
        QTest::newRow("line noise before") << L{B("\r\n;xyz\x7f\x00"
                                                  "\x01"
                                                  "S")}
                                           << L{"\x01"
                                                "S"}
                                           << 8LL;
        QTest::newRow("address 0 and 33 skipped") << L{B("\x00"
                                                         "B"
                                                         "\x21"
                                                         "B"
                                                         "\x04"
                                                         "B")}
                                                  << L{"\x04"
                                                       "B"}
                                                  << 4LL;
        QTest::newRow("unknown letter") << L{"\x04"
                                             "x"
                                             "\x04"
                                             "r"}
                                        << L{"\x04"
                                             "r"}
                                        << 2LL;
        // A frame cut short by the next one: the non-digit shows it was no frame.
        QTest::newRow("digits cut short") << L{"\x02"
                                               "I12",
                                               "\x02"
                                               "I0015"}
                                          << L{"\x02"
                                               "I0015"}
                                          << 4LL;
        QTest::newRow("letter that is also an address") << L{"\x01"
                                                             "\x01"
                                                             "A"}
                                                        << L{"\x01"
                                                             "A"}
                                                        << 1LL;
        QTest::newRow("surplus digit dropped") << L{"\x02"
                                                    "I12345"
                                                    "\x02"
                                                    "c"}
                                               << L{"\x02"
                                                    "I1234",
                                                    "\x02"
                                                    "c"}
                                               << 1LL;
        QTest::newRow("incomplete stays pending") << L{"\x09"
                                                       "N0010"}
                                                  << L{} << 0LL;
    }
    void feed() {
        QFETCH(QList<QByteArray>, chunks);
        QFETCH(QList<QByteArray>, frames);
        QFETCH(qint64, skipped);
        RequestParser parser;
        QList<QByteArray> got;
        qint64 offset = 0;
        for (const QByteArray& c : chunks) {
            offset += c.size();
            for (const sim::RequestFrame& f : parser.feed(c)) {
                got.append(f.raw);
                QVERIFY(f.endOffset <= offset);
                QCOMPARE(f.raw.at(0), char(f.address));
                QCOMPARE(f.raw.at(1), f.letter);
                QCOMPARE(f.digits, f.raw.mid(2));
            }
        }
        QCOMPARE(got, frames);
        QCOMPARE(parser.skippedBytes(), skipped);
    }
};

QTEST_GUILESS_MAIN(TestRequestParser)
#include "tst_requestParser.moc"
