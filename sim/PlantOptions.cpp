#include "sim/PlantOptions.h"

#include "sim/Simulator.h"

#include <QStringList>

namespace sim {

bool parseAddressList(const QString& text, QList<int>* addresses, QString* error) {
    addresses->clear();
    for (const QString& part : text.split(QLatin1Char(','))) {
        const QStringList ends = part.trimmed().split(QLatin1Char('-'));
        bool ok1 = false, ok2 = false;
        const int from = ends.value(0).toInt(&ok1);
        const int to = ends.size() == 2 ? ends.value(1).toInt(&ok2) : from;
        if (ends.size() == 1)
            ok2 = ok1;
        if (!ok1 || !ok2 || ends.size() > 2 || from < 1 || to > kPlantCount || from > to) {
            *error = QStringLiteral("bad plant address list '%1' (1..32)").arg(text);
            return false;
        }
        for (int a = from; a <= to; ++a)
            if (!addresses->contains(a))
                addresses->append(a);
    }
    return true;
}

bool applyPlantOption(Simulator& sim, const QString& option, QString* error) {
    const qsizetype colon = option.indexOf(QLatin1Char(':'));
    QList<int> addresses;
    if (!parseAddressList(option.left(colon < 0 ? option.size() : colon), &addresses, error))
        return false;
    bool on = true, storing = false;
    int mode = -1, records = 0, interval = 0;
    double ageDays = -1;
    const QString words = colon < 0 ? QString() : option.mid(colon + 1);
    for (const QString& raw : words.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString w = raw.trimmed();
        const QString key = w.section(QLatin1Char('='), 0, 0);
        const QString value = w.section(QLatin1Char('='), 1);
        auto number = [&value](int lo, int hi, int* out) {
            bool ok = false;
            *out = value.toInt(&ok);
            return ok && *out >= lo && *out <= hi;
        };
        bool ok = true;
        if (w == QLatin1String("on")) {
            on = true;
        } else if (w == QLatin1String("off")) {
            on = false;
        } else if (w == QLatin1String("storing")) {
            storing = true;
        } else if (key == QLatin1String("mode")) {
            ok = number(0, 4, &mode);
        } else if (key == QLatin1String("records")) {
            ok = number(0, kMemoryCapacity, &records);
        } else if (key == QLatin1String("interval")) {
            ok = number(1, 1440, &interval);
        } else if (key == QLatin1String("age")) {
            ageDays = value.toDouble(&ok);
            ok = ok && ageDays >= 0 && ageDays <= 3650;
        } else {
            ok = false;
        }
        if (!ok) {
            *error = QStringLiteral("bad plant word '%1' in '%2'").arg(w, option);
            return false;
        }
    }
    for (int a : addresses) {
        PlantState& p = sim.plant(a);
        p.present = true;
        p.switchedOn = on;
        p.storing = storing;
        if (mode >= 0)
            p.mode = mode;
        if (interval > 0)
            p.storageInterval = interval;
        if (on) {
            // A pile with a memory full of records has been running at least that long.
            const qint64 age = std::max<qint64>(ageDays < 0 ? 0 : qint64(ageDays * 24 * 60),
                                                qint64(records) * p.storageInterval);
            sim.setPileAge(a, age);
        } else {
            p.temperature.fill(PlantModel::ambientAt(p.clock)); // long cooled down
        }
        sim.addStoredRecords(a, records);
    }
    return true;
}

bool applyRunningPlants(Simulator& sim, const QString& addresses, QString* error) {
    QList<int> list;
    if (!parseAddressList(addresses, &list, error))
        return false;
    for (int a : list)
        if (!applyPlantOption(sim, QStringLiteral("%1:on,storing").arg(a), error))
            return false;
    return true;
}

} // namespace sim
