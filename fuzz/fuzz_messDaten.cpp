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

// Loads and fills the file twice, in both modes; false when it could not be written.
bool run(const QString& path, const QByteArray& bytes) {
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return false;
        f.write(bytes);
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
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("fuzz.CSV"));
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    // As a whole file, and as the record lines of a file whose header is recognised, so
    // that the record reading sees every input too, not only the few with a valid header.
    static const QByteArray header = "T\r\n2\r\n3\r\n\r\nAnlagen- Name: F\r\nDatei  - Name: f\r\n"
                                     "K\r\nErste Datensicherung : 01.01.2026\r\n ;x\r\n1;";
    if (run(path, bytes))
        run(path, header + bytes);
    return 0;
}
