#include "sim/ReplyWriter.h"

namespace sim::ReplyWriter {

namespace {
QByteArray fields(char letter, std::initializer_list<int> values) {
    QByteArray out(1, letter);
    for (int v : values)
        out += QByteArray::number(v) + ';';
    return out;
}
QByteArray twoDigits(int v) {
    return QByteArray::number(v).rightJustified(2, '0');
}
} // namespace

QByteArray mode(const PlantState& p) {
    return fields('B', {p.mode});
}

QByteArray setup(const PlantState& p) {
    return fields('R', {p.storageInterval, p.intervalOn, p.intervalOff, p.o2On, p.o2Off, p.safetyOn,
                        p.safetyOff, p.maxOn, p.maxOff});
}

QByteArray state(const PlantState& p) {
    return fields('S', {p.storing ? 1 : 0, p.switchedOn ? 1 : 0});
}

QByteArray status(const PlantState& p) {
    return fields('c', {p.wireTemperature(0), p.wireTemperature(1), p.wireTemperature(2),
                        p.wireTemperature(3), p.wireTemperature(4), p.wireO2(), p.mode,
                        p.fanOn ? 1 : 0, p.aux, p.runTime, p.cycles});
}

QByteArray stored(const StoredRecord& r) {
    QByteArray out = fields('G', {r.t[0], r.t[1], r.t[2], r.t[3], r.t[4], r.o2, r.mode, r.aux});
    const QDate d = r.time.date();
    const QTime t = r.time.time();
    for (int v : {t.minute(), t.hour(), d.day(), d.month(), d.year() % 100})
        out += twoDigits(v) + ';';
    out += QByteArray::number(r.runTime) + ';' + QByteArray::number(r.cycles) + ';';
    return out;
}

QByteArray storedCount(const PlantState& p) {
    return fields('r', {int(p.memory.size())});
}

QByteArray clock(const QDateTime& clock) {
    // The controller's display line: "T Datum dd.MM.yy Zeit hh:mm:ss".
    QByteArray out = "T Datum " + clock.toString(QStringLiteral("dd.MM.yy")).toLatin1() + " Zeit " +
                     clock.toString(QStringLiteral("HH:mm:ss")).toLatin1();
    return out.leftJustified(kClockTextLength, ' ', true);
}

QList<int> numericFields(char letter, int fieldCount) {
    QList<int> out;
    for (int i = 0; i < fieldCount; ++i) {
        if (letter == 'c' && i == 7)
            continue;
        if (letter == 'G' && i >= 8 && i <= 12)
            continue;
        out.append(i);
    }
    return out;
}

} // namespace sim::ReplyWriter
