// Regional conventions (short date, time separator, decimal separator) as the files and
// printouts use them. The C/POSIX locale counts as none: German conventions apply then.
#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <QTime>

namespace Regional {

// Short date format in Qt notation ("dd.MM.yyyy"); a two-digit year is widened to four.
QString shortDateFormat();
QChar dateSeparator();
QChar timeSeparator();
QChar decimalSeparator();

QString formatDate(const QDate& date);
// hh<sep>mm<sep>ss
QString formatTime(const QTime& time);

// A real with the regional decimal separator; `decimals` < 0 gives the shortest exact text.
QString formatReal(double value, int decimals = -1);
// Accepts ',' and '.' as decimal separator, surrounding blanks allowed.
bool parseReal(const QString& text, double* value);

// Tests pin the conventions (the C locale stands for "none", as on a real system).
void setLocaleOverride(const QLocale& locale);
void clearLocaleOverride();
QLocale effectiveLocale();

} // namespace Regional
