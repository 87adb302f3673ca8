#include "evaluation/UGraphik.h"

#include "core/Daten.h"
#include "core/KompUtils.h"
#include "core/Messages.h"
#include "core/PlantTabs.h"
#include "core/ProgramDir.h"
#include "core/Settings.h"
#include "evaluation/ChartTitles.h"
#include "evaluation/ReportFill.h"
#include "evaluation/UAbout.h"
#include "evaluation/UChartSeries.h"
#include "evaluation/UQRGraphForm.h"

#include <QAction>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegend>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QRubberBand>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>
#include <QValueAxis>
#include <QXYSeries>

#include <cmath>

namespace {

QString defaultChooser(QWidget* parent, const QString& startDir) {
    QFileDialog dialog(parent);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilter(TFGraphForm::tr("EXCEL ( *.csv)"));
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    dialog.setDirectory(startDir);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

const QSize DesignSize(760, 520);

// Box -> index of its series in TMessDaten::AllSeries(), per sheet (-1: not on the sheet).
int seriesOf(TFGraphForm::Box b, bool fanMode) {
    if (fanMode) {
        switch (b) {
        case TFGraphForm::LuftZeit:
            return 7;
        case TFGraphForm::Zyklen:
            return 8;
        default:
            return -1;
        }
    }
    switch (b) {
    case TFGraphForm::T1:
    case TFGraphForm::T2:
    case TFGraphForm::T3:
    case TFGraphForm::T4:
    case TFGraphForm::T5:
        return int(b);
    case TFGraphForm::T55:
        return 5;
    case TFGraphForm::O2:
        return 6;
    default:
        return -1;
    }
}

// The series of the sheet whose boxes are ticked.
Reports::SeriesChoice tickedOf(const std::array<QCheckBox*, TFGraphForm::BoxCount>& checks,
                               bool fanMode) {
    Reports::SeriesChoice ticked{};
    for (int b = 0; b < TFGraphForm::BoxCount; ++b) {
        const int i = seriesOf(TFGraphForm::Box(b), fanMode);
        if (i >= 0 && checks[size_t(b)]->isChecked())
            ticked[size_t(i)] = true;
    }
    return ticked;
}

} // namespace

TFGraphForm::TFGraphForm(QWidget* parent) : Retranslatable<QDialog>(parent) {
    setObjectName(QStringLiteral("FGraphForm"));
    setSizeGripEnabled(true);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    m_chooser = defaultChooser;

    auto* layout = new QVBoxLayout(this);
    m_menuBar = new QMenuBar(this);
    layout->setMenuBar(m_menuBar);
    auto item = [](QMenu* menu, const char* name, const QKeySequence& key) {
        QAction* a = menu->addAction(QString());
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcut(key);
        return a;
    };
    QMenu* datei = m_menuBar->addMenu(QString());
    datei->setObjectName(QStringLiteral("Datei1"));
    QAction* oeffnen = item(datei, "Oeffnen1", QKeySequence(Qt::CTRL | Qt::Key_F));
    QAction* schliessen = item(datei, "Schliessen1", QKeySequence(Qt::CTRL | Qt::Key_S));
    datei->addSeparator();
    QAction* ende = item(datei, "Ende2", QKeySequence(Qt::CTRL | Qt::Key_X));
    QMenu* drucken = m_menuBar->addMenu(QString());
    drucken->setObjectName(QStringLiteral("Drucken2"));
    QAction* vorschau = item(drucken, "Druckvorschau1", QKeySequence(Qt::CTRL | Qt::Key_V));
    QAction* druck = item(drucken, "Drucken1", QKeySequence(Qt::CTRL | Qt::Key_D));
    QAction* info = m_menuBar->addAction(QString());
    info->setObjectName(QStringLiteral("Info1"));

    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(QStringLiteral("ToolBar1"));
    m_toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_openButton =
        m_toolBar->addAction(QIcon(QStringLiteral(":/o2aerolis/tool_open.png")), QString());
    m_openButton->setObjectName(QStringLiteral("OpenButton"));
    m_previewButton =
        m_toolBar->addAction(QIcon(QStringLiteral(":/o2aerolis/tool_preview.png")), QString());
    m_previewButton->setObjectName(QStringLiteral("PreviewButton"));
    m_printButton =
        m_toolBar->addAction(QIcon(QStringLiteral(":/o2aerolis/tool_print.png")), QString());
    m_printButton->setObjectName(QStringLiteral("PrintButton"));
    layout->addWidget(m_toolBar);

    m_tabs = new QTabBar(this);
    m_tabs->setObjectName(QStringLiteral("TabControl1"));
    m_tabs->setExpanding(false);
    m_tabs->setUsesScrollButtons(true);
    layout->addWidget(m_tabs);

    m_mieteName = new QLabel(QStringLiteral("--"), this);
    m_mieteName->setObjectName(QStringLiteral("MieteName"));
    layout->addWidget(m_mieteName);

    static const char* const boxNames[BoxCount] = {
        "CheckT1",  "CheckT2", "CheckT3",   "CheckT4",       "CheckT5",
        "CheckT55", "CheckO2", "CheckWert", "CheckLuftZeit", "CheckZyklen"};
    for (int b = 0; b < BoxCount; ++b) {
        m_checks[size_t(b)] = new QCheckBox(this);
        m_checks[size_t(b)]->setObjectName(QString::fromLatin1(boxNames[b]));
    }

    auto* sheets = new QHBoxLayout;
    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("PageControl1"));
    auto* umwelt = new QWidget;
    umwelt->setObjectName(QStringLiteral("TabSheet1"));
    auto* umweltLayout = new QGridLayout(umwelt);
    for (int b = T1; b <= O2; ++b)
        umweltLayout->addWidget(m_checks[size_t(b)], b % 2, b / 2);
    auto* luefter = new QWidget;
    luefter->setObjectName(QStringLiteral("TabSheet2"));
    auto* luefterLayout = new QHBoxLayout(luefter);
    luefterLayout->addWidget(m_checks[LuftZeit]);
    luefterLayout->addWidget(m_checks[Zyklen]);
    luefterLayout->addStretch();
    m_pages->addTab(umwelt, QString());
    m_pages->addTab(luefter, QString());
    m_pages->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    sheets->addWidget(m_pages, 1);
    sheets->addWidget(m_checks[Wert]);
    layout->addLayout(sheets);

    m_chart = new QChart;
    m_chart->setBackgroundBrush(Qt::white);
    m_chart->setDropShadowEnabled(false);
    m_chart->legend()->setVisible(true);
    m_chartView = new QChartView(m_chart, this);
    m_chartView->setObjectName(QStringLiteral("Chart1"));
    m_chartView->setRenderHint(QPainter::Antialiasing);
    m_chartView->setRubberBand(QChartView::NoRubberBand);
    m_chartView->viewport()->installEventFilter(this);
    m_rubberBand = new QRubberBand(QRubberBand::Rectangle, m_chartView->viewport());
    layout->addWidget(m_chartView, 1);
    // The axes exist from the start, so that the handlers always find them.
    for (ChartTarget::Axis a : {ChartTarget::Left, ChartTarget::Right, ChartTarget::Bottom})
        QtChartTarget::axisOf(m_chart, a);
    // The series show what the plot area can draw of the bottom range: cut again whenever
    // that range (zoom, pan, undo) or the plot's width changes.
    connect(QtChartTarget::axisOf(m_chart, ChartTarget::Bottom), &QValueAxis::rangeChanged, this,
            &TFGraphForm::fitView);
    connect(m_chart, &QChart::plotAreaChanged, this, &TFGraphForm::fitView);

    m_statusBar = new QStatusBar(this);
    m_statusBar->setSizeGripEnabled(false);
    for (size_t i = 0; i < m_panels.size(); ++i) {
        m_panels[i] = new QLabel(this);
        m_panels[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        m_statusBar->addWidget(m_panels[i], i == 1 ? 1 : 0);
    }
    layout->addWidget(m_statusBar);

    connect(m_openButton, &QAction::triggered, this, &TFGraphForm::OpenButtonClick);
    connect(oeffnen, &QAction::triggered, this, &TFGraphForm::OpenButtonClick);
    connect(schliessen, &QAction::triggered, this, &TFGraphForm::Schliessen1Click);
    connect(ende, &QAction::triggered, this, &TFGraphForm::Ende2Click);
    connect(m_previewButton, &QAction::triggered, this, &TFGraphForm::PreviewButtonClick);
    connect(vorschau, &QAction::triggered, this, &TFGraphForm::PreviewButtonClick);
    connect(m_printButton, &QAction::triggered, this, &TFGraphForm::PrintButtonClick);
    connect(druck, &QAction::triggered, this, &TFGraphForm::PrintButtonClick);
    connect(info, &QAction::triggered, this, &TFGraphForm::Info1Click);
    for (int b = 0; b < BoxCount; ++b) {
        // clicked, not toggled: restoring the boxes from the settings is no user change.
        connect(m_checks[size_t(b)], &QCheckBox::clicked, this, [this, b] { CheckClick(Box(b)); });
    }
    connect(m_pages, &QTabWidget::currentChanged, this, &TFGraphForm::PageControl1Change);
    connect(m_tabs, &QTabBar::currentChanged, this, &TFGraphForm::TabControl1Change);

    retranslateUi();
    resize(DesignSize);
    setMinimumSize(DesignSize);
    if (parent) {
        const QRect outer = parent->frameGeometry();
        move(outer.center() - QPoint(width() / 2, height() / 2));
    }
    FormCreate();
}

TFGraphForm::~TFGraphForm() {
    FormDestroy();
}

QString TFGraphForm::KeyOf(Box b) {
    switch (b) {
    case T1:
        return Keys::GraphT1;
    case T2:
        return Keys::GraphT2;
    case T3:
        return Keys::GraphT3;
    case T4:
        return Keys::GraphT4;
    case T5:
        return Keys::GraphT5;
    case T55:
        return Keys::GraphT55;
    case O2:
        return Keys::GraphO2;
    case Wert:
        return Keys::GraphPerDay;
    case LuftZeit:
        return Keys::GraphFanRunTime;
    case Zyklen:
    case BoxCount:
        break;
    }
    return Keys::GraphCycles;
}

void TFGraphForm::FormCreate() {
    m_data = std::make_unique<TMessDaten>();
    m_chartSeries = std::make_unique<TChartSeries>(*m_data);
    setWindowState(windowState() | Qt::WindowMaximized);
    m_data->FanMode = false;
    m_pages->setCurrentIndex(0);

    m_plant = Daten::isPlantAddress(Daten::SelectedPlant) ? Daten::SelectedPlant : 1;

    m_creating = true;
    const IniFile& ini = Settings::file();
    for (int b = 0; b < BoxCount; ++b) {
        if (b == T55 && !KompUtils::ShowRefDepth) {
            m_checks[T55]->setChecked(false);
            m_checks[T55]->setVisible(false);
            continue;
        }
        m_checks[size_t(b)]->setChecked(ini.readBool(Keys::Com, KeyOf(Box(b)), true));
    }
    m_settingsChanged = false;
    m_creating = false;

    FillPlantTabs(m_tabs, KompUtils::PlantCount);
    SelectPlantTab(m_tabs, m_plant - 1);
    showPlantName();
    setPrintEnabled(false);
    QtChartTarget target(m_chart);
    m_data->SetupChart(target);
}

void TFGraphForm::showPlantName() {
    const QString name = Daten::Anlage[size_t(m_plant)].Name;
    m_mieteName->setText(name.isEmpty() ? QStringLiteral("--") : name);
}

QValueAxis* TFGraphForm::Axis(int which) const {
    return QtChartTarget::axisOf(m_chart, ChartTarget::Axis(which));
}

void TFGraphForm::removeAllSeries(QChart* chart) {
    for (QAbstractSeries* s : chart->series()) {
        // removeSeries hands the series back without destroying it.
        chart->removeSeries(s);
        s->setParent(nullptr);
    }
}

void TFGraphForm::attachTicked(QChart* chart) {
    const Reports::SeriesChoice ticked = tickedOf(m_checks, m_data->FanMode);
    const PlotPixels plot = ViewPixels();
    for (int i = 0; i < int(ticked.size()); ++i) {
        if (ticked[size_t(i)])
            m_chartSeries->AttachToView(i, chart, plot);
    }
    QtChartTarget(chart).updateAutoMaxima();
}

PlotPixels TFGraphForm::ViewPixels() const {
    const QRectF plot = m_chart->plotArea();
    const double dpr = m_chartView->devicePixelRatioF();
    // Before the first layout the plot has no width yet; the layout cuts the series again.
    constexpr double Unlaid = 1024;
    if (plot.width() < 1)
        return PlotPixels{0, Unlaid};
    const QPointF left = m_chartView->viewportTransform().map(m_chart->mapToScene(plot.topLeft()));
    return PlotPixels{left.x() * dpr, plot.width() * dpr};
}

void TFGraphForm::fitView() {
    if (m_refreshing || !m_chartSeries)
        return;
    m_chartSeries->FitView(m_chart, ViewPixels());
}

void TFGraphForm::Refresh() {
    // The axes first, with no series on the chart, then each series cut to the new view
    // before the chart takes it: the chart facility then handles every point once.
    m_refreshing = true;
    removeAllSeries(m_chart);
    QtChartTarget target(m_chart);
    m_data->SetAxes(target);
    attachTicked(m_chart);
    m_refreshing = false;
    // New axis titles or labels may have moved the plot's borders meanwhile.
    fitView();
    m_chart->update();
    update();
}

// FillSeries with the state of CheckWert, and the chart series take the new points.
void TFGraphForm::fill() {
    QtChartTarget target(m_chart);
    const bool ok = m_data->FillSeries(m_checks[Wert]->isChecked(), &target);
    m_chartSeries->Update();
    m_panels[3]->setText(QString::number(m_data->PointCount));
    if (!ok)
        Messages::error(m_data->ErrorText(), this);
}

void TFGraphForm::CheckClick(Box b) {
    if (m_creating)
        return;
    if (b == Wert) {
        UndoZoom();
        fill();
    }
    m_settingsChanged = true;
    Refresh();
}

void TFGraphForm::PageControl1Change(int index) {
    if (!m_data)
        return;
    m_data->FanMode = index == 1;
    Refresh();
}

void TFGraphForm::TabControl1Change(int index) {
    if (!Daten::isPlantAddress(index + 1))
        return;
    m_plant = index + 1;
    showPlantName();
    m_panels[1]->clear();
    setPrintEnabled(false);
    removeAllSeries(m_chart);
    m_chart->update();
}

QString TFGraphForm::StartDirectory() const {
    const QString pfad = Daten::Anlage[size_t(m_plant)].Pfad;
    // Checked rather than made the process's current directory: nothing else resolves
    // paths against it, and changing it would be a hidden side effect on other windows.
    const QFileInfo dir(pfad);
    if (!pfad.isEmpty() && dir.isDir() && dir.isExecutable())
        return QDir::toNativeSeparators(dir.absoluteFilePath());
    return QDir::toNativeSeparators(ProgramDir::path());
}

void TFGraphForm::OpenButtonClick() {
    const QString path = m_chooser ? m_chooser(this, StartDirectory()) : QString();
    if (path.isEmpty()) {
        setPrintEnabled(false);
        return;
    }
    switch (m_data->LoadFile(path)) {
    case TMessDaten::LoadResult::Valid:
        break;
    case TMessDaten::LoadResult::NotRecognised:
        setPrintEnabled(false);
        Messages::information(
            tr("Kein gültiger Dateiaufbau\rDatei war nicht von dieser Software erzeugt!"), this);
        return;
    case TMessDaten::LoadResult::ReadError:
        Messages::error(m_data->ErrorText(), this);
        return;
    }
    setPrintEnabled(true);
    m_panels[1]->setText(m_data->FileName);
    // A new file starts unzoomed: the old ranges belong to other data.
    m_zoomed = false;
    fill();
    Refresh();
}

void TFGraphForm::Schliessen1Click() {
    setPrintEnabled(false);
    removeAllSeries(m_chart);
    m_chart->update();
}

void TFGraphForm::Ende2Click() {
    close();
}

void TFGraphForm::Info1Click() {
    TFAbout::ShowAbout(this);
}

void TFGraphForm::PreviewButtonClick() {
    runReport(Output::Preview);
}

void TFGraphForm::PrintButtonClick() {
    runReport(Output::Print);
}

bool TFGraphForm::ExportPdf(const QString& path) {
    return runReport(Output::Pdf, path);
}

bool TFGraphForm::runReport(Output out, const QString& pdfPath) {
    TFQRGraphForm report;
    Reports::fillGraph(report, *m_data, *m_chartSeries, m_chart,
                       tickedOf(m_checks, m_data->FanMode));
    bool done = true;
    switch (out) {
    case Output::Preview:
        report.preview(this);
        break;
    case Output::Print:
        done = report.print(this);
        break;
    case Output::Pdf:
        done = report.exportPdf(pdfPath);
        break;
    }
    Refresh();
    return done;
}

void TFGraphForm::setPrintEnabled(bool on) {
    m_previewButton->setEnabled(on);
    m_printButton->setEnabled(on);
}

void TFGraphForm::ZoomTo(double xMin, double xMax, double leftMin, double leftMax, double rightMin,
                         double rightMax) {
    if (!(xMax > xMin))
        return;
    if (!m_zoomed) {
        int k = 0;
        for (ChartTarget::Axis a : {ChartTarget::Bottom, ChartTarget::Left, ChartTarget::Right}) {
            QValueAxis* x = Axis(a);
            m_unzoomed[size_t(k * 2)] = x->min();
            m_unzoomed[size_t(k * 2 + 1)] = x->max();
            ++k;
        }
        m_zoomed = true;
    }
    Axis(ChartTarget::Bottom)->setRange(xMin, xMax);
    Axis(ChartTarget::Left)->setRange(leftMin, leftMax);
    Axis(ChartTarget::Right)->setRange(rightMin, rightMax);
    Chart1Zoom();
}

void TFGraphForm::UndoZoom() {
    if (!m_zoomed)
        return;
    m_zoomed = false;
    int k = 0;
    for (ChartTarget::Axis a : {ChartTarget::Bottom, ChartTarget::Left, ChartTarget::Right}) {
        Axis(a)->setRange(m_unzoomed[size_t(k * 2)], m_unzoomed[size_t(k * 2 + 1)]);
        ++k;
    }
    Chart1UndoZoom();
}

// A zoom narrows the horizontal range only: the vertical axes go back to the sheet's ranges.
void TFGraphForm::Chart1Zoom() {
    QtChartTarget target(m_chart);
    m_data->ResetAxes(target);
    target.updateAutoMaxima();
}

void TFGraphForm::Chart1UndoZoom() {
    QtChartTarget target(m_chart);
    m_data->ResetAxes(target);
    target.updateAutoMaxima();
}

bool TFGraphForm::Chart1AllowScroll(const QValueAxis* axis, double newMin, double newMax) const {
    if (axis != Axis(ChartTarget::Bottom))
        return true;
    const QList<QAbstractSeries*> series = m_chart->series();
    if (series.isEmpty())
        return false;
    // The count includes the placeholder at position 0: n data points give n + 0.1. The
    // series shows only part of its points; the data behind it has them all.
    const double limit = m_chartSeries->DataCount(series.constFirst()) - 0.9;
    return newMin >= 0.9 && newMax <= limit;
}

bool TFGraphForm::PanBy(double delta) {
    QValueAxis* bottom = Axis(ChartTarget::Bottom);
    const double min = bottom->min() + delta;
    const double max = bottom->max() + delta;
    if (!Chart1AllowScroll(bottom, min, max))
        return false;
    bottom->setRange(min, max);
    return true;
}

bool TFGraphForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_chartView->viewport()) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            return mousePress(static_cast<QMouseEvent*>(event));
        case QEvent::MouseMove:
            return mouseMove(static_cast<QMouseEvent*>(event));
        case QEvent::MouseButtonRelease:
            return mouseRelease(static_cast<QMouseEvent*>(event));
        default:
            break;
        }
    }
    return Retranslatable<QDialog>::eventFilter(watched, event);
}

bool TFGraphForm::mousePress(QMouseEvent* e) {
    if (m_drag != Drag::None)
        return true;
    m_dragStart = m_dragLast = e->position().toPoint();
    if (e->button() == Qt::LeftButton) {
        m_drag = Drag::Zoom;
        m_rubberBand->setGeometry(QRect(m_dragStart, QSize()));
        m_rubberBand->show();
        return true;
    }
    if (e->button() == Qt::RightButton) {
        m_drag = Drag::Pan;
        return true;
    }
    return false;
}

bool TFGraphForm::mouseMove(QMouseEvent* e) {
    const QPoint pos = e->position().toPoint();
    if (m_drag == Drag::Zoom) {
        m_rubberBand->setGeometry(QRect(m_dragStart, pos).normalized());
        return true;
    }
    if (m_drag == Drag::Pan) {
        const QRectF plot = m_chart->plotArea();
        QValueAxis* bottom = Axis(ChartTarget::Bottom);
        if (plot.width() > 0) {
            // Dragging to the right pulls earlier points into view.
            const double perPixel = (bottom->max() - bottom->min()) / plot.width();
            PanBy(-(pos.x() - m_dragLast.x()) * perPixel);
        }
        m_dragLast = pos;
        return true;
    }
    return false;
}

bool TFGraphForm::mouseRelease(QMouseEvent* e) {
    const Drag drag = m_drag;
    if (drag == Drag::None)
        return false;
    if ((drag == Drag::Zoom && e->button() != Qt::LeftButton) ||
        (drag == Drag::Pan && e->button() != Qt::RightButton))
        return true;
    m_drag = Drag::None;
    if (drag == Drag::Pan)
        return true;
    m_rubberBand->hide();
    const QPoint end = e->position().toPoint();
    const QPoint d = end - m_dragStart;
    // A click or a jitter of the hand is no gesture.
    constexpr int MinDrag = 4;
    if (std::abs(d.x()) < MinDrag && std::abs(d.y()) < MinDrag)
        return true;
    if (d.x() < 0 || d.y() < 0) {
        UndoZoom();
        return true;
    }
    // Viewport to chart coordinates, clipped to the plot area.
    const QPointF a = m_chart->mapFromScene(m_chartView->mapToScene(m_dragStart));
    const QPointF b = m_chart->mapFromScene(m_chartView->mapToScene(end));
    const QRectF plot = m_chart->plotArea();
    const QRectF r = QRectF(a, b).normalized().intersected(plot);
    if (r.width() <= 0 || r.height() <= 0)
        return true;
    auto horizontal = [&](QValueAxis* x, double px) {
        return x->min() + (px - plot.left()) / plot.width() * (x->max() - x->min());
    };
    auto vertical = [&](QValueAxis* x, double py) {
        return x->max() - (py - plot.top()) / plot.height() * (x->max() - x->min());
    };
    QValueAxis* bottom = Axis(ChartTarget::Bottom);
    QValueAxis* left = Axis(ChartTarget::Left);
    QValueAxis* right = Axis(ChartTarget::Right);
    ZoomTo(horizontal(bottom, r.left()), horizontal(bottom, r.right()), vertical(left, r.bottom()),
           vertical(left, r.top()), vertical(right, r.bottom()), vertical(right, r.top()));
    return true;
}

QAction* TFGraphForm::menuItem(const QString& objectName) const {
    return m_menuBar->findChild<QAction*>(objectName);
}

void TFGraphForm::retranslateUi() {
    setWindowTitle(tr("Humivo Graphik"));
    auto text = [this](const char* name, const QString& t) {
        if (QAction* a = menuItem(QString::fromLatin1(name)))
            a->setText(t);
    };
    if (QMenu* m = m_menuBar->findChild<QMenu*>(QStringLiteral("Datei1")))
        m->setTitle(tr("&Datei"));
    if (QMenu* m = m_menuBar->findChild<QMenu*>(QStringLiteral("Drucken2")))
        m->setTitle(tr("&Drucken"));
    text("Oeffnen1", tr("Ö&ffnen"));
    text("Schliessen1", tr("&Schliessen"));
    text("Ende2", tr("&Ende"));
    text("Druckvorschau1", tr("Druck&vorschau"));
    text("Drucken1", tr("&Drucken"));
    text("Info1", tr("&About"));
    // Icons only; the texts serve as hints.
    m_openButton->setText(tr("Datei öffnen"));
    m_previewButton->setText(tr("Druckvorschau"));
    m_printButton->setText(tr("Daten ausdrucken"));
    for (QAction* a : {m_openButton, m_previewButton, m_printButton})
        a->setToolTip(a->text());
    if (KompUtils::ImperialUnits) {
        m_checks[T1]->setText(tr("T 40in"));
        m_checks[T2]->setText(tr("T 30in"));
        m_checks[T3]->setText(tr("T 20in"));
        m_checks[T4]->setText(tr("T 10in"));
        m_checks[T5]->setText(tr("T 0in"));
    } else {
        m_checks[T1]->setText(tr("T 100cm [°C]"));
        m_checks[T2]->setText(tr("T  75cm [°C]"));
        m_checks[T3]->setText(tr("T  50cm [°C]"));
        m_checks[T4]->setText(tr("T  25cm [°C]"));
        m_checks[T5]->setText(tr("T  0cm [°C]"));
    }
    m_checks[T55]->setText(tr("Tiefe Referenz Marke"));
    m_checks[O2]->setText(tr("O2 Konzentration"));
    m_checks[Wert]->setText(tr("1Wert/Tag"));
    m_checks[LuftZeit]->setText(tr("Lüfterlaufzeit"));
    m_checks[Zyklen]->setText(tr("Lüfterschaltzyklen"));
    m_pages->setTabText(0, tr("Umweltdaten"));
    m_pages->setTabText(1, tr("Lüfterdaten"));
    m_panels[0]->setText(tr("Pfad:"));
    m_panels[2]->setText(tr("Anzahl Speicherwerte:"));
    if (m_data && m_chartSeries)
        RetranslateChartTitles(*m_data, *m_chartSeries, m_chart);
}

void TFGraphForm::FormDestroy() {
    if (!m_data)
        return;
    // The chart view goes with the window after this: take our series off first.
    removeAllSeries(m_chart);
    if (m_settingsChanged) {
        IniFile& ini = Settings::file();
        for (int b = 0; b < BoxCount; ++b)
            ini.writeBool(Keys::Com, KeyOf(Box(b)), m_checks[size_t(b)]->isChecked());
    }
    m_chartSeries.reset();
    m_data.reset();
}
