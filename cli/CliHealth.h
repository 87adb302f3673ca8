// health [--json]: every running pile's last readout judged from the settings file and the
// measurement files alone, for a monitoring check or a timer. No link is opened.
#pragma once

#include <QStringList>
#include <QTextStream>

namespace Cli {

// Exit codes of health beside Ok: a pile is late, a pile is urgent.
enum HealthCode { HealthLate = 1, HealthUrgent = 4 };

int Health(const QStringList& args, bool json, QTextStream& out, QTextStream& err);

} // namespace Cli
