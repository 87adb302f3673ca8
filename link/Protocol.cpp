#include "link/Protocol.h"

#include "core/KompUtils.h"
#include "core/ProcessState.h"
#include "core/Win1252.h"
#include "link/LinkLog.h"

#include <limits>

Q_LOGGING_CATEGORY(lcLink, "o2.link", QtInfoMsg)

namespace Kommunikation {

QByteArray ReceiveBuffer;
uint8_t RequestAddress = 0;
uint8_t ReplyCode = 0;
MeasurementRecord StatusReply;
MeasurementRecord StoredRecord;
QString StoredMinute;
QString StoredHour;
QString StoredDay;
QString StoredMonth;
QString StoredYear;
int32_t StoredCount = 0;
QString ClockText;

namespace {

enum class Form { None, Three2, One4, Two4 };

struct CommandInfo {
    char letter;
    Form form;
    bool hasReply;
};

// Indexed by command index.
constexpr CommandInfo Commands[CmdLast + 1] = {
    {' ', Form::None, false},   // 0: never sent
    {'B', Form::None, true},    // 1
    {'R', Form::None, true},    // 2
    {'e', Form::None, false},   // 3
    {'o', Form::None, false},   // 4
    {'T', Form::None, false},   // 5
    {'q', Form::None, false},   // 6
    {'A', Form::None, false},   // 7
    {'Z', Form::Three2, false}, // 8
    {'D', Form::Three2, false}, // 9
    {'I', Form::One4, false},   // 10
    {'E', Form::One4, false},   // 11
    {'O', Form::One4, false},   // 12
    {'n', Form::Two4, false},   // 13
    {'N', Form::Two4, false},   // 14
    {'p', Form::Two4, false},   // 15
    {'r', Form::None, true},    // 16
    {'F', Form::None, false},   // 17
    {'S', Form::None, true},    // 18
    {'c', Form::None, true},    // 19
    {'G', Form::None, true},    // 20
    {'6', Form::None, true},    // 21
};

FrameSink& sink() {
    static FrameSink s;
    return s;
}

ReplyListener listener = nullptr;

ProcessState::Registrar reg(&resetState);

constexpr char Sep = ';';

// The number of ';' that must be buffered before a reply of this letter is decoded; 0 for
// characters that start no field reply.
int NeedsFor(char letter) {
    switch (letter) {
    case 'B':
        return 1;
    case 'R':
        return 9;
    case 'S':
        return 2;
    case 'c':
        return 11;
    case 'G':
        return 15;
    case 'r':
        return 1;
    default:
        return 0;
    }
}

bool StartsReply(char c) {
    return NeedsFor(c) > 0 || c == 'T';
}

bool TakeNumber(QByteArray& text, int32_t& value) {
    QByteArray field;
    return TakeField(Sep, text, field) && ConvertField(field, value);
}

bool TakeText(QByteArray& text, QString& out) {
    QByteArray field;
    if (!TakeField(Sep, text, field))
        return false;
    out = QString::fromLatin1(field.left(10));
    return true;
}

void DecodeMode(QByteArray& buf) {
    QByteArray field;
    if (!TakeField(Sep, buf, field))
        return;
    int32_t v = 0;
    if (ConvertField(field, v)) {
        Daten::Anlage[RequestAddress].Mode = uint8_t(v);
        ReplyCode = CmdReadMode;
    } else {
        ReplyCode = 0;
    }
}

void DecodeSetup(QByteArray& buf) {
    tSetupValues& s = Daten::SetupValues;
    int32_t* const order[] = {&s.StorageInterval, &s.IntervalOn, &s.IntervalOff, &s.O2On,  &s.O2Off,
                              &s.SafetyOn,        &s.SafetyOff,  &s.MaxOn,       &s.MaxOff};
    for (int32_t* target : order) {
        // A missing value is a failure too: a set with holes must not be marked valid.
        int32_t v = 0;
        if (!TakeNumber(buf, v)) {
            ReplyCode = 0;
            return;
        }
        *target = v;
    }
    s.Valid = true;
    ReplyCode = CmdReadSetup;
}

void DecodeState(QByteArray& buf) {
    QByteArray storing, switchedOn;
    // Without both fields there is no state to report; the flags keep what they were.
    if (!TakeField(Sep, buf, storing) || !TakeField(Sep, buf, switchedOn)) {
        ReplyCode = 0;
        return;
    }
    tAnlageParameter& plant = Daten::Anlage[RequestAddress];
    int32_t st = 0, on = 0;
    if (ConvertField(storing, st) && ConvertField(switchedOn, on)) {
        plant.Storing = uint8_t(st);
        plant.SwitchedOn = uint8_t(on);
        ReplyCode = CmdReadState;
    } else {
        plant.Storing = 0;
        plant.SwitchedOn = 0;
        ReplyCode = 0;
    }
}

// The five temperatures: each one that fails marks the record invalid, the others are
// still read; the reference depth follows only from five good values.
void DecodeTemperatures(QByteArray& buf, MeasurementRecord& r) {
    int32_t* const t[] = {&r.T1, &r.T2, &r.T3, &r.T4, &r.T5};
    bool all = true;
    for (int32_t* target : t) {
        int32_t v = 0;
        if (TakeNumber(buf, v))
            *target = v / 10; // tenths of °C, truncated toward zero
        else
            all = false;
    }
    if (all)
        KompUtils::CalcRefDepth(r);
    else
        r.Valid = false;
}

// Two numeric fields decoded as one step: a failure keeps what was stored before it and
// drops the rest of the step, but the step's fields are consumed either way so that the
// following fields stay in place.
void DecodePair(QByteArray& buf, int32_t& first, int32_t& second, MeasurementRecord& r) {
    int32_t a = 0, b = 0;
    const bool okA = TakeNumber(buf, a);
    if (okA)
        first = a;
    const bool okB = TakeNumber(buf, b);
    if (okA && okB)
        second = b;
    if (!okA || !okB)
        r.Valid = false;
}

void DecodeO2AndMode(QByteArray& buf, MeasurementRecord& r) {
    int32_t mode = r.Mode;
    DecodePair(buf, r.O2, mode, r);
    r.Mode = uint8_t(mode);
}

void DecodeAux(QByteArray& buf, MeasurementRecord& r) {
    int32_t v = 0;
    if (TakeNumber(buf, v))
        r.Aux16 = uint16_t(v);
    else
        r.Valid = false;
}

void DecodeStatus(QByteArray& buf) {
    MeasurementRecord& r = StatusReply;
    r.Valid = true;
    DecodeTemperatures(buf, r);
    DecodeO2AndMode(buf, r);
    QByteArray fan;
    if (TakeField(Sep, buf, fan))
        r.FanOn = fan.startsWith('1');
    else
        r.Valid = false;
    DecodeAux(buf, r);
    DecodePair(buf, r.RunTime, r.Cycles, r);
    if (r.Valid) {
        r.MissedPolls = 0;
        ReplyCode = CmdReadStatus;
    }
}

void DecodeRecord(QByteArray& buf) {
    MeasurementRecord& r = StoredRecord;
    r.Valid = true;
    DecodeTemperatures(buf, r);
    DecodeO2AndMode(buf, r);
    DecodeAux(buf, r);
    QString year;
    // A record without its time stamp cannot be filed; it counts as not decoded.
    if (!TakeText(buf, StoredMinute) || !TakeText(buf, StoredHour) || !TakeText(buf, StoredDay) ||
        !TakeText(buf, StoredMonth) || !TakeText(buf, year))
        r.Valid = false;
    else
        StoredYear = (QStringLiteral("20") + year).left(10);
    DecodePair(buf, r.RunTime, r.Cycles, r);
    if (r.Valid) {
        r.MissedPolls = 0;
        ReplyCode = CmdReadRecord;
    }
}

void DecodeCount(QByteArray& buf) {
    QByteArray field;
    if (!TakeField(Sep, buf, field))
        return;
    // A count that does not convert is no reply; the waiting side runs into its time-out.
    int32_t v = 0;
    if (ConvertField(field, v)) {
        StoredCount = v;
        ReplyCode = CmdReadCount;
    } else {
        ReplyCode = 0;
    }
}

void Decode(char letter, QByteArray& buf) {
    switch (letter) {
    case 'B':
        DecodeMode(buf);
        break;
    case 'R':
        DecodeSetup(buf);
        break;
    case 'S':
        DecodeState(buf);
        break;
    case 'c':
        DecodeStatus(buf);
        break;
    case 'G':
        DecodeRecord(buf);
        break;
    case 'r':
        DecodeCount(buf);
        break;
    default:
        break;
    }
}

void NotifyReply() {
    if (ReplyCode != 0 && listener)
        listener();
}

} // namespace

char CommandLetter(int index) {
    if (index <= 0 || index > CmdLast)
        return 0;
    return Commands[index].letter;
}

bool HasReply(int index) {
    return index > 0 && index <= CmdLast && Commands[index].hasReply;
}

void SetFrameSink(FrameSink s) {
    sink() = std::move(s);
}

void SetReplyListener(ReplyListener l) {
    listener = l;
}

QByteArray FormatRequest(int index, const QList<quint16>& p) {
    if (index <= 0 || index > CmdLast)
        return QByteArray();
    const CommandInfo& c = Commands[index];
    auto at = [&p](int i) { return i < p.size() ? unsigned(p.at(i)) : 0u; };
    QByteArray text(1, c.letter);
    switch (c.form) {
    case Form::None:
        break;
    case Form::Three2:
        text += QString::asprintf("%2u%2u%2u", at(0), at(1), at(2)).toLatin1();
        break;
    case Form::One4:
        text += QString::asprintf("%4u", at(0)).toLatin1();
        break;
    case Form::Two4:
        text += QString::asprintf("%4u%4u", at(0), at(1)).toLatin1();
        break;
    }
    text.replace(' ', '0');
    return text;
}

void SendRequest(int address, int index, const QList<quint16>& parameters) {
    ReplyCode = 0;
    if (!Daten::isPlantAddress(address))
        return;
    RequestAddress = uint8_t(address);
    if (HasReply(index))
        ReceiveBuffer.clear();
    if (index <= 0 || index > CmdLast)
        return;
    if (index == CmdReadStatus) {
        const tAnlageParameter& plant = Daten::Anlage[address];
        if (!plant.Present || !plant.SwitchedOn)
            return;
    }
    const QByteArray text = FormatRequest(index, parameters);
    qCDebug(lcLink) << "request" << address << text;
    if (sink())
        sink()(uint8_t(address), text);
}

bool ConvertField(const QByteArray& field, int32_t& value) {
    int i = 0;
    const int n = int(field.size());
    while (i < n && field.at(i) == ' ')
        ++i;
    bool negative = false;
    if (i < n && (field.at(i) == '+' || field.at(i) == '-')) {
        negative = field.at(i) == '-';
        ++i;
    }
    if (i >= n)
        return false;
    int64_t v = 0;
    for (; i < n; ++i) {
        const char c = field.at(i);
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + (c - '0');
        if (v > int64_t(std::numeric_limits<int32_t>::max()) + 1)
            return false;
    }
    if (negative)
        v = -v;
    if (v > std::numeric_limits<int32_t>::max() || v < std::numeric_limits<int32_t>::min())
        return false;
    value = int32_t(v);
    return true;
}

bool TakeField(char separator, QByteArray& text, QByteArray& field) {
    const int n = int(text.size());
    int start = 0;
    while (start < n && text.at(start) == separator)
        ++start;
    if (start >= n)
        return false;
    const int next = int(text.indexOf(separator, start));
    if (next >= 0 && next < n - 1) {
        field = text.mid(start, next - start);
        text.remove(0, next);
    } else {
        field = next >= 0 ? text.mid(start, next - start) : text.mid(start);
        text.clear();
    }
    return true;
}

// The ';' in the buffer that end a field: a ';' right after the reply's letter at the front,
// or right after another ';', ends none. For the plain forms this is every ';'; with the
// unusual ones ("c;512;...", empty fields) a reply that arrives in pieces is still decoded
// only when its last field is whole, not as soon as its count of ';' is reached.
static qsizetype FieldEnds(const QByteArray& buf) {
    qsizetype n = 0;
    for (qsizetype i = 2; i < buf.size(); ++i)
        if (buf.at(i) == Sep && buf.at(i - 1) != Sep)
            ++n;
    return n;
}

void ReceiveText(const QByteArray& text) {
    qCDebug(lcLink) << "arrival" << text;
    QByteArray& buf = ReceiveBuffer;
    buf += text;
    // No reply is anywhere near this long: what piles up beyond it is junk, and only the
    // newest part is kept, so a gateway that streams garbage costs neither memory nor time.
    if (buf.size() > MaxReceiveBuffer)
        buf.remove(0, buf.size() - MaxReceiveBuffer);
    // A reply is decoded only when its Needs of field-ending ';' are buffered.
    while (!buf.isEmpty()) {
        const char c = buf.at(0);
        const int needs = NeedsFor(c);
        if (needs > 0 || c == 'T') {
            const bool complete =
                needs > 0 ? FieldEnds(buf) >= needs : buf.size() >= ClockTextLength;
            if (!complete) {
                break; // wait for more text
            }
            if (c == 'T') {
                ClockText = Win1252::decode(buf.left(ClockTextLength));
                buf.remove(0, ClockTextLength);
                ReplyCode = CmdReadClock;
            } else {
                buf.remove(0, 1);
                Decode(c, buf);
            }
            NotifyReply();
            continue;
        }
        // Noise, line ends, a leftover ';' or digits of a failed reply: dropped up to the
        // next character that can start a reply.
        qsizetype i = 1;
        while (i < buf.size() && !StartsReply(buf.at(i)))
            ++i;
        buf.remove(0, i);
    }
}

void resetState() {
    ReceiveBuffer.clear();
    RequestAddress = 0;
    ReplyCode = 0;
    StatusReply = MeasurementRecord{};
    StoredRecord = MeasurementRecord{};
    StoredMinute.clear();
    StoredHour.clear();
    StoredDay.clear();
    StoredMonth.clear();
    StoredYear.clear();
    StoredCount = 0;
    ClockText.clear();
}

} // namespace Kommunikation
