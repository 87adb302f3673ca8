#include "core/Regional.h"

#include <QRegularExpression>
#include <optional>

namespace Regional {

namespace {

std::optional<QLocale>& overrideLocale() {
    static std::optional<QLocale> loc;
    return loc;
}

bool isNoLocale(const QLocale& loc) {
    return loc.language() == QLocale::C;
}

QChar firstNonLetter(const QString& format, QChar fallback) {
    for (QChar c : format) {
        if (!c.isLetter() && !c.isSpace() && c != QLatin1Char('\''))
            return c;
    }
    return fallback;
}

} // namespace

QLocale effectiveLocale() {
    if (overrideLocale())
        return *overrideLocale();
    QLocale sys = QLocale::system();
    if (isNoLocale(sys))
        return QLocale(QLocale::German, QLocale::Germany);
    return sys;
}

void setLocaleOverride(const QLocale& locale) {
    overrideLocale() = isNoLocale(locale) ? QLocale(QLocale::German, QLocale::Germany) : locale;
}

void clearLocaleOverride() {
    overrideLocale().reset();
}

QString shortDateFormat() {
    QString fmt = effectiveLocale().dateFormat(QLocale::ShortFormat);
    // Widen a two-digit year to four digits; a format that already has four stays.
    static const QRegularExpression twoDigitYear(QStringLiteral("(?<!y)yy(?!y)"));
    fmt.replace(twoDigitYear, QStringLiteral("yyyy"));
    return fmt;
}

QChar dateSeparator() {
    return firstNonLetter(shortDateFormat(), QLatin1Char('.'));
}

QChar timeSeparator() {
    return firstNonLetter(effectiveLocale().timeFormat(QLocale::ShortFormat), QLatin1Char(':'));
}

QChar decimalSeparator() {
    const QString sep = effectiveLocale().decimalPoint();
    return sep.isEmpty() ? QLatin1Char(',') : sep.at(0);
}

QString formatDate(const QDate& date) {
    return QLocale::c().toString(date, shortDateFormat());
}

QString formatTime(const QTime& time) {
    const auto two = [](int v) { return QString::number(v).rightJustified(2, QLatin1Char('0')); };
    const QString sep(timeSeparator());
    return two(time.hour()) + sep + two(time.minute()) + sep + two(time.second());
}

QString formatReal(double value, int decimals) {
    QString text = decimals < 0 ? QString::number(value, 'g', 15)
                                : QString::number(value, 'f', decimals);
    text.replace(QLatin1Char('.'), decimalSeparator());
    return text;
}

bool parseReal(const QString& text, double* value) {
    QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    static const QRegularExpression number(
        QStringLiteral("^[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][+-]?[0-9]+)?$"));
    if (!number.match(t).hasMatch())
        return false;
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok)
        return false;
    *value = v;
    return true;
}

} // namespace Regional
