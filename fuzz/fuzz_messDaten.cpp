// Arbitrary bytes as a measurement file: loading and filling never crash, and whatever the
// file holds, every series has one point per label plus the placeholder.
#include "evaluation/TMessDaten.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdint>

namespace {

void check(const TMessDaten& m) {
    if (m.Labels.size() != m.PointCount)
        __builtin_trap();
    for (const ChartSeriesData* s : m.AllSeries()) {
        if (s->points.size() != m.PointCount + 1)
            __builtin_trap();
    }
    if (m.LineCount > m.Lines.size())
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("fuzz.CSV"));
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        f.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    TMessDaten m;
    const TMessDaten::LoadResult r = m.LoadFile(path);
    if ((r == TMessDaten::LoadResult::Valid) != m.FileValid)
        __builtin_trap();
    ChartLayout chart;
    m.FillSeries(true, &chart);
    check(m);
    m.FillSeries(false, &chart);
    check(m);
    return 0;
}
