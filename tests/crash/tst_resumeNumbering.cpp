// The next readout after one that was cut short: the settings file's count is saved at the
// close, so a killed readout leaves more record lines in the file than the count knows of.
// The numbering must go on after the file's last record, never repeat a number.
#include "core/Daten.h"
#include "core/ProgramDir.h"
#include "core/Regional.h"
#include "core/Settings.h"
#include "storage/UMessDaten.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace MeasurementFile;

namespace {

const QDate Day(2026, 12, 9);

QByteArray header() {
    QByteArray h;
    for (const QString& l : HeaderLines(3, Day))
        h += l.toLatin1() + "\r\n";
    return h;
}

QByteArray records(int from, int to) {
    QByteArray out;
    for (int n = from; n <= to; ++n)
        out += QByteArray::number(n) +
               ";09.12.2026  14:30;   58;   62;   60;   51;   45;   36; 20,9;3;  125;   48;\r\n";
    return out;
}

} // namespace

class TestResumeNumbering : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private slots:
    void init() {
        ResetProcessState();
        Regional::setLocaleOverride(QLocale(QLocale::German, QLocale::Germany));
        ProgramDir::setOverride(dir.path());
        for (const QString& f : QDir(dir.path()).entryList(QDir::Files))
            QFile::remove(dir.filePath(f));
        Settings::open(dir.filePath(QStringLiteral("O2_Aerolis.ini")));
        tAnlageParameter& a = Daten::Anlage[3];
        a.Name = QStringLiteral("Anl-Nr3");
        a.Pfad = QDir::toNativeSeparators(dir.path());
        NewMeasurementFile(3, Day);
    }
    void cleanup() {
        CloseMeasurementFile(3);
        Regional::clearLocaleOverride();
    }

    void nextNumber_data() {
        QTest::addColumn<QByteArray>("tail"); // after the header
        QTest::addColumn<int>("anzahl");      // as the settings file remembers it
        QTest::addColumn<int>("next");
        QTest::newRow("count and file agree") << records(1, 4) << 4 << 5;
        QTest::newRow("killed after two more lines") << records(1, 6) << 4 << 7;
        QTest::newRow("killed in the first readout") << records(1, 3) << 0 << 4;
        QTest::newRow("header only") << QByteArray() << 0 << 1;
        // Lines deleted by hand, or a re-created file: the count is never lowered.
        QTest::newRow("count ahead of the file") << records(1, 2) << 9 << 10;
        // A power loss may cut the line in progress: it is taken back, as a failed write
        // is, and its number given to the next record. Kept, its cut time stamp would stop
        // every later fill of the file at that line.
        QTest::newRow("line cut in its time stamp") << records(1, 2) + "3;09.12.2026  14" << 2 << 3;
        QTest::newRow("line cut in its last field")
            << records(1, 2) +
                   "3;09.12.2026  14:30;   58;   62;   60;   51;   45;   36; 20,9;3;  12"
            << 2 << 3;
        QTest::newRow("line cut after its number") << records(1, 2) + "3" << 2 << 3;
        QTest::newRow("first line cut") << QByteArray("1;09.1") << 0 << 1;
        QTest::newRow("cut line with a huge number") << records(1, 2) + "2147483647;x" << 2 << 3;
        // A whole record that lacks only its line end (an editor took it) is kept and gets
        // one; so is a text that is no record.
        QTest::newRow("whole record without its line end") << records(1, 3).chopped(2) << 2 << 4;
        QTest::newRow("a note without its line end") << records(1, 2) + "Umgesetzt" << 2 << 3;
        QTest::newRow("a huge number in a whole line")
            << records(1, 2) + "2147483647" + records(1, 1).mid(1) << 2 << 3;
        QTest::newRow("a huge number in a whole line without its line end")
            << records(1, 2) + "2147483647" + records(1, 1).mid(1).chopped(2) << 2 << 3;
    }
    void nextNumber() {
        QFETCH(QByteArray, tail);
        QFETCH(int, anzahl);
        QFETCH(int, next);
        const QString path = Daten::Anlage[3].Datei;
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(header() + tail);
        }
        Daten::Anlage[3].Anzahl = anzahl;
        QVERIFY(OpenMeasurementFile(3, Day));
        QVERIFY(
            AppendMeasurementRecord(3, QStringLiteral("10.12.2026  08:00"), MeasurementRecord{}));
        QVERIFY(CloseMeasurementFile(3));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = f.readAll().split('\n');
        QVERIFY(lines.at(lines.size() - 2).startsWith(QByteArray::number(next) + ";10.12.2026"));
        // Whole lines only, and every line that was whole before is still there.
        QVERIFY(lines.last().isEmpty());
        for (qsizetype i = 9; i < lines.size() - 1; ++i) {
            const QByteArray& l = lines.at(i);
            QVERIFY2(l.endsWith(";\r") || l == "Umgesetzt\r", l.constData());
        }
        const QByteArray wholeBefore = tail.left(tail.lastIndexOf('\n') + 1);
        QVERIFY(QByteArray(lines.mid(9).join('\n')).startsWith(wholeBefore));
        QCOMPARE(Daten::Anlage[3].Anzahl, next);
        QCOMPARE(Settings::file().readInteger(QStringLiteral("3"), QStringLiteral("Anzahl"), -1),
                 next);
    }
};

QTEST_GUILESS_MAIN(TestResumeNumbering)
#include "tst_resumeNumbering.moc"
