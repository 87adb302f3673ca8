// Measurement files read back into series: both header layouts, the end-of-day and
// one-value-per-day reductions, units, the reference mark and files that are not ours.
#include "core/Daten.h"
#include "core/KompUtils.h"
#include "core/Regional.h"
#include "core/Settings.h"
#include "evaluation/TMessDaten.h"
#include "storage/UMessDaten.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QStringList Header9 = {
    QStringLiteral("Firmen- Name"),
    QStringLiteral("* Text *"),
    QStringLiteral("* Text *"),
    QString(),
    QStringLiteral("Anlagen- Name: Anl-Nr3"),
    QStringLiteral("Datei  - Name: D:\\Kompost\\Anl-Nr3_09-12-2026.CSV"),
    QStringLiteral("Testmiete"),
    QStringLiteral("Erste Datensicherung : 09.12.2026"),
    QStringLiteral(" ;Speicherzeit;T5;T4;T3;T2;T1;RefMarke; O2[vol%];Betriebsart;Luefterlaufzeit;"
                   "LuefterZyklen")};

const QStringList Header8 = {
    QStringLiteral("Alt GmbH"),
    QStringLiteral("Zeile 2"),
    QStringLiteral("Zeile 3"),
    QStringLiteral("Anlagen- Name: Alt"),
    QStringLiteral("Datei  - Name: C:\\alt.csv"),
    QString(),
    QStringLiteral("Erste Datensicherung : 01.02.2010"),
    QStringLiteral(" ;Speicherzeit;T5;T4;T3;T2;T1;RefMarke;O2;Betriebsart;Laufzeit;Zyklen")};

QString rec(int n, const QString& stamp,
            const QString& rest =
                QStringLiteral("   58;   62;   60;   51;   45;   36; 20,9;3;  125;   48;")) {
    return QString::number(n) + QLatin1Char(';') + stamp + QLatin1Char(';') + rest;
}

// Data lines at the given "dd.mm.yyyy  hh:mm" stamps.
QStringList recs(const QStringList& stamps) {
    QStringList out;
    for (int i = 0; i < stamps.size(); ++i)
        out << rec(i + 1, stamps.at(i));
    return out;
}

QList<double> ys(const ChartSeriesData& s) {
    QList<double> out;
    for (const QPointF& p : s.points)
        out << p.y();
    return out;
}

} // namespace

class TestMessDaten : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

    QString write(const QStringList& lines, const QByteArray& tail = "\r\n") {
        const QString path = dir.filePath(QStringLiteral("m.CSV"));
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return QString();
        f.write(lines.join(QStringLiteral("\r\n")).toLatin1() + (lines.isEmpty() ? "" : tail));
        return path;
    }
    // Loads the file and fills all series; every series holds PointCount + 1 points.
    void loadAndFill(TMessDaten& m, const QStringList& lines, bool perDay) {
        QCOMPARE(m.LoadFile(write(lines)), TMessDaten::LoadResult::Valid);
        QVERIFY(m.FillSeries(perDay, nullptr));
        for (const ChartSeriesData* s : m.AllSeries())
            QCOMPARE(s->points.size(), m.PointCount + 1);
        QCOMPARE(m.Labels.size(), m.PointCount);
    }

private slots:
    void init() {
        ResetProcessState();
        Regional::setLocaleOverride(QLocale(QLocale::German, QLocale::Germany));
    }
    void cleanup() { Regional::clearLocaleOverride(); }

    void recognition_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("result");
        QTest::addColumn<bool>("o2AsStored");
        QTest::addColumn<int>("lineCount");
        using R = TMessDaten::LoadResult;
        QTest::newRow("current header")
            << Header9 + recs({"09.12.2026  14:30", "09.12.2026  15:30"}) << int(R::Valid) << true
            << 2;
        QTest::newRow("older header, one record")
            << Header8 + QStringList{"1;01.02.2010  10:00;1;2;3;4;5;0;209;"} << int(R::Valid)
            << false << 1;
        QTest::newRow("first record 2") << Header9 + QStringList{rec(2, "09.12.2026  14:30")}
                                        << int(R::NotRecognised) << true << 0;
        QTest::newRow("line 10 starts with blank 1")
            << Header9 + QStringList{QLatin1Char(' ') + rec(1, "09.12.2026  14:30")}
            << int(R::NotRecognised) << true << 0;
        QTest::newRow("header only") << Header9 << int(R::NotRecognised) << true << 0;
        QTest::newRow("line 9 empty")
            << Header8 + QStringList{QString(), rec(1, "x")} << int(R::NotRecognised) << true << 0;
        QTest::newRow("record number without separator")
            << Header9 + QStringList{QStringLiteral("1")} << int(R::NotRecognised) << true << 0;
        QTest::newRow("a settings file") << QStringList{"[COM]", "LAYER=1", "[1]", "Name=x"}
                                         << int(R::NotRecognised) << true << 0;
    }
    void recognition() {
        QFETCH(QStringList, lines);
        QFETCH(int, result);
        QFETCH(bool, o2AsStored);
        QFETCH(int, lineCount);
        TMessDaten m;
        QCOMPARE(int(m.LoadFile(write(lines))), result);
        QCOMPARE(m.FileValid, result == int(TMessDaten::LoadResult::Valid));
        QCOMPARE(m.O2AsStored, o2AsStored);
        QCOMPARE(m.LineCount, lineCount);
        // A file that is not ours yields no point in either mode.
        for (bool perDay : {false, true}) {
            QVERIFY(m.FillSeries(perDay, nullptr));
            QCOMPARE(m.PointCount, lineCount == 0 ? 0 : (perDay ? 1 : lineCount));
            for (const ChartSeriesData* s : m.AllSeries())
                QCOMPARE(s->points.size(), m.PointCount + 1);
        }
    }

    void headerFields() {
        TMessDaten m;
        QCOMPARE(m.LoadFile(write(Header9 + recs({"09.12.2026  14:30"}))),
                 TMessDaten::LoadResult::Valid);
        QCOMPARE(m.PlantName, QStringLiteral(" Anl-Nr3"));
        QCOMPARE(m.FileName, QStringLiteral(" D:\\Kompost\\Anl-Nr3_09-12-2026.CSV"));
        QCOMPARE(m.Comment, QStringLiteral("Testmiete"));
        QCOMPARE(m.FirstBackupLine, QStringLiteral("Erste Datensicherung : 09.12.2026"));
        QCOMPARE(m.TitleLines[0], QStringLiteral("Firmen- Name"));
        QCOMPARE(m.Lines, recs({"09.12.2026  14:30"}));

        QCOMPARE(m.LoadFile(write(Header8 + recs({"09.12.2026  14:30"}))),
                 TMessDaten::LoadResult::Valid);
        QCOMPARE(m.PlantName, QStringLiteral(" Alt"));
        QCOMPARE(m.FileName, QStringLiteral(" C:\\alt.csv"));
        QCOMPARE(m.Comment, QString());
        QCOMPARE(m.FirstBackupLine, QStringLiteral("Erste Datensicherung : 01.02.2010"));
        QCOMPARE(m.TitleLines[2], QStringLiteral("Zeile 3"));
    }

    void unreadableFile() {
        TMessDaten m;
        QCOMPARE(m.LoadFile(write(Header9 + recs({"09.12.2026  14:30"}))),
                 TMessDaten::LoadResult::Valid);
        QCOMPARE(m.LoadFile(dir.filePath(QStringLiteral("fehlt.CSV"))),
                 TMessDaten::LoadResult::ReadError);
        QVERIFY(!m.FileValid);
        QVERIFY(m.Lines.isEmpty());
        QVERIFY(!m.ErrorText().isEmpty());
        QCOMPARE(m.PlantName, QStringLiteral(" Anl-Nr3")); // header fields keep their contents
        QCOMPARE(m.LoadFile(dir.path()), TMessDaten::LoadResult::ReadError);
    }

    // What the writer writes, the reader reads, whatever the regional settings.
    void writerRoundTrip_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("label"); // <sep>: the regional time separator
        QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany)
                                << "09.12.2026  14<sep>30";
        QTest::newRow("English, US")
            << QLocale(QLocale::English, QLocale::UnitedStates) << "12/9/2026  14<sep>30";
        QTest::newRow("Finnish") << QLocale(QLocale::Finnish, QLocale::Finland)
                                 << "9.12.2026  14.30";
    }
    void writerRoundTrip() {
        QFETCH(QLocale, locale);
        QFETCH(QString, label);
        Regional::setLocaleOverride(locale);
        label.replace(QStringLiteral("<sep>"), Regional::timeSeparator());
        Settings::open(dir.filePath(QStringLiteral("O2_Aerolis.ini")));
        tAnlageParameter& a = Daten::Anlage[2];
        a.Name = QStringLiteral("Rund");
        a.Pfad = QDir::toNativeSeparators(dir.path());
        a.Datei.clear();
        MeasurementRecord r;
        r.T1 = 58;
        r.T2 = 62;
        r.T3 = 50;
        r.T4 = -3;
        r.T5 = 123456;
        r.RefDepth = 1; // not what the temperatures say: the reader recomputes it
        r.O2 = 187;
        r.Mode = 4;
        r.RunTime = 125;
        r.Cycles = 48;
        QVERIFY(MeasurementFile::OpenMeasurementFile(2, QDate(2026, 12, 9)));
        QVERIFY(MeasurementFile::AppendMeasurementRecord(
            2, MeasurementFile::RecordTimeText("09", "12", "2026", "14", "30"), r));
        QVERIFY(MeasurementFile::CloseMeasurementFile(2));
        QFile::remove(dir.filePath(QStringLiteral("O2_Aerolis.ini")));

        TMessDaten m;
        QCOMPARE(m.LoadFile(a.Datei), TMessDaten::LoadResult::Valid);
        QCOMPARE(m.PlantName, QStringLiteral(" Rund"));
        QCOMPARE(m.FileName, QLatin1Char(' ') + a.Datei);
        QVERIFY(m.FillSeries(false, nullptr));
        QCOMPARE(m.PointCount, 1);
        QCOMPARE(m.Labels, QStringList{label});
        QCOMPARE(ys(m.TSeries[1]).last(), 58.0);
        QCOMPARE(ys(m.TSeries[4]).last(), -3.0);
        QCOMPARE(ys(m.TSeries[5]).last(), 123456.0);
        QCOMPARE(ys(m.RefSeries).last(),
                 double(KompUtils::RefDepthFor(58, 62, 50, -3, 123456, 55)));
        QCOMPARE(ys(m.O2Series).last(), 18.7);
        QCOMPARE(ys(m.RunTimeSeries).last(), 125.0);
        QCOMPARE(ys(m.CyclesSeries).last(), 48.0);
        QFile::remove(a.Datei);
    }

    void endOfDayRuns_data() {
        QTest::addColumn<QStringList>("times");
        QTest::addColumn<QList<int>>("kept"); // 1-based data lines that stay
        QTest::newRow("lines 1 and 2 both stay")
            << QStringList{"23:59", "23:59", "10:00"} << QList<int>{1, 2, 3};
        QTest::newRow("run 3,4,5 keeps 3")
            << QStringList{"10:00", "11:00", "23:59", "23:59", "23:59", "08:00"}
            << QList<int>{1, 2, 3, 6};
        QTest::newRow("run 2,3,4 keeps 2")
            << QStringList{"10:00", "23:59", "23:59", "23:59"} << QList<int>{1, 2};
        QTest::newRow("two runs") << QStringList{"1:00", "23:59", "23:59", "2:00", "23:59", "23:59"}
                                  << QList<int>{1, 2, 4, 5};
    }
    void endOfDayRuns() {
        QFETCH(QStringList, times);
        QFETCH(QList<int>, kept);
        QStringList lines;
        for (int i = 0; i < times.size(); ++i)
            lines << rec(i + 1, QStringLiteral("09.12.2026  ") + times.at(i));
        TMessDaten m;
        loadAndFill(m, Header9 + lines, false);
        QStringList expected;
        for (int k : kept)
            expected << lines.at(k - 1);
        QCOMPARE(m.Lines, expected);
        QCOMPARE(m.LineCount, kept.size());
        QCOMPARE(m.PointCount, kept.size());
    }

    void oneValuePerDay_data() {
        QTest::addColumn<QStringList>("stamps");
        QTest::addColumn<QStringList>("labels");
        QTest::newRow("A A B B A")
            << QStringList{"01.03.2026  10:00", "01.03.2026  11:00", "02.03.2026  10:00",
                           "02.03.2026  12:00", "01.03.2026  13:00"}
            << QStringList{"01.03.2026  11:00", "02.03.2026  12:00", "01.03.2026  13:00"};
        QTest::newRow("single line")
            << QStringList{"05.03.2026  07:05"} << QStringList{"05.03.2026  07:05"};
        QTest::newRow("no lines") << QStringList{} << QStringList{};
        QTest::newRow("two-digit years")
            << QStringList{"31.12.99  23:00", "01.01.00  00:30", "01.01.00  01:30"}
            << QStringList{"31.12.1999  23:00", "01.01.2000  01:30"};
    }
    void oneValuePerDay() {
        QFETCH(QStringList, stamps);
        QFETCH(QStringList, labels);
        TMessDaten m;
        const QStringList file =
            Header9 + (stamps.isEmpty() ? QStringList{rec(1, "01.01.2026  00:00")} : recs(stamps));
        QCOMPARE(m.LoadFile(write(file)), TMessDaten::LoadResult::Valid);
        if (stamps.isEmpty()) {
            m.Lines.clear();
            m.LineCount = 0;
        }
        QVERIFY(m.FillSeries(true, nullptr));
        QCOMPARE(m.Labels, labels);
        QCOMPARE(m.PointCount, labels.size());
        for (const ChartSeriesData* s : m.AllSeries())
            QCOMPARE(s->points.size(), labels.size() + 1);
    }

    // Values that are missing or do not convert give 0 and never the value of an earlier
    // field; every series keeps one point per line.
    void lineValues_data() {
        QTest::addColumn<QString>("rest"); // after the time stamp
        QTest::addColumn<QList<double>>("t1to5");
        QTest::addColumn<double>("o2");
        QTest::addColumn<double>("runTime");
        QTest::addColumn<double>("cycles");
        QTest::newRow("full record") << "   58;   62;   60;   51;   45;   36; 20,9;3;  125;   48;"
                                     << QList<double>{58, 62, 60, 51, 45} << 20.9 << 125.0 << 48.0;
        QTest::newRow("temperature not whole")
            << "   58;  6,2;   60;   51;   45;   36; 20,9;3;  125;   48;"
            << QList<double>{0, 0, 0, 0, 0} << 20.9 << 125.0 << 48.0;
        QTest::newRow("fields up to O2 only")
            << "1;2;3;4;5;0; 20,9;" << QList<double>{1, 2, 3, 4, 5} << 20.9 << 0.0 << 0.0;
        QTest::newRow("O2 without closing separator")
            << "1;2;3;4;5;0; 7,5" << QList<double>{1, 2, 3, 4, 5} << 7.5 << 0.0 << 0.0;
        QTest::newRow("cut after T3")
            << "11;22;33" << QList<double>{0, 0, 0, 0, 0} << 0.0 << 0.0 << 0.0;
        QTest::newRow("fan fields garbled")
            << "1;2;3;4;5;0;x;3;abc;;" << QList<double>{1, 2, 3, 4, 5} << 0.0 << 0.0 << 0.0;
        QTest::newRow("signs, blanks and a decimal point")
            << " -3; +4;  5 ;6;7;0; 20.9 ;3;  1,5;   2;" << QList<double>{-3, 4, 5, 6, 7} << 20.9
            << 1.5 << 2.0;
        QTest::newRow("beyond int, exponent, many digits")
            << "99999999999;2;3;4;5;0;1e1;3;12345678901234567;0,0000000000000001;"
            << QList<double>{0, 0, 0, 0, 0} << 10.0 << 12345678901234567.0 << 1e-16;
        QTest::newRow("one separator too many")
            << "1;2;3;4;5;0;1,0;3;4;5;6;" << QList<double>{1, 2, 3, 4, 5} << 1.0 << 0.0 << 0.0;
    }
    void lineValues() {
        QFETCH(QString, rest);
        QFETCH(QList<double>, t1to5);
        QFETCH(double, o2);
        QFETCH(double, runTime);
        QFETCH(double, cycles);
        TMessDaten m;
        // A full line first, so that a value left over from it would show.
        loadAndFill(m,
                    Header9 + QStringList{rec(1, "01.03.2026  10:00",
                                              "  99;  99;  99;  99;  99;  0;  9,9;3;  999;  999;"),
                                          rec(2, "01.03.2026  11:00", rest)},
                    false);
        QCOMPARE(m.PointCount, 2);
        for (int i = 0; i < 5; ++i)
            QCOMPARE(ys(m.TSeries[i + 1]).at(2), t1to5.at(i));
        const bool allZero = t1to5 == QList<double>{0, 0, 0, 0, 0};
        QCOMPARE(ys(m.RefSeries).at(2),
                 allZero
                     ? 0.0
                     : double(KompUtils::RefDepthFor(int(t1to5[0]), int(t1to5[1]), int(t1to5[2]),
                                                     int(t1to5[3]), int(t1to5[4]), 55)));
        QCOMPARE(ys(m.O2Series).at(2), o2);
        QCOMPARE(ys(m.RunTimeSeries).at(2), runTime);
        QCOMPARE(ys(m.CyclesSeries).at(2), cycles);
    }

    // A blank line holds no record: all values pass over it, one point per record.
    void emptyLinePassedOver() {
        TMessDaten m;
        loadAndFill(m,
                    Header9 + QStringList{rec(1, "01.03.2026  10:00"), QString(),
                                          rec(2, "01.03.2026  11:00")},
                    false);
        QCOMPARE(m.PointCount, 2);
        QCOMPARE(m.Labels, QStringList({"01.03.2026  10:00", "01.03.2026  11:00"}));
    }

    void olderHeaderO2InTenths() {
        TMessDaten m;
        loadAndFill(m, Header8 + QStringList{"1;01.02.2010  10:00;60;50;40;30;20;0;209;1;5;6;"},
                    false);
        QCOMPARE(ys(m.O2Series), (QList<double>{0, 20.9}));
        QCOMPARE(ys(m.RunTimeSeries), (QList<double>{0, 5}));
    }

    // The stored reference mark is ignored: the depth follows the current reference
    // temperature.
    void referenceMarkRecomputed_data() {
        QTest::addColumn<double>("refTemp");
        QTest::newRow("55") << 55.0;
        QTest::newRow("60") << 60.0;
        QTest::newRow("40") << 40.0;
    }
    void referenceMarkRecomputed() {
        QFETCH(double, refTemp);
        KompUtils::RefTemp = refTemp;
        TMessDaten m;
        loadAndFill(m, Header9 + recs({"09.12.2026  14:30"}), false);
        QCOMPARE(ys(m.RefSeries).at(1),
                 double(KompUtils::RefDepthFor(58, 62, 60, 51, 45, refTemp)));
    }

    void imperialUnits() {
        KompUtils::ImperialUnits = true;
        KompUtils::MakeRefCaption();
        TMessDaten m;
        QCOMPARE(m.TSeries[1].title, QStringLiteral("T 40in"));
        QCOMPARE(m.TSeries[5].title, QStringLiteral("T 0in"));
        QCOMPARE(m.RefSeries.title, KompUtils::RefCaption);
        loadAndFill(
            m,
            Header9 + QStringList{rec(1, "09.12.2026  14:30",
                                      "   55;   62;   60;   51;   45;   36; 20,9;3;  125;   48;")},
            false);
        QCOMPARE(ys(m.TSeries[1]).at(1), KompUtils::CToFReal(55));
        const int ref = KompUtils::RefDepthFor(55, 62, 60, 51, 45, 55);
        QCOMPARE(ys(m.RefSeries).at(1), KompUtils::CmToInReal(ref));
        QCOMPARE(ys(m.O2Series).at(1), 20.9);
        ChartLayout chart;
        m.SetupChart(chart);
        QCOMPARE(chart.axis(ChartTarget::Left).max, 212.0);
        QCOMPARE(chart.axis(ChartTarget::Left).title, QStringLiteral("T[°F]"));
    }

    void metricTitles() {
        TMessDaten m;
        QStringList titles;
        for (const ChartSeriesData* s : m.AllSeries())
            titles << s->title;
        QCOMPARE(titles, (QStringList{"T 100cm", "T 75cm", "T 50cm", "T 25cm", "T  0cm",
                                      "s 55°C[cm]", "O2", "Laufzeit", "Zyklen"}));
        QCOMPARE(m.O2Series.axis, ChartSeriesData::RightAxis);
        QCOMPARE(m.CyclesSeries.kind, ChartSeriesData::Bar);
        QVERIFY(!m.CyclesSeries.showMarks);
    }

    void chartSetup_data() {
        QTest::addColumn<bool>("fanMode");
        QTest::addColumn<double>("bottomMax");
        QTest::addColumn<bool>("autoMax");
        QTest::addColumn<QString>("leftTitle");
        QTest::addColumn<QString>("rightTitle");
        QTest::newRow("environment") << false << 2.0 << false << "T[°C]"
                                     << "O2/vol%";
        QTest::newRow("fan") << true << 2.5 << true << "t/min"
                             << "n";
    }
    void chartSetup() {
        QFETCH(bool, fanMode);
        QFETCH(double, bottomMax);
        QFETCH(bool, autoMax);
        QFETCH(QString, leftTitle);
        QFETCH(QString, rightTitle);
        TMessDaten m;
        m.FanMode = fanMode;
        QCOMPARE(m.LoadFile(write(Header9 + recs({"09.12.2026  14:30", "09.12.2026  15:30"}))),
                 TMessDaten::LoadResult::Valid);
        ChartLayout chart;
        QVERIFY(m.FillSeries(false, &chart));
        QVERIFY(!chart.view3D);
        QVERIFY(chart.clipPoints);
        QVERIFY(chart.legendVisible);
        QCOMPARE(chart.title, (QStringList{"Firmen- Name", "* Text *", "* Text *", " Anl-Nr3"}));
        QCOMPARE(chart.footer, QStringLiteral(" D:\\Kompost\\Anl-Nr3_09-12-2026.CSV"));
        const auto& bottom = chart.axis(ChartTarget::Bottom);
        QCOMPARE(bottom.min, 0.7);
        QCOMPARE(bottom.max, bottomMax);
        QCOMPARE(bottom.title, QStringLiteral("Messwert- Nr"));
        QCOMPARE(chart.axis(ChartTarget::Left).autoMaximum, autoMax);
        QCOMPARE(chart.axis(ChartTarget::Right).autoMaximum, autoMax);
        if (!autoMax) {
            QCOMPARE(chart.axis(ChartTarget::Left).max, 100.0);
            QCOMPARE(chart.axis(ChartTarget::Right).max, 25.0);
        }
        QCOMPARE(chart.axis(ChartTarget::Left).min, 0.0);
        QCOMPARE(chart.axis(ChartTarget::Left).title, leftTitle);
        QCOMPARE(chart.axis(ChartTarget::Right).title, rightTitle);

        // A zoom moved the bottom axis: the vertical reset leaves it alone.
        chart.setAxisRange(ChartTarget::Bottom, 1.2, 1.8);
        chart.setAxisRange(ChartTarget::Left, 30, 40);
        m.ResetAxes(chart);
        QCOMPARE(chart.axis(ChartTarget::Bottom).min, 1.2);
        QCOMPARE(chart.axis(ChartTarget::Bottom).max, 1.8);
        QCOMPARE(chart.axis(ChartTarget::Left).min, 0.0);
    }

    // A time stamp that is not one stops the fill at that line: the points before it stay
    // and are counted, the chart is left alone, and the reason names the text.
    void badTimeStamp_data() {
        QTest::addColumn<bool>("perDay");
        QTest::addColumn<QString>("stamp");
        QTest::newRow("all values, month 13") << false << "01.13.2026  10:00";
        QTest::newRow("all values, no time stamp") << false << "";
        QTest::newRow("all values, 25 o'clock") << false << "01.03.2026  25:00";
        QTest::newRow("per day, garbled date") << true << "0x.03.2026  10:00";
    }
    void badTimeStamp() {
        QFETCH(bool, perDay);
        QFETCH(QString, stamp);
        TMessDaten m;
        QCOMPARE(m.LoadFile(write(Header9 + QStringList{rec(1, "01.03.2026  10:00"),
                                                        rec(2, "02.03.2026  10:00"), rec(3, stamp),
                                                        rec(4, "04.03.2026  10:00")})),
                 TMessDaten::LoadResult::Valid);
        ChartLayout chart;
        QVERIFY(!m.FillSeries(perDay, &chart));
        QVERIFY(m.ErrorText().contains(stamp));
        QCOMPARE(m.PointCount, perDay ? 1 : 2);
        for (const ChartSeriesData* s : m.AllSeries())
            QCOMPARE(s->points.size(), m.PointCount + 1);
        QVERIFY(chart.title.isEmpty());
    }

    void valueAt() {
        TMessDaten m;
        loadAndFill(m, Header9 + recs({"09.12.2026  14:30"}), false);
        double y = -1;
        QVERIFY(m.O2Series.valueAt(0, &y));
        QCOMPARE(y, 0.0);
        QVERIFY(m.O2Series.valueAt(1, &y));
        QCOMPARE(y, 20.9);
        QVERIFY(!m.O2Series.valueAt(2, &y));
        QVERIFY(!m.O2Series.valueAt(-1, &y));
    }
};

QTEST_GUILESS_MAIN(TestMessDaten)
#include "tst_messDaten.moc"
