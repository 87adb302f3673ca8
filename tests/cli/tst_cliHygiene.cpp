// The command-line tool's hygienisation overview, run as the real binary: its lines against
// the protocol viewer's table for the same file, its JSON keys and values (a hole in the
// record, a daylight-saving change under TZ=Europe/Berlin), and its exit codes.
#include "ui/UiTestSupport.h"
#include "viewer/Fixture.h"

#include "core/Daten.h"
#include "core/ProgramDir.h"
#include "core/Regional.h"
#include "core/Settings.h"
#include "evaluation/UCSV_Lesen.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace {

struct Result {
    int code = -1;
    QString out;
    QString err;
};

// Hourly records at `temp` for `hours` hours from `start`, the clock readings as written.
QStringList hourly(const QDateTime& start, int hours, int temp, int firstNumber = 1) {
    QStringList out;
    Fixture::Temps v;
    for (int& t : v.t)
        t = temp;
    for (int h = 0; h <= hours; ++h)
        out << Fixture::line(firstNumber + h, start.addSecs(qint64(h) * 3600), v);
    return out;
}

} // namespace

class TestCliHygiene : public QObject {
    Q_OBJECT
    QTemporaryDir userSettings;
    QTemporaryDir runtimeDir;
    std::unique_ptr<QTemporaryDir> dir;

    QString file(const QStringList& records) {
        const QString path = dir->filePath(QStringLiteral("Miete7.csv"));
        return Fixture::write(path, Fixture::header() + records) ? path : QString();
    }
    Result run(const QStringList& args, const QByteArray& tz = "Europe/Berlin") {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("TZ"), QString::fromLatin1(tz));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(O2_CLI), QStringList{QStringLiteral("--dir"), dir->path()} + args);
        Result r;
        if (!p.waitForFinished(60000))
            return r;
        r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
        r.out = QString::fromUtf8(p.readAllStandardOutput());
        r.err = QString::fromUtf8(p.readAllStandardError());
        return r;
    }

private slots:
    void initTestCase() {
        UiTest::isolateUserSettings(userSettings);
        qputenv("XDG_RUNTIME_DIR", runtimeDir.path().toLocal8Bit());
    }
    void init() {
        ResetProcessState();
        Regional::setLocaleOverride(QLocale(QLocale::German, QLocale::Germany));
        dir = std::make_unique<QTemporaryDir>();
        ProgramDir::setOverride(dir->path());
        Settings::open(ProgramDir::iniPath());
    }
    void cleanup() {
        Settings::close();
        Regional::clearLocaleOverride();
    }

    // One line per combination and sensor line, with the cells the viewer's table shows.
    void textAsTheViewerShows() {
        // 15 days at 66 °C, the 25 cm sensor at 62 °C, the surface cool, two days missing.
        QStringList records = Fixture::records(360, 4, [](int h) {
            Fixture::Temps v;
            v.t[0] = v.t[1] = v.t[2] = 66;
            v.t[3] = 62;
            v.t[4] = 35;
            v.skip = h >= 100 && h < 148;
            return v;
        });
        const QString path = file(records);
        const Result r = run({QStringLiteral("hygiene"), path});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.err, QString());
        const QStringList lines = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 10);
        QCOMPARE(lines.at(0), QStringLiteral("55 °C / 14 Tage\tKern\t8,8 Tage\t07.03.2026  04:00\t"
                                             "16.03.2026  00:00\tnein"));
        QCOMPARE(lines.at(6).section(QLatin1Char('\t'), 0, 1),
                 QStringLiteral("60 °C / 7 Tage (nur geschlossene Anlagen)\tKern"));
        QCOMPARE(
            lines.at(9),
            QStringLiteral("Lücken in der Aufzeichnung (länger als 2 × Median-Messabstand): 1"));

        TFCSV_Lesen w;
        w.QualityMode = true;
        w.setFileChooser([path](QWidget*, const QString&) { return path; });
        w.show();
        w.OpenButtonClick();
        const QTableWidget* t = w.HygieneTable();
        QCOMPARE(t->rowCount(), 9);
        QString requirement;
        for (int row = 0; row < t->rowCount(); ++row) {
            QStringList cells;
            for (int c = 0; c < t->columnCount(); ++c)
                cells << t->item(row, c)->text();
            // The window writes a combination once, its scope on the line below.
            if (row % 3 == 0)
                requirement = cells.at(0);
            else if (!cells.at(0).isEmpty())
                requirement += QStringLiteral(" (") + cells.at(0) + QLatin1Char(')');
            cells[0] = QString();
            const QStringList printed = lines.at(row).split(QLatin1Char('\t'));
            QCOMPARE(printed.mid(1), cells.mid(1));
            QVERIFY2(printed.at(0).startsWith(requirement), qPrintable(printed.at(0)));
        }
    }

    void json_data() {
        QTest::addColumn<QStringList>("records");
        QTest::addColumn<QByteArray>("tz");
        QTest::addColumn<QString>("expected"); // the first object, compact
        const QDateTime autumn(QDate(2026, 10, 19), QTime(0, 0), Qt::UTC);
        QTest::newRow("13 d 23 h across the autumn change, Berlin")
            << hourly(autumn, 335, 56) << QByteArray("Europe/Berlin")
            << R"({"closedPlantsOnly":false,"coldestDays":13.9583,"coldestEnd":"01.11.2026 23:00",)"
               R"("coldestReached":false,"coldestStart":"19.10.2026 00:00","coreDays":13.9583,)"
               R"("coreEnd":"01.11.2026 23:00","coreReached":false,"coreStart":"19.10.2026 00:00",)"
               R"("gaps":0,"requiredDays":14,"surfaceDays":13.9583,"surfaceReached":false,)"
               R"("temperature":55})";
        QTest::newRow("the same in UTC")
            << hourly(autumn, 335, 56) << QByteArray("UTC")
            << R"({"closedPlantsOnly":false,"coldestDays":13.9583,"coldestEnd":"01.11.2026 23:00",)"
               R"("coldestReached":false,"coldestStart":"19.10.2026 00:00","coreDays":13.9583,)"
               R"("coreEnd":"01.11.2026 23:00","coreReached":false,"coreStart":"19.10.2026 00:00",)"
               R"("gaps":0,"requiredDays":14,"surfaceDays":13.9583,"surfaceReached":false,)"
               R"("temperature":55})";
        // 39 hourly records at 66 °C with two holes of 23.5 hours.
        const QDateTime march(QDate(2026, 3, 1), QTime(0, 0), Qt::UTC);
        const qint64 hole = 12 * 3600 + 1410 * 60;
        QTest::newRow("two holes")
            << hourly(march, 12, 66) + hourly(march.addSecs(hole), 12, 66, 14) +
                   hourly(march.addSecs(2 * hole), 12, 66, 27)
            << QByteArray("Europe/Berlin")
            << R"({"closedPlantsOnly":false,"coldestDays":0.5,"coldestEnd":"01.03.2026 12:00",)"
               R"("coldestReached":false,"coldestStart":"01.03.2026 00:00","coreDays":0.5,)"
               R"("coreEnd":"01.03.2026 12:00","coreReached":false,"coreStart":"01.03.2026 00:00",)"
               R"("gaps":2,"requiredDays":14,"surfaceDays":0.5,"surfaceReached":false,)"
               R"("temperature":55})";
        QTest::newRow("never hot")
            << hourly(march, 48, 40) << QByteArray("Europe/Berlin")
            << R"({"closedPlantsOnly":false,"coldestDays":0,"coldestEnd":null,)"
               R"("coldestReached":false,"coldestStart":null,"coreDays":0,"coreEnd":null,)"
               R"("coreReached":false,"coreStart":null,"gaps":0,"requiredDays":14,)"
               R"("surfaceDays":0,"surfaceReached":false,"temperature":55})";
    }
    void json() {
        QFETCH(QStringList, records);
        QFETCH(QByteArray, tz);
        QFETCH(QString, expected);
        const Result r =
            run({QStringLiteral("hygiene"), file(records), QStringLiteral("--json")}, tz);
        QCOMPARE(r.code, 0);
        QCOMPARE(r.err, QString());
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(r.out.toUtf8(), &error);
        QCOMPARE(error.error, QJsonParseError::NoError);
        const QJsonArray all = doc.array();
        QCOMPARE(all.size(), 3);
        QCOMPARE(
            QString::fromUtf8(QJsonDocument(all.at(0).toObject()).toJson(QJsonDocument::Compact)),
            expected);
        // The other two combinations, with the same keys.
        const QJsonObject second = all.at(1).toObject();
        const QJsonObject third = all.at(2).toObject();
        QCOMPARE(second.keys(), all.at(0).toObject().keys());
        QCOMPARE(third.keys(), all.at(0).toObject().keys());
        QCOMPARE(second.value("temperature").toInt(), 65);
        QCOMPARE(second.value("requiredDays").toInt(), 7);
        QCOMPARE(second.value("closedPlantsOnly").toBool(), false);
        QCOMPARE(third.value("temperature").toInt(), 60);
        QCOMPARE(third.value("requiredDays").toInt(), 7);
        QCOMPARE(third.value("closedPlantsOnly").toBool(), true);
        QCOMPARE(third.value("gaps"), all.at(0).toObject().value("gaps"));
    }

    void exitCodes_data() {
        QTest::addColumn<QStringList>("args");   // FILE stands for the path
        QTest::addColumn<QByteArray>("content"); // of FILE; empty: no such file
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("err"); // the start of stderr; PATH stands for the path
        const QByteArray valid =
            (Fixture::header() + hourly(QDateTime(QDate(2026, 3, 1), QTime(0, 0)), 4, 56))
                .join("\r\n")
                .toLatin1() +
            "\r\n";
        const QString usage = QStringLiteral("usage: o2aerolis-cli hygiene FILE [--json]\n");
        QTest::newRow("without a file") << QStringList{"hygiene"} << valid << 2 << usage;
        QTest::newRow("two files") << QStringList{"hygiene", "FILE", "FILE"} << valid << 2 << usage;
        QTest::newRow("an option it has not")
            << QStringList{"hygiene", "FILE", "--per-day"} << valid << 2 << usage;
        QTest::newRow("a missing file")
            << QStringList{"hygiene", "FILE"} << QByteArray() << 1 << "PATH: ";
        QTest::newRow("a file not ours")
            << QStringList{"hygiene", "FILE"} << QByteArray("Name;Wert\r\n").repeated(12) << 1
            << QStringLiteral("Kein gültiger Dateiaufbau\nDatei war nicht von dieser Software "
                              "erzeugt!\n");
        QTest::newRow("a valid file") << QStringList{"hygiene", "FILE"} << valid << 0 << QString();
        QTest::newRow("its help") << QStringList{"hygiene", "--help"} << valid << 0 << QString();
    }
    void exitCodes() {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, content);
        QFETCH(int, code);
        QFETCH(QString, err);
        const QString path = dir->filePath(QStringLiteral("Miete7.csv"));
        if (!content.isEmpty()) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
        }
        args.replaceInStrings(QStringLiteral("FILE"), path);
        err.replace(QStringLiteral("PATH"), path);
        const Result r = run(args);
        QCOMPARE(r.code, code);
        QVERIFY2(r.err.startsWith(err), qPrintable(r.err));
        if (code != 0)
            QCOMPARE(r.out, QString());
        if (args.contains(QStringLiteral("--help")))
            QVERIFY(r.out.startsWith(QStringLiteral("usage: o2aerolis-cli [--dir DIR] [--json] "
                                                    "hygiene FILE\n")));
        if (code == 0)
            QCOMPARE(r.err, QString());
    }
};

QTEST_MAIN(TestCliHygiene)
#include "tst_cliHygiene.moc"
