#include "core/KompUtils.h"

#include "core/Daten.h"

#include <cmath>

namespace KompUtils {

void resetState() {
    PlantCount = MaxPlants;
    DisplayOffset = 0;
    ImperialUnits = false;
    ShowRefDepth = true;
    RefTemp = 55.0;
    MakeRefCaption();
}

int CToF(int c) {
    return c * 9 / 5 + 32;
}

int CmToIn(int cm) {
    return cm * 100 / 254;
}

double CToFReal(double x) {
    return std::trunc(x * 9.0 / 5.0 + 32.0) + 0.1;
}

double FToCReal(double x) {
    return std::trunc((x - 32.0) * 5.0 / 9.0) + 0.1;
}

double CmToInReal(double x) {
    return std::trunc(x / 2.54) + 0.1;
}

int RefDepthFor(int t1, int t2, int t3, int t4, int t5, double refTemp) {
    const int t[6] = {0, t1, t2, t3, t4, t5};
    int k = 1;
    while (k <= 5 && !(double(t[k]) < refTemp))
        ++k;
    if (k > 5)
        return 0;
    if (k == 1)
        return 100;
    // In double: temperatures read from a file may lie anywhere in the int range.
    const double delta = double(t[k - 1]) - double(t[k]);
    if (delta > 0) {
        const double x = (refTemp - t[k]) * 25.0 / delta;
        if (x > 0 && x <= 25)
            return 100 - 25 * (k - 1) + int(std::trunc(x));
    }
    return 100;
}

void CalcRefDepth(MeasurementRecord& r) {
    r.RefDepth = RefDepthFor(r.T1, r.T2, r.T3, r.T4, r.T5, RefTemp);
}

void MakeRefCaption() {
    // Halves go to the even neighbour.
    int n = int(std::nearbyint(RefTemp));
    if (ImperialUnits)
        n = CToF(n);
    RefCaption = QStringLiteral("s ") + QString::number(n) +
                 (ImperialUnits ? QStringLiteral("°F[in]") : QStringLiteral("°C[cm]"));
}

QStringList PlantTabCaptions(int count) {
    QStringList out;
    for (int i = 1; i <= count; ++i)
        out << QString::number(DisplayOffset + i);
    return out;
}

int CountChar(QChar c, const QString& text) {
    return int(text.count(c));
}

int CountChar(char c, const QByteArray& text) {
    return int(text.count(c));
}

bool SplitFirst(QChar sep, QString& text, QString& head) {
    if (text.isEmpty())
        return false;
    const int p = int(text.indexOf(sep));
    if (p >= 0) {
        head = text.left(p);
        text.remove(0, p + 1);
    }
    return true;
}

} // namespace KompUtils
