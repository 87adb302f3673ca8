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
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QLabel>
#include <QLineSeries>
#include <QPrintPreviewDialog>
#include <QRandomGenerator>
#include <QTabBar>
#include <QTabWidget>
#include <QValueAxis>
#include <QtTest>

#include <algorithm>
#include <cmath>

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

// Random values of a long file, with one high and one low temperature at `spikeAt` and
// `spikeAt` + 3 (T 100cm 99 and 0 °C) and one long fan run (5000 min) at `spikeAt`.
QByteArray noisyFile(int records, int spikeAt) {
    QByteArray out = "Firmen- Name\r\n* Text *\r\n* Text *\r\n\r\nAnlagen- Name: Lang\r\n"
                     "Datei  - Name: Lang.CSV\r\nLange Miete\r\n"
                     "Erste Datensicherung : 01.01.2024\r\n"
                     " ;Speicherzeit;T5;T4;T3;T2;T1;RefMarke; O2[vol%];Betriebsart;"
                     "Luefterlaufzeit;LuefterZyklen\r\n";
    QRandomGenerator rng(7);
    QDateTime t(QDate(2024, 1, 1), QTime(0, 0));
    for (int i = 1; i <= records; ++i) {
        int t1 = 40 + int(rng.bounded(30));
        int runTime = int(rng.bounded(15));
        if (i == spikeAt) {
            t1 = 99;
            runTime = 5000;
        } else if (i == spikeAt + 3) {
            t1 = 0;
        }
        out += QStringLiteral("%1;%2;%3;%4;%5;%6;%7;0;%8,%9;3;%10;%11;\r\n")
                   .arg(i)
                   .arg(t.toString(QStringLiteral("dd.MM.yyyy  hh:mm")))
                   .arg(t1)
                   .arg(40 + int(rng.bounded(30)))
                   .arg(35 + int(rng.bounded(30)))
                   .arg(30 + int(rng.bounded(30)))
                   .arg(20 + int(rng.bounded(30)))
                   .arg(int(rng.bounded(21)))
                   .arg(int(rng.bounded(10)))
                   .arg(runTime)
                   .arg(int(rng.bounded(4)))
                   .toLatin1();
        t = t.addSecs(15 * 60);
    }
    return out;
}

// Three weeks of a pile, four records a day: the core heats up and cools down, the
// surface follows slowly, O2 falls while the pile is hot; run time and cycles per record.
QByteArray realisticFile() {
    QByteArray out = "Kompostwerk Nord\r\n* Rottehalle 2 *\r\n* Tunnel 4 *\r\n\r\n"
                     "Anlagen- Name: Tunnel 4\r\n"
                     "Datei  - Name: Tunnel 4_01-03-2026.CSV\r\n"
                     "Gr\xfcngut mit Strukturmaterial\r\n"
                     "Erste Datensicherung : 01.03.2026\r\n"
                     " ;Speicherzeit;T5;T4;T3;T2;T1;RefMarke; O2[vol%];Betriebsart;"
                     "Luefterlaufzeit;LuefterZyklen\r\n";
    QDateTime t(QDate(2026, 3, 1), QTime(0, 0));
    const int records = 84;
    for (int i = 1; i <= records; ++i) {
        const double day = (i - 1) / 4.0;
        const double heat = std::min(1.0, day / 5.0) * std::max(0.0, 1.0 - (day - 12) / 12);
        auto temp = [&](double peak, double lag) {
            return int(18 + (peak - 18) * std::max(0.0, heat - lag) + 2 * std::sin(i * 1.3));
        };
        const double o2 = 20.9 - 12 * heat + 1.5 * std::sin(i * 0.7);
        out += QStringLiteral("%1;%2;%3;%4;%5;%6;%7;0;%8;3;%9;%10;\r\n")
                   .arg(i)
                   .arg(t.toString(QStringLiteral("dd.MM.yyyy  hh:mm")))
                   .arg(temp(71, 0))
                   .arg(temp(68, 0.05))
                   .arg(temp(64, 0.1))
                   .arg(temp(55, 0.2))
                   .arg(temp(38, 0.35))
                   .arg(QString::number(o2, 'f', 1).replace(QLatin1Char('.'), QLatin1Char(',')))
                   .arg(int(30 + 60 * heat + 10 * std::sin(i * 0.9)))
                   .arg(int(2 + 6 * heat))
                   .toLatin1();
        t = t.addSecs(6 * 3600);
    }
    return out;
}

using Ax = ChartTarget::Axis;

// The colour of a bar or a line: clearly coloured, unlike the white ground and grey grid.
bool coloured(QRgb c) {
    const int hi = std::max({qRed(c), qGreen(c), qBlue(c)});
    const int lo = std::min({qRed(c), qGreen(c), qBlue(c)});
    return hi - lo > 100;
}

} // namespace

class TestGraphForm : public QObject {
    Q_OBJECT
    QTemporaryDir userSettings;
    std::unique_ptr<QTemporaryDir> dir;

    QString writeFile(int records) { return writeBytes(measurementFile(records)); }
    QString writeBytes(const QByteArray& bytes) {
        const QString path = dir->filePath(QStringLiteral("Anl-Nr3.CSV"));
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return QString();
        f.write(bytes);
        return path;
    }
    QByteArray iniBytes() const {
        QFile f(ProgramDir::iniPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // A shown window with `records` records loaded through the file dialog.
    std::unique_ptr<TFGraphForm> openWindow(int records) {
        return openBytes(measurementFile(records));
    }
    std::unique_ptr<TFGraphForm> openBytes(const QByteArray& bytes) {
        auto form = std::make_unique<TFGraphForm>();
        const QString path = writeBytes(bytes);
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

    // The nice numbers of the fan sheet's automatic maxima choose their own tick counts;
    // back on the environment sheet its fixed axes have theirs again.
    void environmentAxesKeepTheirTicks() {
        auto f = openWindow(30);
        QVERIFY(f);
        const int left = f->Axis(Ax::Left)->tickCount();
        const int right = f->Axis(Ax::Right)->tickCount();
        const int bottom = f->Axis(Ax::Bottom)->tickCount();
        for (int round = 0; round < 2; ++round) {
            f->PageControl1()->setCurrentIndex(1);
            f->PageControl1()->setCurrentIndex(0);
            QCOMPARE(f->Axis(Ax::Left)->tickCount(), left);
            QCOMPARE(f->Axis(Ax::Right)->tickCount(), right);
            QCOMPARE(f->Axis(Ax::Bottom)->tickCount(), bottom);
        }
    }

    // An automatic maximum over a few whole numbers labels each of them once.
    void fewCyclesAreLabelledOnce() {
        auto f = openBytes(noisyFile(200, 100)); // cycles 0 .. 3
        QVERIFY(f);
        f->PageControl1()->setCurrentIndex(1);
        const QValueAxis* n = f->Axis(Ax::Right);
        QVERIFY(n->max() >= 3);
        QVERIFY((n->max() - n->min()) / (n->tickCount() - 1) >= 1);
        QCOMPARE(f->Axis(Ax::Left)->tickCount(), 6); // 0 .. 5000 in steps of 1000
    }

    // The bars of the fan sheet stand on the positions of the bottom axis: the chart sets
    // the run time and the cycles of point k side by side, around k - 0.25 and k + 0.25,
    // with a gap at k and between neighbours.
    void fanBarsStandOnTheirPositions() {
        auto f = openWindow(30);
        QVERIFY(f);
        f->resize(1000, 800);
        f->PageControl1()->setCurrentIndex(1);
        QTRY_VERIFY(f->Chart1()->plotArea().width() > 600);
        QTRY_VERIFY(f->Chart1()->plotArea().height() > 300);
        const QImage shot = f->Chart1View()->grab().toImage();
        const QRectF plot = f->Chart1()->plotArea();
        const double min = lo(*f, Ax::Bottom);
        const double max = hi(*f, Ax::Bottom);
        const double dpr = shot.devicePixelRatio();
        auto pixel = [&](double position) {
            const QPointF scene = f->Chart1()->mapToScene(QPointF(
                plot.left() + (position - min) / (max - min) * plot.width(), plot.bottom() - 3));
            const QPoint p = f->Chart1View()->mapFromScene(scene);
            return shot.pixel(int(p.x() * dpr), int(p.y() * dpr));
        };
        for (int k : {1, 2, 14, 29, 30}) {
            for (double bar : {k - 0.25, k + 0.25})
                QVERIFY2(coloured(pixel(bar)), qPrintable(QStringLiteral("no bar at %1").arg(bar)));
            for (double gap : {double(k), k - 0.5})
                QVERIFY2(gap < min || !coloured(pixel(gap)),
                         qPrintable(QStringLiteral("a bar at %1").arg(gap)));
        }
    }

    // A long file: the series hold only what the plot's columns show, and still its one
    // highest and lowest value, and the points at both borders, whatever the view.
    void longFileKeepsItsExtremes_data() {
        QTest::addColumn<bool>("fan");
        QTest::addColumn<QString>("view");
        for (bool fan : {false, true}) {
            const char* sheet = fan ? "fan sheet" : "environment sheet";
            for (const char* view : {"unzoomed", "zoomed", "panned", "wider"})
                QTest::addRow("%s, %s", sheet, view) << fan << QString::fromLatin1(view);
        }
    }
    void longFileKeepsItsExtremes() {
        QFETCH(bool, fan);
        QFETCH(QString, view);
        const int n = 20000;
        const int spike = 12345;
        auto f = openBytes(noisyFile(n, spike));
        QVERIFY(f);
        QCOMPARE(f->data().PointCount, n);
        if (fan)
            f->PageControl1()->setCurrentIndex(1);
        if (view == QLatin1String("zoomed")) {
            f->ZoomTo(11000, 15000, 0, 100, 0, 25);
        } else if (view == QLatin1String("panned")) {
            f->ZoomTo(5000, 9000, 0, 100, 0, 25);
            QVERIFY(f->PanBy(6000));
        } else if (view == QLatin1String("wider")) {
            const int columns = f->ViewColumns();
            f->resize(f->width() + 600, f->height());
            QTRY_VERIFY(f->ViewColumns() > columns + 400);
        }
        const double min = lo(*f, Ax::Bottom);
        const double max = hi(*f, Ax::Bottom);
        QVERIFY(min < spike && spike + 3 < max);
        const int columns = f->ViewColumns();
        QVERIFY(max - min > 2 * columns); // more points than columns: they are cut
        if (fan) {
            auto* bars = qobject_cast<QBarSeries*>(f->Chart1()->series().constFirst());
            QVERIFY(bars);
            const QBarSet* set = bars->barSets().constFirst();
            QVERIFY2(set->count() <= columns,
                     qPrintable(QStringLiteral("%1 bars on %2 columns, plot %3")
                                    .arg(set->count())
                                    .arg(columns)
                                    .arg(f->Chart1()->plotArea().width())));
            double highest = 0;
            for (int i = 0; i < set->count(); ++i)
                highest = std::max(highest, set->at(i));
            QCOMPARE(highest, 5000.0);
            QVERIFY(hi(*f, Ax::Left) >= 5000);
            return;
        }
        auto* t1 = qobject_cast<QLineSeries*>(f->Chart1()->series().constFirst());
        QVERIFY(t1);
        const QList<QPointF> shown = t1->points();
        QVERIFY(shown.size() <= 4 * columns + 2);
        QVERIFY(shown.contains(QPointF(spike, 99)));
        QVERIFY(shown.contains(QPointF(spike + 3, 0)));
        QVERIFY(shown.first().x() <= min && shown.first().x() >= min - 1);
        QVERIFY(shown.last().x() >= max && shown.last().x() <= max + 1);
        // The pan still stops n + 0.1, counted over the data, not over what is shown.
        QVERIFY(!f->Chart1AllowScroll(f->Axis(Ax::Bottom), 2, n + 0.2));
        QVERIFY(f->Chart1AllowScroll(f->Axis(Ax::Bottom), 2, n + 0.1));
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
            for (QAbstractSeries* series : f->Chart1()->series())
                QVERIFY(showRef || series->name() != f->data().RefSeries.title);
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

    // Pictures for a look by eye, written only when O2_SCREENSHOT_DIR names a directory:
    // both sheets and a zoomed view of a realistic file and of a long one, and the printed
    // zoomed view.
    void screenshots() {
        const QString out = qEnvironmentVariable("O2_SCREENSHOT_DIR");
        if (out.isEmpty())
            QSKIP("O2_SCREENSHOT_DIR not set");
        const struct {
            const char* name;
            QByteArray bytes;
            double zoomFrom, zoomTo;
        } files[] = {{"small", realisticFile(), 20, 44},
                     {"100k", noisyFile(100000, 43210), 40000, 46000}};
        for (const auto& file : files) {
            auto f = openBytes(file.bytes);
            QVERIFY(f);
            f->resize(1280, 800);
            QTRY_VERIFY(f->Chart1()->plotArea().width() > 900);
            auto shoot = [&](const char* what) {
                // The chart lays out its axes for new labels in a posted event.
                QCoreApplication::sendPostedEvents();
                QCoreApplication::processEvents();
                const QString path = QStringLiteral("%1/graph_%2_%3.png")
                                         .arg(out, QLatin1String(what), QLatin1String(file.name));
                QVERIFY(f->grab().save(path));
            };
            shoot("environment");
            f->ZoomTo(file.zoomFrom, file.zoomTo, 0, 100, 0, 25);
            shoot("zoomed");
            if (ReportText::available())
                QVERIFY(f->ExportPdf(
                    QStringLiteral("%1/graph_print_%2.pdf").arg(out, QLatin1String(file.name))));
            f->UndoZoom();
            f->PageControl1()->setCurrentIndex(1);
            shoot("fan");
            f->ZoomTo(file.zoomFrom, file.zoomTo, 0, 100, 0, 25);
            shoot("fanzoomed");
        }
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
