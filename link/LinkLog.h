// The link trace: silent unless switched on with QT_LOGGING_RULES="o2.link.debug=true".
#pragma once

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcLink)
