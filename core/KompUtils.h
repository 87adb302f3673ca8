// Display settings of the PC program, the unit conversions for screen and paper, and the
// reference-depth rule applied to every decoded measurement record.
#pragma once

#include <QString>
#include <QStringList>

struct MeasurementRecord;

namespace KompUtils {

inline constexpr int MaxPlants = 32;

// Display settings, program-wide; loaded at start-up, changed by the PC setup dialog.
inline int PlantCount = MaxPlants;
inline int DisplayOffset = 0; // address a is shown as a + DisplayOffset
inline bool ImperialUnits = false;
inline bool ShowRefDepth = true;
inline double RefTemp = 55.0;
inline QString RefCaption = QStringLiteral("s 55°C[cm]");

void resetState();

int CToF(int c);
int CmToIn(int cm);
double CToFReal(double x);
double FToCReal(double x);
double CmToInReal(double x);

// Reference depth in cm for the five temperatures T1 (100 cm) .. T5 (0 cm).
int RefDepthFor(int t1, int t2, int t3, int t4, int t5, double refTemp);
void CalcRefDepth(MeasurementRecord& record);
void MakeRefCaption();

// Captions of the plant tabs: DisplayOffset + 1 .. DisplayOffset + count.
QStringList PlantTabCaptions(int count);
// The number shown for plant address a.
inline int DisplayNumber(int address) { return address + DisplayOffset; }

int CountChar(QChar c, const QString& text);
int CountChar(char c, const QByteArray& text);
bool SplitFirst(QChar sep, QString& text, QString& head);

} // namespace KompUtils
