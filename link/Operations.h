// The controller operations: the verbs the program uses to talk to one plant, each a short
// sequence of requests with its reply time-out and attempts. They run on the user-interface
// thread; a wait for a reply runs a nested event loop, so every other event of the program
// goes on meanwhile. Results go to the plant table and the protocol results; the operations
// show nothing, their callers do. Exchanges never nest: one that would start while another
// waits fails at once and sends nothing.
#pragma once

#include "core/Daten.h"

#include <QDate>
#include <QTime>

namespace Kommunikation {

// Which groups of a setup value set the user changed.
struct SetupChanges {
    bool StorageInterval = false;
    bool O2Thresholds = false;
    bool IntervalOn = false;
    bool IntervalOff = false;
    bool SafetyTimes = false;
    bool MaxTimes = false;
};

// True while an exchange waits for its reply.
bool IsWaiting();

// Sends the command and waits up to timeoutMs for its reply; true when it came in time.
// False at once, with nothing sent or changed, while another exchange waits; false with
// TimeoutFlag set when no link exists or the wait ended without a reply.
bool AwaitReply(int timeoutMs, int address, int index);

bool ProbePlant(int address);
void RequestStatus(int address);
bool ReadSetup(int address);
void WriteSetup(int address, const tSetupValues& values, const SetupChanges& changed);
bool SetOperatingMode(int address, int mode);
bool SwitchPlantOff(int address);
bool StartPile(int address);
bool ReadStoredCount(int address);
bool ReadStoredRecord(int address);
void SendDate(int address, const QDate& today = QDate::currentDate());
void SendTime(int address, const QTime& now = QTime::currentTime());
bool ReadClockText(int address);

// For the transport: the reply timer fired, or the link that owns it is going away.
void WakeReplyWait();
void EndReplyWait();

} // namespace Kommunikation
