// The exact reply texts of a controller: a letter, then ';'-terminated decimal fields, or
// the 30-character clock text.
#pragma once

#include "sim/PlantModel.h"

#include <QByteArray>

namespace sim {

namespace ReplyWriter {
constexpr int kClockTextLength = 30;

QByteArray mode(const PlantState& p);        // 'B'
QByteArray setup(const PlantState& p);       // 'R'
QByteArray state(const PlantState& p);       // 'S'
QByteArray status(const PlantState& p);      // 'c'
QByteArray stored(const StoredRecord& r);    // 'G'
QByteArray storedCount(const PlantState& p); // 'r'
QByteArray clock(const QDateTime& clock);    // 'T', always 30 characters

// Field positions (0-based, after the letter) that the PC converts as numbers; the others
// are taken as text ('c' fan state, 'G' date and time).
QList<int> numericFields(char letter, int fieldCount);
} // namespace ReplyWriter

} // namespace sim
