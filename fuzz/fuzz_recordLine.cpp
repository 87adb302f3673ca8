// The record line of a measurement file, written and read back: a line as the writer forms
// it from any record gives back every value it holds, and any other text as the line after
// a recognised header is read without a crash.
//
// Input layout: byte 0 even: the rest gives a record's values (see Values) and its time
// fields; byte 0 odd: the rest is the line itself.
#include "core/Daten.h"
#include "core/KompUtils.h"
#include "evaluation/TMessDaten.h"
#include "storage/UMessDaten.h"

#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

const QByteArray Header = "T\r\n2\r\n3\r\n\r\nAnlagen- Name: F\r\nDatei  - Name: f\r\nK\r\n"
                          "Erste Datensicherung : 01.01.2026\r\n"
                          " ;Speicherzeit;T5;T4;T3;T2;T1;RefMarke; O2[vol%];Betriebsart;"
                          "Luefterlaufzeit;LuefterZyklen\r\n";

struct Values {
    int32_t t[5];
    int32_t o2;
    uint8_t mode;
    int32_t runTime;
    int32_t cycles;
    uint8_t day, month, year, hour, minute;
};

bool load(const QString& path, const QByteArray& bytes, TMessDaten* m) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    f.write(bytes);
    f.close();
    m->LoadFile(path);
    return true;
}

QString two(int v) {
    return QString::number(v).rightJustified(2, QLatin1Char('0'));
}

bool same(double a, double b) {
    return std::fabs(a - b) <= 1e-9 * std::max(1.0, std::fabs(b));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("fuzz.CSV"));
    if (size < 1)
        return 0;
    KompUtils::ImperialUnits = false;
    TMessDaten m;
    ChartLayout chart;
    if (data[0] % 2 == 1) {
        QByteArray line(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
        line.replace('\n', ' ');
        if (!load(path, Header + "1;" + line + "\r\n", &m))
            return 0;
        m.FillSeries(false, &chart);
        m.FillSeries(true, &chart);
        for (const ChartSeriesData* s : m.AllSeries())
            if (s->points.size() != m.PointCount + 1)
                __builtin_trap();
        return 0;
    }

    Values v{};
    std::memcpy(&v, data + 1, std::min(size - 1, sizeof v));
    const QDate date(2000 + v.year % 100, 1 + v.month % 12, 1 + v.day % 31);
    if (!date.isValid())
        return 0;
    MeasurementRecord r;
    // Whole degrees as the reply's tenths give them.
    r.T1 = v.t[0] / 10;
    r.T2 = v.t[1] / 10;
    r.T3 = v.t[2] / 10;
    r.T4 = v.t[3] / 10;
    r.T5 = v.t[4] / 10;
    r.O2 = v.o2;
    r.Mode = v.mode;
    r.RunTime = v.runTime;
    r.Cycles = v.cycles;
    KompUtils::CalcRefDepth(r);
    const int hour = v.hour % 24, minute = v.minute % 60;
    const QString time = MeasurementFile::RecordTimeText(
        two(date.day()), two(date.month()), two(date.year() % 100), two(hour), two(minute));
    const QString line = MeasurementFile::RecordLine(1, time, r);
    if (!load(path, Header + line.toLatin1() + "\r\n", &m))
        return 0;
    if (!m.FileValid || !m.FillSeries(false, &chart) || m.PointCount != 1)
        __builtin_trap();
    // Point 0 of every series is the placeholder; the record is point 1.
    const int32_t t[5] = {r.T1, r.T2, r.T3, r.T4, r.T5};
    for (int i = 0; i < 5; ++i)
        if (!same(m.TSeries[i + 1].points.at(1).y(), t[i]))
            __builtin_trap();
    if (!same(m.RefSeries.points.at(1).y(), r.RefDepth) ||
        !same(m.O2Series.points.at(1).y(), r.O2 / 10.0) ||
        !same(m.RunTimeSeries.points.at(1).y(), r.RunTime) ||
        !same(m.CyclesSeries.points.at(1).y(), r.Cycles))
        __builtin_trap();
    if (!m.Labels.at(0).endsWith(two(hour) + QLatin1Char(':') + two(minute)))
        __builtin_trap();
    return 0;
}
