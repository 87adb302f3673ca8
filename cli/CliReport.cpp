#include "cli/CliReport.h"

#include "cli/Cli.h"
#include "cli/CliFiles.h"
#include "core/KompUtils.h"
#include "core/Settings.h"
#include "evaluation/ReportFill.h"
#include "evaluation/TMessDaten.h"
#include "evaluation/UChartSeries.h"
#include "evaluation/UGraphik.h"
#include "evaluation/UQRGraphForm.h"
#include "evaluation/UQRKompProtokoll.h"
#include "storage/UQRKompForm.h"

#include <QChart>
#include <QDir>
#include <QFileInfo>
#include <memory>

namespace Cli {

namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("Cli", text);
}

enum class Kind { Log, Quality, Graph };

struct ReportRequest {
    Kind kind = Kind::Log;
    QString file;
    QString pdf;
    Reports::ProtocolOptions options;
    bool fanSheet = false;
    bool seriesNamed = false;
    Reports::SeriesChoice series{};
};

class BadOption {
public:
    explicit BadOption(QString why) : text(std::move(why)) {}
    QString text;
};

// The --series names and the graph window's boxes they stand for.
struct SeriesName {
    const char* name;
    TFGraphForm::Box box;
};
const SeriesName SeriesNames[] = {
    {"T1", TFGraphForm::T1}, {"T2", TFGraphForm::T2},       {"T3", TFGraphForm::T3},
    {"T4", TFGraphForm::T4}, {"T5", TFGraphForm::T5},       {"T55", TFGraphForm::T55},
    {"O2", TFGraphForm::O2}, {"LZ", TFGraphForm::LuftZeit}, {"ZYKL", TFGraphForm::Zyklen},
};

// The position of a box's series in TMessDaten::AllSeries().
int seriesIndex(TFGraphForm::Box b) {
    switch (b) {
    case TFGraphForm::LuftZeit:
        return 7;
    case TFGraphForm::Zyklen:
        return 8;
    default:
        return int(b); // T1 .. T5, T55, O2 are 0 .. 6
    }
}

QString formOf(Kind k) {
    switch (k) {
    case Kind::Log:
        return QStringLiteral("report log FILE --pdf OUT [--per-day] [--graph]");
    case Kind::Quality:
        return QStringLiteral("report quality FILE --pdf OUT [--per-day] [--graph] [--hyg]");
    case Kind::Graph:
        break;
    }
    return QStringLiteral(
        "report graph FILE --pdf OUT [--sheet env|fan] [--per-day] [--series NAMES]");
}

void addSeries(ReportRequest& r, const QString& names) {
    const QStringList parts = names.split(QLatin1Char(','), Qt::SkipEmptyParts);
    if (parts.isEmpty())
        throw BadOption(tr("--series braucht Namen: T1..T5, T55, O2, LZ, ZYKL"));
    for (const QString& part : parts) {
        const QString n = part.trimmed();
        const SeriesName* found = nullptr;
        for (const SeriesName& s : SeriesNames)
            if (n.compare(QLatin1String(s.name), Qt::CaseInsensitive) == 0)
                found = &s;
        if (!found)
            throw BadOption(tr("Unbekannte Messreihe: %1").arg(n));
        r.series[size_t(seriesIndex(found->box))] = true;
    }
    r.seriesNamed = true;
}

ReportRequest parse(const QStringList& args) {
    ReportRequest r;
    const QString kind = args.value(0);
    if (kind == QLatin1String("log"))
        r.kind = Kind::Log;
    else if (kind == QLatin1String("quality"))
        r.kind = Kind::Quality;
    else if (kind == QLatin1String("graph"))
        r.kind = Kind::Graph;
    else
        throw BadOption(tr("report log|quality|graph FILE --pdf OUT"));
    const bool graph = r.kind == Kind::Graph;
    const auto value = [&](int& i) {
        if (i + 1 >= args.size())
            throw BadOption(tr("%1 braucht einen Wert").arg(args.at(i)));
        return args.at(++i);
    };
    for (int i = 1; i < args.size(); ++i) {
        const QString& a = args.at(i);
        if (a == QLatin1String("--pdf")) {
            r.pdf = value(i);
        } else if (a == QLatin1String("--per-day")) {
            r.options.perDay = true;
        } else if (a == QLatin1String("--graph") && !graph) {
            r.options.graph = true;
        } else if (a == QLatin1String("--hyg") && r.kind == Kind::Quality) {
            r.options.hygiene = true;
        } else if (a == QLatin1String("--sheet") && graph) {
            const QString sheet = value(i);
            if (sheet != QLatin1String("env") && sheet != QLatin1String("fan"))
                throw BadOption(tr("--sheet env|fan"));
            r.fanSheet = sheet == QLatin1String("fan");
        } else if (a == QLatin1String("--series") && graph) {
            addSeries(r, value(i));
        } else if (a.startsWith(QLatin1String("-")) || !r.file.isEmpty()) {
            throw BadOption(formOf(r.kind));
        } else {
            r.file = a;
        }
    }
    if (r.file.isEmpty() || r.pdf.isEmpty())
        throw BadOption(formOf(r.kind));
    // The measurement file is the one thing a report must never overwrite.
    const QFileInfo in(r.file);
    const QFileInfo out(r.pdf);
    if (in.absoluteFilePath() == out.absoluteFilePath() ||
        (in.exists() && out.exists() && in.canonicalFilePath() == out.canonicalFilePath()))
        throw BadOption(tr("--pdf darf nicht die Messdatei sein: %1").arg(r.pdf));
    return r;
}

// The graph window's boxes as its settings keys keep them; the reference mark only while
// it is displayed at all.
Reports::SeriesChoice boxesFromSettings() {
    Reports::SeriesChoice ticked{};
    const IniFile& ini = Settings::file();
    for (const SeriesName& s : SeriesNames)
        ticked[size_t(seriesIndex(s.box))] =
            ini.readBool(Keys::Com, TFGraphForm::KeyOf(s.box), true);
    return ticked;
}

int writePdf(Report::BandReport& report, const QString& pdf, const TMessDaten& data,
             QTextStream& out, QTextStream& err) {
    if (report.exportPdf(pdf)) {
        out << QDir::toNativeSeparators(pdf) << '\t' << report.pagesPrinted() << '\n';
        return Ok;
    }
    if (data.PointCount == 0 && report.pagesPrinted() == 0)
        err << tr("Keine Messwerte in der Datei: kein PDF geschrieben") << '\n';
    else
        err << tr("PDF kann nicht geschrieben werden: %1").arg(QDir::toNativeSeparators(pdf))
            << '\n';
    return Failed;
}

int run(const ReportRequest& r, QTextStream& out, QTextStream& err) {
    // Made after the settings: the series titles follow the units read there.
    TMessDaten data;
    if (LoadMeasurementFile(data, r.file, err) != Ok)
        return Failed;
    TChartSeries series(data);
    const Reports::Display display = Reports::Display::current();
    int rc = Ok;
    switch (r.kind) {
    case Kind::Log: {
        TFQRKompForm report;
        if (!Reports::fillLog(report, data, series, r.options, display)) {
            err << PlainText(data.ErrorText()) << '\n';
            return Failed;
        }
        rc = writePdf(report.report(), r.pdf, data, out, err);
        // The report's chart would take the series with it.
        series.AttachSeries(nullptr);
        break;
    }
    case Kind::Quality: {
        TFQRKompProtokoll report;
        if (!Reports::fillQuality(report, data, series, r.options, display)) {
            err << PlainText(data.ErrorText()) << '\n';
            return Failed;
        }
        rc = writePdf(report.report(), r.pdf, data, out, err);
        series.AttachSeries(nullptr);
        break;
    }
    case Kind::Graph: {
        Reports::SeriesChoice ticked = r.seriesNamed ? r.series : boxesFromSettings();
        // The window hides the reference-mark box while the mark is not displayed.
        if (!display.showRefDepth)
            ticked[5] = false;
        std::unique_ptr<QChart> shown(Reports::newGraphChart());
        if (!Reports::showGraph(shown.get(), data, series, r.options.perDay, r.fanSheet, ticked)) {
            err << PlainText(data.ErrorText()) << '\n';
            Reports::detachAll(shown.get());
            return Failed;
        }
        {
            TFQRGraphForm report;
            Reports::fillGraph(report, data, series, shown.get(), ticked);
            rc = writePdf(report.report(), r.pdf, data, out, err);
        }
        Reports::detachAll(shown.get());
        break;
    }
    }
    return rc;
}

} // namespace

int Report(const QStringList& args, QTextStream& out, QTextStream& err) {
    ReportRequest request;
    try {
        request = parse(args);
    } catch (const BadOption& e) {
        err << e.text << '\n' << CommandUsage(QStringLiteral("report"));
        return Usage;
    }
    OpenSettingsForFiles();
    const int rc = run(request, out, err);
    Settings::close();
    return rc;
}

} // namespace Cli
