// The measurement log report read back from its PDF: bands on every page, the unit and
// reference-depth variants of the column header, the detail cells, paging and the
// empty-report rule.
#include "ReportText.h"
#include "ui/UiTestSupport.h"

#include "core/Daten.h"
#include "core/Regional.h"
#include "storage/UQRKompForm.h"

#include <QDateTime>
#include <QFileDialog>
#include <QLineEdit>
#include <QLineSeries>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <QtTest>

class TestLogReport : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> dir;

    static MeasurementRecord record(int i) {
        MeasurementRecord r;
        r.Valid = true;
        r.T1 = 55;
        r.T2 = 50 + i % 10;
        r.T3 = 40;
        r.T4 = 30;
        r.T5 = -5;
        r.O2 = 209;
        r.Mode = 3;
        r.RunTime = 1234;
        r.Cycles = 56;
        r.RefDepth = 38;
        return r;
    }

    // A report of `rows` records filled as the offline readout fills it.
    static void fill(TFQRKompForm& rep, int rows, bool imperial, bool showRef) {
        rep.setHeaderLines(QStringLiteral("Kompostwerk Süd"), QStringLiteral("Zweite Zeile"),
                           QStringLiteral("Dritte Zeile"));
        rep.setPlant(QStringLiteral("Miete 7"), QStringLiteral("M7_2026.csv"));
        rep.setUnits(imperial, showRef, QStringLiteral("s 55°C[cm]"));
        rep.setRowSource([rows, imperial, showRef](int row, TFQRKompForm::LogRow& out) {
            if (row > rows)
                return false;
            out = TFQRKompForm::recordRow(record(row), QDateTime(QDate(2026, 12, 9), QTime(14, 30)),
                                          imperial, showRef);
            return true;
        });
    }

    QString pdfPath() const { return dir->filePath(QStringLiteral("log.pdf")); }

private slots:
    void init() {
        ResetProcessState();
        Regional::setLocaleOverride(QLocale(QLocale::German, QLocale::Germany));
        dir = std::make_unique<QTemporaryDir>();
        if (!ReportText::available())
            QSKIP("pdftotext is not installed");
    }
    void cleanup() { Regional::clearLocaleOverride(); }

    void bandsOnEveryPage_data() {
        QTest::addColumn<int>("rows");
        QTest::addColumn<bool>("summary");
        QTest::addColumn<int>("pages");
        QTest::newRow("one row") << 1 << false << 1;
        QTest::newRow("a full first page") << 35 << false << 1;
        QTest::newRow("one row more") << 36 << false << 2;
        QTest::newRow("60 rows") << 60 << false << 2;
        // The chart band does not fit under the 25 rows of page 2.
        QTest::newRow("60 rows and the chart") << 60 << true << 3;
    }
    void bandsOnEveryPage() {
        QFETCH(int, rows);
        QFETCH(bool, summary);
        QFETCH(int, pages);
        TFQRKompForm rep;
        fill(rep, rows, false, true);
        if (!summary)
            rep.removeSummary();
        QVERIFY(rep.exportPdf(pdfPath()));
        const QStringList text = ReportText::pages(pdfPath());
        QCOMPARE(text.size(), pages);
        QCOMPARE(rep.report().pagesPrinted(), pages);
        const QString today = Regional::formatDate(QDate::currentDate());
        int printed = 0;
        for (int p = 0; p < pages; ++p) {
            const QString& page = text[p];
            for (const char* s : {"Humivo Messprotokoll", "Kompostwerk Süd", "Zweite Zeile",
                                  "Dritte Zeile", "Anlagen- Name :", "Miete 7", "M7_2026.csv",
                                  "Temperatur an Messtelle", "Druckdatum/-zeit :"})
                QVERIFY2(page.contains(QString::fromUtf8(s)), s);
            QVERIFY(page.contains(today));
            QVERIFY(page.contains(
                QRegularExpression(QStringLiteral("Seitennr\\. :\\s+%1\\b").arg(p + 1))));
            const auto lines = ReportText::detailLines(page);
            for (const QStringList& cells : lines)
                QCOMPARE(cells[0].toInt(), ++printed);
        }
        QCOMPARE(printed, rows);
    }

    void columnHeaderAndCells_data() {
        QTest::addColumn<bool>("imperial");
        QTest::addColumn<bool>("showRef");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("cells");
        // T1 (100 cm) first, under "T5"; O2 in tenths; operating mode 3 not printed.
        QTest::newRow("°C with depth")
            << false << true << QStringLiteral("T5[°C]")
            << QStringList{"1",  "09.12.2026", "14:30", "55",   "51", "40",
                           "30", "-5",         "209",   "1234", "56", "38"};
        QTest::newRow("°F with depth in inches")
            << true << true << QStringLiteral("T5[°F]")
            << QStringList{"1",  "09.12.2026", "14:30", "131",  "123", "104",
                           "86", "23",         "209",   "1234", "56",  "14"};
        QTest::newRow("°C without depth")
            << false << false << QStringLiteral("T5[°C]")
            << QStringList{"1",  "09.12.2026", "14:30", "55",   "51", "40",
                           "30", "-5",         "209",   "1234", "56"};
    }
    void columnHeaderAndCells() {
        QFETCH(bool, imperial);
        QFETCH(bool, showRef);
        QFETCH(QString, title);
        QFETCH(QStringList, cells);
        TFQRKompForm rep;
        fill(rep, 1, imperial, showRef);
        rep.removeSummary();
        QVERIFY(rep.exportPdf(pdfPath()));
        const QStringList text = ReportText::pages(pdfPath());
        QCOMPARE(text.size(), 1);
        const QString other = imperial ? QStringLiteral("[°C]") : QStringLiteral("[°F]");
        QVERIFY(text[0].contains(title));
        QVERIFY(!text[0].contains(other));
        for (const char* t : {"T4", "T3", "T2", "T1"})
            QVERIFY(text[0].contains(QString::fromLatin1(t) + title.mid(2)));
        QCOMPARE(text[0].contains(QStringLiteral("s 55°C[cm]")), showRef);
        QCOMPARE(text[0].contains(QStringLiteral("Tiefe")), showRef);
        QVERIFY(!text[0].contains(QStringLiteral("S 55°C[cm]")));
        const auto lines = ReportText::detailLines(text[0]);
        QCOMPARE(lines.size(), 1);
        QCOMPARE(lines[0], cells);
    }

    void emptyReportPrintsNothing() {
        TFQRKompForm rep;
        fill(rep, 0, false, true);
        QVERIFY(!rep.exportPdf(pdfPath()));
        QVERIFY(!QFile::exists(pdfPath()));
        QCOMPARE(rep.report().pagesPrinted(), 0);
    }

    void everyRenderingStartsAtRowOne() {
        // The preview renders again on page set-up; the second rendering must not be empty.
        TFQRKompForm rep;
        fill(rep, 3, false, true);
        rep.removeSummary();
        QVERIFY(rep.exportPdf(pdfPath()));
        QVERIFY(rep.exportPdf(pdfPath()));
        QCOMPARE(ReportText::detailLines(ReportText::pages(pdfPath()).value(0)).size(), 3);
    }

    void chartInSummary() {
        TFQRKompForm rep;
        fill(rep, 2, false, true);
        rep.series()->append(0, 20);
        rep.series()->append(1, 80);
        QVERIFY(rep.exportPdf(pdfPath()));
        const QStringList text = ReportText::pages(pdfPath());
        QCOMPARE(text.size(), 1);
        // The left axis runs 0..100 and its labels are text in the PDF.
        QVERIFY(text[0].contains(QStringLiteral("100")));
    }

    void printWithoutPrinterAsksForPdfAndSaysWhere() {
        if (!QPrinterInfo::defaultPrinter().isNull())
            QSKIP("this machine has a printer; the test never prints on paper");
        TFQRKompForm rep;
        fill(rep, 2, false, true);
        rep.removeSummary();
        QTimer chooser;
        connect(&chooser, &QTimer::timeout, this, [&] {
            if (auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
                // Typed as the user types it: into the dialog's name field.
                if (auto* name = d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
                    name->setText(pdfPath());
                QMetaObject::invokeMethod(d, "accept", Qt::QueuedConnection);
            }
        });
        chooser.start(20);
        UiTest::BoxAnswer box;
        QVERIFY(rep.print());
        QCOMPARE(box.seen, 1);
        QVERIFY2(box.text.contains(QDir::toNativeSeparators(pdfPath())), qPrintable(box.text));
        QCOMPARE(ReportText::detailLines(ReportText::pages(pdfPath()).value(0)).size(), 2);
    }

    // A PDF that cannot be written is reported with the place and the reason, and the print
    // says it printed nothing.
    void printWithoutPrinterToAPlaceThatFails_data() {
        QTest::addColumn<QString>("relative");
        QTest::newRow("missing folder") << QStringLiteral("nicht da/bericht.pdf");
        QTest::newRow("below a file") << QStringLiteral("datei.txt/bericht.pdf");
    }
    void printWithoutPrinterToAPlaceThatFails() {
        QFETCH(QString, relative);
        if (!QPrinterInfo::defaultPrinter().isNull())
            QSKIP("this machine has a printer; the test never prints on paper");
        QFile plain(dir->filePath(QStringLiteral("datei.txt")));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        const QString path = dir->filePath(relative);
        TFQRKompForm rep;
        fill(rep, 2, false, true);
        rep.removeSummary();
        QTimer chooser;
        connect(&chooser, &QTimer::timeout, this, [&] {
            if (auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
                d->selectFile(path);
                if (auto* name = d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
                    name->setText(path);
                QMetaObject::invokeMethod(d, "accept", Qt::QueuedConnection);
            }
        });
        chooser.start(20);
        UiTest::BoxAnswer box;
        QVERIFY(!rep.print());
        QCOMPARE(box.seen, 1);
        QCOMPARE(box.title, QStringLiteral("Fehler"));
        QVERIFY2(box.text.startsWith(QStringLiteral("PDF kann nicht geschrieben werden: ") +
                                     QDir::toNativeSeparators(path)),
                 qPrintable(box.text));
        // The reason follows on its own line.
        QVERIFY2(box.text.section(QLatin1Char('\n'), 1).trimmed().size() > 3, qPrintable(box.text));
        QVERIFY(!QFileInfo(path).isFile());
    }
};

QTEST_MAIN(TestLogReport)
#include "tst_logReport.moc"
