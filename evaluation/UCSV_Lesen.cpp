#include "evaluation/UCSV_Lesen.h"

#include "core/Daten.h"
#include "core/KompUtils.h"
#include "core/Messages.h"
#include "core/PlantTabs.h"
#include "core/ProgramDir.h"
#include "core/Settings.h"
#include "evaluation/ReportFill.h"
#include "evaluation/TMessDaten.h"
#include "evaluation/UAbout.h"
#include "evaluation/UChartSeries.h"
#include "evaluation/UQRKompProtokoll.h"
#include "storage/UQRKompForm.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QShowEvent>
#include <QStatusBar>
#include <QStyle>
#include <QTabBar>
#include <QTableWidget>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

namespace {

QString defaultChooser(QWidget* parent, const QString& startDir) {
    QFileDialog dialog(parent);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilter(TFCSV_Lesen::tr("EXCEL ( *.csv)"));
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    dialog.setDirectory(startDir);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

const QSize DesignSize(560, 440);

} // namespace

QString TFCSV_Lesen::ValueText(const ChartSeriesData& series, int position, int decimals) {
    return Reports::ValueText(series, position, decimals);
}

TFCSV_Lesen::TFCSV_Lesen(QWidget* parent) : Retranslatable<QDialog>(parent) {
    setObjectName(QStringLiteral("FCSV_Lesen"));
    setSizeGripEnabled(true);
    m_chooser = defaultChooser;

    auto* layout = new QVBoxLayout(this);
    m_menuBar = new QMenuBar(this);
    layout->setMenuBar(m_menuBar);
    QMenu* datei = m_menuBar->addMenu(QString());
    datei->setObjectName(QStringLiteral("Datei1"));
    auto item = [this](QMenu* menu, const char* name, const QKeySequence& key) {
        QAction* a = menu->addAction(QString());
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcut(key);
        return a;
    };
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

    auto* checks = new QHBoxLayout;
    m_grafik = new QCheckBox(this);
    m_grafik->setObjectName(QStringLiteral("CheckBox1"));
    m_tag = new QCheckBox(this);
    m_tag->setObjectName(QStringLiteral("CheckBox2"));
    m_hygieneCheck = new QCheckBox(this);
    m_hygieneCheck->setObjectName(QStringLiteral("CheckBox3"));
    checks->addWidget(m_grafik);
    checks->addWidget(m_tag);
    checks->addWidget(m_hygieneCheck);
    checks->addStretch();
    layout->addLayout(checks);

    m_tabs = new QTabBar(this);
    m_tabs->setObjectName(QStringLiteral("TabControl1"));
    m_tabs->setExpanding(false);
    m_tabs->setUsesScrollButtons(true);
    layout->addWidget(m_tabs);

    m_mieteName = new QLabel(QStringLiteral("--"), this);
    m_mieteName->setObjectName(QStringLiteral("MieteName"));
    layout->addWidget(m_mieteName);

    m_hygieneTitle = new QLabel(this);
    m_hygieneTable =
        new QTableWidget(int(Hygiene::Requirements.size() * Hygiene::Sensors.size()), 6, this);
    m_hygieneTable->setObjectName(QStringLiteral("HygieneGrid"));
    m_hygieneTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_hygieneTable->setWordWrap(true);
    m_hygieneTable->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_hygieneTable->verticalHeader()->hide();
    m_hygieneTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_hygieneTable->horizontalHeader()->setStretchLastSection(true);
    m_hygieneTable->viewport()->installEventFilter(this);
    m_hygieneNote = new QLabel(this);
    m_hygieneNote->setObjectName(QStringLiteral("HygieneNote"));
    m_hygieneNote->setWordWrap(true);
    layout->addWidget(m_hygieneTitle);
    layout->addWidget(m_hygieneTable, 1);
    layout->addWidget(m_hygieneNote);

    m_statusBar = new QStatusBar(this);
    m_statusBar->setSizeGripEnabled(false);
    for (size_t i = 0; i < m_panels.size(); ++i) {
        m_panels[i] = new QLabel(this);
        m_panels[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        m_statusBar->addWidget(m_panels[i], i == 1 ? 1 : 0);
    }
    layout->addWidget(m_statusBar);

    connect(m_openButton, &QAction::triggered, this, &TFCSV_Lesen::OpenButtonClick);
    connect(oeffnen, &QAction::triggered, this, &TFCSV_Lesen::OpenButtonClick);
    connect(schliessen, &QAction::triggered, this, &TFCSV_Lesen::Schliessen1Click);
    connect(ende, &QAction::triggered, this, &TFCSV_Lesen::Ende2Click);
    connect(m_previewButton, &QAction::triggered, this, &TFCSV_Lesen::PreviewButtonClick);
    connect(vorschau, &QAction::triggered, this, &TFCSV_Lesen::PreviewButtonClick);
    connect(m_printButton, &QAction::triggered, this, &TFCSV_Lesen::PrintButtonClick);
    connect(druck, &QAction::triggered, this, &TFCSV_Lesen::PrintButtonClick);
    connect(info, &QAction::triggered, this, &TFCSV_Lesen::Info1Click);
    // clicked, not toggled: restoring the boxes from the settings is no user change.
    for (QCheckBox* box : {m_grafik, m_tag, m_hygieneCheck})
        connect(box, &QCheckBox::clicked, this, &TFCSV_Lesen::CheckClick);
    connect(m_tabs, &QTabBar::currentChanged, this, &TFCSV_Lesen::TabControl1Change);

    FormCreate();
    retranslateUi();
    resize(DesignSize);
    setMinimumSize(DesignSize);
    if (parent) {
        const QRect outer = parent->frameGeometry();
        move(outer.center() - QPoint(width() / 2, height() / 2));
    }
}

TFCSV_Lesen::~TFCSV_Lesen() {
    FormDestroy();
}

void TFCSV_Lesen::FormCreate() {
    QualityMode = false;
    m_data = std::make_unique<TMessDaten>();
    m_chartSeries = std::make_unique<TChartSeries>(*m_data);
    m_firstActivation = true;
    m_plant = Daten::isPlantAddress(Daten::SelectedPlant) ? Daten::SelectedPlant : 1;
    FillPlantTabs(m_tabs, KompUtils::PlantCount);
    SelectPlantTab(m_tabs, m_plant - 1);
    m_mieteName->setText(Daten::Anlage[size_t(m_plant)].Name);
    setPrintEnabled(false);
    showHygiene();
}

void TFCSV_Lesen::showEvent(QShowEvent* event) {
    Retranslatable<QDialog>::showEvent(event);
    if (m_firstActivation)
        FormActivate();
}

void TFCSV_Lesen::FormActivate() {
    if (!m_firstActivation)
        return;
    const IniFile& ini = Settings::file();
    m_grafik->setChecked(ini.readBool(Keys::Com, graphKey(), false));
    m_tag->setChecked(ini.readBool(Keys::Com, dayKey(), false));
    m_hygieneCheck->setChecked(QualityMode && ini.readBool(Keys::Com, Keys::QualityHygiene, false));
    m_hygieneCheck->setVisible(QualityMode);
    m_settingsChanged = false;
    m_firstActivation = false;
    retranslateUi();
}

void TFCSV_Lesen::CheckClick() {
    if (!m_firstActivation)
        m_settingsChanged = true;
}

void TFCSV_Lesen::TabControl1Change(int index) {
    if (!Daten::isPlantAddress(index + 1))
        return;
    m_plant = index + 1;
    m_mieteName->setText(Daten::Anlage[size_t(m_plant)].Name);
    m_panels[1]->clear();
}

QString TFCSV_Lesen::StartDirectory() const {
    const QString pfad = Daten::Anlage[size_t(m_plant)].Pfad;
    // Checked rather than made the process's current directory: other windows and the
    // readout resolve nothing against it, and changing it would be a hidden side effect.
    const QFileInfo dir(pfad);
    if (!pfad.isEmpty() && dir.isDir() && dir.isExecutable())
        return QDir::toNativeSeparators(dir.absoluteFilePath());
    return QDir::toNativeSeparators(ProgramDir::path());
}

void TFCSV_Lesen::OpenButtonClick() {
    const QString path = m_chooser ? m_chooser(this, StartDirectory()) : QString();
    if (path.isEmpty()) {
        setPrintEnabled(false);
        return;
    }
    switch (m_data->LoadFile(path)) {
    case TMessDaten::LoadResult::Valid:
        setPrintEnabled(true);
        m_panels[1]->setText(m_data->FileName);
        m_panels[3]->setText(QString::number(m_data->LineCount));
        break;
    case TMessDaten::LoadResult::NotRecognised:
        setPrintEnabled(false);
        Messages::information(
            tr("Kein gültiger Dateiaufbau\rDatei war nicht von dieser Software erzeugt!"), this);
        break;
    case TMessDaten::LoadResult::ReadError:
        // The buttons and panels stay; the data lines are gone, so a report has no rows.
        Messages::error(m_data->ErrorText(), this);
        break;
    }
    m_hygiene = Hygiene::Evaluate(Hygiene::SamplesOf(*m_data));
    showHygiene();
}

void TFCSV_Lesen::Schliessen1Click() {
    setPrintEnabled(false);
}

void TFCSV_Lesen::Ende2Click() {
    close();
}

void TFCSV_Lesen::Info1Click() {
    TFAbout::ShowAbout(this);
}

void TFCSV_Lesen::PreviewButtonClick() {
    runReport(Output::Preview);
}

void TFCSV_Lesen::PrintButtonClick() {
    runReport(Output::Print);
}

bool TFCSV_Lesen::ExportPdf(const QString& path) {
    return runReport(Output::Pdf, path);
}

bool TFCSV_Lesen::runReport(Output out, const QString& pdfPath) {
    Reports::ProtocolOptions options;
    options.graph = m_grafik->isChecked();
    options.perDay = m_tag->isChecked();
    options.hygiene = QualityMode && m_hygieneCheck->isChecked();
    const Reports::Display display = Reports::Display::current();

    std::unique_ptr<TFQRKompProtokoll> protokoll;
    std::unique_ptr<TFQRKompForm> log;
    Report::BandReport* report = nullptr;
    bool filled = false;
    if (QualityMode) {
        protokoll = std::make_unique<TFQRKompProtokoll>();
        filled = Reports::fillQuality(*protokoll, *m_data, *m_chartSeries, options, display);
        report = &protokoll->report();
    } else {
        log = std::make_unique<TFQRKompForm>();
        filled = Reports::fillLog(*log, *m_data, *m_chartSeries, options, display);
        report = &log->report();
    }
    m_panels[3]->setText(QString::number(m_data->PointCount));
    if (!filled) {
        Messages::error(m_data->ErrorText(), this);
        return false;
    }

    bool done = true;
    switch (out) {
    case Output::Preview:
        report->preview(this);
        break;
    case Output::Print:
        done = report->print(this);
        break;
    case Output::Pdf:
        done = report->exportPdf(pdfPath);
        break;
    }
    m_chartSeries->AttachSeries(nullptr);
    return done;
}

void TFCSV_Lesen::setPrintEnabled(bool on) {
    m_previewButton->setEnabled(on);
    m_printButton->setEnabled(on);
}

void TFCSV_Lesen::showHygiene() {
    using Hygiene::Texts;
    m_hygieneTitle->setText(Texts::title());
    // Without a readable record there is nothing to state, not even "never".
    const bool any = m_hygiene.any;
    QString note = Texts::sensorsNote();
    if (any)
        note += QLatin1Char('\n') + Texts::gaps(m_hygiene.gaps);
    m_hygieneNote->setText(note + QLatin1Char('\n') + Texts::note());
    m_hygieneTable->setHorizontalHeaderLabels(Texts::headings());
    int row = 0;
    for (const Hygiene::Result& r : m_hygiene.results) {
        for (Hygiene::Sensor s : Hygiene::Sensors) {
            const QStringList cells = Texts::cells(r, s);
            for (int c = 0; c < cells.size(); ++c) {
                const QString text = any || c < 2 ? cells.at(c) : QString();
                auto* cell = new QTableWidgetItem(text);
                m_hygieneTable->setItem(row, c, cell);
            }
            ++row;
        }
    }
    fitHygieneColumns();
}

bool TFCSV_Lesen::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_hygieneTable->viewport() && event->type() == QEvent::Resize)
        fitHygieneColumns();
    return Retranslatable<QDialog>::eventFilter(watched, event);
}

void TFCSV_Lesen::fitHygieneColumns() {
    // A scroll bar that comes or goes while the columns change resizes the viewport again.
    if (m_fitting)
        return;
    m_fitting = true;
    QTableWidget* t = m_hygieneTable;
    QHeaderView* header = t->horizontalHeader();
    const QFontMetrics fm(t->font());
    const int columns = t->columnCount();
    QList<int> natural(columns), least(columns);
    // The item's text margins as the style draws them, and the grid line.
    const int padding =
        2 * (t->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, t) + 1) +
        (t->showGrid() ? 1 : 0);
    for (int c = 0; c < columns; ++c) {
        // What the column would like on one line, and its longest word.
        int widest = 0;
        int longestWord = 0;
        for (int row = 0; row < t->rowCount(); ++row) {
            const QTableWidgetItem* item = t->item(row, c);
            if (!item)
                continue;
            for (const QString& line : item->text().split(QLatin1Char('\n'))) {
                widest = std::max(widest, fm.horizontalAdvance(line));
                for (const QString& word : line.split(QLatin1Char(' '), Qt::SkipEmptyParts))
                    longestWord = std::max(longestWord, fm.horizontalAdvance(word));
            }
        }
        least[c] = std::max(header->sectionSizeHint(c), longestWord + padding);
        natural[c] = std::max(least[c], widest + padding);
    }
    int wanted = 0;
    int minimum = 0;
    for (int c = 0; c < columns; ++c) {
        wanted += natural[c];
        minimum += least[c];
    }
    // A scroll bar that the new widths bring or take away changes the room: once more then.
    for (int pass = 0; pass < 3; ++pass) {
        const int room = t->viewport()->width();
        for (int c = 0; c < columns; ++c) {
            int width = natural[c];
            if (wanted > room && wanted > minimum) {
                const int spare = std::max(0, room - minimum);
                width = least[c] + int(qint64(natural[c] - least[c]) * spare / (wanted - minimum));
            }
            header->resizeSection(c, width);
        }
        if (t->viewport()->width() == room)
            break;
    }
    t->resizeRowsToContents();
    m_fitting = false;
}

QString TFCSV_Lesen::graphKey() const {
    return QualityMode ? Keys::QualityGraph : Keys::LogGraph;
}

QString TFCSV_Lesen::dayKey() const {
    return QualityMode ? Keys::QualityPerDay : Keys::LogPerDay;
}

void TFCSV_Lesen::FormDestroy() {
    if (m_settingsChanged) {
        IniFile& ini = Settings::file();
        ini.writeBool(Keys::Com, graphKey(), m_grafik->isChecked());
        ini.writeBool(Keys::Com, dayKey(), m_tag->isChecked());
        if (QualityMode)
            ini.writeBool(Keys::Com, Keys::QualityHygiene, m_hygieneCheck->isChecked());
    }
    m_chartSeries.reset();
    m_data.reset();
}

QAction* TFCSV_Lesen::menuItem(const QString& objectName) const {
    return m_menuBar->findChild<QAction*>(objectName);
}

void TFCSV_Lesen::retranslateUi() {
    if (m_firstActivation)
        setWindowTitle(tr("Humivo Protokolle"));
    else
        setWindowTitle(QualityMode ? tr("Humivo Protokoll Gütegemeinschaft")
                                   : tr("Humivo Protokoll"));
    auto text = [this](const char* name, const QString& t) {
        if (QAction* a = menuItem(QString::fromLatin1(name)))
            a->setText(t);
    };
    if (QMenu* m = m_menuBar->findChild<QMenu*>(QStringLiteral("Datei1")))
        m->setTitle(tr("&Datei"));
    if (QMenu* m = m_menuBar->findChild<QMenu*>(QStringLiteral("Drucken2")))
        m->setTitle(tr("D&rucken"));
    text("Oeffnen1", tr("Ö&ffnen"));
    text("Schliessen1", tr("&Schliessen"));
    text("Ende2", tr("&Ende"));
    text("Druckvorschau1", tr("Druck&vorschau"));
    text("Drucken1", tr("&Drucken"));
    text("Info1", tr("&Info"));
    // Icons only; the texts serve as tool tips.
    m_openButton->setText(tr("Öffnen"));
    m_previewButton->setText(tr("Druckvorschau"));
    m_printButton->setText(tr("Drucken"));
    m_grafik->setText(tr("Grafik drucken"));
    m_tag->setText(tr("1 Wert/ Tag"));
    m_hygieneCheck->setText(tr("Hygienisierung"));
    m_panels[0]->setText(tr("Pfad:"));
    m_panels[2]->setText(tr("Anzahl Speicherwerte:"));
    showHygiene();
}
