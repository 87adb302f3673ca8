// The window side of a readout: the busy window over the window that runs it, and the
// messages as information boxes.
#pragma once

#include "storage/Readout.h"

#include <functional>

class QWidget;

// Progress through TFAktiv::instance() (nothing when there is none) placed over `form`,
// messages through Messages::information with `form` as parent, panel 3 through `setPanel3`.
Readout::View MakeReadoutView(QWidget* form, std::function<void(const QString&)> setPanel3);
