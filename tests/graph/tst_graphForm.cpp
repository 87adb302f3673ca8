// The graph window driven as a user drives it: files chosen through the dialog seam, the
// sheets and boxes clicked, zoom and pan with the mouse on the chart, and the printout read
// back from its PDF.
#include "reports/ReportText.h"
#include "ui/UiTestSupport.h"

#include "core/Daten.h"
#include "core/KompUtils.h"
#include "core/MainProgram.h"
#include "core/ProgramDir.h"
#include "core/Regional.h"
#include "core/Settings.h"
#include "evaluation/UGraphik.h"

#include <QAction>
#include <QBarSeries>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QLabel>
#include <QLineSeries>
#include <QPrintPreviewDialog>
#include <QTabBar>
#include <QTabWidget>
#include <QValueAxis>
#include <QtTest>

namespace {

// A measurement file as the writer lays it down: nine header lines, then `records` records
// six hours apart from 01.03.2026 00:00 on (four per day), run time and cycles rising.
QByteArray measurementFile(int records) {
    QByteArray out = "Firmen- Name\r\n* Text *\r\n* Text *\r\n\r\n"
                     "Anlagen- Name: Anl-Nr3\r\n"
                     "Datei  - Name: Anl-Nr3_01-03-2026.CSV\r\n"
                     "Testmiete\r\n"
                     "Erste Datensicherung : 01.03.2026\r\n"
                     " ;Speicherzeit;T5;T4;T3;T2;T1;RefMarke; O2[vol%];Betriebsart;"
                     "Luefterlaufzeit;LuefterZyklen\r\n";
    QDateTime t(QDate(2026, 3, 1), QTime(0, 0));
    for (int i = 1; i <= records; ++i) {
        out += QStringLiteral("%1;%2;   58;   62;   60;   51;   45;   36; 20,9;3;  %3;   %4;\r\n")
                   .arg(i)
                   .arg(t.toString(QStringLiteral("dd.MM.yyyy  hh:mm")))
                   .arg(i * 10)
                   .arg(i)
                   .toLatin1();
        t = t.addSecs(6 * 3600);
    }
    return out;
}

using Ax = ChartTarget::Axis;

} // namespace

class TestGraphForm : public QObject {
    Q_OBJECT
    QTemporaryDir userSettings;
    std::unique_ptr<QTemporaryDir> dir;

    QString writeFile(int records) {
        const QString path = dir->filePath(QStringLiteral("Anl-Nr3.CSV"));
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return QString();
        f.write(measurementFile(records));
        return path;
    }
    QByteArray iniBytes() const {
        QFile f(ProgramDir::iniPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // A shown window with `records` records loaded through the file dialog.
    std::unique_ptr<TFGraphForm> openWindow(int records) {
        auto form = std::make_unique<TFGraphForm>();
        const QString path = writeFile(records);
        form->setFileChooser([path](QWidget*, const QString&) { return path; });
        form->show();
        if (!QTest::qWaitForWindowExposed(form.get()))
            return nullptr;
        form->OpenButtonClick();
        QCoreApplication::processEvents();
        return form;
    }
    static QPoint toViewport(TFGraphForm& f, QPointF value) {
        QChart* c = f.Chart1();
        const QPointF p = c->mapToPosition(value, c->series().constFirst());
        return f.Chart1View()->mapFromScene(c->mapToScene(p));
    }
    // Drags with the left button over the points from..to, top to bottom of the plot.
    static void dragZoom(TFGraphForm& f, double from, double to, bool backwards = false) {
        QWidget* vp = f.Chart1View()->viewport();
        QPoint a = toViewport(f, QPointF(from, 95));
        QPoint b = toViewport(f, QPointF(to, 5));
        if (backwards)
            std::swap(a, b);
        QTest::mousePress(vp, Qt::LeftButton, {}, a);
        QTest::mouseMove(vp, (a + b) / 2);
        QTest::mouseMove(vp, b);
        QTest::mouseRelease(vp, Qt::LeftButton, {}, b);
    }
    // Drags with the right button by `dx` pixels in steps of 5.
    static void dragPan(TFGraphForm& f, int dx) {
        QWidget* vp = f.Chart1View()->viewport();
        QPoint p =
            f.Chart1View()->mapFromScene(f.Chart1()->mapToScene(f.Chart1()->plotArea().center()));
        QTest::mousePress(vp, Qt::RightButton, {}, p);
        for (int moved = 0; moved != dx; moved += dx > 0 ? 5 : -5) {
            p.rx() += dx > 0 ? 5 : -5;
            QTest::mouseMove(vp, p);
        }
        QTest::mouseRelease(vp, Qt::RightButton, {}, p);
    }
    static double lo(TFGraphForm& f, Ax a) { return f.Axis(a)->min(); }
    static double hi(TFGraphForm& f, Ax a) { return f.Axis(a)->max(); }

private slots:
    void initTestCase() { UiTest::isolateUserSettings(userSettings); }
    void init() {
        ResetProcessState();
        Regional::setLocaleOverride(QLocale(QLocale::German, QLocale::Germany));
        dir = std::make_unique<QTemporaryDir>();
        ProgramDir::setOverride(dir->path());
        // All values unless a test asks for one per day (the box's default is ticked).
        QFile ini(ProgramDir::iniPath());
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[COM]\r\nWRT=0\r\n");
        ini.close();
        Settings::open(ProgramDir::iniPath());
    }
    void cleanup() {
        Settings::close();
        Regional::clearLocaleOverride();
    }

    void fanSheetShowsBarsHalfAPointPastTheLast() {
        auto f = openWindow(30);
        QVERIFY(f);
        f->PageControl1()->setCurrentIndex(1);
        QVERIFY(f->data().FanMode);
        QCOMPARE(f->Chart1()->series().size(), 2);
        for (QAbstractSeries* s : f->Chart1()->series())
            QCOMPARE(s->type(), QAbstractSeries::SeriesTypeBar);
        QCOMPARE(f->Axis(Ax::Left)->titleText(), QStringLiteral("t/min"));
        QCOMPARE(f->Axis(Ax::Right)->titleText(), QStringLiteral("n"));
        QCOMPARE(lo(*f, Ax::Left), 0.0);
        QCOMPARE(lo(*f, Ax::Right), 0.0);
        QVERIFY(hi(*f, Ax::Left) >= 300); // run time up to 300 min: the maximum follows
        QVERIFY(hi(*f, Ax::Right) >= 30);
        QCOMPARE(hi(*f, Ax::Bottom), 30.5);
        // Back on the environment sheet the fixed ranges return.
        f->PageControl1()->setCurrentIndex(0);
        QCOMPARE(hi(*f, Ax::Left), 100.0);
        QCOMPARE(hi(*f, Ax::Right), 25.0);
        QCOMPARE(hi(*f, Ax::Bottom), 30.0);
    }

    void zoomThenBoxClickRunsToTheEnd() {
        auto f = openWindow(40);
        QVERIFY(f);
        dragZoom(*f, 10, 20);
        QVERIFY(f->Zoomed());
        QVERIFY(qAbs(lo(*f, Ax::Bottom) - 10) < 0.3);
        QVERIFY(qAbs(hi(*f, Ax::Bottom) - 20) < 0.3);
        // The zoom narrows the points only: the vertical axes keep the sheet's ranges.
        QCOMPARE(lo(*f, Ax::Left), 0.0);
        QCOMPARE(hi(*f, Ax::Left), 100.0);
        QCOMPARE(hi(*f, Ax::Right), 25.0);
        const double start = lo(*f, Ax::Bottom);
        QTest::mouseClick(f->Check(TFGraphForm::T2), Qt::LeftButton);
        QCOMPARE(lo(*f, Ax::Bottom), start);
        QCOMPARE(hi(*f, Ax::Bottom), 40.0);
        QCOMPARE(hi(*f, Ax::Left), 100.0);
        QCOMPARE(hi(*f, Ax::Right), 25.0);
        // Dragging the other way undoes the zoom.
        dragZoom(*f, 25, 15, true);
        QVERIFY(!f->Zoomed());
        QCOMPARE(lo(*f, Ax::Bottom), 0.7);
        QCOMPARE(hi(*f, Ax::Bottom), 40.0);
    }

    void perDayWhileZoomedUndoesTheZoom() {
        auto f = openWindow(40); // ten days
        QVERIFY(f);
        QVERIFY(!f->Check(TFGraphForm::Wert)->isChecked());
        dragZoom(*f, 10, 20);
        QVERIFY(f->Zoomed());
        QTest::mouseClick(f->Check(TFGraphForm::Wert), Qt::LeftButton);
        QVERIFY(f->Check(TFGraphForm::Wert)->isChecked());
        QVERIFY(!f->Zoomed());
        QCOMPARE(f->data().PointCount, 10);
        QCOMPARE(f->CountPanel()->text(), QStringLiteral("10"));
        QCOMPARE(lo(*f, Ax::Bottom), 0.7);
        QCOMPARE(hi(*f, Ax::Bottom), 10.0);
        auto* t1 = qobject_cast<QLineSeries*>(f->Chart1()->series().constFirst());
        QVERIFY(t1);
        QCOMPARE(t1->count(), 11);
    }

    void panStaysInsideTheData_data() {
        QTest::addColumn<bool>("zoom");
        QTest::addColumn<int>("dx"); // pixels; to the right shows earlier points
        QTest::newRow("unzoomed, to the right") << false << 200;
        QTest::newRow("unzoomed, to the left") << false << -200;
        QTest::newRow("zoomed, far to the right") << true << 2000;
        QTest::newRow("zoomed, far to the left") << true << -4000;
    }
    void panStaysInsideTheData() {
        QFETCH(bool, zoom);
        QFETCH(int, dx);
        const int n = 40;
        auto f = openWindow(n);
        QVERIFY(f);
        if (zoom)
            dragZoom(*f, 10, 20);
        const double min = lo(*f, Ax::Bottom);
        const double max = hi(*f, Ax::Bottom);
        dragPan(*f, dx);
        if (!zoom) {
            QCOMPARE(lo(*f, Ax::Bottom), min);
            QCOMPARE(hi(*f, Ax::Bottom), max);
            return;
        }
        // The width of the view stays; the start never below 0.9, the end never past n + 0.1,
        // and the pan gets within a step of its limit.
        QVERIFY(qAbs((hi(*f, Ax::Bottom) - lo(*f, Ax::Bottom)) - (max - min)) < 1e-6);
        const double step = 5 * (max - min) / f->Chart1()->plotArea().width();
        if (dx > 0) {
            QVERIFY(lo(*f, Ax::Bottom) >= 0.9);
            QVERIFY2(lo(*f, Ax::Bottom) < 0.9 + step + 1e-9,
                     qPrintable(QString::number(lo(*f, Ax::Bottom))));
        } else {
            QVERIFY(hi(*f, Ax::Bottom) <= n + 0.1);
            QVERIFY2(hi(*f, Ax::Bottom) > n + 0.1 - step - 1e-9,
                     qPrintable(QString::number(hi(*f, Ax::Bottom))));
        }
    }

    void boxesAreSavedOnlyAfterAUserChange_data() {
        QTest::addColumn<bool>("showRef");
        QTest::addColumn<bool>("click");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("no click writes nothing") << true << false << QByteArray();
        QTest::newRow("reference mark shown")
            << true << true
            << QByteArray("T1=1\r\nT2=1\r\nT3=1\r\nT4=1\r\nT5=1\r\nT55=1\r\nO2=0\r\nWRT=1\r\n"
                          "LZEIT=1\r\nZYKL=1\r\n");
        QTest::newRow("reference mark hidden is saved unticked")
            << false << true
            << QByteArray("T1=1\r\nT2=1\r\nT3=1\r\nT4=1\r\nT5=1\r\nT55=0\r\nO2=0\r\nWRT=1\r\n"
                          "LZEIT=1\r\nZYKL=1\r\n");
    }
    void boxesAreSavedOnlyAfterAUserChange() {
        QFETCH(bool, showRef);
        QFETCH(bool, click);
        QFETCH(QByteArray, written);
        // The readout hour lives under "ZEIT": the graph window never touches it.
        const QByteArray before = "[COM]\r\nZEIT=7\r\n";
        {
            QFile ini(ProgramDir::iniPath());
            QVERIFY(ini.open(QIODevice::WriteOnly));
            ini.write(before);
        }
        Settings::open(ProgramDir::iniPath());
        KompUtils::ShowRefDepth = showRef;
        {
            auto f = openWindow(12);
            QVERIFY(f);
            QCOMPARE(f->Check(TFGraphForm::T55)->isVisible(), showRef);
            QCOMPARE(f->Check(TFGraphForm::T55)->isChecked(), showRef);
            // Environment sheet: five temperatures, O2 and the reference mark only if shown.
            QCOMPARE(f->Chart1()->series().size(), showRef ? 7 : 6);
            if (click) {
                QTest::mouseClick(f->Check(TFGraphForm::O2), Qt::LeftButton);
                QCOMPARE(f->Chart1()->series().size(), showRef ? 6 : 5);
            }
        }
        QCOMPARE(iniBytes(), before + written);
    }

    void cancelledDialogKeepsTheGraph() {
        auto f = openWindow(20);
        QVERIFY(f);
        QVERIFY(f->PreviewButton()->isEnabled());
        const int shown = int(f->Chart1()->series().size());
        f->setFileChooser([](QWidget*, const QString&) { return QString(); });
        f->menuItem(QStringLiteral("Oeffnen1"))->trigger();
        QVERIFY(!f->PreviewButton()->isEnabled());
        QVERIFY(!f->PrintButton()->isEnabled());
        QCOMPARE(int(f->Chart1()->series().size()), shown);
        QVERIFY(f->menuItem(QStringLiteral("Druckvorschau1"))->isEnabled());
        QVERIFY(f->menuItem(QStringLiteral("Drucken1"))->isEnabled());
        QCOMPARE(f->FileNamePanel()->text(), QStringLiteral(" Anl-Nr3_01-03-2026.CSV"));
    }

    void zoomedPrintShowsTheZoomedRange() {
        if (!ReportText::available())
            QSKIP("pdftotext is not installed");
        // 60 points: unzoomed the bottom labels read 1 16 30 45 60, zoomed to 10..20 they
        // read 10 13 15 18 20.
        auto f = openWindow(60);
        QVERIFY(f);
        const QString plain = dir->filePath(QStringLiteral("plain.pdf"));
        QVERIFY(f->ExportPdf(plain));
        dragZoom(*f, 10, 20);
        const double min = lo(*f, Ax::Bottom);
        const QString zoomed = dir->filePath(QStringLiteral("zoomed.pdf"));
        QVERIFY(f->ExportPdf(zoomed));
        // The window gets its series back and keeps its view.
        QCOMPARE(f->Chart1()->series().size(), 7);
        QCOMPARE(lo(*f, Ax::Bottom), min);

        // The bottom axis labels: the five numbers printed just before its title.
        auto bottomLabels = [](const QString& pdf) {
            const QStringList pages = ReportText::pages(pdf);
            if (pages.size() != 1)
                return QList<int>();
            const QStringList t = pages.constFirst().simplified().split(QLatin1Char(' '));
            const qsizetype title = t.indexOf(QStringLiteral("Messwert-"));
            QList<int> labels;
            for (qsizetype i = title - 5; i >= 0 && i < title; ++i)
                labels << t.at(i).toInt();
            return labels;
        };
        QCOMPARE(bottomLabels(plain), (QList<int>{1, 16, 30, 45, 60}));
        const QList<int> z = bottomLabels(zoomed);
        QCOMPARE(z.size(), 5);
        QCOMPARE(z.first(), 10);
        QCOMPARE(z.last(), 20);
        QVERIFY(ReportText::pages(zoomed).constFirst().contains(QStringLiteral("Testmiete")));
    }

    void previewTakesTheSeriesAndGivesThemBack() {
        auto f = openWindow(20);
        QVERIFY(f);
        int printed = -1;
        QTimer closer;
        connect(&closer, &QTimer::timeout, this, [&] {
            if (auto* p = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget())) {
                printed = int(f->Chart1()->series().size());
                p->reject();
            }
        });
        closer.start(20);
        f->menuItem(QStringLiteral("Druckvorschau1"))->trigger();
        QCOMPARE(printed, 0); // on the report's chart while the preview is open
        QCOMPARE(f->Chart1()->series().size(), 7);
    }

    void mainMenuOpensTheWindowModally() {
        QFile ini(ProgramDir::iniPath());
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[COM]\r\nCOM=6\r\nPORT6=/nonexistent/tty\r\n");
        ini.close();
        UiTest::BoxAnswer box; // the serial line cannot be opened
        MainProgram program;
        QCOMPARE(box.seen, 1);
        Daten::SelectedPlant = 5;
        Daten::Anlage[5].Name = QStringLiteral("Miete Fuenf");
        QAction* item = program.window().menuItem(QStringLiteral("GrafikItem"));
        QVERIFY(item && item->isEnabled());
        QString name;
        int tab = -1;
        QTimer closer;
        connect(&closer, &QTimer::timeout, this, [&] {
            if (auto* g = qobject_cast<TFGraphForm*>(QApplication::activeModalWidget())) {
                name = g->MieteName()->text();
                tab = g->TabControl1()->currentIndex();
                g->menuItem(QStringLiteral("Ende2"))->trigger();
            }
        });
        closer.start(20);
        item->trigger();
        QCOMPARE(name, QStringLiteral("Miete Fuenf"));
        QCOMPARE(tab, 4);
        program.window().close();
    }
};

QTEST_MAIN(TestGraphForm)
#include "tst_graphForm.moc"
