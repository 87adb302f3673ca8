// The link trace: silent unless switched on with QT_LOGGING_RULES="o2.link.debug=true".
#pragma once

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcLink)
// One line per reply wait with its outcome and how long it took against its time-out, for
// the fault soak: QT_LOGGING_RULES="o2.link.wait.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcWait)
