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
    switch (sensor) {
    case Sensor::Core:
        return s.core;
    case Sensor::Coldest:
        return s.coldest;
    case Sensor::Surface:
        break;
    }
    return s.surface;
}

} // namespace

const Run& Result::run(Sensor s) const {
    switch (s) {
    case Sensor::Core:
        return core;
    case Sensor::Coldest:
        return coldest;
    case Sensor::Surface:
        break;
    }
    return surface;
}

qint64 GapLimitSeconds(const QList<Sample>& samples) {
    QList<qint64> spacings;
    for (qsizetype k = 1; k < samples.size(); ++k) {
        const qint64 d = samples.at(k - 1).at.secsTo(samples.at(k).at);
        if (d > 0)
            spacings.append(d);
    }
    if (spacings.isEmpty())
        return 0;
    std::sort(spacings.begin(), spacings.end());
    const qsizetype n = spacings.size();
    // Twice the median: the sum of the two middle values when their number is even.
    return n % 2 ? 2 * spacings.at(n / 2) : spacings.at(n / 2 - 1) + spacings.at(n / 2);
}

int CountGaps(const QList<Sample>& samples, qint64 gapLimit) {
    if (gapLimit <= 0)
        return 0;
    int gaps = 0;
    for (qsizetype k = 1; k < samples.size(); ++k)
        if (samples.at(k - 1).at.secsTo(samples.at(k).at) > gapLimit)
            ++gaps;
    return gaps;
}

Run LongestRun(const QList<Sample>& samples, Sensor sensor, int tempC, int days, qint64 gapLimit) {
    Run best;
    Run current;
    const QDateTime* previous = nullptr;
    auto close = [&] {
        if (current.found && (!best.found || current.seconds > best.seconds))
            best = current;
        current = Run();
    };
    for (const Sample& s : samples) {
        if (previous) {
            const qint64 step = previous->secsTo(s.at);
            if (step < 0 || (gapLimit > 0 && step > gapLimit))
                close();
        }
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

Overview Evaluate(const QList<Sample>& samples) {
    Overview out;
    const qint64 gapLimit = GapLimitSeconds(samples);
    out.gaps = CountGaps(samples, gapLimit);
    out.any = !samples.isEmpty();
    for (size_t i = 0; i < Requirements.size(); ++i) {
        const Requirement& r = Requirements[i];
        Result& result = out.results[i];
        result.requirement = r;
        result.core = LongestRun(samples, Sensor::Core, r.tempC, r.days, gapLimit);
        result.coldest = LongestRun(samples, Sensor::Coldest, r.tempC, r.days, gapLimit);
        result.surface = LongestRun(samples, Sensor::Surface, r.tempC, r.days, gapLimit);
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
        s.at = QDateTime(date, time, Qt::UTC);
        double t[5];
        for (int i = 0; i < 5; ++i) {
            double v = 0;
            all.TSeries[size_t(i + 1)].valueAt(k, &v);
            t[i] = v;
        }
        // t[0] is 100 cm deep, t[4] at the surface.
        s.core = t[0];
        s.coldest = *std::min_element(t, t + 4);
        s.surface = t[4];
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

QString Texts::scope(const Requirement& r) {
    return r.closedPlantsOnly ? tr("nur geschlossene Anlagen") : QString();
}

QString Texts::sensor(Sensor s) {
    switch (s) {
    case Sensor::Core:
        return tr("Kern");
    case Sensor::Coldest:
        return tr("kältester Fühler 25–100 cm");
    case Sensor::Surface:
        break;
    }
    return tr("Oberfläche 0 cm (nur Info)");
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

QString Texts::sensorsNote() {
    return tr("Kern: Fühler 100 cm; kältester Fühler: der kälteste der vier Fühler im Material "
              "(25, 50, 75 und 100 cm) zu jedem Messwert; Oberfläche: Fühler 0 cm, nur zur "
              "Information.");
}

QString Texts::gaps(int count) {
    return tr("Lücken in der Aufzeichnung (länger als 2 × Median-Messabstand): %1").arg(count);
}

QStringList Texts::headings() {
    return {tr("Anforderung"), tr("Messstelle"), tr("längste Dauer"),
            tr("von"),         tr("bis"),        tr("erreicht")};
}

QStringList Texts::cells(const Result& result, Sensor s) {
    const Run& r = result.run(s);
    QString first;
    if (s == Sensor::Core)
        first = requirement(result.requirement);
    else if (s == Sensor::Coldest)
        first = scope(result.requirement);
    return {first, sensor(s), duration(r), stamp(r.start), stamp(r.end), reached(r)};
}

} // namespace Hygiene
