#include "core/TeachIn.h"

#include "core/Daten.h"
#include "link/Link.h"
#include "link/Operations.h"
#include "link/Protocol.h"
#include "storage/UMessDaten.h"

using namespace Kommunikation;

namespace {
TeachInPoll* g_current = nullptr;
}

TeachInPoll::TeachInPoll(QObject* parent) : QObject(parent) {
    LeseTimer.setInterval(PollIntervalMs);
    connect(&LeseTimer, &QTimer::timeout, this, &TeachInPoll::LeseTimerTimer);
    m_deferred.setSingleShot(true);
    m_deferred.setInterval(DeferMs);
    connect(&m_deferred, &QTimer::timeout, this, &TeachInPoll::TeachIn);
    g_current = this;
}

TeachInPoll::~TeachInPoll() {
    if (g_current == this)
        g_current = nullptr;
}

TeachInPoll* TeachInPoll::current() {
    return g_current;
}

void TeachInPoll::StartTimer() {
    LeseTimer.start(PollIntervalMs);
}

void TeachInPoll::StopTimer() {
    LeseTimer.stop();
}

bool TeachInPoll::linkComponentUsable() {
    Link* link = Link::current();
    if (!link)
        return false;
    if (LinkLayer == 1)
        return link->ClientSocket1.state() == QAbstractSocket::ConnectedState;
    return link->ComPort1.isOpen();
}

void TeachInPoll::TeachIn() {
    // A teach-in started from inside another one's waits (a second connect event) would
    // probe inside a probe; the running one already covers it.
    if (!TeachInPending || !LinkOpen || m_running)
        return;
    // Inside another exchange's wait every probe would be refused and every plant would
    // look absent: the teach-in stays pending and asks again after that wait.
    if (IsWaiting()) {
        m_deferred.start();
        return;
    }
    m_deferred.stop();
    m_running = true;
    emit teachInStarted(KompUtils::PlantCount);
    StopTimer();
    ProbeAllPlants();
    m_running = false;
    emit teachInFinished();
    PollPosition = 1;
    StartTimer();
    RequestStatus(1);
}

void TeachInPoll::ProbeAllPlants() {
    QList<int> all;
    for (int p = 1; p <= KompUtils::PlantCount; ++p)
        all << p;
    if (!probeAndSettle(all, true))
        return;
    StartTimer();
    TeachInPending = false;
}

void TeachInPoll::ProbePlants(const QList<int>& plants) {
    if (!LinkOpen || m_running)
        return;
    m_running = true;
    probeAndSettle(plants, false);
    StopTimer();
    m_running = false;
}

bool TeachInPoll::probeAndSettle(const QList<int>& plants, bool withProgress) {
    StopTimer();
    Daten::ResetPlantTables();
    if (!linkComponentUsable())
        return false;
    const int count = KompUtils::PlantCount;
    for (int p = 1; p <= count; ++p)
        Daten::LoadPlantSettings(p);
    for (int p = 1; p <= count; ++p) {
        if (withProgress)
            emit teachInProgress(p);
        if (plants.contains(p))
            ProbePlant(p);
    }
    for (int p = 1; p <= count; ++p) {
        tAnlageParameter& a = Daten::Anlage[p];
        if (a.Present && a.Mode == ModeSafety)
            a.Mode = ModeO2Control;
        if (a.Present && a.SwitchedOn) {
            if (a.Datei.isEmpty())
                MeasurementFile::NewMeasurementFile(p);
        } else {
            a.Datei.clear();
            a.Anzahl = 0;
        }
    }
    Daten::SelectedPlant = 1;
    for (int p = 1; p <= count; ++p) {
        if (Daten::Anlage[p].Present) {
            Daten::SelectedPlant = p;
            break;
        }
    }
    return true;
}

void TeachInPoll::LeseTimerTimer() {
    // A request now would reset the reply code and the receive buffer of the exchange that
    // is waiting and so spoil it; the tick waits for its turn instead.
    if (IsWaiting())
        return;
    const int p = PollPosition;
    MeasurementRecord& e = Daten::LiveStatus[p];
    const tAnlageParameter& a = Daten::Anlage[p];
    if (ReplyCode == CmdReadStatus && a.Present && a.SwitchedOn && StatusReply.Valid) {
        e = StatusReply;
    } else {
        ++e.MissedPolls;
        if (e.MissedPolls >= MissLimit) {
            e.MissedPolls = MissLimit - 1;
            e.Valid = false;
        }
    }
    PollPosition = PollPosition >= KompUtils::PlantCount ? 1 : PollPosition + 1;
    RequestStatus(PollPosition);
}
