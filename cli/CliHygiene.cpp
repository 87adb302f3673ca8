#include "cli/Cli.h"
#include "cli/CliFiles.h"
#include "core/Settings.h"
#include "evaluation/Hygiene.h"
#include "evaluation/TMessDaten.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace Cli {

namespace {

// Days as a number, cut (never rounded up) to four decimals: a run a minute short of the
// required days never reads as the required days.
double daysOf(const Hygiene::Run& r) {
    return r.found ? double(r.seconds * 10000 / 86400) / 10000.0 : 0.0;
}

QJsonValue stampOf(const QDateTime& at) {
    if (!at.isValid())
        return QJsonValue(QJsonValue::Null);
    return at.toString(QStringLiteral("dd.MM.yyyy hh:mm"));
}

QJsonObject jsonOf(const Hygiene::Result& r, int gaps) {
    return QJsonObject{{"temperature", r.requirement.tempC},
                       {"requiredDays", r.requirement.days},
                       {"closedPlantsOnly", r.requirement.closedPlantsOnly},
                       {"coreDays", daysOf(r.core)},
                       {"coreReached", r.core.reached},
                       {"coreStart", stampOf(r.core.start)},
                       {"coreEnd", stampOf(r.core.end)},
                       {"coldestDays", daysOf(r.coldest)},
                       {"coldestReached", r.coldest.reached},
                       {"coldestStart", stampOf(r.coldest.start)},
                       {"coldestEnd", stampOf(r.coldest.end)},
                       {"surfaceDays", daysOf(r.surface)},
                       {"surfaceReached", r.surface.reached},
                       {"gaps", gaps}};
}

} // namespace

int HygieneOverview(const QStringList& args, bool json, QTextStream& out, QTextStream& err) {
    if (args.size() == 1 && (args.constFirst() == QLatin1String("--help") ||
                             args.constFirst() == QLatin1String("-h"))) {
        out << "usage: o2aerolis-cli [--dir DIR] [--json] hygiene FILE\n\n"
               "The hygienisation overview of a measurement file as the protocol viewer shows\n"
               "it: one line per combination and sensor line, then the holes in the record\n"
               "(--json: one object per combination).\n";
        return Ok;
    }
    if (args.size() != 1 || args.constFirst().startsWith(QLatin1String("--"))) {
        err << "usage: o2aerolis-cli hygiene FILE [--json]\n" << UsageText();
        return Usage;
    }
    OpenSettingsForFiles();
    TMessDaten data;
    int rc = LoadMeasurementFile(data, args.constFirst(), err);
    // The same fill the overview's samples are read from: a time stamp it cannot read
    // fails here with the windows' message instead of an overview of nothing.
    if (rc == Ok && !data.FillSeries(false, nullptr)) {
        err << PlainText(data.ErrorText()) << '\n';
        rc = Failed;
    }
    if (rc != Ok) {
        Settings::close();
        return rc;
    }
    const Hygiene::Overview overview = Hygiene::Evaluate(Hygiene::SamplesOf(data));
    if (json) {
        QJsonArray all;
        for (const Hygiene::Result& r : overview.results)
            all.append(jsonOf(r, overview.gaps));
        out << QJsonDocument(all).toJson(QJsonDocument::Indented);
    } else {
        using Hygiene::Texts;
        for (const Hygiene::Result& r : overview.results) {
            QString requirement = Texts::requirement(r.requirement);
            if (r.requirement.closedPlantsOnly)
                requirement +=
                    QStringLiteral(" (") + Texts::scope(r.requirement) + QLatin1Char(')');
            for (Hygiene::Sensor s : Hygiene::Sensors) {
                QStringList cells = Texts::cells(r, s);
                cells[0] = requirement;
                out << cells.join(QLatin1Char('\t')) << '\n';
            }
        }
        out << Texts::gaps(overview.gaps) << '\n';
    }
    Settings::close();
    return Ok;
}

} // namespace Cli
