// The hygienisation overview of a pile: for each temperature/time combination of the
// Biowaste Ordinance the longest continuous period a measurement file shows at or above the
// temperature, for the core sensor and for the coolest of the five sensors. It states what
// the file holds; it gives no legal verdict.
#pragma once

#include <QCoreApplication>
#include <QDateTime>
#include <QList>
#include <QString>
#include <array>

class TMessDaten;

namespace Hygiene {

// One record: when it was stored and its temperatures in °C.
struct Sample {
    QDateTime at;
    double core = 0;   // the sensor at 100 cm ("Kern")
    double lowest = 0; // the coolest of the five sensors
};

struct Requirement {
    int tempC = 0;
    int days = 0;
};

// 55 °C for 14 days, 60 °C for 6 days, 65 °C for 3 days.
inline constexpr std::array<Requirement, 3> Requirements = {{{55, 14}, {60, 6}, {65, 3}}};

// Records further apart than this leave a gap in the evidence: a run does not bridge it.
inline constexpr qint64 MaxGapSeconds = 24 * 3600;

// A continuous period from its first to its last record at or above the temperature.
struct Run {
    bool found = false;
    QDateTime start;
    QDateTime end;
    qint64 seconds = 0;
    bool reached = false; // the period lasted at least the required days
};

struct Result {
    Requirement requirement;
    Run core;
    Run lowest;
};

enum class Sensor { Core, Lowest };

// The longest run of samples whose value is at or above `tempC`. A sample below the
// temperature, a time stamp that goes backwards or a gap of more than MaxGapSeconds ends a
// run; of equally long runs the first counts.
Run LongestRun(const QList<Sample>& samples, Sensor sensor, int tempC, int days);
std::array<Result, 3> Evaluate(const QList<Sample>& samples);

// Every record of the loaded file (never one value per day), temperatures in °C whatever
// the display units. Empty when the file is not valid or a time stamp cannot be read.
QList<Sample> SamplesOf(const TMessDaten& data);

// Texts for the overview and the printout.
class Texts {
    Q_DECLARE_TR_FUNCTIONS(Hygiene)
public:
    static QString title();
    static QString requirement(const Requirement& r);
    static QString sensor(Sensor s);
    static QString duration(const Run& r);
    static QString stamp(const QDateTime& at);
    static QString reached(const Run& r);
    static QString note();
    static QStringList headings();
    // The six cells of one line: requirement, sensor, duration, from, to, reached.
    static QStringList cells(const Result& result, Sensor s);
};

} // namespace Hygiene
