// Measurement files for the viewer tests: the nine-line header of the current layout and
// one record line every few hours, with the temperatures a test asks for.
#pragma once

#include <QDateTime>
#include <QFile>
#include <QStringList>
#include <functional>

namespace Fixture {

struct Temps {
    int t[5] = {56, 56, 56, 56, 56}; // 100 cm .. 0 cm
    bool skip = false;               // no record at this time
};

inline QStringList header(const QString& plant = QStringLiteral("Miete7")) {
    return {QStringLiteral("Kompostwerk Süd"),
            QStringLiteral("Zweite Zeile"),
            QStringLiteral("Dritte Zeile"),
            QString(),
            QStringLiteral("Anlagen- Name: ") + plant,
            QStringLiteral("Datei  - Name: /daten/") + plant + QStringLiteral("_01-03-2026.CSV"),
            QStringLiteral("Testmiete"),
            QStringLiteral("Erste Datensicherung : 01.03.2026"),
            QStringLiteral(" ;Speicherzeit;T5;T4;T3;T2;T1;RefMarke; O2[vol%];Betriebsart;"
                           "Luefterlaufzeit;LuefterZyklen")};
}

inline QString stamp(const QDateTime& at) {
    return at.toString(QStringLiteral("dd.MM.yyyy  hh:mm"));
}

inline QString line(int n, const QDateTime& at, const Temps& v, const QString& o2 = "20,9") {
    QString s = QString::number(n) + QLatin1Char(';') + stamp(at) + QLatin1Char(';');
    for (int t : v.t)
        s += QStringLiteral("%1;").arg(t, 5);
    return s + QStringLiteral("   36; ") + o2 + QStringLiteral(";3;  125;   48;");
}

// Records every `stepHours` from 01.03.2026 00:00 for `hours` hours (both ends included);
// `at` gives the temperatures of the record `h` hours after the start.
inline QStringList records(int hours, int stepHours, const std::function<Temps(int h)>& at) {
    const QDateTime start(QDate(2026, 3, 1), QTime(0, 0));
    QStringList out;
    int n = 0;
    for (int h = 0; h <= hours; h += stepHours) {
        const Temps v = at(h);
        if (!v.skip)
            out << line(++n, start.addSecs(qint64(h) * 3600), v);
    }
    return out;
}

inline bool write(const QString& path, const QStringList& lines) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    QByteArray bytes;
    for (const QString& l : lines)
        bytes += l.toLatin1() + "\r\n";
    return f.write(bytes) == bytes.size();
}

} // namespace Fixture
