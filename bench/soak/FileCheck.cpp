#include "FileCheck.h"

#include "core/Daten.h"
#include "core/KompUtils.h"

#include <QFile>
#include <QRegularExpression>

namespace filecheck {

namespace {

const QByteArray ColumnHeader =
    " ;Speicherzeit;T5;T4;T3;T2;T1;RefMarke; O2[vol%];Betriebsart;Luefterlaufzeit;LuefterZyklen";

// A "%d" or "%5d" field: optional blanks, an optional minus, digits.
bool integer(const QByteArray& field, int* out) {
    static const QRegularExpression form(QStringLiteral("^ *-?[0-9]+$"));
    if (!form.match(QString::fromLatin1(field)).hasMatch())
        return false;
    bool ok = false;
    *out = field.trimmed().toInt(&ok);
    return ok;
}

// "%5.1f" with a decimal comma, read back into tenths without floating point.
bool tenths(const QByteArray& field, int* out) {
    static const QRegularExpression form(QStringLiteral("^ *(-?)([0-9]+),([0-9])$"));
    const auto m = form.match(QString::fromLatin1(field));
    if (!m.hasMatch())
        return false;
    const int v = m.captured(2).toInt() * 10 + m.captured(3).toInt();
    *out = m.captured(1).isEmpty() ? v : -v;
    return true;
}

bool recordLine(const QByteArray& line, FileRecord* r) {
    const QList<QByteArray> f = line.split(';');
    // Twelve fields, each followed by ';': the last part is empty.
    if (f.size() != 13 || !f.at(12).isEmpty())
        return false;
    static const QRegularExpression time(
        QStringLiteral("^[0-9]{2}\\.[0-9]{2}\\.[0-9]{4}  [0-9]{2}:[0-9]{2}$"));
    if (!time.match(QString::fromLatin1(f.at(1))).hasMatch())
        return false;
    r->time = QString::fromLatin1(f.at(1));
    bool ok = integer(f.at(0), &r->number) && !f.at(0).startsWith(' ');
    for (int i = 0; i < 5; ++i)
        ok = ok && integer(f.at(2 + i), &r->t[i]);
    return ok && integer(f.at(7), &r->refDepth) && tenths(f.at(8), &r->o2) &&
           integer(f.at(9), &r->mode) && integer(f.at(10), &r->runTime) &&
           integer(f.at(11), &r->cycles);
}

QString key(int address, const QString& time) {
    return QString::number(address) + QLatin1Char('|') + time;
}

} // namespace

ParsedFile parse(const QByteArray& bytes) {
    ParsedFile p;
    p.wholeLines = bytes.endsWith("\r\n");
    if (!p.wholeLines)
        p.problems << QStringLiteral("the file does not end with a whole line");
    QList<QByteArray> lines = bytes.split('\n');
    // After the last line end comes nothing, or the fragment of a line.
    if (!lines.last().isEmpty())
        p.problems << QStringLiteral("a fragment at the end: %1")
                          .arg(QString::fromLatin1(lines.last().left(100)));
    lines.removeLast();
    for (QByteArray& l : lines) {
        if (l.endsWith('\r'))
            l.chop(1);
        else
            p.problems << QStringLiteral("a line ending without CR");
    }
    p.headerOk = lines.size() >= 9 && lines.at(8) == ColumnHeader;
    if (!p.headerOk)
        p.problems << QStringLiteral("no nine-line header");
    for (qsizetype i = 9; i < lines.size(); ++i) {
        FileRecord r;
        if (recordLine(lines.at(i), &r)) {
            p.records.append(r);
        } else {
            ++p.badLines;
            p.problems << QStringLiteral("line %1 is no record line: %2")
                              .arg(i + 1)
                              .arg(QString::fromLatin1(lines.at(i).left(100)));
        }
    }
    return p;
}

ParsedFile parseFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        ParsedFile p;
        p.problems << QStringLiteral("cannot read %1").arg(path);
        return p;
    }
    return parse(f.readAll());
}

bool numberedInOrder(const QList<FileRecord>& records, int first) {
    for (qsizetype i = 0; i < records.size(); ++i)
        if (records.at(i).number != first + int(i))
            return false;
    return true;
}

QString timeText(const QDateTime& t) {
    return t.toString(QStringLiteral("dd.MM.yyyy  HH:mm"));
}

HandedOut::HandedOut(const QList<sim::HandedOutRecord>& log) : m_log(log) {
    for (qsizetype i = 0; i < m_log.size(); ++i)
        m_byKey.insert(key(m_log.at(i).address, timeText(m_log.at(i).record.time)), int(i));
}

int HandedOut::find(int address, const FileRecord& r) const {
    const int i = m_byKey.value(key(address, r.time), -1);
    if (i < 0)
        return -1;
    const sim::StoredRecord& s = m_log.at(i).record;
    // Field for field in the program's units: whole degrees truncated toward zero, O2 in
    // tenths as sent, the reference depth as the rule computes it from the five values.
    MeasurementRecord m;
    for (int k = 0; k < 5; ++k)
        if (r.t[k] != s.t[k] / 10)
            return -1;
    m.T1 = r.t[0];
    m.T2 = r.t[1];
    m.T3 = r.t[2];
    m.T4 = r.t[3];
    m.T5 = r.t[4];
    KompUtils::CalcRefDepth(m);
    if (r.refDepth != m.RefDepth || r.o2 != s.o2 || r.mode != s.mode || r.runTime != s.runTime ||
        r.cycles != s.cycles)
        return -1;
    return i;
}

} // namespace filecheck
