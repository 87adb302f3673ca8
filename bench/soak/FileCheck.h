// Reads measurement files back byte by byte, independently of the program's own readers,
// and tells each record line from the records the simulated controllers handed out: the
// fault soak and the crash test judge the program's files with it.
#pragma once

#include "sim/Simulator.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace filecheck {

// One record line as written: the fields in file order, temperatures 100 cm first.
struct FileRecord {
    int number = 0;
    QString time; // "dd.mm.yyyy  hh:mm"
    int t[5] = {};
    int refDepth = 0;
    int o2 = 0; // tenths of vol%
    int mode = 0;
    int runTime = 0;
    int cycles = 0;
};

struct ParsedFile {
    bool wholeLines = false; // not empty, and the last byte ends a CR LF
    bool headerOk = false;   // nine header lines, the ninth the column header
    int badLines = 0;        // lines after the header that are no record line
    QList<FileRecord> records;
    QStringList problems; // what is wrong, for the report
};

ParsedFile parse(const QByteArray& bytes);
ParsedFile parseFile(const QString& path);

// The numbers run 1, 2, 3 ... without a gap or a repeat (from `first`).
bool numberedInOrder(const QList<FileRecord>& records, int first = 1);

// The time text the program writes for a controller time stamp.
QString timeText(const QDateTime& t);

// The records the simulator handed out, looked up by plant and time stamp (a plant stores
// at most one record a minute).
class HandedOut {
public:
    explicit HandedOut(const QList<sim::HandedOutRecord>& log);

    // Index into the log of the record the line stands for, -1 when the simulator never
    // handed out a record with exactly these fields for this plant.
    int find(int address, const FileRecord& r) const;
    const QList<sim::HandedOutRecord>& log() const { return m_log; }

private:
    QList<sim::HandedOutRecord> m_log;
    QHash<QString, int> m_byKey;
};

} // namespace filecheck
