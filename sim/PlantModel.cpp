#include "sim/PlantModel.h"

#include <QtMath>

#include <algorithm>
#include <cmath>

namespace sim {

namespace {
constexpr double kMinutesPerDay = 24 * 60;
// The deeper in the pile, the better insulated and the hotter it gets (°C at the peak).
constexpr std::array<double, 4> kPeak{67.0, 64.0, 60.0, 50.0};
constexpr double kSurfaceRise = 4.0; // the surface sensor stays within a few degrees of the air
// Minutes a sensor needs to follow its target: the deep compost is well insulated, the
// surface sensor sits almost in the air.
constexpr std::array<double, 5> kHeatTimeConstant{360.0, 300.0, 240.0, 180.0, 60.0};
constexpr double kCoolTimeConstant = kMinutesPerDay; // an ended pile cools slowly

// Biological activity over the pile's life: it ramps up over the first days and fades
// once the easily degradable matter is used up.
double activity(qint64 ageMinutes) {
    const double days = double(ageMinutes) / kMinutesPerDay;
    const double rise = 1.0 - std::exp(-days / 1.2);
    const double fade = days < 14 ? 1.0 : std::exp(-(days - 14) / 30.0);
    return rise * fade;
}
double consumption(qint64 ageMinutes) {
    // Fresh material breathes hardest (vol% per minute): a new pile draws the air down
    // from 20.9 % within the first hour, well inside the longest fan off-time.
    const double days = double(ageMinutes) / kMinutesPerDay;
    const double fade = days < 14 ? 1.0 : std::max(0.05, std::exp(-(days - 14) / 30.0));
    return 0.4 * fade;
}
} // namespace

int PlantState::wireTemperature(int sensor) const {
    return qRound(temperature.at(std::clamp(sensor, 0, 4)) * 10);
}
int PlantState::wireO2() const {
    return qRound(o2 * 10);
}

PlantModel::PlantModel() {
    setSeed(1);
}

void PlantModel::setSeed(quint32 seed) {
    m_seed = seed;
    for (int i = 0; i <= kPlantCount; ++i)
        m_rng[i].seed(seed * 2654435761u + quint32(i) * 40503u + 1u);
}

PlantState& PlantModel::plant(int address) {
    if (address < 1 || address > kPlantCount) {
        m_plants[0] = PlantState();
        return m_plants[0];
    }
    return m_plants[address];
}
const PlantState& PlantModel::plant(int address) const {
    return m_plants[(address < 1 || address > kPlantCount) ? 0 : address];
}

double PlantModel::ambientAt(const QDateTime& clock) {
    if (!clock.isValid())
        return 12.0;
    const double hours = clock.time().msecsSinceStartOfDay() / 3600000.0;
    return 12.0 + 4.0 * std::sin(2 * M_PI * (hours - 9.0) / 24.0);
}

double PlantModel::targetTemperature(int sensor, qint64 ageMinutes, double ambient) {
    const double a = activity(ageMinutes);
    if (sensor >= 4)
        return ambient + kSurfaceRise * a;
    return ambient + (kPeak.at(std::max(sensor, 0)) - ambient) * a;
}

double PlantModel::gauss(int address, double sigma) {
    QRandomGenerator& g = m_rng[address];
    const double u1 = 1.0 - g.generateDouble();
    const double u2 = g.generateDouble();
    return sigma * std::sqrt(-2.0 * std::log(u1)) * std::cos(2 * M_PI * u2);
}

void PlantModel::advanceSeconds(qint64 seconds) {
    while (seconds > 0) {
        const qint64 toBoundary = 60 - m_secondOfMinute;
        const qint64 chunk = std::min(seconds, toBoundary);
        for (int a = 1; a <= kPlantCount; ++a)
            if (m_plants[a].clock.isValid())
                m_plants[a].clock = m_plants[a].clock.addSecs(chunk);
        seconds -= chunk;
        m_secondOfMinute += chunk;
        if (m_secondOfMinute == 60) {
            m_secondOfMinute = 0;
            for (int a = 1; a <= kPlantCount; ++a)
                stepMinute(a);
        }
    }
}

bool PlantModel::fanWanted(PlantState& p) {
    switch (p.mode) {
    case 0:
        return false;
    case 1:
        return true;
    case 2:
        return p.fanOn ? p.fanStateMinutes < p.intervalOn : p.fanStateMinutes >= p.intervalOff;
    case 3:
        if (!p.fanOn && p.wireO2() < p.o2On)
            return true;
        if (p.fanOn && p.wireO2() > p.o2Off)
            return false;
        return p.fanOn;
    case 4:
        return p.fanOn ? p.fanStateMinutes < p.safetyOn : p.fanStateMinutes >= p.safetyOff;
    default:
        return false;
    }
}

void PlantModel::stepMinute(int address) {
    PlantState& p = plant(address);
    if (!p.present)
        return;
    const double ambient = ambientAt(p.clock);
    if (p.switchedOn) {
        const bool want = fanWanted(p);
        if (want != p.fanOn) {
            p.fanOn = want;
            p.fanStateMinutes = 0;
            if (want)
                ++p.cycles;
        }
        // Starved of oxygen the microbes slow down, and a running fan carries heat away.
        const double aerobic = 0.6 + 0.4 * std::min(1.0, p.o2 / 6.0);
        for (int s = 0; s < 5; ++s) {
            double& t = p.temperature[s];
            const double target =
                ambient + (targetTemperature(s, p.pileAgeMinutes, ambient) - ambient) * aerobic;
            t += (target - t) / kHeatTimeConstant[s] + gauss(address, 0.03);
            if (p.fanOn)
                t -= 0.0005 * std::max(0.0, t - ambient) * (5 - s) / 5.0;
        }
        if (p.fanOn)
            p.o2 += (kAirO2 - p.o2) * 0.15;
        else
            p.o2 -= consumption(p.pileAgeMinutes);
        p.o2 = std::clamp(p.o2 + gauss(address, 0.02), 0.3, kAirO2);

        if (p.fanOn)
            ++p.runTime;
        ++p.fanStateMinutes;
        ++p.pileAgeMinutes;

        // The controller's own watchdog of its O2 control: a fan that never stops or never
        // starts means a sensor it cannot trust, so it falls back to fixed times.
        if (p.mode == 3 && ((p.fanOn && p.fanStateMinutes > p.maxOn) ||
                            (!p.fanOn && p.fanStateMinutes > p.maxOff))) {
            p.mode = 4;
            p.fanStateMinutes = p.fanOn ? p.safetyOn : p.safetyOff; // switch at the next minute
        }
    } else {
        p.fanOn = false;
        for (int s = 0; s < 5; ++s) {
            double& t = p.temperature[s];
            t += (ambient - t) / kCoolTimeConstant + gauss(address, 0.02);
        }
        p.o2 = std::clamp(p.o2 + (kAirO2 - p.o2) * 0.01 + gauss(address, 0.02), 0.3, kAirO2);
    }
    if (p.storing && ++p.minutesSinceStored >= std::max(1, p.storageInterval)) {
        p.minutesSinceStored = 0;
        store(p, snapshot(p));
    }
}

StoredRecord PlantModel::snapshot(const PlantState& p) const {
    StoredRecord r;
    for (int s = 0; s < 5; ++s)
        r.t[s] = p.wireTemperature(s);
    r.o2 = p.wireO2();
    r.mode = p.mode;
    r.aux = p.aux;
    r.time = p.clock;
    r.runTime = p.runTime;
    r.cycles = p.cycles;
    return r;
}

void PlantModel::store(PlantState& p, const StoredRecord& r) {
    // A full memory gives up its oldest record: the newest values matter most.
    p.memory.push_back(r);
    while (p.memory.size() > size_t(kMemoryCapacity)) {
        p.memory.pop_front();
        ++p.overwritten;
    }
}

void PlantModel::startPile(int address) {
    PlantState& p = plant(address);
    const double ambient = ambientAt(p.clock);
    p.switchedOn = true;
    p.storing = true;
    p.memory.clear();
    p.runTime = 0;
    p.cycles = 0;
    p.fanOn = false;
    p.fanStateMinutes = 0;
    p.pileAgeMinutes = 0;
    p.minutesSinceStored = 0;
    p.o2 = kAirO2;
    if (p.mode == 4)
        p.mode = 3;
    // Freshly stacked material is a little warmer than the air, but far from hot.
    for (int s = 0; s < 5; ++s)
        p.temperature[s] = ambient + (s < 4 ? 3.0 : 1.0) + gauss(address, 0.3);
}

void PlantModel::switchOff(int address) {
    PlantState& p = plant(address);
    p.switchedOn = false;
    p.storing = false;
    p.fanOn = false;
    p.fanStateMinutes = 0;
}

void PlantModel::setMode(int address, int mode) {
    PlantState& p = plant(address);
    p.mode = mode;
    // Timed modes begin with their on-phase; the manual modes act at once.
    if (mode == 2) {
        p.fanOn = false;
        p.fanStateMinutes = p.intervalOff;
    }
    if (p.switchedOn && (mode == 0 || mode == 1) && p.fanOn != (mode == 1)) {
        p.fanOn = mode == 1;
        p.fanStateMinutes = 0;
        if (p.fanOn)
            ++p.cycles;
    }
    if (!p.switchedOn)
        p.fanOn = false;
}

void PlantModel::ageRunningPile(int address, qint64 ageMinutes) {
    PlantState& p = plant(address);
    const double ambient = ambientAt(p.clock);
    p.pileAgeMinutes = std::max<qint64>(0, ageMinutes);
    for (int s = 0; s < 5; ++s)
        p.temperature[s] = targetTemperature(s, p.pileAgeMinutes, ambient) + gauss(address, 0.3);
    p.o2 = std::clamp((p.o2On + p.o2Off) / 20.0, 0.3, kAirO2);
    // About one switch-on in seven minutes under O2 control, each running a minute or so.
    p.runTime = int(p.pileAgeMinutes / 6);
    p.cycles = int(p.pileAgeMinutes / 7);
    p.fanOn = false;
    p.fanStateMinutes = 0;
}

void PlantModel::addStoredRecords(int address, int count) {
    PlantState& p = plant(address);
    count = std::clamp(count, 0, kMemoryCapacity);
    const int interval = std::max(1, p.storageInterval);
    for (int k = count; k >= 1; --k) {
        const qint64 back = qint64(k) * interval;
        const qint64 age = std::max<qint64>(0, p.pileAgeMinutes - back);
        const double share = p.pileAgeMinutes > 0 ? double(age) / p.pileAgeMinutes : 0.0;
        StoredRecord r;
        r.time = p.clock.isValid() ? p.clock.addSecs(-back * 60) : p.clock;
        const double ambient = ambientAt(r.time);
        for (int s = 0; s < 5; ++s)
            r.t[s] = qRound((targetTemperature(s, age, ambient) + gauss(address, 0.3)) * 10);
        r.o2 = std::clamp(int(p.o2On + (p.o2Off - p.o2On) * m_rng[address].generateDouble() + 0.5),
                          3, 209);
        r.mode = p.mode;
        r.aux = p.aux;
        r.runTime = int(p.runTime * share);
        r.cycles = int(p.cycles * share);
        store(p, r);
    }
}

bool PlantModel::takeOldestRecord(int address, StoredRecord* record) {
    PlantState& p = plant(address);
    if (p.memory.empty())
        return false;
    *record = p.memory.front();
    p.memory.pop_front();
    return true;
}

} // namespace sim
