// Window-position routines: where a saved window goes on the current desktop.
#pragma once

#include "core/IniFile.h"

#include <QRect>

namespace Strings {

struct FormPosition {
    int Left = 0;
    int Top = 0;
    int Width = 1024;
    int Height = 768;
    int State = 0; // 0 normal, 1 minimised, 2 maximised
};

// The saved position of `section`, fitted to a desktop of the given size (a window wider or
// higher than the desktop shrinks to it; one beyond the right or lower edge is moved back;
// negative positions stay). False when the section is absent.
bool ReadFormPosition(const IniFile& file, const QString& section, const QSize& desktop,
                      FormPosition* pos);
// Failures to write are ignored, as for any window position.
void WriteFormPosition(IniFile& file, const QString& section, const FormPosition& pos);

} // namespace Strings
