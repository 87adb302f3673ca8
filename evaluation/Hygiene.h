// The hygienisation overview of a pile: for each temperature/time combination of the
// Biowaste Ordinance the longest continuous period a measurement file shows at or above the
// temperature, for the core sensor, for the coldest of the four sensors inside the material
// and, for information, for the surface sensor. It states what the file holds; it gives no
// legal verdict.
#pragma once

#include <QCoreApplication>
#include <QDateTime>
#include <QList>
#include <QString>
#include <array>

class TMessDaten;

namespace Hygiene {

// One record: its time stamp and its temperatures in °C. The time stamp is the controller's
// clock reading held as a UTC date-time, so that differences between two readings never
// contain a change of the PC's daylight-saving offset.
struct Sample {
    QDateTime at;
    double core = 0;    // the sensor at 100 cm ("Kern")
    double coldest = 0; // the coldest of the sensors at 25, 50, 75 and 100 cm
    double surface = 0; // the sensor at 0 cm
};

struct Requirement {
    int tempC = 0;
    int days = 0;
    bool closedPlantsOnly = false;
};

// 55 °C for 14 days, 65 °C for 7 days, and in closed plants only 60 °C for 7 days.
inline constexpr std::array<Requirement, 3> Requirements = {
    {{55, 14, false}, {65, 7, false}, {60, 7, true}}};

enum class Sensor { Core, Coldest, Surface };
inline constexpr std::array<Sensor, 3> Sensors = {Sensor::Core, Sensor::Coldest, Sensor::Surface};

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
    Run coldest;
    Run surface;
    const Run& run(Sensor s) const;
};

struct Overview {
    std::array<Result, 3> results{};
    int gaps = 0;     // holes in the record longer than GapLimitSeconds()
    bool any = false; // the file gave at least one readable record
};

// Twice the median spacing of the records (only spacings forward in time count); 0 when
// there are fewer than two records in time order. A longer spacing is a hole in the record.
qint64 GapLimitSeconds(const QList<Sample>& samples);
// The number of spacings forward in time longer than `gapLimit` (none when it is 0).
int CountGaps(const QList<Sample>& samples, qint64 gapLimit);

// The longest run of samples whose value is at or above `tempC`. A sample below the
// temperature, a time stamp that goes backwards or a spacing longer than `gapLimit` ends a
// run, and the time across such a spacing never counts; of equally long runs the first
// counts.
Run LongestRun(const QList<Sample>& samples, Sensor sensor, int tempC, int days, qint64 gapLimit);
Overview Evaluate(const QList<Sample>& samples);

// Every record of the loaded file (never one value per day), temperatures in °C whatever
// the display units. Empty when the file is not valid or a time stamp cannot be read.
QList<Sample> SamplesOf(const TMessDaten& data);

// Texts for the overview, the printout and the command-line tool.
class Texts {
    Q_DECLARE_TR_FUNCTIONS(Hygiene)
public:
    static QString title();
    static QString requirement(const Requirement& r);
    // "nur geschlossene Anlagen" for a combination that applies to closed plants only.
    static QString scope(const Requirement& r);
    static QString sensor(Sensor s);
    static QString duration(const Run& r);
    static QString stamp(const QDateTime& at);
    static QString reached(const Run& r);
    static QString note();
    static QString sensorsNote();
    static QString gaps(int count);
    static QStringList headings();
    // The six cells of one line: requirement, sensor, duration, from, to, reached. The
    // requirement stands on a combination's core line, its scope on the line below.
    static QStringList cells(const Result& result, Sensor s);
};

} // namespace Hygiene
