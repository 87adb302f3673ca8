#include "link/Operations.h"

#include "link/Link.h"
#include "link/LinkLog.h"
#include "link/Protocol.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QPointer>
#include <algorithm>

Q_LOGGING_CATEGORY(lcWait, "o2.link.wait", QtInfoMsg)

namespace Kommunikation {

namespace {

// The one wait in progress. The reply timer, TimeoutFlag, ReplyCode and the receive buffer
// exist once, so a second wait inside it could only spoil both.
struct Wait {
    QEventLoop* loop = nullptr;
    int awaited = 0;
    bool replied = false;
};
Wait s_wait;

void OnReply() {
    if (s_wait.loop && ReplyCode == s_wait.awaited) {
        s_wait.replied = true;
        s_wait.loop->quit();
    }
}

quint16 Param(int32_t v) {
    return quint16(std::clamp<int32_t>(v, 0, 65535));
}

bool Present(int address) {
    return Daten::isPlantAddress(address) && Daten::Anlage[address].Present;
}

} // namespace

bool IsWaiting() {
    return s_wait.loop != nullptr;
}

void WakeReplyWait() {
    if (s_wait.loop && TimeoutFlag)
        s_wait.loop->quit();
}

void EndReplyWait() {
    if (!s_wait.loop)
        return;
    TimeoutFlag = true;
    s_wait.loop->quit();
}

bool AwaitReply(int timeoutMs, int address, int index) {
    if (IsWaiting()) {
        qCDebug(lcLink) << "exchange refused while another one waits" << address << index;
        qCDebug(lcWait, "wait refused cmd=%d address=%d", index, address);
        return false;
    }
    QElapsedTimer took;
    took.start();
    SendRequest(address, index, {0});
    QPointer<Link> link = Link::current();
    if (!link) {
        TimeoutFlag = true;
        qCDebug(lcWait, "wait cmd=%d address=%d replied=0 timeout=1 elapsed=0 limit=%d", index,
                address, timeoutMs);
        return false;
    }
    QEventLoop loop;
    s_wait = Wait{&loop, index, false};
    SetReplyListener(&OnReply);
    link->StartReplyTimer(timeoutMs);
    if (index != 0 && ReplyCode == index)
        s_wait.replied = true;
    else
        loop.exec();
    if (link)
        link->StopReplyTimer();
    SetReplyListener(nullptr);
    const bool replied = s_wait.replied;
    s_wait = Wait{};
    // A loop ended by the program quitting saw neither reply nor time-out; it failed too.
    if (!replied)
        TimeoutFlag = true;
    qCDebug(lcWait, "wait cmd=%d address=%d replied=%d timeout=%d elapsed=%lld limit=%d", index,
            address, int(replied), int(TimeoutFlag), took.elapsed(), timeoutMs);
    return replied && !TimeoutFlag;
}

bool ProbePlant(int address) {
    if (!Daten::isPlantAddress(address) || IsWaiting())
        return false;
    tAnlageParameter& plant = Daten::Anlage[address];
    plant.Present = false;
    plant.SwitchedOn = 0;
    plant.Storing = 0;
    if (!AwaitReply(BaseTimeout, address, CmdReadMode) &&
        !AwaitReply(BaseTimeout, address, CmdReadMode))
        return false;
    if (!AwaitReply(BaseTimeout, address, CmdReadState) &&
        !AwaitReply(BaseTimeout, address, CmdReadState))
        return false;
    plant.Present = true;
    return true;
}

void RequestStatus(int address) {
    SendRequest(address, CmdReadStatus);
}

bool ReadSetup(int address) {
    if (!Present(address) || IsWaiting())
        return false;
    Daten::SetupValues.Valid = false;
    if (AwaitReply(LongTimeout, address, CmdReadSetup) ||
        AwaitReply(LongTimeout, address, CmdReadSetup)) {
        Daten::SetupValues.Valid = true;
        return true;
    }
    return false;
}

void WriteSetup(int address, const tSetupValues& v, const SetupChanges& changed) {
    if (changed.StorageInterval)
        SendRequest(address, CmdStorageInterval, {Param(v.StorageInterval)});
    if (changed.O2Thresholds)
        SendRequest(address, CmdO2Thresholds, {Param(v.O2On), Param(v.O2Off)});
    if (changed.IntervalOn)
        SendRequest(address, CmdIntervalOn, {Param(v.IntervalOn)});
    if (changed.IntervalOff)
        SendRequest(address, CmdIntervalOff, {Param(v.IntervalOff)});
    if (changed.SafetyTimes)
        SendRequest(address, CmdSafetyTimes, {Param(v.SafetyOn), Param(v.SafetyOff)});
    if (changed.MaxTimes)
        SendRequest(address, CmdMaxTimes, {Param(v.MaxOn), Param(v.MaxOff)});
}

bool SetOperatingMode(int address, int mode) {
    if (!Daten::isPlantAddress(address))
        return false;
    if (!Daten::Anlage[address].Present)
        return true;
    int command = 0;
    switch (mode) {
    case ModeFanOff:
        command = CmdFanOff;
        break;
    case ModeFanOn:
        command = CmdFanOn;
        break;
    case ModeInterval:
        command = CmdInterval;
        break;
    case ModeO2Control:
    case ModeSafety:
        command = CmdO2Control;
        break; // safety mode cannot be chosen
    default:
        return false;
    }
    if (IsWaiting())
        return false;
    for (int attempt = 0; attempt < 2; ++attempt) {
        SendRequest(address, command);
        if (ProbePlant(address))
            return true;
    }
    return false;
}

bool SwitchPlantOff(int address) {
    if (!Daten::isPlantAddress(address))
        return false;
    tAnlageParameter& plant = Daten::Anlage[address];
    if (plant.Present && plant.SwitchedOn) {
        if (IsWaiting())
            return false;
        bool off = false;
        for (int attempt = 0; attempt < 2 && !off; ++attempt) {
            SendRequest(address, CmdSwitchOff);
            // Only a decoded 'S' reply that says "off" counts: a malformed one clears the
            // flags without the plant having said anything.
            off = AwaitReply(BaseTimeout, address, CmdReadState) && !plant.SwitchedOn;
        }
        if (!off)
            return false;
    }
    plant.Datei.clear();
    plant.Anzahl = 0;
    return true;
}

bool StartPile(int address) {
    if (!Daten::isPlantAddress(address) || IsWaiting())
        return false;
    const tAnlageParameter& plant = Daten::Anlage[address];
    for (int attempt = 0; attempt < 2; ++attempt) {
        SendRequest(address, CmdStartPile);
        if (AwaitReply(BaseTimeout, address, CmdReadState))
            return plant.SwitchedOn && plant.Storing;
    }
    return false;
}

bool ReadStoredCount(int address) {
    if (!Present(address) || IsWaiting())
        return false;
    if ((AwaitReply(BaseTimeout, address, CmdReadCount) ||
         AwaitReply(BaseTimeout, address, CmdReadCount)) &&
        StoredCount >= 0 && StoredCount <= 1000)
        return true;
    StoredCount = 0;
    return false;
}

bool ReadStoredRecord(int address) {
    if (!Daten::isPlantAddress(address))
        return false;
    return AwaitReply(RecordTimeout, address, CmdReadRecord);
}

void SendDate(int address, const QDate& today) {
    SendRequest(address, CmdSetDate,
                {quint16(today.day()), quint16(today.month()), quint16(today.year() % 100)});
}

void SendTime(int address, const QTime& now) {
    SendRequest(address, CmdSetTime,
                {quint16(now.hour()), quint16(now.minute()), quint16(now.second())});
}

bool ReadClockText(int address) {
    if (!Present(address) || IsWaiting())
        return false;
    return AwaitReply(LongTimeout, address, CmdReadClock) ||
           AwaitReply(LongTimeout, address, CmdReadClock);
}

} // namespace Kommunikation
