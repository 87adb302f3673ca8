#include "cli/Cli.h"

#include "cli/CliFiles.h"
#include "core/Daten.h"
#include "core/KompUtils.h"
#include "core/ProgramDir.h"
#include "core/Regional.h"
#include "core/Settings.h"
#include "core/TeachIn.h"
#include "display/PileFlow.h"
#include "display/SetupRules.h"
#include "link/Link.h"
#include "link/Operations.h"
#include "link/Protocol.h"
#include "storage/Readout.h"
#include "storage/UMessDaten.h"

#include <QDateTime>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSocketNotifier>
#include <QTimer>
#include <csignal>
#include <functional>
#include <memory>
#include <sys/socket.h>
#include <unistd.h>

using namespace Kommunikation;

namespace Cli {

namespace {

const char* const Context = "Cli";

QString tr(const char* text) {
    return QCoreApplication::translate(Context, text);
}

// Messages of the program carry "\r" as their line break.
QString plain(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QString timeoutMessage() {
    return QCoreApplication::translate(
        "Readout", "TIMEOUT, bei der seriellen Kommunikation!\rBitte Kabel und PC- Einstellung "
                   "überprüfen!\rBitte Kabel und PC- Einstellung überprüfen!");
}

struct Command {
    bool json = false;
    QString name;
    QStringList args;
};

class UsageError {
public:
    explicit UsageError(QString why) : text(std::move(why)) {}
    QString text;
};

struct SetupField;
QPair<const SetupField*, int> parseAssignment(const QString& text);
// --name/--comment/--data-dir values of start-pile, checked as the naming dialog checks them.
struct PileNaming {
    bool hasName = false, hasComment = false, hasDir = false;
    QString name, comment, dir;
};
PileNaming parseNaming(const QStringList& args);

// The arguments of watch: [--at-start] [--every SECONDS]; the readout interval in seconds,
// 0 = once a day at the readout hour.
int watchEvery(const QStringList& args) {
    int every = 0;
    for (int i = 0; i < args.size(); ++i) {
        bool ok = args[i] == QLatin1String("--at-start");
        if (args[i] == QLatin1String("--every") && i + 1 < args.size())
            every = args[++i].toInt(&ok);
        if (!ok || every < 0 || every > 86400)
            throw UsageError(tr("watch [--at-start] [--every SEKUNDEN]"));
    }
    return every;
}

int parsePlant(const QString& text) {
    bool ok = false;
    const int p = text.toInt(&ok);
    if (!ok || !Daten::isPlantAddress(p))
        throw UsageError(tr("Anlage muss eine Adresse 1..32 sein: %1").arg(text));
    return p;
}

// The link and the teach-in, opened as the program opens them at start.
class Session {
public:
    Session(QTextStream& err) : m_err(err) {
        QObject::connect(&link, &Link::information, [this](const QString& text) {
            m_err << plain(text) << '\n';
            m_err.flush();
        });
        QObject::connect(&link, &Link::startPollTimer, &poll, &TeachInPoll::StartTimer);
        QObject::connect(&link, &Link::stopPollTimer, &poll, &TeachInPoll::StopTimer);
    }

    // False when the link could not be opened; the status text says why.
    bool open() {
        Settings::open(ProgramDir::iniPath());
        Settings::LoadDisplaySettings();
        BaseTimeout = uint16_t(Settings::file().readInteger(Keys::Com, Keys::Timeout, 300));
        QEventLoop loop;
        QTimer limit;
        limit.setSingleShot(true);
        QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
        QObject::connect(&link, &Link::connected, &loop, &QEventLoop::quit);
        QObject::connect(&link, &Link::errorReport, &loop, &QEventLoop::quit);
        QObject::connect(&link, &Link::statusText, &loop, [&](const QString&) {
            if (!LinkOpen && LinkLayer == 1 &&
                link.ClientSocket1.state() == QAbstractSocket::UnconnectedState)
                loop.quit();
        });
        link.ReadLinkSettings();
        if (LinkLayer == 1 && !LinkOpen) {
            limit.start(ConnectLimitMs);
            loop.exec();
        }
        if (!LinkOpen) {
            m_err << plain(link.status()) << '\n';
            return false;
        }
        poll.TeachInPending = true;
        poll.TeachIn();
        return true;
    }

    // Lets the program's events run for `ms` (the poll, replies).
    static void run(int ms) {
        QEventLoop loop;
        QTimer::singleShot(ms, &loop, &QEventLoop::quit);
        loop.exec();
    }

    static constexpr int ConnectLimitMs = 10000;
    Link link;
    TeachInPoll poll;

private:
    QTextStream& m_err;
};

QJsonObject plantJson(int a) {
    const tAnlageParameter& p = Daten::Anlage[a];
    return QJsonObject{{"address", a},
                       {"number", KompUtils::DisplayNumber(a)},
                       {"present", p.Present},
                       {"switchedOn", p.SwitchedOn != 0},
                       {"storing", p.Storing != 0},
                       {"mode", int(p.Mode)},
                       {"name", p.Name},
                       {"file", p.Datei},
                       {"count", p.Anzahl}};
}

int cmdPlants(const Command& c, Session&, QTextStream& out) {
    if (!c.args.isEmpty())
        throw UsageError(tr("plants nimmt keine Argumente"));
    if (c.json) {
        QJsonArray all;
        for (int a = 1; a <= KompUtils::MaxPlants; ++a)
            all.append(plantJson(a));
        out << QJsonDocument(all).toJson(QJsonDocument::Indented);
        return Ok;
    }
    for (int a = 1; a <= KompUtils::MaxPlants; ++a) {
        const tAnlageParameter& p = Daten::Anlage[a];
        out << QStringLiteral("%1\t%2\t%3\t%4\t%5\t%6\t%7\t%8\t%9\n")
                   .arg(a)
                   .arg(KompUtils::DisplayNumber(a))
                   .arg(p.Present ? "present" : "absent")
                   .arg(p.SwitchedOn ? "on" : "off")
                   .arg(p.Storing ? "storing" : "-")
                   .arg(p.Mode)
                   .arg(p.Name, p.Datei.isEmpty() ? QStringLiteral("-") : p.Datei)
                   .arg(p.Anzahl);
    }
    return Ok;
}

int cmdStatus(const Command& c, Session& s, QTextStream& out) {
    int seconds = 17; // one full cycle over 32 plants
    for (int i = 0; i < c.args.size(); ++i) {
        bool ok = false;
        if (c.args[i] == QLatin1String("--seconds") && i + 1 < c.args.size())
            seconds = c.args[++i].toInt(&ok);
        if (!ok || seconds < 0)
            throw UsageError(tr("status [--seconds N]"));
    }
    s.poll.StartTimer();
    Session::run(seconds * 1000);
    s.poll.StopTimer();
    QJsonArray all;
    for (int a = 1; a <= KompUtils::MaxPlants; ++a) {
        if (!Daten::Anlage[a].Present)
            continue;
        const MeasurementRecord& r = Daten::LiveStatus[a];
        if (c.json) {
            all.append(QJsonObject{{"address", a},
                                   {"valid", r.Valid},
                                   {"t1", r.T1},
                                   {"t2", r.T2},
                                   {"t3", r.T3},
                                   {"t4", r.T4},
                                   {"t5", r.T5},
                                   {"o2", r.O2 / 10.0},
                                   {"refDepth", r.RefDepth},
                                   {"fanOn", r.FanOn},
                                   {"mode", int(r.Mode)},
                                   {"runTime", r.RunTime},
                                   {"cycles", r.Cycles}});
            continue;
        }
        if (!r.Valid) {
            out << a << "\t---\n";
            continue;
        }
        out << QStringLiteral("%1\tT1 %2\tT2 %3\tT3 %4\tT4 %5\tT5 %6\tO2 %7\tRef %8\tFan %9\t")
                   .arg(a)
                   .arg(r.T1)
                   .arg(r.T2)
                   .arg(r.T3)
                   .arg(r.T4)
                   .arg(r.T5)
                   .arg(QString::number(r.O2 / 10.0, 'f', 1))
                   .arg(r.RefDepth)
                   .arg(r.FanOn ? "on" : "off")
            << QStringLiteral("Mode %1\tRunTime %2\tCycles %3\n")
                   .arg(r.Mode)
                   .arg(r.RunTime)
                   .arg(r.Cycles);
    }
    if (c.json)
        out << QJsonDocument(all).toJson(QJsonDocument::Indented);
    return Ok;
}

bool requirePresent(int plant, QTextStream& err) {
    if (Daten::Anlage[plant].Present)
        return true;
    err << tr("Anlage %1 antwortet nicht.").arg(KompUtils::DisplayNumber(plant)) << '\n';
    return false;
}

int cmdMode(const Command& c, Session& s, QTextStream& out, QTextStream& err) {
    if (c.args.size() != 2)
        throw UsageError(tr("mode PLANT MODE"));
    const int plant = parsePlant(c.args[0]);
    bool ok = false;
    const int mode = c.args[1].toInt(&ok);
    if (!ok || mode < 0 || mode > 3)
        throw UsageError(tr("Betriebsart muss 0..3 sein: %1").arg(c.args[1]));
    if (!requirePresent(plant, err))
        return Failed;
    s.poll.StopTimer();
    const bool done = SetOperatingMode(plant, mode);
    if (!done) {
        err << plain(timeoutMessage()) << '\n';
        return Failed;
    }
    Daten::LiveStatus[plant].Mode = Daten::Anlage[plant].Mode;
    if (c.json)
        out << QJsonDocument(plantJson(plant)).toJson(QJsonDocument::Indented);
    else
        out << plant << "\tmode " << Daten::Anlage[plant].Mode << '\n';
    return Ok;
}

int cmdClock(const Command& c, Session& s, QTextStream& out, QTextStream& err, bool set) {
    if (c.args.size() != 1)
        throw UsageError(set ? tr("set-clock PLANT") : tr("clock PLANT"));
    const int plant = parsePlant(c.args[0]);
    if (!requirePresent(plant, err))
        return Failed;
    s.poll.StopTimer();
    if (set) {
        SendDate(plant);
        SendTime(plant);
    }
    if (!ReadClockText(plant)) {
        err << plain(timeoutMessage()) << '\n';
        return Failed;
    }
    if (c.json)
        out << QJsonDocument(QJsonObject{{"address", plant}, {"clock", ClockText}})
                   .toJson(QJsonDocument::Indented);
    else
        out << ClockText << '\n';
    return Ok;
}

// The arguments of a command checked before the link is opened, so that a usage error is
// told as such whatever the link does.
void Validate(const Command& c) {
    const auto count = [&](int n, const QString& form) {
        if (c.args.size() != n)
            throw UsageError(form);
    };
    if (c.name == QLatin1String("plants")) {
        count(0, tr("plants nimmt keine Argumente"));
    } else if (c.name == QLatin1String("status")) {
        if (!(c.args.isEmpty() || (c.args.size() == 2 && c.args[0] == QLatin1String("--seconds") &&
                                   c.args[1].toInt() >= 0 && !c.args[1].isEmpty())))
            throw UsageError(tr("status [--seconds N]"));
    } else if (c.name == QLatin1String("mode")) {
        count(2, tr("mode PLANT MODE"));
        parsePlant(c.args[0]);
        bool ok = false;
        const int mode = c.args[1].toInt(&ok);
        if (!ok || mode < 0 || mode > 3)
            throw UsageError(tr("Betriebsart muss 0..3 sein: %1").arg(c.args[1]));
    } else if (c.name == QLatin1String("start-pile")) {
        if (c.args.isEmpty())
            throw UsageError(tr("start-pile PLANT [--name N] [--comment C] [--data-dir D]"));
        parsePlant(c.args[0]);
        parseNaming(c.args.mid(1));
    } else if (c.name == QLatin1String("end-pile")) {
        if (c.args.isEmpty() || c.args.size() > 2 ||
            (c.args.size() == 2 && c.args[1] != QLatin1String("--force")))
            throw UsageError(tr("end-pile PLANT [--force]"));
        parsePlant(c.args[0]);
    } else if (c.name == QLatin1String("setup")) {
        if (c.args.isEmpty())
            throw UsageError(tr("setup PLANT [KEY=VALUE...]"));
        parsePlant(c.args[0]);
        for (const QString& a : c.args.mid(1))
            parseAssignment(a);
    } else if (c.name == QLatin1String("watch")) {
        watchEvery(c.args);
    } else if (c.name == QLatin1String("readout")) {
        if (c.args.isEmpty())
            throw UsageError(tr("readout PLANT... | all"));
        if (c.args != QStringList{QStringLiteral("all")})
            for (const QString& a : c.args)
                parsePlant(a);
    } else if (c.name == QLatin1String("clock") || c.name == QLatin1String("set-clock")) {
        count(1, c.name + QStringLiteral(" PLANT"));
        parsePlant(c.args[0]);
    }
}

} // namespace

// The daily readout's routine for each plant named ("all": every running pile).
int cmdReadout(const Command& c, Session& s, QTextStream& out, QTextStream& err) {
    QList<int> plants;
    if (c.args == QStringList{QStringLiteral("all")}) {
        for (int a = 1; a <= KompUtils::MaxPlants; ++a)
            if (Daten::Anlage[a].Present && Daten::Anlage[a].SwitchedOn)
                plants << a;
    } else {
        for (const QString& a : c.args)
            plants << parsePlant(a);
    }
    s.poll.StopTimer();
    int rc = Ok;
    QJsonArray all;
    for (int plant : plants) {
        const tAnlageParameter& a = Daten::Anlage[plant];
        if (!a.Present || !a.SwitchedOn) {
            // The daily readout passes such a plant over; asked for by name it is a failure.
            err << tr("Anlage %1 hat keine laufende Miete.").arg(KompUtils::DisplayNumber(plant))
                << '\n';
            rc = Failed;
            continue;
        }
        const qint64 before = MeasurementFile::RecordsWritten();
        const bool ok = Readout::BackupStoredRecords(plant, Readout::View{});
        const qint64 records = MeasurementFile::RecordsWritten() - before;
        const QString result =
            ok ? QCoreApplication::translate("TFAnzeige", "Ergebnis OK !")
               : QCoreApplication::translate("TFAnzeige", "Fehler beim sichern!");
        if (!ok)
            rc = Failed;
        if (c.json) {
            all.append(QJsonObject{{"address", plant},
                                   {"ok", ok},
                                   {"records", records},
                                   {"count", a.Anzahl},
                                   {"file", a.Datei}});
        } else {
            out << plant << '\t' << result << '\t' << records << '\t' << a.Datei << '\n';
        }
        out.flush();
    }
    if (c.json)
        out << QJsonDocument(all).toJson(QJsonDocument::Indented);
    return rc;
}

namespace {

// SIGINT and SIGTERM reach the event loop through a socket pair, so that the handler itself
// only writes one byte.
int g_signalPipe[2] = {-1, -1};

void onSignal(int) {
    const char b = 1;
    if (::write(g_signalPipe[1], &b, 1) < 0) {
        // Nothing to do: the byte of an earlier signal is still waiting.
    }
}

} // namespace

// Polls and runs the daily readout at the configured hour until SIGINT or SIGTERM. A signal
// during a readout lets the record on the wire arrive and be written, then the file is
// closed with its count before the tool ends.
int cmdWatch(const Command& c, Session& s, QTextStream& out, QTextStream&) {
    const bool atStart = c.args.contains(QStringLiteral("--at-start"));
    // A readout every so many seconds instead of daily: the fault soak lets simulated days
    // pass in seconds.
    const int every = watchEvery(c.args);
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_signalPipe) != 0)
        return Failed;
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    QSocketNotifier notifier(g_signalPipe[0], QSocketNotifier::Read);
    QEventLoop loop;
    bool stop = false;
    bool inReadout = false;
    QObject::connect(&notifier, &QSocketNotifier::activated, &loop, [&] {
        char b;
        if (::read(g_signalPipe[0], &b, 1) < 0)
            return;
        stop = true;
        if (!inReadout)
            loop.quit();
    });

    Readout::View view;
    // The record on the wire is still written; then the readout ends.
    view.stopRequested = [&] { return stop; };
    bool teachInDue = false;
    std::function<void()> teachIn;
    // True when the gateway link was down and a new connection is under way. Tried after
    // every readout as well as on the tick: readouts that follow each other closely would
    // otherwise always be running when the tick comes.
    // On the serial line a lost port is opened again quietly; the connect event it raises
    // teaches in, as on TCP.
    const auto reconnect = [&] {
        if (LinkOpen)
            return false;
        if (LinkLayer != 1) {
            s.link.TryReconnect();
            return true;
        }
        if (s.link.ClientSocket1.state() != QAbstractSocket::UnconnectedState)
            return false;
        s.link.OpenLink();
        return true;
    };
    const auto runReadout = [&] {
        inReadout = true;
        s.poll.StopTimer();
        out << QCoreApplication::translate("TFAnzeige", "Sicherung am ")
            << Regional::formatDate(QDate::currentDate()) << ' '
            << Regional::formatTime(QTime::currentTime()) << '\n';
        out.flush();
        for (int p = 1; p <= KompUtils::PlantCount && !stop; ++p) {
            const tAnlageParameter& a = Daten::Anlage[p];
            if (!a.Present || !a.SwitchedOn)
                continue;
            const qint64 before = MeasurementFile::RecordsWritten();
            const bool ok = Readout::BackupStoredRecords(p, view);
            out << p << '\t'
                << (ok ? QCoreApplication::translate("TFAnzeige", "Ergebnis OK !")
                       : QCoreApplication::translate("TFAnzeige", "Fehler beim sichern!"))
                << '\t' << MeasurementFile::RecordsWritten() - before << '\t' << a.Datei << '\n';
            out.flush();
        }
        s.poll.StartTimer();
        inReadout = false;
        if (stop)
            loop.quit();
        else if (teachInDue)
            teachIn();
        else
            reconnect();
    };

    // Left alone for days, the tool must outlive a gateway that drops the connection: it
    // connects again and teaches in anew as at a connect, but never inside a readout's or a
    // teach-in's waits, whose exchanges would refuse the probes and lose every plant.
    teachIn = [&] {
        teachInDue = inReadout;
        if (teachInDue || stop)
            return;
        s.poll.TeachInPending = true;
        s.poll.TeachIn();
    };
    // Queued: the teach-in's waits run after the connect event has returned.
    QObject::connect(
        &s.link, &Link::connected, &loop, [&] { teachIn(); }, Qt::QueuedConnection);
    const auto busy = [&] { return inReadout || stop || s.poll.isRunning(); };
    // A readout waits for the gateway: started on a link that is down or still connecting,
    // every plant would fail and the day's readout would be spent.
    const auto linkReady = [&] {
        return LinkOpen && !s.poll.TeachInPending &&
               (LinkLayer != 1 || s.link.ClientSocket1.state() == QAbstractSocket::ConnectedState);
    };

    Settings::ComputeBackupDue();
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
        if (busy() || reconnect() || !linkReady())
            return;
        if (every > 0 || !Settings::BackupEnabled)
            return;
        if (QDateTime::currentDateTime() >= Settings::BackupDue) {
            runReadout();
            Settings::BackupDue =
                Settings::NextBackupDue(Settings::BackupDue, Settings::ReadoutHour);
        }
    });
    tick.start(1000);
    QTimer often;
    QObject::connect(&often, &QTimer::timeout, &loop, [&] {
        if (!busy() && !reconnect() && linkReady())
            runReadout();
    });
    if (every > 0)
        often.start(every * 1000);
    s.poll.StartTimer();
    if (atStart)
        QTimer::singleShot(0, &loop, runReadout);
    loop.exec();
    if (const int open = MeasurementFile::OpenPlant())
        MeasurementFile::CloseMeasurementFile(open);
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    ::close(g_signalPipe[0]);
    ::close(g_signalPipe[1]);
    return Ok;
}

namespace {

struct SetupField {
    const char* name;
    int32_t tSetupValues::*member;
    int minimum;
    int maximum; // O2 in tenths
    bool o2;
};

const SetupField SetupFields[] = {
    {"StorageInterval", &tSetupValues::StorageInterval, 1, 1440, false},
    {"O2On", &tSetupValues::O2On, SetupRules::O2Min, SetupRules::O2Max, true},
    {"O2Off", &tSetupValues::O2Off, SetupRules::O2Min, SetupRules::O2Max, true},
    {"IntervalOn", &tSetupValues::IntervalOn, 1, 300, false},
    {"IntervalOff", &tSetupValues::IntervalOff, 1, 300, false},
    {"SafetyOn", &tSetupValues::SafetyOn, 1, 300, false},
    {"SafetyOff", &tSetupValues::SafetyOff, 1, 300, false},
    {"MaxOn", &tSetupValues::MaxOn, 1, 300, false},
    {"MaxOff", &tSetupValues::MaxOff, 1, 300, false},
};

const SetupField* findSetupField(const QString& name) {
    for (const SetupField& f : SetupFields)
        if (name.compare(QLatin1String(f.name), Qt::CaseInsensitive) == 0)
            return &f;
    return nullptr;
}

// KEY=VALUE as a field and its value in the controller's unit (O2 in tenths).
QPair<const SetupField*, int> parseAssignment(const QString& text) {
    const int eq = int(text.indexOf(QLatin1Char('=')));
    const SetupField* f = eq > 0 ? findSetupField(text.left(eq)) : nullptr;
    if (!f)
        throw UsageError(tr("Unbekannter Einstellwert: %1").arg(text));
    const QString v = text.mid(eq + 1).trimmed();
    int value = 0;
    if (f->o2) {
        double d = 0;
        if (!Regional::parseReal(v, &d))
            throw UsageError(tr("Kein Zahlenwert: %1").arg(text));
        value = SetupRules::toTenths(d);
    } else {
        bool ok = false;
        value = v.toInt(&ok);
        if (!ok)
            throw UsageError(tr("Kein Zahlenwert: %1").arg(text));
    }
    if (value < f->minimum || value > f->maximum)
        throw UsageError(tr("%1 außerhalb des Bereichs %2..%3")
                             .arg(QLatin1String(f->name))
                             .arg(f->o2 ? QString::number(f->minimum / 10.0, 'f', 1)
                                        : QString::number(f->minimum))
                             .arg(f->o2 ? QString::number(f->maximum / 10.0, 'f', 1)
                                        : QString::number(f->maximum)));
    return {f, value};
}

void printSetup(int plant, const Command& c, QTextStream& out) {
    const tSetupValues& v = Daten::SetupValues;
    if (c.json) {
        QJsonObject o{{"address", plant}};
        for (const SetupField& f : SetupFields)
            o.insert(QLatin1String(f.name), f.o2 ? v.*(f.member) / 10.0 : double(v.*(f.member)));
        out << QJsonDocument(o).toJson(QJsonDocument::Indented);
        return;
    }
    for (const SetupField& f : SetupFields)
        out << f.name << '='
            << (f.o2 ? QString::number(v.*(f.member) / 10.0, 'f', 1)
                     : QString::number(v.*(f.member)))
            << '\n';
}

} // namespace

// Reads and prints the setup values; with assignments sends the changed groups in the
// dialog's order with its ranges and O2 rules, then reads them back.
int cmdSetup(const Command& c, Session& s, QTextStream& out, QTextStream& err) {
    const int plant = parsePlant(c.args.value(0));
    QList<QPair<const SetupField*, int>> assignments;
    for (const QString& a : c.args.mid(1))
        assignments << parseAssignment(a);
    if (!requirePresent(plant, err))
        return Failed;
    s.poll.StopTimer();
    if (!ReadSetup(plant)) {
        err << plain(timeoutMessage()) << '\n';
        return Failed;
    }
    if (!assignments.isEmpty()) {
        tSetupValues v = Daten::SetupValues;
        const tSetupValues before = v;
        // The dialog shows a loaded O2 pair with its gap; the user's values follow the same
        // linking as typed into the fields, the on value first.
        SetupRules::O2Pair o2 = SetupRules::shownFromLoaded(v.O2On, v.O2Off);
        for (const auto& [f, value] : assignments) {
            if (f->member == &tSetupValues::O2On) {
                o2.on = value;
                o2 = SetupRules::afterOnChange(o2);
            } else if (f->member == &tSetupValues::O2Off) {
                o2.off = value;
                o2 = SetupRules::afterOffChange(o2);
            } else {
                v.*(f->member) = value;
            }
        }
        v.O2On = o2.on;
        v.O2Off = o2.off;
        SetupChanges marks;
        marks.StorageInterval = v.StorageInterval != before.StorageInterval;
        marks.O2Thresholds = v.O2On != before.O2On || v.O2Off != before.O2Off;
        marks.IntervalOn = v.IntervalOn != before.IntervalOn;
        marks.IntervalOff = v.IntervalOff != before.IntervalOff;
        marks.SafetyTimes = v.SafetyOn != before.SafetyOn || v.SafetyOff != before.SafetyOff;
        marks.MaxTimes = v.MaxOn != before.MaxOn || v.MaxOff != before.MaxOff;
        if (SetupRules::anyChange(marks)) {
            WriteSetup(plant, v, marks);
            if (!ReadSetup(plant)) {
                err << plain(timeoutMessage()) << '\n';
                return Failed;
            }
        }
    }
    printSetup(plant, c, out);
    return Ok;
}

namespace {

QString pileText(const char* text) {
    return QCoreApplication::translate("TFAnzeige", text);
}

PileNaming parseNaming(const QStringList& args) {
    PileNaming n;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (i + 1 >= args.size())
            throw UsageError(tr("%1 braucht einen Wert").arg(a));
        const QString v = args[++i];
        if (a == QLatin1String("--name")) {
            if (v.isEmpty() || v.size() > 20)
                throw UsageError(tr("Der Anlagen Text braucht 1..20 Zeichen: %1").arg(v));
            for (QChar ch : v)
                if (!MeasurementFile::IsAllowedNameChar(ch) || ch == QChar(8))
                    throw UsageError(tr("Nicht erlaubtes Zeichen im Anlagen Text: %1").arg(v));
            n.hasName = true;
            n.name = v;
        } else if (a == QLatin1String("--comment")) {
            n.hasComment = true;
            n.comment = v;
        } else if (a == QLatin1String("--data-dir")) {
            if (!QFileInfo(v).isDir())
                throw UsageError(tr("Verzeichnis existiert nicht: %1").arg(v));
            n.hasDir = true;
            n.dir = QDir::toNativeSeparators(QDir(v).absolutePath()) + QDir::separator();
        } else {
            throw UsageError(tr("start-pile PLANT [--name N] [--comment C] [--data-dir D]"));
        }
    }
    return n;
}

} // namespace

// The new-pile flow without its dialog: name, comment and directory as the naming dialog
// takes them over, then date, time, the mode again and the pile start.
int cmdStartPile(const Command& c, Session& s, QTextStream& out, QTextStream& err) {
    const int plant = parsePlant(c.args.value(0));
    const PileNaming n = parseNaming(c.args.mid(1));
    if (!requirePresent(plant, err))
        return Failed;
    if (!PileFlow::PileStartAllowed(plant)) {
        err << tr("Auf Anlage %1 läuft bereits eine Miete.").arg(KompUtils::DisplayNumber(plant))
            << '\n';
        return Failed;
    }
    tAnlageParameter& a = Daten::Anlage[plant];
    QString path = a.Pfad;
    if (!QFileInfo(path).isDir()) {
        err << plain(QCoreApplication::translate(
                   "TFAnlageDaten",
                   "Vorgabepfad für Speicherdatei existiert nicht, setze neuen Pfad.."))
            << '\n';
        path = ProgramDir::pathWithSeparator();
    }
    const bool pathChanged = n.hasDir && n.dir != path;
    if (n.hasName || n.hasComment || pathChanged) {
        if (n.hasName)
            a.Name = n.name;
        if (n.hasComment)
            a.Komm = n.comment;
        a.Pfad = pathChanged ? n.dir : path;
        if (n.hasName || pathChanged)
            MeasurementFile::NewMeasurementFile(plant);
        Daten::SavePlantSettings(plant);
    }
    s.poll.StopTimer();
    if (!PileFlow::StartNewPile(plant)) {
        err << plain(pileText("Anlage ist NICHT eingeschaltet!!\rFehler beim Starten!")) << '\n';
        return Failed;
    }
    if (c.json)
        out << QJsonDocument(plantJson(plant)).toJson(QJsonDocument::Indented);
    else
        out << plant << '\t' << a.Name << '\t' << a.Datei << '\n';
    return Ok;
}

// The end-pile flow: the remaining records first, then the switch-off. A failed readout
// stops here unless --force.
int cmdEndPile(const Command& c, Session& s, QTextStream& out, QTextStream& err) {
    const int plant = parsePlant(c.args.value(0));
    const bool force = c.args.mid(1).contains(QStringLiteral("--force"));
    if (!requirePresent(plant, err))
        return Failed;
    if (!Daten::Anlage[plant].SwitchedOn) {
        err << tr("Auf Anlage %1 läuft keine Miete.").arg(KompUtils::DisplayNumber(plant)) << '\n';
        return Failed;
    }
    s.poll.StopTimer();
    Readout::View view;
    view.message = [&](const QString& text) { err << plain(text) << '\n'; };
    const qint64 before = MeasurementFile::RecordsWritten();
    const QString file = Daten::Anlage[plant].Datei;
    if (!Readout::SaveStoredRecords(plant, view)) {
        err << plain(pileText("Nicht alle Daten wurden korrekt gespeichert!!\rTrotzdem Anlage "
                              "ausschalten???"))
            << '\n';
        if (!force)
            return Failed;
    }
    const qint64 records = MeasurementFile::RecordsWritten() - before;
    if (!PileFlow::EndPile(plant)) {
        err << plain(pileText("Anlage ist NICHT ausgeschaltet!!\rFehler bei der Übertragung!"))
            << '\n';
        return Failed;
    }
    out << plant << '\t' << records << '\t' << file << '\n'
        << plain(pileText("Anlage ist ausgeschaltet!!\rEinschalten durch Start einer neuen Miete!"))
        << '\n';
    return Ok;
}

QString UsageText() {
    const QString linkCommands = QStringLiteral(
        "usage: o2aerolis-cli [--dir DIR] [--json] COMMAND [ARGS]\n"
        "  plants                     the plant table after the teach-in\n"
        "  status [--seconds N]       poll N seconds (17), then the live status\n"
        "  mode PLANT MODE            switch the operating mode (0..3)\n"
        "  clock PLANT                the controller's clock text\n"
        "  set-clock PLANT            send the PC's date and time, then the clock text\n"
        "  readout PLANT... | all     read the stored records into the measurement files\n"
        "  start-pile PLANT [--name N] [--comment C] [--data-dir D]\n"
        "                             start a new pile (the naming dialog's rules)\n"
        "  end-pile PLANT [--force]   read the remaining records, then end the pile\n"
        "  setup PLANT [KEY=VALUE...] the nine setup values; assignments (O2 in vol%) are sent\n"
        "  watch [--at-start] [--every S]\n"
        "                             poll and read out daily at the readout hour (ZEIT)\n"
        "                             until SIGINT/SIGTERM; --at-start reads out at once,\n"
        "                             --every S every S seconds; reconnects to a gateway\n");
    return linkCommands + FileCommandsUsage();
}

int Run(const QStringList& argsIn, QTextStream& out, QTextStream& err) {
    QStringList args = argsIn;
    QString why;
    if (!ProgramDir::takeDirOption(args, &why)) {
        err << why << '\n' << UsageText();
        return Usage;
    }
    Command c;
    c.json = args.removeAll(QStringLiteral("--json")) > 0;
    if (args.isEmpty()) {
        err << UsageText();
        return Usage;
    }
    c.name = args.takeFirst();
    c.args = args;
    if (c.name == QLatin1String("--help") || c.name == QLatin1String("-h")) {
        out << UsageText();
        return Ok;
    }
    int fileRc = Ok;
    if (RunFileCommand(c.name, c.args, c.json, out, err, &fileRc))
        return fileRc;

    using Handler = std::function<int(const Command&, Session&)>;
    const QList<QPair<QString, Handler>> commands = {
        {QStringLiteral("plants"),
         [&](const Command& c, Session& s) { return cmdPlants(c, s, out); }},
        {QStringLiteral("status"),
         [&](const Command& c, Session& s) { return cmdStatus(c, s, out); }},
        {QStringLiteral("mode"),
         [&](const Command& c, Session& s) { return cmdMode(c, s, out, err); }},
        {QStringLiteral("clock"),
         [&](const Command& c, Session& s) { return cmdClock(c, s, out, err, false); }},
        {QStringLiteral("readout"),
         [&](const Command& c, Session& s) { return cmdReadout(c, s, out, err); }},
        {QStringLiteral("start-pile"),
         [&](const Command& c, Session& s) { return cmdStartPile(c, s, out, err); }},
        {QStringLiteral("end-pile"),
         [&](const Command& c, Session& s) { return cmdEndPile(c, s, out, err); }},
        {QStringLiteral("setup"),
         [&](const Command& c, Session& s) { return cmdSetup(c, s, out, err); }},
        {QStringLiteral("watch"),
         [&](const Command& c, Session& s) { return cmdWatch(c, s, out, err); }},
        {QStringLiteral("set-clock"),
         [&](const Command& c, Session& s) { return cmdClock(c, s, out, err, true); }},
    };
    Handler handler;
    for (const auto& entry : commands)
        if (entry.first == c.name)
            handler = entry.second;
    if (!handler) {
        err << tr("Unbekannter Befehl: %1").arg(c.name) << '\n' << UsageText();
        return Usage;
    }
    try {
        Validate(c);
    } catch (const UsageError& e) {
        err << e.text << '\n' << UsageText();
        return Usage;
    }
    ResetForCommand();
    int rc = Ok;
    {
        Session session(err);
        // Argument errors are found before the link is opened where possible; the handlers
        // check them again once the plants are known.
        if (!session.open()) {
            rc = NoLink;
        } else {
            try {
                rc = handler(c, session);
            } catch (const UsageError& e) {
                err << e.text << '\n' << UsageText();
                rc = Usage;
            }
        }
        session.poll.StopTimer();
        session.link.SchliesseSocketVerbindung(0);
    }
    Settings::close();
    out.flush();
    err.flush();
    return rc;
}

} // namespace Cli
