#include "storage/UQRKompForm.h"

#include "core/Daten.h"
#include "core/KompUtils.h"
#include "core/Regional.h"
#include "core/Settings.h"

#include <QChart>
#include <QDateTime>
#include <QGraphicsScene>
#include <QLineSeries>
#include <QPainter>
#include <QValueAxis>

using Report::Align;
using Report::Element;
using Report::label;
using Report::Rule;

namespace {

Element cell(const QString& name, double x, double width = 0) {
    return label(name, x, 0.6, name, width, width > 0 ? Align::Right : Align::Left);
}

// The column groups are separated by full rules; inside the temperature and fan groups the
// header rules run over the lower half only, under the group title.
const double kGroupRules[] = {13.3, 42.4, 114.9, 131.7, 168.7, 192.3};
const double kInnerRules[] = {57.5, 71.6, 86.2, 100.5, 152.6};

} // namespace

TFQRKompForm::TFQRKompForm(QObject* parent) : QObject(parent) {
    buildLayout();
}

TFQRKompForm::~TFQRKompForm() = default;

void TFQRKompForm::buildLayout() {
    Report::BandReport& r = m_report;
    r.pageSize = QPageSize(QPageSize::Letter);
    r.orientation = QPageLayout::Portrait;
    r.margin = 10;
    r.fontFamily = QStringLiteral("Arial");
    r.fontPixelSize = 13;
    r.printIfEmpty = false;
    r.title = tr("Humivo Messprotokoll");

    r.pageHeader.height = 48.7;
    r.pageHeader.frame = Report::FrameTop | Report::FrameLeft | Report::FrameRight;
    r.pageHeader.elements = {
        label(QStringLiteral("QRKLabel1"), 31.8, 0, tr("Humivo Messprotokoll"), 106.1,
              Align::Center, 16),
        label(QStringLiteral("QRKopf1"), 28.4, 6.2, QStringLiteral("QRKopf1"), 133.2, Align::Left,
              19),
        label(QStringLiteral("QRKopf2"), 30.9, 12.8, QStringLiteral("QRKopf2"), 131.0),
        label(QStringLiteral("QRKopf3"), 30.9, 16.8, QStringLiteral("QRKopf3"), 131.0),
        label(QStringLiteral("QRLabel9"), 2.2, 25.6, tr("Anlagen- Name :"), 0, Align::Left, 0,
              true),
        label(QStringLiteral("AnlName"), 33.4, 25.5, QStringLiteral("AnlName"), 154.8),
        label(QStringLiteral("QRLabel10"), 2.2, 29.5, tr("Datei- Name :"), 0, Align::Left, 0, true),
        label(QStringLiteral("DateiName"), 33.4, 30.1, QStringLiteral("DateiName"), 154.8),
        label(QStringLiteral("QRKomment1"), 33.4, 35.4, QStringLiteral("K1"), 154.8),
        label(QStringLiteral("QRKomment2"), 33.4, 40.7, QStringLiteral("K2"), 154.8),
    };

    r.columnHeader.height = 13.5;
    r.columnHeader.frame = Report::FrameAll;
    for (double x : kGroupRules)
        r.columnHeader.rules.append(Rule{x, false});
    for (double x : kInnerRules)
        r.columnHeader.rules.append(Rule{x, true});
    r.columnHeader.elements = {
        label(QStringLiteral("QRLabel5"), 47.4, 1.6, tr("Temperatur an Messtelle")),
        label(QStringLiteral("QRLabel4"), 132.3, 1.6, tr("Lüfter")),
        label(QStringLiteral("QRLabel7"), 170.7, 1.6, tr("Tiefe")),
        label(QStringLiteral("QRLabel8"), 1.6, 6.9, tr("Nr.:")),
        label(QStringLiteral("QRDatum"), 15.1, 6.9, tr("Datum/Zeit")),
        label(QStringLiteral("QRTemp1"), 44.5, 6.9, tr("T5[°C]")),
        label(QStringLiteral("QRTemp2"), 60.1, 6.9, tr("T4[°C]")),
        label(QStringLiteral("QRTemp3"), 74.1, 6.9, tr("T3[°C]")),
        label(QStringLiteral("QRTemp4"), 88.9, 6.9, tr("T2[°C]")),
        label(QStringLiteral("QRTemp5"), 102.1, 6.9, tr("T1[°C]")),
        label(QStringLiteral("QRLabel3"), 115.6, 6.9, tr("O2[vol%]")),
        label(QStringLiteral("QRLabel11"), 132.3, 6.9, tr("Laufzeit[min]")),
        label(QStringLiteral("QRLabel14"), 152.9, 6.9, tr("Zyklen")),
        label(QStringLiteral("QRLabel6"), 170.7, 6.9, tr("S 55°C[cm]")),
    };

    r.detail.height = 5.3;
    r.detail.frame = Report::FrameLeft | Report::FrameRight;
    r.detail.fontPixelSize = 12;
    for (double x : kGroupRules)
        r.detail.rules.append(Rule{x, false});
    for (double x : kInnerRules)
        r.detail.rules.append(Rule{x, false});
    r.detail.elements = {
        cell(QStringLiteral("QRNr"), 1.6),           cell(QStringLiteral("QRDat"), 15.1),
        cell(QStringLiteral("QRT1"), 43.4, 12.7),    cell(QStringLiteral("QRT2"), 58.2, 12.2),
        cell(QStringLiteral("QRT3"), 72.2, 12.4),    cell(QStringLiteral("QRT4"), 87.0, 11.6),
        cell(QStringLiteral("QRT5"), 101.3, 11.4),   cell(QStringLiteral("QRO2"), 115.9, 13.5),
        cell(QStringLiteral("QRZeit"), 132.3, 18.3), cell(QStringLiteral("QRZyklen"), 152.9, 13.0),
        cell(QStringLiteral("QR55Gr"), 169.3, 17.7),
    };

    r.summary.height = 141.6;
    r.summary.frame = Report::NoFrame;
    Element chartArea;
    chartArea.name = QStringLiteral("QRChart1");
    chartArea.field = Report::Field::Chart;
    chartArea.x = 3.7;
    chartArea.y = 2.0;
    chartArea.width = 186.1;
    chartArea.height = 138.5;
    chartArea.paint = [this](QPainter& p, const QRectF& target) {
        // Laid out at screen size, then scaled into the target: the chart keeps the
        // proportions of its fonts and stays vector output.
        const QSizeF screen(186.1 * 96 / 25.4, 138.5 * 96 / 25.4);
        QGraphicsScene scene;
        scene.addItem(m_chart.get());
        m_chart->resize(screen);
        scene.setSceneRect(QRectF(QPointF(0, 0), screen));
        scene.render(&p, target, scene.sceneRect());
        scene.removeItem(m_chart.get());
    };
    r.summary.elements = {chartArea};

    m_chart = std::make_unique<QChart>();
    m_chart->legend()->hide();
    m_series = new QLineSeries(m_chart.get());
    m_chart->addSeries(m_series);
    auto* axisX = new QValueAxis(m_chart.get());
    auto* axisY = new QValueAxis(m_chart.get());
    axisY->setRange(0, 100);
    m_chart->addAxis(axisX, Qt::AlignBottom);
    m_chart->addAxis(axisY, Qt::AlignLeft);
    m_series->attachAxis(axisX);
    m_series->attachAxis(axisY);

    r.pageFooter.height = 10.6;
    r.pageFooter.frame = Report::FrameAll;
    Element printedAt = label(QStringLiteral("QRSysData1"), 33.3, 2.2, QString());
    printedAt.field = Report::Field::PrintDateTime;
    Element pageNr = label(QStringLiteral("QRSysData2"), 170.9, 2.2, QString());
    pageNr.field = Report::Field::PageNumber;
    r.pageFooter.elements = {
        label(QStringLiteral("QRLabel1"), 2.2, 2.2, tr("Druckdatum/-zeit :")),
        printedAt,
        label(QStringLiteral("QRLabel2"), 152.6, 2.2, tr("Seitennr. :")),
        pageNr,
    };
}

void TFQRKompForm::setHeaderLines(const QString& titel, const QString& zeile2,
                                  const QString& zeile3) {
    m_report.setText(QStringLiteral("QRKopf1"), titel);
    m_report.setText(QStringLiteral("QRKopf2"), zeile2);
    m_report.setText(QStringLiteral("QRKopf3"), zeile3);
}

void TFQRKompForm::loadHeaderLines() {
    const IniFile& ini = Settings::file();
    setHeaderLines(ini.readString(Keys::Firma, Keys::Titel, QStringLiteral("Firmen- Name")),
                   ini.readString(Keys::Firma, Keys::Zeile2, QStringLiteral("* Text *")),
                   ini.readString(Keys::Firma, Keys::Zeile3, QStringLiteral("* Text *")));
}

void TFQRKompForm::setPlant(const QString& anlName, const QString& dateiName) {
    m_report.setText(QStringLiteral("AnlName"), anlName);
    m_report.setText(QStringLiteral("DateiName"), dateiName);
}

void TFQRKompForm::setComments(const QString& k1, const QString& k2) {
    m_report.setText(QStringLiteral("QRKomment1"), k1);
    m_report.setText(QStringLiteral("QRKomment2"), k2);
}

void TFQRKompForm::setUnits(bool imperial, bool showRefDepth, const QString& refCaption) {
    if (imperial) {
        const QString f[5] = {tr("T5[°F]"), tr("T4[°F]"), tr("T3[°F]"), tr("T2[°F]"), tr("T1[°F]")};
        for (int i = 0; i < 5; ++i)
            m_report.setText(QStringLiteral("QRTemp%1").arg(i + 1), f[i]);
    }
    if (showRefDepth) {
        m_report.setText(QStringLiteral("QRLabel6"), refCaption);
    } else {
        m_report.setText(QStringLiteral("QRLabel6"), QString());
        m_report.setText(QStringLiteral("QRLabel7"), QString());
    }
}

void TFQRKompForm::setRowSource(RowSource source) {
    m_source = std::move(source);
    m_report.beforePrint = [this] { m_counter = 0; };
    m_report.needData = [this] {
        if (!m_source)
            return false;
        ++m_counter;
        m_row = LogRow();
        if (!m_source(m_counter, m_row)) {
            m_counter = 0;
            return false;
        }
        return true;
    };
    m_report.setPrint(QStringLiteral("QRNr"), [this] {
        return m_row.nr.isEmpty() ? QString::number(m_counter) : m_row.nr;
    });
    m_report.setPrint(QStringLiteral("QRDat"), [this] { return m_row.dat; });
    for (int i = 0; i < 5; ++i)
        m_report.setPrint(QStringLiteral("QRT%1").arg(i + 1), [this, i] { return m_row.t[i]; });
    m_report.setPrint(QStringLiteral("QRO2"), [this] { return m_row.o2; });
    m_report.setPrint(QStringLiteral("QRZeit"), [this] { return m_row.zeit; });
    m_report.setPrint(QStringLiteral("QRZyklen"), [this] { return m_row.zyklen; });
    m_report.setPrint(QStringLiteral("QR55Gr"), [this] { return m_row.refDepth; });
}

TFQRKompForm::LogRow TFQRKompForm::recordRow(const MeasurementRecord& rec, const QDateTime& stored,
                                             bool imperial, bool showRefDepth) {
    auto num = [](int value, int width) { return QStringLiteral("%1").arg(value, width); };
    LogRow row;
    // An invalid time stamp shows as the zero date of the readout table.
    const QDateTime when = stored.isValid() ? stored : QDateTime(QDate(1899, 12, 30), QTime(0, 0));
    row.dat = when.toString(Regional::shortDateFormat() + QStringLiteral("  hh:mm"));
    const int t[5] = {rec.T1, rec.T2, rec.T3, rec.T4, rec.T5};
    for (int i = 0; i < 5; ++i)
        row.t[i] = num(imperial ? KompUtils::CToF(t[i]) : t[i], 4);
    row.o2 = num(rec.O2, 4);
    row.zeit = num(rec.RunTime, 5);
    row.zyklen = num(rec.Cycles, 5);
    if (showRefDepth)
        row.refDepth = num(imperial ? KompUtils::CmToIn(rec.RefDepth) : rec.RefDepth, 4);
    return row;
}
