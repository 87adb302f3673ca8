#include "evaluation/TMessDaten.h"

#include "core/KompUtils.h"
#include "core/Regional.h"
#include "core/Win1252.h"

#include <QDateTime>
#include <QFile>
#include <algorithm>
#include <cmath>
#include <limits>

using KompUtils::CountChar;
using KompUtils::SplitFirst;

bool ChartSeriesData::valueAt(int position, double* y) const {
    if (position < 0 || position >= points.size())
        return false;
    *y = points.at(position).y();
    return true;
}

void ChartLayout::setAxisRange(Axis a, double min, double max) {
    AxisLayout& x = axes[size_t(a)];
    x.min = min;
    x.max = max;
    x.autoMaximum = false;
}

void ChartLayout::setAxisAutoMaximum(Axis a, double min) {
    AxisLayout& x = axes[size_t(a)];
    x.min = min;
    x.autoMaximum = true;
}

void ChartLayout::setAxisMaximum(Axis a, double max) {
    AxisLayout& x = axes[size_t(a)];
    x.max = max;
    x.autoMaximum = false;
}

namespace {

// The next field of `rest` up to `sep`. A last field without its closing separator counts
// as a field too, so a short or unterminated line yields its values and then "no field"
// for everything missing, never the value of an earlier field. Views, not copies: a file
// of many years' records is read line by line without allocating per field.
bool takeField(QChar sep, QStringView& rest, QStringView& field) {
    if (rest.isEmpty())
        return false;
    // Fields are a few characters long: a plain scan beats a vectorised search here.
    qsizetype p = 0;
    const qsizetype n = rest.size();
    while (p < n && rest[p] != sep)
        ++p;
    if (p == n) {
        field = rest;
        rest = QStringView();
        return true;
    }
    field = rest.left(p);
    rest = rest.mid(p + 1);
    return true;
}

// The text after the first colon; a line without a colon is taken whole.
QString afterColon(const QString& line) {
    QString rest = line;
    QString head;
    SplitFirst(QLatin1Char(':'), rest, head);
    return rest;
}

// The record number of a line: the text before its first ';', or nothing without one.
bool firstFieldIsOne(const QString& line) {
    const int p = int(line.indexOf(QLatin1Char(';')));
    return p >= 0 && QStringView(line).left(p) == QLatin1String("1");
}

// Position of `c` in `t` from `from` on, or -1. The texts here are a few characters long,
// where a plain scan beats the vectorised search.
qsizetype find(QStringView t, QChar c, qsizetype from = 0) {
    for (qsizetype i = from; i < t.size(); ++i) {
        if (t[i] == c)
            return i;
    }
    return -1;
}

// Blanks off both ends.
QStringView trim(QStringView t) {
    qsizetype b = 0;
    qsizetype e = t.size();
    while (b < e && t[b].isSpace())
        ++b;
    while (e > b && t[e - 1].isSpace())
        --e;
    return t.mid(b, e - b);
}

// The value of 1..maxLen decimal digits, or -1.
int digitsValue(QStringView t, int maxLen) {
    if (t.isEmpty() || t.size() > maxLen)
        return -1;
    int v = 0;
    for (QChar c : t) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return -1;
        v = v * 10 + (c.unicode() - '0');
    }
    return v;
}

// day.month.year with '.' whatever the regional settings; a year of one or two digits lies
// within 50 years before and 49 years after the current year.
bool parseDate(QStringView text, QDate* out) {
    const qsizetype p1 = find(text, QLatin1Char('.'));
    const qsizetype p2 = p1 < 0 ? -1 : find(text, QLatin1Char('.'), p1 + 1);
    if (p2 < 0 || find(text, QLatin1Char('.'), p2 + 1) >= 0)
        return false;
    const int day = digitsValue(text.left(p1), 2);
    const int month = digitsValue(text.mid(p1 + 1, p2 - p1 - 1), 2);
    const QStringView yearText = text.mid(p2 + 1);
    int year = digitsValue(yearText, 4);
    if (day < 0 || month < 0 || year < 0)
        return false;
    if (yearText.size() <= 2) {
        const int now = QDate::currentDate().year();
        year += now / 100 * 100;
        if (year < now - 50)
            year += 100;
        else if (year > now + 49)
            year -= 100;
    }
    const QDate d(year, month, day);
    if (!d.isValid())
        return false;
    *out = d;
    return true;
}

// hours:minutes[:seconds] with ':'; no time at all means midnight.
bool parseTime(QStringView text, QTime* out) {
    const QStringView t = text.trimmed();
    if (t.isEmpty()) {
        *out = QTime(0, 0);
        return true;
    }
    int parts[3] = {0, 0, 0};
    int n = 0;
    QStringView rest = t;
    QStringView part;
    while (takeField(QLatin1Char(':'), rest, part)) {
        if (n == 3)
            return false;
        parts[n] = digitsValue(part, 2);
        if (parts[n++] < 0)
            return false;
    }
    // A trailing ':' leaves an empty last part.
    if (n < 2 || t.endsWith(QLatin1Char(':')))
        return false;
    const QTime time(parts[0], parts[1], parts[2]);
    if (!time.isValid())
        return false;
    *out = time;
    return true;
}

// The date part of a record's time stamp field: up to the first blank.
QStringView datePart(QStringView stamp) {
    const qsizetype p = find(stamp, QLatin1Char(' '));
    return p >= 0 ? stamp.left(p) : stamp;
}

// Date and time apart: a local date-time would look up the time zone for every record.
bool parseStamp(QStringView stamp, QDate* date, QTime* time) {
    const qsizetype p = find(stamp, QLatin1Char(' '));
    return parseDate(p >= 0 ? stamp.left(p) : stamp, date) &&
           parseTime(p >= 0 ? stamp.mid(p + 1) : QStringView(), time);
}

// A whole number, blanks around it allowed. The plain digits the writer produces are read
// here directly; anything else goes the general way.
bool toInt(QStringView text, int* v) {
    const QStringView t = trim(text);
    qsizetype i = 0;
    const bool negative = !t.isEmpty() && t[0] == QLatin1Char('-');
    if (!t.isEmpty() && (negative || t[0] == QLatin1Char('+')))
        ++i;
    qint64 x = 0;
    const qsizetype first = i;
    for (; i < t.size() && i - first < 10; ++i) {
        const QChar c = t[i];
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            break;
        x = x * 10 + (c.unicode() - '0');
    }
    if (i == t.size() && i > first) {
        x = negative ? -x : x;
        if (x < std::numeric_limits<int>::min() || x > std::numeric_limits<int>::max())
            return false;
        *v = int(x);
        return true;
    }
    bool ok = false;
    const int y = t.toInt(&ok);
    if (ok)
        *v = y;
    return ok;
}

int countSeparators(QStringView rest) {
    int n = 0;
    for (QChar c : rest)
        n += c == QLatin1Char(';');
    return n;
}

// A decimal number with ',' or '.'; 0 when it does not convert. The plain form the writer
// produces ("  20,9", "  125") is computed here directly (an integer divided by a power of
// ten is rounded exactly as a text conversion would round it); anything else goes the
// general way.
double toReal(QStringView text) {
    const QStringView t = trim(text);
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == QLatin1Char('-') || t[i] == QLatin1Char('+')))
        negative = t[i++] == QLatin1Char('-');
    qint64 mantissa = 0;
    int digits = 0;
    int decimals = -1;
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            mantissa = mantissa * 10 + (c.unicode() - '0');
            if (decimals >= 0)
                ++decimals;
            if (++digits > 15)
                break;
        } else if ((c == QLatin1Char(',') || c == QLatin1Char('.')) && decimals < 0) {
            decimals = 0;
        } else {
            break;
        }
    }
    if (i == t.size() && digits > 0) {
        static const double powers[] = {1,   10,  100,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
        const double v = double(mantissa) / powers[decimals < 0 ? 0 : decimals];
        return negative ? -v : v;
    }
    double v = 0;
    if (!Regional::parseReal(t.toString(), &v) || !std::isfinite(v))
        return 0;
    return v;
}

// The text "23:59" anywhere in the line, found from its colons (a record line has one or
// two), which is much quicker than a substring search over every line of a long file.
bool atEndOfDay(QStringView line) {
    for (qsizetype p = line.indexOf(QLatin1Char(':')); p >= 0;
         p = line.indexOf(QLatin1Char(':'), p + 1)) {
        if (p >= 2 && p + 2 < line.size() && line[p - 2] == QLatin1Char('2') &&
            line[p - 1] == QLatin1Char('3') && line[p + 1] == QLatin1Char('5') &&
            line[p + 2] == QLatin1Char('9'))
            return true;
    }
    return false;
}

// Lines end with CR LF, a lone CR or a lone LF; a last line without an end counts too.
template <typename Char, typename MakeLine>
void splitInto(const Char* d, qsizetype n, QStringList& lines, MakeLine makeLine) {
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const Char c = d[i];
        if (c == Char('\r') || c == Char('\n')) {
            lines.append(makeLine(start, i - start));
            if (c == Char('\r') && i + 1 < n && d[i + 1] == Char('\n'))
                ++i;
            start = i + 1;
        }
    }
    if (start < n)
        lines.append(makeLine(start, n - start));
}

QStringList splitLines(const QByteArray& bytes) {
    QStringList lines;
    // One pass for both: how many lines to expect, and whether every byte is ASCII (which
    // reads the same in every single-byte code page, so each line is made straight from
    // its bytes).
    qsizetype lineFeeds = 0;
    unsigned char high = 0;
    for (const char c : bytes) {
        high |= static_cast<unsigned char>(c);
        lineFeeds += c == '\n';
    }
    lines.reserve(lineFeeds + 1);
    const bool ascii = high < 0x80;
    if (ascii) {
        const char* d = bytes.constData();
        splitInto(d, bytes.size(), lines,
                  [d](qsizetype at, qsizetype len) { return QString::fromLatin1(d + at, len); });
    } else {
        const QString text = Win1252::decode(bytes);
        splitInto(text.constData(), text.size(), lines,
                  [&text](qsizetype at, qsizetype len) { return text.mid(at, len); });
    }
    return lines;
}

ChartSeriesData makeSeries(const QString& title, ChartSeriesData::Kind kind,
                           ChartSeriesData::Axis axis, const QString& format, SeriesColour c,
                           ChartSeriesData::Style style) {
    ChartSeriesData s;
    s.title = title;
    s.kind = kind;
    s.axis = axis;
    s.valueFormat = format;
    s.colour = c;
    s.style = style;
    return s;
}

} // namespace

TMessDaten::TMessDaten() {
    const QString real = QStringLiteral("###.#");
    const QString whole = QStringLiteral("#####");
    using S = ChartSeriesData;
    TSeries[1] = makeSeries(QString(), S::Line, S::LeftAxis, real, {128, 0, 0}, S::Solid);
    TSeries[2] = makeSeries(QString(), S::Line, S::LeftAxis, real, {128, 0, 128}, S::Dot);
    TSeries[3] = makeSeries(QString(), S::Line, S::LeftAxis, real, {255, 255, 0}, S::Dash);
    TSeries[4] = makeSeries(QString(), S::Line, S::LeftAxis, real, {255, 0, 255}, S::DashDot);
    TSeries[5] = makeSeries(QString(), S::Line, S::LeftAxis, real, {0, 128, 128}, S::DashDotDot);
    RefSeries = makeSeries(QString(), S::Line, S::LeftAxis, real, {255, 0, 0}, S::Solid);
    O2Series = makeSeries(QString(), S::Line, S::RightAxis, real, {0, 0, 255}, S::Solid);
    RunTimeSeries = makeSeries(QString(), S::Bar, S::LeftAxis, whole, {0, 0, 255}, S::Solid);
    CyclesSeries = makeSeries(QString(), S::Bar, S::RightAxis, whole, {255, 0, 0}, S::Solid);
    setSeriesTitles();
}

void TMessDaten::setSeriesTitles() {
    const bool in = KompUtils::ImperialUnits;
    TSeries[1].title = in ? tr("T 40in") : tr("T 100cm");
    TSeries[2].title = in ? tr("T 30in") : tr("T 75cm");
    TSeries[3].title = in ? tr("T 20in") : tr("T 50cm");
    TSeries[4].title = in ? tr("T 10in") : tr("T 25cm");
    TSeries[5].title = in ? tr("T 0in") : tr("T  0cm");
    RefSeries.title = KompUtils::RefCaption;
    O2Series.title = tr("O2");
    RunTimeSeries.title = tr("Laufzeit");
    CyclesSeries.title = tr("Zyklen");
}

void TMessDaten::RetranslateTitles(ChartTarget* chart) {
    setSeriesTitles();
    if (!chart)
        return;
    chart->setAxisTitle(ChartTarget::Bottom, tr("Messwert- Nr"));
    setSideAxisTitles(*chart);
}

std::array<ChartSeriesData*, 9> TMessDaten::AllSeries() {
    return {&TSeries[1], &TSeries[2], &TSeries[3],    &TSeries[4],  &TSeries[5],
            &RefSeries,  &O2Series,   &RunTimeSeries, &CyclesSeries};
}

std::array<const ChartSeriesData*, 9> TMessDaten::AllSeries() const {
    return {&TSeries[1], &TSeries[2], &TSeries[3],    &TSeries[4],  &TSeries[5],
            &RefSeries,  &O2Series,   &RunTimeSeries, &CyclesSeries};
}

TMessDaten::LoadResult TMessDaten::LoadFile(const QString& path) {
    FileValid = false;
    O2AsStored = true;
    LineCount = 0;
    m_errorText.clear();
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        Lines.clear();
        m_errorText = f.errorString();
        return LoadResult::ReadError;
    }
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        Lines.clear();
        m_errorText = f.errorString();
        return LoadResult::ReadError;
    }
    Lines = splitLines(bytes);

    int headerLines = 0;
    if (Lines.size() >= 9 && !Lines.at(8).isEmpty()) {
        if (firstFieldIsOne(Lines.at(8)))
            headerLines = 8;
        else if (Lines.size() >= 10 && firstFieldIsOne(Lines.at(9)))
            headerLines = 9;
    }
    if (headerLines == 0)
        return LoadResult::NotRecognised;

    FileValid = true;
    O2AsStored = headerLines == 9;
    TitleLines = {Lines.at(0), Lines.at(1), Lines.at(2)};
    if (headerLines == 8) {
        PlantName = afterColon(Lines.at(3));
        FileName = afterColon(Lines.at(4));
        Comment.clear();
        FirstBackupLine = Lines.at(6);
    } else {
        PlantName = afterColon(Lines.at(4));
        FileName = afterColon(Lines.at(5));
        Comment = Lines.at(6);
        FirstBackupLine = Lines.at(7);
    }
    Lines.erase(Lines.begin(), Lines.begin() + headerLines);
    LineCount = int(Lines.size());
    return LoadResult::Valid;
}

void TMessDaten::addPlaceholders() {
    for (ChartSeriesData* s : AllSeries()) {
        s->points.clear();
        s->points.append(QPointF(0, 0));
    }
    Labels.clear();
}

bool TMessDaten::processLine(const QString& line) {
    QStringView rest = line;
    QStringView field;
    takeField(QLatin1Char(';'), rest, field); // record number

    QStringView stamp;
    if (!takeField(QLatin1Char(';'), rest, stamp))
        stamp = QStringView();
    QDate date;
    QTime time;
    if (!parseStamp(stamp, &date, &time)) {
        m_errorText = tr("'%1' ist kein gültiges Datum mit Uhrzeit").arg(stamp.toString());
        return false;
    }

    int t[5] = {0, 0, 0, 0, 0};
    bool allRead = true;
    for (int& v : t) {
        if (!takeField(QLatin1Char(';'), rest, field) || !toInt(field, &v))
            allRead = false;
    }
    int ref = 0;
    if (allRead)
        ref = KompUtils::RefDepthFor(t[0], t[1], t[2], t[3], t[4], KompUtils::RefTemp);
    else
        std::fill(std::begin(t), std::end(t), 0);

    takeField(QLatin1Char(';'), rest, field); // stored reference mark

    double o2 = 0;
    if (takeField(QLatin1Char(';'), rest, field)) {
        o2 = toReal(field);
        if (!O2AsStored)
            o2 /= 10.0;
    }

    double runTime = 0;
    double cycles = 0;
    if (countSeparators(rest) == 3) {
        takeField(QLatin1Char(';'), rest, field); // operating mode
        if (takeField(QLatin1Char(';'), rest, field))
            runTime = toReal(field);
        if (takeField(QLatin1Char(';'), rest, field))
            cycles = toReal(field);
    }

    const bool in = KompUtils::ImperialUnits;
    const double x = double(TSeries[1].points.size());
    for (int i = 0; i < 5; ++i)
        TSeries[i + 1].points.append(QPointF(x, in ? KompUtils::CToFReal(t[i]) : t[i]));
    RefSeries.points.append(QPointF(x, in ? KompUtils::CmToInReal(ref) : ref));
    O2Series.points.append(QPointF(x, o2));
    RunTimeSeries.points.append(QPointF(x, runTime));
    CyclesSeries.points.append(QPointF(x, cycles));
    // Records come in runs of one day: the date text is formed once per run.
    if (date != m_labelDate) {
        m_labelDate = date;
        m_labelDateText = Regional::formatDate(m_labelDate) + QStringLiteral("  ");
    }
    // hh, the separator and mm written in place: one allocation per label.
    const qsizetype n = m_labelDateText.size();
    QString label(n + 5, Qt::Uninitialized);
    QChar* out = label.data();
    std::copy(m_labelDateText.constBegin(), m_labelDateText.constEnd(), out);
    const auto digit = [](int v) { return QChar(char16_t(u'0' + v % 10)); };
    out[n] = digit(time.hour() / 10);
    out[n + 1] = digit(time.hour());
    out[n + 2] = m_timeSeparator;
    out[n + 3] = digit(time.minute() / 10);
    out[n + 4] = digit(time.minute());
    Labels.append(std::move(label));
    ++PointCount;
    return true;
}

bool TMessDaten::FillSeries(bool oneValuePerDay, ChartTarget* chart) {
    m_errorText.clear();
    addPlaceholders();
    PointCount = 0;
    LineCount = std::min(LineCount, int(Lines.size()));
    m_labelDate = QDate();
    m_timeSeparator = Regional::timeSeparator();

    // The controller may store several records at the end of a day; of every run of such
    // records only the first counts (the first two data lines always stay).
    // Compacted in one pass: a kept line is compared with the last line kept before it.
    if (LineCount > 2) {
        int kept = 2;
        bool previousAtEndOfDay = atEndOfDay(Lines.at(1));
        for (int i = 2; i < LineCount; ++i) {
            const bool here = atEndOfDay(Lines.at(i));
            if (here && previousAtEndOfDay)
                continue;
            previousAtEndOfDay = here;
            if (kept != i)
                Lines[kept] = Lines.at(i);
            ++kept;
        }
        Lines.erase(Lines.begin() + kept, Lines.begin() + LineCount);
        LineCount = kept;
    }

    if (!oneValuePerDay) {
        for (ChartSeriesData* series : AllSeries())
            series->points.reserve(LineCount + 1);
        Labels.reserve(LineCount);
        for (int i = 0; i < LineCount; ++i) {
            // A blank line has no time stamp and holds no record.
            if (QStringView(Lines.at(i)).trimmed().isEmpty())
                continue;
            if (!processLine(Lines.at(i)))
                return false;
        }
    } else if (LineCount > 0) {
        // Each run of lines of one date yields its last line.
        QStringView rest = Lines.at(0);
        QStringView field;
        takeField(QLatin1Char(';'), rest, field);
        if (QStringView(Lines.at(0)).trimmed().isEmpty() || rest.isEmpty())
            return true;
        takeField(QLatin1Char(';'), rest, field);
        QDate day;
        if (!parseDate(datePart(field), &day)) {
            m_errorText = tr("'%1' ist kein gültiges Datum mit Uhrzeit").arg(field.toString());
            return false;
        }
        int i = 1;
        for (; i < LineCount; ++i) {
            const QString& line = Lines.at(i);
            if (QStringView(line).trimmed().isEmpty())
                break;
            rest = line;
            takeField(QLatin1Char(';'), rest, field);
            if (!takeField(QLatin1Char(';'), rest, field))
                continue;
            const QStringView part = datePart(field);
            if (part.isEmpty())
                continue;
            QDate d;
            if (!parseDate(part, &d)) {
                m_errorText = tr("'%1' ist kein gültiges Datum mit Uhrzeit").arg(field.toString());
                return false;
            }
            if (d != day) {
                day = d;
                if (!processLine(Lines.at(i - 1)))
                    return false;
            }
        }
        if (!processLine(Lines.at(i - 1)))
            return false;
    }

    if (chart)
        SetupChart(*chart);
    return true;
}

void TMessDaten::SetupChart(ChartTarget& chart) const {
    chart.setView3D(false);
    chart.setClipPoints(true);
    chart.setTitle({TitleLines[0], TitleLines[1], TitleLines[2], PlantName});
    chart.setFooter(FileName);
    SetAxes(chart);
    chart.setAxisMinimum(ChartTarget::Bottom, 0.7);
    chart.setAxisLabelFormat(ChartTarget::Bottom, QStringLiteral("#"));
    chart.setAxisTitle(ChartTarget::Bottom, tr("Messwert- Nr"));
    chart.setLegendVisible(true);
}

void TMessDaten::setSideAxisTitles(ChartTarget& chart) const {
    if (!FanMode) {
        chart.setAxisTitle(ChartTarget::Left, KompUtils::ImperialUnits ? tr("T[°F]") : tr("T[°C]"));
        chart.setAxisTitle(ChartTarget::Right, tr("O2/vol%"));
    } else {
        chart.setAxisTitle(ChartTarget::Left, tr("t/min"));
        chart.setAxisTitle(ChartTarget::Right, tr("n"));
    }
}

void TMessDaten::SetAxes(ChartTarget& chart) const {
    ResetAxes(chart);
    chart.setAxisLabelFormat(ChartTarget::Left, QStringLiteral("#"));
    chart.setAxisLabelFormat(ChartTarget::Right, QStringLiteral("#"));
    setSideAxisTitles(chart);
    if (!FanMode) {
        chart.setAxisMaximum(ChartTarget::Bottom, PointCount);
    } else {
        // Room for the last bar.
        chart.setAxisMaximum(ChartTarget::Bottom, PointCount + 0.5);
    }
}

void TMessDaten::ResetAxes(ChartTarget& chart) const {
    if (!FanMode) {
        chart.setAxisRange(ChartTarget::Left, 0, KompUtils::ImperialUnits ? 212 : 100);
        chart.setAxisRange(ChartTarget::Right, 0, 25);
    } else {
        chart.setAxisAutoMaximum(ChartTarget::Left, 0);
        chart.setAxisAutoMaximum(ChartTarget::Right, 0);
    }
}
