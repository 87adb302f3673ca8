#include "evaluation/Hygiene.h"

#include "core/KompUtils.h"
#include "core/Regional.h"
#include "evaluation/TMessDaten.h"

#include <QLocale>
#include <algorithm>
#include <cmath>

namespace Hygiene {

namespace {

bool atOrAbove(double value, int tempC) {
    return value >= tempC;
}

double valueOf(const Sample& s, Sensor sensor) {
    return sensor == Sensor::Core ? s.core : s.lowest;
}

} // namespace

Run LongestRun(const QList<Sample>& samples, Sensor sensor, int tempC, int days) {
    Run best;
    Run current;
    const QDateTime* previous = nullptr;
    auto close = [&] {
        if (current.found && (!best.found || current.seconds > best.seconds))
            best = current;
        current = Run();
    };
    for (const Sample& s : samples) {
        const bool broken =
            previous && (s.at < *previous || previous->secsTo(s.at) > MaxGapSeconds);
        if (broken)
            close();
        if (!atOrAbove(valueOf(s, sensor), tempC)) {
            close();
        } else {
            if (!current.found) {
                current.found = true;
                current.start = s.at;
            }
            current.end = s.at;
            current.seconds = current.start.secsTo(current.end);
        }
        previous = &s.at;
    }
    close();
    best.reached = best.found && best.seconds >= qint64(days) * 24 * 3600;
    return best;
}

std::array<Result, 3> Evaluate(const QList<Sample>& samples) {
    std::array<Result, 3> out;
    for (size_t i = 0; i < Requirements.size(); ++i) {
        const Requirement& r = Requirements[i];
        out[i].requirement = r;
        out[i].core = LongestRun(samples, Sensor::Core, r.tempC, r.days);
        out[i].lowest = LongestRun(samples, Sensor::Lowest, r.tempC, r.days);
    }
    return out;
}

QList<Sample> SamplesOf(const TMessDaten& data) {
    if (!data.FileValid)
        return {};
    // A copy: the window's own series keep what its last report showed. Filled in °C: the
    // series in °F are truncated to whole degrees and would not give the readings back.
    TMessDaten all = data;
    const bool imperial = KompUtils::ImperialUnits;
    KompUtils::ImperialUnits = false;
    const bool filled = all.FillSeries(false, nullptr);
    KompUtils::ImperialUnits = imperial;
    if (!filled)
        return {};
    const QString dateFormat = Regional::shortDateFormat();
    const QLocale c = QLocale::c();
    QList<Sample> out;
    out.reserve(all.PointCount);
    for (int k = 1; k <= all.PointCount && k - 1 < all.Labels.size(); ++k) {
        // A label is the date, two blanks and hh<sep>mm.
        const QString& label = all.Labels.at(k - 1);
        const qsizetype gap = label.lastIndexOf(QStringLiteral("  "));
        if (gap < 0)
            continue;
        const QDate date = c.toDate(label.left(gap), dateFormat);
        const QString hm = label.mid(gap + 2);
        const QTime time(hm.left(2).toInt(), hm.right(2).toInt());
        if (!date.isValid() || !time.isValid())
            continue;
        Sample s;
        s.at = QDateTime(date, time);
        double t[5];
        for (int i = 0; i < 5; ++i) {
            double v = 0;
            all.TSeries[size_t(i + 1)].valueAt(k, &v);
            t[i] = v;
        }
        s.core = t[0];
        s.lowest = *std::min_element(std::begin(t), std::end(t));
        out.append(s);
    }
    return out;
}

QString Texts::title() {
    return tr("Hygienisierung (Temperatur und Dauer nach Bioabfallverordnung)");
}

QString Texts::requirement(const Requirement& r) {
    return tr("%1 °C / %2 Tage").arg(r.tempC).arg(r.days);
}

QString Texts::sensor(Sensor s) {
    return s == Sensor::Core ? tr("Kern") : tr("kältester Fühler");
}

QString Texts::duration(const Run& r) {
    if (!r.found)
        return tr("nie");
    return tr("%1 Tage").arg(Regional::formatReal(std::floor(r.seconds / 8640.0) / 10.0, 1));
}

QString Texts::stamp(const QDateTime& at) {
    if (!at.isValid())
        return QStringLiteral("--");
    return Regional::formatDate(at.date()) + QStringLiteral("  ") +
           at.time().toString(QStringLiteral("hh")) + Regional::timeSeparator() +
           at.time().toString(QStringLiteral("mm"));
}

QString Texts::reached(const Run& r) {
    return r.reached ? tr("ja") : tr("nein");
}

QString Texts::note() {
    return tr("Angaben aus der Messdatei (alle Messwerte), keine rechtliche Bewertung.");
}

QStringList Texts::headings() {
    return {tr("Anforderung"), tr("Messstelle"), tr("längste Dauer"),
            tr("von"),         tr("bis"),        tr("erreicht")};
}

QStringList Texts::cells(const Result& result, Sensor s) {
    const Run& r = s == Sensor::Core ? result.core : result.lowest;
    return {requirement(result.requirement),
            sensor(s),
            duration(r),
            stamp(r.start),
            stamp(r.end),
            reached(r)};
}

} // namespace Hygiene
