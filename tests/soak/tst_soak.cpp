// The fault soak in short: 16 plants over one simulated day with dropped, garbled, split and
// noisy replies, noise with reply letters, replies cut short for good, two replies in one
// arrival, valid but unusual forms, and a gateway that cuts its connection; the tool's watch must
// neither crash nor hang, file no record it was never sent, and the records must add up. The day
// lasts only some 25 s, and a slow (sanitised) build spends much of it starting up and teaching in,
// so replies are dropped and garbled more often than in the long soak, and the meaner kinds
// come often enough to occur in the few hundred replies of a loaded machine: each kind of
// fault must occur.
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

class TestSoak : public QObject {
    Q_OBJECT
    QByteArray out;

    qint64 figure(const char* label) const {
        const QRegularExpression form(QStringLiteral("\\n +%1 +(\\d+)\\n")
                                          .arg(QRegularExpression::escape(QLatin1String(label))));
        const auto m = form.match(QString::fromLocal8Bit(out));
        return m.hasMatch() ? m.captured(1).toLongLong() : -1;
    }

private slots:
    void oneDayOfFaults() {
        QProcess p;
        const QStringList args =
            QStringLiteral("--days 1 --plants 16 --seed 7 --time-factor 60 --every 4 "
                           "--cut-every 8 --drop 0.1 --garble 0.1 --letter-noise 0.06 "
                           "--garble-any 0.04 --truncate 0.06 --double 0.06 --unusual 0.1 --quiet")
                .split(QLatin1Char(' '));
        p.start(QStringLiteral(O2_SOAK), args);
        QVERIFY(p.waitForStarted(5000));
        QTRY_VERIFY_WITH_TIMEOUT(p.state() == QProcess::NotRunning, 240000);
        out = p.readAllStandardOutput();
        qInfo("%s", out.constData());
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);

        // The faults were there...
        QVERIFY(figure("replies dropped by the gateway") > 0);
        QVERIFY(figure("replies garbled") > 0);
        QVERIFY(figure("replies behind noise with a reply letter") > 0);
        QVERIFY(figure("replies cut short for good") > 0);
        QVERIFY(figure("replies with another reply in front") > 0);
        QVERIFY(figure("replies and records in unusual valid forms") > 0);
        QVERIFY(figure("connections cut") > 0);
        QVERIFY(figure("reconnects") >= figure("connections cut"));
        QVERIFY(figure("records in the files") > 0);
        // ...and did no harm beyond the records they took off the wire.
        QCOMPARE(figure("crashes"), 0);
        QCOMPARE(figure("hangs"), 0);
        QCOMPARE(figure("records in a file that the simulator never sent"), 0);
        QCOMPARE(figure("records in the files more than once"), 0);
        QCOMPARE(figure("records sent whole but not in a file"), 0);
        QCOMPARE(figure("records still in the controllers"), 0);
        QCOMPARE(figure("waits that overran their time-out by more than the limit"), 0);
        QCOMPARE(figure("records lost on the wire (simulator's count)"),
                 figure("'G' replies dropped") + figure("'G' replies cut off with the connection") +
                     figure("'G' replies cut short for good"));
        QVERIFY(out.contains(": adds up\n  lost on the wire"));
        QCOMPARE(p.exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(TestSoak)
#include "tst_soak.moc"
