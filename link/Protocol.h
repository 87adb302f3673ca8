// The controller wire protocol: request frames for a plant address and a command, and the
// reply parser that cuts received text into replies and decodes them into the plant table,
// the setup value set and the protocol results below. It knows nothing of how bytes travel
// (the transport installs a frame sink and feeds every arrival to ReceiveText) nor of
// time-outs and retries (the operations).
#pragma once

#include "core/Daten.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <cstdint>
#include <functional>

namespace Kommunikation {

// Command indices; each is also the ReplyCode of its reply.
enum Command : uint8_t {
    CmdNone = 0,
    CmdReadMode = 1,         // 'B'
    CmdReadSetup = 2,        // 'R'
    CmdFanOn = 3,            // 'e'
    CmdFanOff = 4,           // 'o'
    CmdInterval = 5,         // 'T'
    CmdO2Control = 6,        // 'q'
    CmdSwitchOff = 7,        // 'A'
    CmdSetTime = 8,          // 'Z' hour, minute, second
    CmdSetDate = 9,          // 'D' day, month, year mod 100
    CmdStorageInterval = 10, // 'I'
    CmdIntervalOn = 11,      // 'E'
    CmdIntervalOff = 12,     // 'O'
    CmdSafetyTimes = 13,     // 'n'
    CmdMaxTimes = 14,        // 'N'
    CmdO2Thresholds = 15,    // 'p'
    CmdReadCount = 16,       // 'r'
    CmdStartPile = 17,       // 'F'
    CmdReadState = 18,       // 'S'
    CmdReadStatus = 19,      // 'c'
    CmdReadRecord = 20,      // 'G'
    CmdReadClock = 21,       // '6', answered by 'T'
    CmdLast = CmdReadClock
};

// The command letter of an index, 0 for indices that are never sent.
char CommandLetter(int index);
// True for the commands that have a reply (their request empties ReceiveBuffer).
bool HasReply(int index);

// Length of the 'T' clock reply, counted from the 'T' itself.
inline constexpr int ClockTextLength = 30;
// ReceiveBuffer keeps at most the newest this many bytes; a reply is a few dozen.
inline constexpr int MaxReceiveBuffer = 4096;

// Protocol results, process-wide; ResetProcessState() puts them back to program start.
extern QByteArray ReceiveBuffer; // received and not yet consumed, oldest first
extern uint8_t RequestAddress;   // address of the last request that passed the address check
extern uint8_t ReplyCode;        // command index of the last complete reply, 0 = none
extern MeasurementRecord StatusReply;
extern MeasurementRecord StoredRecord;
extern QString StoredMinute;
extern QString StoredHour;
extern QString StoredDay;
extern QString StoredMonth;
extern QString StoredYear; // "20" followed by the two-digit year field
extern int32_t StoredCount;
extern QString ClockText; // the whole 'T' reply, 30 characters including the 'T'

// Where finished frames go: the address byte and the letter-and-digits text. The transport
// installs it (and decides whether the link is open); without a sink frames are dropped.
using FrameSink = std::function<void(uint8_t address, const QByteArray& text)>;
void SetFrameSink(FrameSink sink);

// Called after every reply that was decoded completely (ReplyCode holds its code). The
// reply wait uses it to wake up; nullptr removes it.
using ReplyListener = void (*)();
void SetReplyListener(ReplyListener listener);

// The letter and digits of a request frame, blanks already turned into '0'; empty for an
// index that has no frame.
QByteArray FormatRequest(int index, const QList<quint16>& parameters);

// Builds and sends one request frame. Always resets ReplyCode; addresses outside 1..32 send
// nothing; a request with a reply empties ReceiveBuffer; 'c' goes out only to a plant that is
// present and switched on. Parameters the command does not take are ignored; missing ones
// count as 0.
void SendRequest(int address, int index, const QList<quint16>& parameters = {0});

// Appends one arrival and decodes every complete reply at the front of ReceiveBuffer.
void ReceiveText(const QByteArray& text);

// Takes the next field from the front of text: separators in front are skipped, the field
// runs up to the next separator. False (text unchanged) when only separators are left.
bool TakeField(char separator, QByteArray& text, QByteArray& field);

// A numeric field: optional blanks, an optional sign, decimal digits and nothing else,
// within 32 bits.
bool ConvertField(const QByteArray& field, int32_t& value);

void resetState();

} // namespace Kommunikation
