// The protocol viewer's printouts read back from their PDFs: both modes with and without
// the graph and one value per day, the reference mark shown and not, imperial headings,
// the value formats, the empty-report rule, a rendering stopped half-way, and the
// hygienisation band.
#include "Fixture.h"
#include "reports/ReportText.h"
#include "ui/UiTestSupport.h"

#include "core/Daten.h"
#include "core/KompUtils.h"
#include "core/ProgramDir.h"
#include "core/Regional.h"
#include "core/Settings.h"
#include "evaluation/TMessDaten.h"
#include "evaluation/UCSV_Lesen.h"
#include "evaluation/UQRKompProtokoll.h"

#include <QCheckBox>
#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>

using Fixture::Temps;

namespace {

// Three days, records at 06:00, 12:00 and 18:00; the core runs 61, 62, ... per record.
QStringList threeDays() {
    QStringList out;
    const QDateTime start(QDate(2026, 3, 1), QTime(6, 0));
    int n = 0;
    for (int d = 0; d < 3; ++d)
        for (int h : {0, 6, 12}) {
            Temps v;
            v.t[0] = 61 + n;
            v.t[1] = 50;
            v.t[2] = 45;
            v.t[3] = 40;
            v.t[4] = 35;
            out << Fixture::line(n + 1, start.addDays(d).addSecs(h * 3600), v);
            ++n;
        }
    return out;
}

// Lines of a page that start with a date: the protocol's rows (the log's start with Nr.).
QList<QStringList> protocolRows(const QString& page) {
    static const QRegularExpression date(QStringLiteral("^\\d{2}\\.\\d{2}\\.\\d{4}$"));
    QList<QStringList> rows;
    for (const QString& line : page.split(QLatin1Char('\n'))) {
        const QStringList cells = line.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (cells.size() >= 3 && date.match(cells[0]).hasMatch())
            rows << cells;
    }
    return rows;
}

} // namespace

class TestViewerReports : public QObject {
    Q_OBJECT
    QTemporaryDir userSettings;
    std::unique_ptr<QTemporaryDir> dir;

    QString csv(const QStringList& records) {
        const QString path = dir->filePath(QStringLiteral("Miete7.csv"));
        return Fixture::write(path, Fixture::header() + records) ? path : QString();
    }
    // The window of that mode with `path` opened and the boxes set.
    std::unique_ptr<TFCSV_Lesen> viewer(bool quality, const QString& path, bool graph = false,
                                        bool perDay = false, bool hygiene = false) {
        auto w = std::make_unique<TFCSV_Lesen>();
        w->QualityMode = quality;
        w->show();
        w->GrafikCheck()->setChecked(graph);
        w->TagCheck()->setChecked(perDay);
        w->HygieneCheck()->setChecked(hygiene);
        w->setFileChooser([path](QWidget*, const QString&) { return path; });
        if (!path.isEmpty())
            w->OpenButtonClick();
        return w;
    }
    QString pdf() const { return dir->filePath(QStringLiteral("out.pdf")); }
    QString allText() const { return ReportText::pages(pdf()).join(QLatin1Char('\f')); }

private slots:
    void initTestCase() { UiTest::isolateUserSettings(userSettings); }
    void init() {
        ResetProcessState();
        Regional::setLocaleOverride(QLocale(QLocale::German, QLocale::Germany));
        dir = std::make_unique<QTemporaryDir>();
        ProgramDir::setOverride(dir->path());
        Settings::open(ProgramDir::iniPath());
        if (!ReportText::available())
            QSKIP("pdftotext is not installed");
    }
    void cleanup() { Regional::clearLocaleOverride(); }

    void valueText_data() {
        QTest::addColumn<QList<double>>("points");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole") << QList<double>{0, 56} << 1 << 0 << "  56";
        QTest::newRow("rounded") << QList<double>{0, 131.8} << 1 << 0 << " 132";
        QTest::newRow("negative") << QList<double>{0, -5} << 1 << 0 << "  -5";
        QTest::newRow("O2 with the comma") << QList<double>{0, 20.94} << 1 << 1 << "20,9";
        QTest::newRow("wide") << QList<double>{0, 12345} << 1 << 0 << "12345";
        QTest::newRow("missing") << QList<double>{0} << 1 << 0 << "-*-";
    }
    void valueText() {
        QFETCH(QList<double>, points);
        QFETCH(int, position);
        QFETCH(int, decimals);
        QFETCH(QString, text);
        ChartSeriesData s;
        for (int i = 0; i < points.size(); ++i)
            s.points << QPointF(i, points.at(i));
        QCOMPARE(TFCSV_Lesen::ValueText(s, position, decimals), text);
    }

    void rows_data() {
        QTest::addColumn<bool>("quality");
        QTest::addColumn<bool>("perDay");
        QTest::addColumn<QStringList>("labels"); // the time of every row
        QTest::newRow("log, every record")
            << false << false << QStringList{"06:00", "12:00", "18:00", "06:00", "12:00",
                                             "18:00", "06:00", "12:00", "18:00"};
        QTest::newRow("log, one value per day")
            << false << true << QStringList{"18:00", "18:00", "18:00"};
        QTest::newRow("protocol, every record")
            << true << false << QStringList{"06:00", "12:00", "18:00", "06:00", "12:00",
                                            "18:00", "06:00", "12:00", "18:00"};
        QTest::newRow("protocol, one value per day")
            << true << true << QStringList{"18:00", "18:00", "18:00"};
    }
    void rows() {
        QFETCH(bool, quality);
        QFETCH(bool, perDay);
        QFETCH(QStringList, labels);
        auto w = viewer(quality, csv(threeDays()), false, perDay);
        QVERIFY(w->ExportPdf(pdf()));
        QCOMPARE(w->CountPanel()->text(), QString::number(labels.size()));
        const QString page = ReportText::pages(pdf()).value(0);
        const QList<QStringList> rows =
            quality ? protocolRows(page) : ReportText::detailLines(page);
        QCOMPARE(rows.size(), labels.size());
        for (int i = 0; i < rows.size(); ++i) {
            const QStringList& c = rows.at(i);
            // The core of record n is 60 + n: with one value per day records 3, 6, 9.
            const int record = perDay ? 3 * (i + 1) : i + 1;
            if (quality) {
                QCOMPARE(c.value(1), labels.at(i));
                // Rand (reference mark), Kern (100 cm), Basis (0 cm).
                QCOMPARE(c.mid(2), (QStringList{c.value(2), QString::number(60 + record), "35"}));
            } else {
                QCOMPARE(c.value(0), QString::number(i + 1));
                QCOMPARE(c.value(2), labels.at(i));
                QCOMPARE(c.mid(3, 6), (QStringList{QString::number(60 + record), "50", "45", "40",
                                                   "35", "20,9"}));
                QCOMPARE(c.mid(9, 2), (QStringList{"125", "48"}));
            }
        }
    }

    void headings_data() {
        QTest::addColumn<bool>("quality");
        QTest::addColumn<bool>("imperial");
        QTest::addColumn<bool>("showRef");
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QStringList>("absent");
        QTest::addColumn<int>("cellsPerRow");
        QTest::newRow("protocol metric")
            << true << false << true << QStringList{"Rand [cm]", "Kern [°C]", "Basis [°C]"}
            << QStringList{"[°F]"} << 5;
        QTest::newRow("protocol imperial")
            << true << true << true << QStringList{"Rand [in]", "Kern [°F]", "Basis [°F]"}
            << QStringList{"[°C]", "[cm]"} << 5;
        QTest::newRow("protocol without the mark")
            << true << false << false << QStringList{"Kern [°C]", "Basis [°C]"}
            << QStringList{"Rand"} << 4;
        QTest::newRow("log imperial")
            << false << true << true << QStringList{"T5[°F]", "T1[°F]", "Tiefe", "s 55°C[cm]"}
            << QStringList{"T5[°C]"} << 12;
        QTest::newRow("log without the mark")
            << false << false << false << QStringList{"T5[°C]", "T1[°C]"}
            << QStringList{"Tiefe", "55°C[cm]"} << 11;
    }
    void headings() {
        QFETCH(bool, quality);
        QFETCH(bool, imperial);
        QFETCH(bool, showRef);
        QFETCH(QStringList, present);
        QFETCH(QStringList, absent);
        QFETCH(int, cellsPerRow);
        KompUtils::ImperialUnits = imperial;
        KompUtils::ShowRefDepth = showRef;
        auto w = viewer(quality, csv(threeDays()));
        QVERIFY(w->ExportPdf(pdf()));
        const QString text = allText();
        for (const QString& s : present)
            QVERIFY2(text.contains(s), qPrintable(s));
        for (const QString& s : absent)
            QVERIFY2(!text.contains(s), qPrintable(s));
        const QList<QStringList> rows =
            quality ? protocolRows(text) : ReportText::detailLines(text);
        QCOMPARE(rows.size(), 9);
        QCOMPARE(rows.at(0).size(), cellsPerRow);
        // 61 °C as the series hold it in °F, rounded to a whole number.
        const QString core = imperial ? QString::number(qRound(KompUtils::CToFReal(61))) : "61";
        QVERIFY2(rows.at(0).contains(core), qPrintable(rows.at(0).join('|')));
    }

    void graph_data() {
        QTest::addColumn<bool>("quality");
        QTest::addColumn<bool>("graph");
        QTest::addColumn<bool>("showRef");
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QStringList>("absent");
        QTest::newRow("protocol with graph")
            << true << true << true << QStringList{"Messwert- Nr", "T 100cm", "s 55°C[cm]"}
            << QStringList{"T 75cm", "T 25cm"};
        QTest::newRow("protocol with graph, no mark")
            << true << true << false << QStringList{"Messwert- Nr", "T 100cm"}
            << QStringList{"55°C", "T 75cm"};
        QTest::newRow("protocol without graph")
            << true << false << true << QStringList{} << QStringList{"Messwert- Nr", "T 100cm"};
        QTest::newRow("log with graph")
            << false << true << true << QStringList{"Messwert- Nr", "T 75cm", "T 25cm", "O2"}
            << QStringList{"Laufzeit "};
        QTest::newRow("log without graph")
            << false << false << true << QStringList{} << QStringList{"Messwert- Nr", "T 75cm"};
    }
    void graph() {
        QFETCH(bool, quality);
        QFETCH(bool, graph);
        QFETCH(bool, showRef);
        QFETCH(QStringList, present);
        QFETCH(QStringList, absent);
        KompUtils::ShowRefDepth = showRef;
        auto w = viewer(quality, csv(threeDays()), graph);
        QVERIFY(w->ExportPdf(pdf()));
        const QString text = allText();
        for (const QString& s : present)
            QVERIFY2(text.contains(s), qPrintable(s));
        for (const QString& s : absent)
            QVERIFY2(!text.contains(s), qPrintable(s));
        // The series go back to the window after every report: a second one looks the same.
        QVERIFY(w->ExportPdf(pdf()));
        QCOMPARE(allText().contains(QStringLiteral("T 100cm")), graph);
    }

    // Before any file and after an invalid one nothing is printed.
    void emptyReport_data() {
        QTest::addColumn<bool>("quality");
        QTest::addColumn<bool>("openInvalid");
        QTest::newRow("log, nothing opened") << false << false;
        QTest::newRow("protocol, nothing opened") << true << false;
        QTest::newRow("protocol, an invalid file") << true << true;
    }
    void emptyReport() {
        QFETCH(bool, quality);
        QFETCH(bool, openInvalid);
        QString path;
        if (openInvalid) {
            path = dir->filePath(QStringLiteral("fremd.csv"));
            QVERIFY(Fixture::write(path, {QStringLiteral("a;b;c")}));
        }
        UiTest::BoxAnswer box;
        auto w = viewer(quality, path);
        QVERIFY(!w->ExportPdf(pdf()));
        QVERIFY(!QFile::exists(pdf()));
    }

    // A time stamp that cannot be read: the message, and no report at all.
    void unreadableStamp_data() {
        QTest::addColumn<bool>("quality");
        QTest::newRow("log") << false;
        QTest::newRow("protocol") << true;
    }
    void unreadableStamp() {
        QFETCH(bool, quality);
        QStringList records = threeDays();
        records[2].replace(QStringLiteral("01.03.2026  18:00"),
                           QStringLiteral("01.13.2026  18:00"));
        const QString path = csv(records);
        auto w = viewer(quality, path);
        QVERIFY(w->PreviewButton()->isEnabled());
        UiTest::BoxAnswer box;
        QVERIFY(!w->ExportPdf(pdf()));
        QCOMPARE(box.seen, 1);
        QCOMPARE(box.text, w->data().ErrorText());
        QVERIFY(box.text.contains(QStringLiteral("01.13.2026")));
        QVERIFY(!QFile::exists(pdf()));
        QCOMPARE(w->CountPanel()->text(), QStringLiteral("2"));
    }

    // A rendering that stopped half-way (a preview closed early) leaves the counter
    // anywhere; the next rendering starts at row 1 all the same.
    void stoppedHalfWay() {
        TFQRKompProtokoll rep;
        rep.setRowSource([](int row, TFQRKompProtokoll::ProtokollRow& out) {
            if (row > 5)
                return false;
            out.dat = QStringLiteral("0%1.03.2026  12:00").arg(row);
            out.kern = QString::number(row);
            return true;
        });
        rep.removeChart();
        for (int i = 0; i < 3; ++i)
            QVERIFY(rep.report().needData());
        QVERIFY(rep.exportPdf(pdf()));
        const QList<QStringList> rows = protocolRows(allText());
        QCOMPARE(rows.size(), 5);
        QCOMPARE(rows.at(0).value(0), QStringLiteral("01.03.2026"));
    }

    void hygieneBand_data() {
        QTest::addColumn<bool>("hygiene");
        QTest::addColumn<bool>("perDay");
        QTest::addColumn<bool>("graph");
        QTest::newRow("unticked") << false << false << false;
        QTest::newRow("ticked") << true << false << false;
        QTest::newRow("ticked, one value per day") << true << true << false;
        QTest::newRow("ticked, with graph") << true << false << true;
    }
    void hygieneBand() {
        QFETCH(bool, hygiene);
        QFETCH(bool, perDay);
        QFETCH(bool, graph);
        // 15 days at 56 °C every 4 hours, with one cooler reading at noon on day 8 that
        // one value per day would not see.
        const QString path = csv(Fixture::records(360, 4, [](int h) {
            Temps v;
            if (h == 8 * 24 + 12)
                v.t[0] = 54;
            return v;
        }));
        auto w = viewer(true, path, graph, perDay, hygiene);
        QVERIFY(w->ExportPdf(pdf()));
        const QString text = allText();
        QCOMPARE(text.contains(QStringLiteral("Hygienisierung")), hygiene);
        QCOMPARE(text.contains(QStringLiteral("Messwert- Nr")), graph);
        if (!hygiene)
            return;
        // The three lines of the first combination, as the page shows them.
        const QStringList lines = text.split(QLatin1Char('\n'));
        QStringList first;
        for (const QString& line : lines) {
            const QString s = line.simplified();
            if (s.startsWith(QStringLiteral("55 °C / 14 Tage Kern")) ||
                (!first.isEmpty() && first.size() < 3 && !s.isEmpty()))
                first << s;
        }
        QCOMPARE(first.size(), 3);
        // The core was cooler once: its longest run ends with the reading before. The
        // coldest sensor inside the material saw the same; the surface did not.
        QCOMPARE(first.at(0), QStringLiteral("55 °C / 14 Tage Kern 8,3 Tage 01.03.2026 00:00 "
                                             "09.03.2026 08:00 nein"));
        QCOMPARE(first.at(1), QStringLiteral("kältester Fühler 25–100 cm 8,3 Tage 01.03.2026 "
                                             "00:00 09.03.2026 08:00 nein"));
        QCOMPARE(first.at(2), QStringLiteral("Oberfläche 0 cm (nur Info) 15,0 Tage 01.03.2026 "
                                             "00:00 16.03.2026 00:00 ja"));
        const QString flat = text.simplified();
        QVERIFY(flat.contains(QStringLiteral("65 °C / 7 Tage Kern")));
        QVERIFY(flat.contains(QStringLiteral("60 °C / 7 Tage Kern")));
        QVERIFY(flat.contains(QStringLiteral("nur geschlossene Anlagen kältester Fühler")));
        QVERIFY(flat.contains(
            QStringLiteral("Lücken in der Aufzeichnung (länger als 2 × Median-Messabstand): 0")));
        QVERIFY(flat.contains(QStringLiteral("der kälteste der vier Fühler im Material")));
        QVERIFY(flat.contains(QStringLiteral("keine rechtliche Bewertung")));
    }
};

QTEST_MAIN(TestViewerReports)
#include "tst_viewerReports.moc"
