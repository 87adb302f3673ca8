#include "cli/CliFiles.h"

#include "cli/Cli.h"
#include "cli/CliHealth.h"
#include "core/Daten.h"
#include "core/ProgramDir.h"
#include "core/Settings.h"
#include "evaluation/TMessDaten.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace Cli {

namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("Cli", text);
}

// The JSON names of the nine series, in TMessDaten::AllSeries() order.
const char* const SeriesNames[9] = {"t1", "t2", "t3", "t4", "t5", "ref", "o2", "runTime", "cycles"};

// The y value of every data point: position 0 is the fill's placeholder.
QList<double> valuesOf(const ChartSeriesData& s) {
    QList<double> values;
    for (qsizetype k = 1; k < s.points.size(); ++k)
        values << s.points.at(k).y();
    return values;
}

FileCommand& reportCommand() {
    static FileCommand command;
    return command;
}

std::function<void()>& languageHook() {
    static std::function<void()> hook;
    return hook;
}

// The command word of a command line: the first argument that is no global option.
QString commandOf(const QStringList& args) {
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        if (a == QLatin1String("--dir"))
            ++i;
        else if (a != QLatin1String("--json") && !a.startsWith(QLatin1String("--dir=")))
            return a;
    }
    return QString();
}

} // namespace

void SetReportCommand(FileCommand command) {
    reportCommand() = std::move(command);
}

void SetLanguageHook(std::function<void()> apply) {
    languageHook() = std::move(apply);
}

void ResetForCommand() {
    ResetProcessState();
    if (languageHook())
        languageHook()();
}

bool NeedsGui(const QStringList& args) {
    return commandOf(args) == QLatin1String("report");
}

QString FileCommandsUsage() {
    return QStringLiteral(
        "without the link:\n"
        "  report log FILE --pdf OUT [--per-day] [--graph]\n"
        "                             the measurement log as the protocol viewer prints it\n"
        "  report quality FILE --pdf OUT [--per-day] [--graph] [--hyg]\n"
        "                             the quality-association protocol (--hyg: hygienisation)\n"
        "  report graph FILE --pdf OUT [--sheet env|fan] [--per-day] [--series NAMES]\n"
        "                             the graph report; NAMES: T1..T5,T55,O2,LZ,ZYKL (comma-\n"
        "                             separated), default: the graph window's boxes\n"
        "  series FILE [--per-day]    the file's header fields and its nine series\n"
        "                             (--json: one document)\n"
        "  hygiene FILE               the hygienisation overview as the protocol viewer\n"
        "                             shows it (--json: one object per combination)\n"
        "  health                     every running pile's last readout; exit 0 all well,\n"
        "                             1 a readout late or failed, 4 a controller's memory\n"
        "                             nearly full (--json: one document)\n"
        "  --help                     this text\n");
}

bool RunFileCommand(const QString& name, const QStringList& args, bool json, QTextStream& out,
                    QTextStream& err, int* rc) {
    if (name != QLatin1String("series") && name != QLatin1String("report") &&
        name != QLatin1String("hygiene") && name != QLatin1String("health"))
        return false;
    ResetForCommand();
    if (name == QLatin1String("series")) {
        *rc = Series(args, json, out, err);
    } else if (name == QLatin1String("hygiene")) {
        *rc = HygieneOverview(args, json, out, err);
    } else if (name == QLatin1String("health")) {
        *rc = Health(args, json, out, err);
    } else if (reportCommand()) {
        *rc = reportCommand()(args, out, err);
    } else {
        err << tr("report ist in dieser Ausgabe des Programms nicht enthalten") << '\n';
        *rc = Failed;
    }
    out.flush();
    err.flush();
    return true;
}

QString PlainText(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

void OpenSettingsForFiles() {
    Settings::open(ProgramDir::iniPath());
    Settings::LoadDisplaySettings();
}

int LoadMeasurementFile(TMessDaten& data, const QString& path, QTextStream& err) {
    switch (data.LoadFile(path)) {
    case TMessDaten::LoadResult::Valid:
        return Ok;
    case TMessDaten::LoadResult::NotRecognised:
        err << PlainText(QCoreApplication::translate(
                   "TFCSV_Lesen",
                   "Kein gültiger Dateiaufbau\rDatei war nicht von dieser Software erzeugt!"))
            << '\n';
        return Failed;
    case TMessDaten::LoadResult::ReadError:
        break;
    }
    err << path << ": " << data.ErrorText() << '\n';
    return Failed;
}

int Series(const QStringList& args, bool json, QTextStream& out, QTextStream& err) {
    QString file;
    bool perDay = false;
    for (const QString& a : args) {
        if (a == QLatin1String("--per-day")) {
            perDay = true;
        } else if (a.startsWith(QLatin1String("--")) || !file.isEmpty()) {
            err << tr("series FILE [--per-day] [--json]") << '\n'
                << CommandUsage(QStringLiteral("series"));
            return Usage;
        } else {
            file = a;
        }
    }
    if (file.isEmpty()) {
        err << tr("series FILE [--per-day] [--json]") << '\n'
            << CommandUsage(QStringLiteral("series"));
        return Usage;
    }
    OpenSettingsForFiles();
    // Made after the settings: the series titles and values follow the units read there.
    TMessDaten data;
    int rc = LoadMeasurementFile(data, file, err);
    if (rc == Ok && !data.FillSeries(perDay, nullptr)) {
        err << PlainText(data.ErrorText()) << '\n';
        rc = Failed;
    }
    if (rc != Ok) {
        Settings::close();
        return rc;
    }

    const auto all = data.AllSeries();
    if (json) {
        QJsonObject doc{
            {"titleLines", QJsonArray{data.TitleLines[0], data.TitleLines[1], data.TitleLines[2]}},
            {"plantName", data.PlantName},
            {"fileName", data.FileName},
            {"comment", data.Comment},
            {"firstBackupLine", data.FirstBackupLine},
            {"labels", QJsonArray::fromStringList(data.Labels)}};
        for (size_t i = 0; i < all.size(); ++i) {
            QJsonArray values;
            for (double v : valuesOf(*all[i]))
                values.append(v);
            doc.insert(QLatin1String(SeriesNames[i]), values);
        }
        out << QJsonDocument(doc).toJson(QJsonDocument::Indented);
    } else {
        for (const QString& t : data.TitleLines)
            out << "titleLines\t" << t << '\n';
        out << "plantName\t" << data.PlantName << '\n'
            << "fileName\t" << data.FileName << '\n'
            << "comment\t" << data.Comment << '\n'
            << "firstBackupLine\t" << data.FirstBackupLine << '\n'
            << '\n'
            << "label";
        for (const char* name : SeriesNames)
            out << '\t' << name;
        out << '\n';
        std::array<QList<double>, 9> values;
        for (size_t i = 0; i < all.size(); ++i)
            values[i] = valuesOf(*all[i]);
        for (int k = 0; k < data.PointCount; ++k) {
            out << data.Labels.value(k);
            for (const QList<double>& v : values)
                out << '\t' << (k < v.size() ? QString::number(v.at(k)) : QStringLiteral("-"));
            out << '\n';
        }
    }
    Settings::close();
    return Ok;
}

} // namespace Cli
