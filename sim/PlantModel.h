// The controllers' side of the plants: operating state, the pile's temperatures and oxygen,
// the fan control of each mode, the controller clock and the stored-record memory.
// Time moves in whole simulated minutes; what happens in a minute depends only on the
// state and the plant's own random stream, so a run is the same however it is sliced.
#pragma once

#include <QDateTime>
#include <QList>
#include <QRandomGenerator>

#include <array>
#include <deque>

namespace sim {

constexpr int kPlantCount = 32;
constexpr int kMemoryCapacity = 1000;
constexpr double kAirO2 = 20.9; // vol%

// One record of the controller memory, in wire units.
struct StoredRecord {
    std::array<int, 5> t{}; // tenths of °C, 100 cm first
    int o2 = 0;             // tenths of vol%
    int mode = 0;
    int aux = 0;
    QDateTime time; // controller clock when stored
    int runTime = 0;
    int cycles = 0;
};

struct PlantState {
    bool present = false;
    bool switchedOn = false;
    bool storing = false;
    int mode = 3; // 0..4 (4 = Steuerbetrieb, entered by the controller itself)
    int storageInterval = 15, intervalOn = 30, intervalOff = 60, o2On = 50, o2Off = 70,
        safetyOn = 10, safetyOff = 20, maxOn = 120, maxOff = 60;

    QDateTime clock; // the controller's own clock (local time, seconds)
    bool fanOn = false;
    int fanStateMinutes = 0; // minutes since the fan last switched
    int runTime = 0;         // minutes of fan-on since the pile started
    int cycles = 0;          // fan switch-ons since the pile started
    std::array<double, 5> temperature{15, 15, 15, 15, 15}; // °C at 100, 75, 50, 25, 0 cm
    double o2 = kAirO2;                                    // vol%
    int aux = 0;                                           // the auxiliary reply value
    qint64 pileAgeMinutes = 0;
    int minutesSinceStored = 0;
    std::deque<StoredRecord> memory; // oldest first, at most kMemoryCapacity
    qint64 overwritten = 0;          // records a full memory gave up for newer ones

    int wireTemperature(int sensor) const; // tenths of °C
    int wireO2() const;                    // tenths of vol%
};

class PlantModel {
public:
    PlantModel();

    void setSeed(quint32 seed);
    PlantState& plant(int address); // 1..32; anything else gives a scratch entry
    const PlantState& plant(int address) const;

    // Moves all controller clocks and plants on by the given simulated seconds.
    void advanceSeconds(qint64 seconds);
    // One simulated minute of one plant (clock not moved).
    void stepMinute(int address);

    // Controller commands that change more than one value.
    void startPile(int address);         // 'F'
    void switchOff(int address);         // 'A'
    void setMode(int address, int mode); // 'o', 'e', 'T', 'q'

    // Brings a running pile to the state it has at the given age, with the records it
    // would have stored over the last `count` intervals (the memory keeps at most 1000).
    void ageRunningPile(int address, qint64 ageMinutes);
    void addStoredRecords(int address, int count);

    // The oldest stored record, taken out of the memory; false when the memory is empty.
    bool takeOldestRecord(int address, StoredRecord* record);

    static double ambientAt(const QDateTime& clock);
    // The temperature the pile's biology drives a sensor towards at that age.
    static double targetTemperature(int sensor, qint64 ageMinutes, double ambient);

private:
    StoredRecord snapshot(const PlantState& p) const;
    void store(PlantState& p, const StoredRecord& r);
    double gauss(int address, double sigma);
    bool fanWanted(PlantState& p);

    std::array<PlantState, kPlantCount + 1> m_plants; // index 0 is the scratch entry
    std::array<QRandomGenerator, kPlantCount + 1> m_rng;
    quint32 m_seed = 1;
    qint64 m_secondOfMinute = 0; // simulated seconds since the last whole minute
};

} // namespace sim
