#include "cli/Cli.h"

#include "cli/CliFiles.h"
#include "core/Daten.h"
#include "core/DirLock.h"
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
#include "storage/BackupState.h"
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

// A usage error: why (may be empty when the usage line says it all); the command's usage
// line follows it.
class UsageError {
public:
    explicit UsageError(QString why = QString()) : text(std::move(why)) {}
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
            throw UsageError();
    }
    return every;
}

// A plant as the user names it: the number every window shows (address + DISPOFFSET - 1);
// the result is its address.
int parsePlant(const QString& text) {
    bool ok = false;
    const int address = text.toInt(&ok) - KompUtils::DisplayOffset;
    if (!ok || address < 1 || address > KompUtils::PlantCount)
        throw UsageError(tr("Anlage muss eine Nummer %1..%2 sein: %3")
                             .arg(KompUtils::DisplayNumber(1))
                             .arg(KompUtils::DisplayNumber(KompUtils::PlantCount))
                             .arg(text));
    return address;
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

    // False when the link could not be opened; the status text says why. With `plants` only
    // those are probed (the teach-in's probe and rules); else the full teach-in runs.
    bool open(const QList<int>& plants) {
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
        if (!plants.isEmpty()) {
            poll.ProbePlants(plants);
        } else {
            poll.TeachInPending = true;
            poll.TeachIn();
        }
        // Paths of a Windows installation that the probe took over are told once.
        const QString notice = Daten::TakePathNotices();
        if (!notice.isEmpty())
            m_err << notice << '\n';
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

// The plant's last readout as its settings section keeps it; null when none is known.
QJsonValue lastReadoutJson(int a) {
    const BackupState::Entry e = BackupState::Read(Settings::file(), a, QDateTime(), 0);
    return e.time.isValid() ? QJsonValue(e.time.toString(BackupState::TimeFormat)) : QJsonValue();
}
QJsonValue lastReadoutOkJson(int a) {
    const BackupState::Entry e = BackupState::Read(Settings::file(), a, QDateTime(), 0);
    return e.known ? QJsonValue(e.ok) : QJsonValue();
}
QJsonValue lastRecordJson(const QString& file) {
    const QString text = BackupState::LastRecordText(file);
    return text.isEmpty() ? QJsonValue() : QJsonValue(text);
}

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
                       {"count", p.Anzahl},
                       {"lastReadout", lastReadoutJson(a)},
                       {"lastReadoutOk", lastReadoutOkJson(a)},
                       {"lastRecord", lastRecordJson(p.Datei)}};
}

int cmdPlants(const Command& c, Session&, QTextStream& out) {
    if (!c.args.isEmpty())
        throw UsageError();
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
            throw UsageError();
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
                                   {"number", KompUtils::DisplayNumber(a)},
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
            out << KompUtils::DisplayNumber(a) << "\t---\n";
            continue;
        }
        out << QStringLiteral("%1\tT1 %2\tT2 %3\tT3 %4\tT4 %5\tT5 %6\tO2 %7\tRef %8\tFan %9\t")
                   .arg(KompUtils::DisplayNumber(a))
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
        throw UsageError();
    const int plant = parsePlant(c.args[0]);
    bool ok = false;
    const int mode = c.args[1].toInt(&ok);
    if (!ok || mode < 0 || mode > 3)
        throw UsageError(tr("Betriebsart muss 0..3 sein: %1").arg(c.args[1]));
    if (!requirePresent(plant, err))
        return Failed;
    // The live display's guard: the mode changes only while a pile runs.
    if (!PileFlow::ModeChangeAllowed(plant)) {
        err << tr("Auf Anlage %1 läuft keine Miete.").arg(KompUtils::DisplayNumber(plant)) << '\n';
        return Failed;
    }
    s.poll.StopTimer();
    if (!PileFlow::ChangeMode(plant, mode)) {
        err << plain(timeoutMessage()) << '\n';
        return Failed;
    }
    if (c.json)
        out << QJsonDocument(plantJson(plant)).toJson(QJsonDocument::Indented);
    else
        out << KompUtils::DisplayNumber(plant) << "\tmode " << Daten::Anlage[plant].Mode << '\n';
    return Ok;
}

int cmdClock(const Command& c, Session& s, QTextStream& out, QTextStream& err, bool set) {
    if (c.args.size() != 1)
        throw UsageError();
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
        out << QJsonDocument(QJsonObject{{"address", plant},
                                         {"number", KompUtils::DisplayNumber(plant)},
                                         {"clock", ClockText}})
                   .toJson(QJsonDocument::Indented);
    else
        out << ClockText << '\n';
    return Ok;
}

// The arguments of a command checked before the link is opened, so that a usage error is
// told as such whatever the link does.
void Validate(const Command& c) {
    const auto count = [&](int n) {
        if (c.args.size() != n)
            throw UsageError();
    };
    if (c.name == QLatin1String("plants")) {
        count(0);
    } else if (c.name == QLatin1String("status")) {
        if (!(c.args.isEmpty() || (c.args.size() == 2 && c.args[0] == QLatin1String("--seconds") &&
                                   c.args[1].toInt() >= 0 && !c.args[1].isEmpty())))
            throw UsageError();
    } else if (c.name == QLatin1String("mode")) {
        count(2);
        parsePlant(c.args[0]);
        bool ok = false;
        const int mode = c.args[1].toInt(&ok);
        if (!ok || mode < 0 || mode > 3)
            throw UsageError(tr("Betriebsart muss 0..3 sein: %1").arg(c.args[1]));
    } else if (c.name == QLatin1String("start-pile")) {
        if (c.args.isEmpty())
            throw UsageError();
        parsePlant(c.args[0]);
        parseNaming(c.args.mid(1));
    } else if (c.name == QLatin1String("end-pile")) {
        if (c.args.isEmpty() || c.args.size() > 2 ||
            (c.args.size() == 2 && c.args[1] != QLatin1String("--force")))
            throw UsageError();
        parsePlant(c.args[0]);
    } else if (c.name == QLatin1String("setup")) {
        if (c.args.isEmpty())
            throw UsageError();
        parsePlant(c.args[0]);
        for (const QString& a : c.args.mid(1))
            parseAssignment(a);
    } else if (c.name == QLatin1String("watch")) {
        watchEvery(c.args);
    } else if (c.name == QLatin1String("readout")) {
        if (c.args.isEmpty())
            throw UsageError();
        if (c.args != QStringList{QStringLiteral("all")})
            for (const QString& a : c.args)
                parsePlant(a);
    } else if (c.name == QLatin1String("clock") || c.name == QLatin1String("set-clock")) {
        count(1);
        parsePlant(c.args[0]);
    }
}

// The plants a command acts on by name, as addresses; empty for the commands that need the
// whole plant table (plants, status, readout all, watch).
QList<int> NamedPlants(const Command& c) {
    static const QStringList onePlant = {QStringLiteral("mode"),      QStringLiteral("clock"),
                                         QStringLiteral("set-clock"), QStringLiteral("start-pile"),
                                         QStringLiteral("end-pile"),  QStringLiteral("setup")};
    QList<int> plants;
    if (onePlant.contains(c.name)) {
        plants << parsePlant(c.args.value(0));
    } else if (c.name == QLatin1String("readout") && c.args != QStringList{QStringLiteral("all")}) {
        for (const QString& a : c.args)
            if (!plants.contains(parsePlant(a)))
                plants << parsePlant(a);
    }
    return plants;
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
        Readout::View view;
        view.notice = [&](const QString& text) { err << plain(text) << '\n'; };
        const bool ok = Readout::BackupStoredRecords(plant, view);
        const qint64 records = MeasurementFile::RecordsWritten() - before;
        const QString result =
            ok ? QCoreApplication::translate("TFAnzeige", "Ergebnis OK !")
               : QCoreApplication::translate("TFAnzeige", "Fehler beim sichern!");
        if (!ok)
            rc = Failed;
        if (c.json) {
            all.append(QJsonObject{{"address", plant},
                                   {"number", KompUtils::DisplayNumber(plant)},
                                   {"ok", ok},
                                   {"records", records},
                                   {"count", a.Anzahl},
                                   {"file", a.Datei}});
        } else {
            out << KompUtils::DisplayNumber(plant) << '\t' << result << '\t' << records << '\t'
                << a.Datei << '\n';
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

// A failed readout and a nearly full controller memory each as one line of their own on
// stderr, which a service's journal keeps. The first word stays German in every language,
// so that a filter on the journal finds it: "FEHLER ..." and "DRINGEND ...".
void reportToJournal(int plant, bool ok, QTextStream& err) {
    const BackupState::Entry e = BackupState::Read(Settings::file(), plant, BackupState::now(),
                                                   BackupState::AlarmHours(Settings::file()));
    const int number = KompUtils::DisplayNumber(plant);
    if (!ok)
        err << QStringLiteral("FEHLER ")
            << tr("Anl %1: Sicherung fehlgeschlagen, %2")
                   .arg(number)
                   .arg(Daten::Anlage[size_t(plant)].Datei)
            << '\n';
    if (e.urgent)
        err << QStringLiteral("DRINGEND ")
            << tr("Anl %1: %2 Datensätze im Speicher der Steuerung (höchstens 1000)")
                   .arg(number)
                   .arg(e.stored)
            << '\n';
    err.flush();
}

} // namespace

// Polls and runs the daily readout at the configured hour until SIGINT or SIGTERM. A signal
// during a readout lets the record on the wire arrive and be written, then the file is
// closed with its count before the tool ends.
int cmdWatch(const Command& c, Session& s, QTextStream& out, QTextStream& err) {
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
    view.notice = [&](const QString& text) {
        err << plain(text) << '\n';
        err.flush();
    };
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
            out << KompUtils::DisplayNumber(p) << '\t'
                << (ok ? QCoreApplication::translate("TFAnzeige", "Ergebnis OK !")
                       : QCoreApplication::translate("TFAnzeige", "Fehler beim sichern!"))
                << '\t' << MeasurementFile::RecordsWritten() - before << '\t' << a.Datei << '\n';
            out.flush();
            reportToJournal(p, ok, err);
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
        QJsonObject o{{"address", plant}, {"number", KompUtils::DisplayNumber(plant)}};
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
        // As in the dialog, whose marks are cleared after loading: only the groups named here
        // can be sent, and the loaded O2 pair is linked (as the dialog shows it) only when
        // O2On or O2Off is given; the user's values then follow the linking as typed into the
        // fields.
        bool o2Named = false;
        SetupRules::O2Pair o2 = SetupRules::shownFromLoaded(v.O2On, v.O2Off);
        for (const auto& [f, value] : assignments) {
            if (f->member == &tSetupValues::O2On) {
                o2Named = true;
                o2.on = value;
                o2 = SetupRules::afterOnChange(o2);
            } else if (f->member == &tSetupValues::O2Off) {
                o2Named = true;
                o2.off = value;
                o2 = SetupRules::afterOffChange(o2);
            } else {
                v.*(f->member) = value;
            }
        }
        if (o2Named) {
            v.O2On = o2.on;
            v.O2Off = o2.off;
        }
        // A named group is sent when it differs from what the controller holds.
        SetupChanges marks;
        marks.StorageInterval = v.StorageInterval != before.StorageInterval;
        marks.O2Thresholds = o2Named && (v.O2On != before.O2On || v.O2Off != before.O2Off);
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
            n.comment = IniFile::oneLine(v); // as the dialog's field takes it
        } else if (a == QLatin1String("--data-dir")) {
            if (!QFileInfo(v).isDir())
                throw UsageError(tr("Verzeichnis existiert nicht: %1").arg(v));
            n.hasDir = true;
            n.dir = QDir::toNativeSeparators(QDir(v).absolutePath()) + QDir::separator();
        } else {
            throw UsageError();
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
    // Before the naming is taken over: nothing is started that the settings cannot keep.
    if (!Settings::CheckWritable())
        return Failed;
    tAnlageParameter& a = Daten::Anlage[plant];
    QString path = a.Pfad;
    // A missing directory is replaced by the program's directory and that is kept, as the
    // naming dialog does.
    bool pathReplaced = false;
    if (!QFileInfo(path).isDir()) {
        err << plain(QCoreApplication::translate(
                   "TFAnlageDaten",
                   "Vorgabepfad für Speicherdatei existiert nicht, setze neuen Pfad.."))
            << '\n';
        path = ProgramDir::pathWithSeparator();
        pathReplaced = true;
    }
    const bool pathChanged = (n.hasDir && n.dir != path) || pathReplaced;
    if (n.hasName || n.hasComment || pathChanged) {
        if (n.hasName)
            a.Name = n.name;
        if (n.hasComment)
            a.Komm = n.comment;
        a.Pfad = n.hasDir ? n.dir : path;
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
        out << KompUtils::DisplayNumber(plant) << '\t' << a.Name << '\t' << a.Datei << '\n';
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
    out << KompUtils::DisplayNumber(plant) << '\t' << records << '\t' << file << '\n'
        << plain(pileText("Anlage ist ausgeschaltet!!\rEinschalten durch Start einer neuen Miete!"))
        << '\n';
    return Ok;
}

namespace {

// Each command's usage line(s) and what it does, for its usage errors and COMMAND --help.
struct CommandHelpEntry {
    const char* name;
    const char* form;
    const char* help;
};

const CommandHelpEntry CommandHelps[] = {
    {"plants", "plants", "The plant table after the teach-in."},
    {"status", "status [--seconds N]", "Polls N seconds (17: one cycle), then the live status."},
    {"mode", "mode PLANT MODE",
     "Switches the operating mode (0..3) of a plant with a running pile, as the live\n"
     "display's mode tabs do."},
    {"clock", "clock PLANT", "The controller's clock text."},
    {"set-clock", "set-clock PLANT", "Sends the PC's date and time, then shows the clock text."},
    {"readout", "readout PLANT... | all",
     "Reads the stored records into the measurement files; all: every running pile."},
    {"start-pile", "start-pile PLANT [--name N] [--comment C] [--data-dir D]",
     "Starts a new pile with the naming dialog's rules."},
    {"end-pile", "end-pile PLANT [--force]",
     "Reads the remaining records, then ends the pile; --force ends it even when the\n"
     "readout failed."},
    {"setup", "setup PLANT [KEY=VALUE...]",
     "Shows the nine setup values; the groups named by assignments (O2 in vol%) are sent,\n"
     "the O2 pair with the dialog's 0.2 vol% linking. KEYs: StorageInterval O2On O2Off\n"
     "IntervalOn IntervalOff SafetyOn SafetyOff MaxOn MaxOff."},
    {"watch", "watch [--at-start] [--every S]",
     "Polls and reads out daily at the readout hour (ZEIT) until SIGINT/SIGTERM;\n"
     "--at-start reads out at once, --every S every S seconds; reconnects to a gateway."},
    {"series", "series FILE [--per-day]",
     "The file's header fields and its nine series (--json: one document)."},
    {"report",
     "report log FILE --pdf OUT [--per-day] [--graph]\n"
     "       report quality FILE --pdf OUT [--per-day] [--graph] [--hyg]\n"
     "       report graph FILE --pdf OUT [--sheet env|fan] [--per-day] [--series NAMES]",
     "Prints the measurement log, the quality-association protocol (--hyg: hygienisation)\n"
     "or the graph report to a PDF; NAMES: T1..T5,T55,O2,LZ,ZYKL (comma-separated),\n"
     "default: the graph window's boxes."},
};

const CommandHelpEntry* findCommandHelp(const QString& name) {
    for (const CommandHelpEntry& e : CommandHelps)
        if (name == QLatin1String(e.name))
            return &e;
    return nullptr;
}

// A form of several lines with its further lines indented under the first one's command.
QString formAfter(const QString& prefix, const char* form) {
    QString text = QLatin1String(form);
    text.replace(QStringLiteral("\n       "),
                 QLatin1Char('\n') + QString(prefix.size(), QLatin1Char(' ')));
    return prefix + text + QLatin1Char('\n');
}

const char* const PlantNote = "PLANT is the plant number the windows show: the address 1..32 "
                              "plus DISPOFFSET - 1.";

} // namespace

QString CommandUsage(const QString& name) {
    const CommandHelpEntry* e = findCommandHelp(name);
    if (!e)
        return UsageText();
    return formAfter(QStringLiteral("usage: o2aerolis-cli "), e->form);
}

QString CommandHelp(const QString& name) {
    const CommandHelpEntry* e = findCommandHelp(name);
    if (!e)
        return UsageText();
    QString text =
        formAfter(QStringLiteral("usage: o2aerolis-cli [--dir DIR] [--json] "), e->form) +
        QLatin1Char('\n') + QLatin1String(e->help) + QLatin1Char('\n');
    if (QByteArray(e->form).contains("PLANT"))
        text += QLatin1String(PlantNote) + QLatin1Char('\n');
    return text;
}

QString UsageText() {
    const QString linkCommands = QStringLiteral(
        "usage: o2aerolis-cli [--dir DIR] [--json] COMMAND [ARGS]\n"
        "  plants                     the plant table after the teach-in\n"
        "  status [--seconds N]       poll N seconds (17), then the live status\n"
        "  mode PLANT MODE            switch the operating mode (0..3) of a running pile\n"
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
        "                             --every S every S seconds; reconnects to a gateway;\n"
        "                             a failed readout: \"FEHLER ...\" on stderr, a nearly\n"
        "                             full controller memory: \"DRINGEND ...\"\n"
        "  PLANT is the plant number the windows show (address 1..32 + DISPOFFSET - 1)\n");
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
    if (findCommandHelp(c.name) &&
        (c.args.contains(QStringLiteral("--help")) || c.args.contains(QStringLiteral("-h")))) {
        out << CommandHelp(c.name);
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
    // The plant numbers the user gives follow the display offset of the settings file.
    ResetForCommand();
    Settings::open(ProgramDir::iniPath());
    Settings::LoadDisplaySettings();
    QList<int> named;
    try {
        Validate(c);
        named = NamedPlants(c);
    } catch (const UsageError& e) {
        if (!e.text.isEmpty())
            err << e.text << '\n';
        err << CommandUsage(c.name);
        Settings::close();
        return Usage;
    }
    // Before anything is read or sent: a second process on the same link and files would
    // number and append on its own.
    DirLock lock(ProgramDir::path());
    if (!lock.acquire()) {
        err << lock.refusal() << '\n';
        Settings::close();
        return Busy;
    }
    // A failed settings write is said on the error output, once until one succeeds again.
    Settings::setWriteFailureHandler([&err](const QString& text) {
        err << plain(text) << '\n';
        err.flush();
    });
    int rc = Ok;
    {
        Session session(err);
        // Argument errors are found before the link is opened where possible; the handlers
        // check them again once the plants are known. A command on named plants probes only
        // those; the others teach in all plants.
        if (!session.open(named)) {
            rc = NoLink;
        } else {
            try {
                rc = handler(c, session);
            } catch (const UsageError& e) {
                if (!e.text.isEmpty())
                    err << e.text << '\n';
                err << CommandUsage(c.name);
                rc = Usage;
            }
        }
        session.poll.StopTimer();
        session.link.SchliesseSocketVerbindung(0);
    }
    Settings::close();
    Settings::setWriteFailureHandler(nullptr);
    out.flush();
    err.flush();
    return rc;
}

} // namespace Cli
