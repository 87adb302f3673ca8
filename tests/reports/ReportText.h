// Reads an exported report back as text, one string per page, the way a reader of the
// printout sees it (pdftotext -layout).
#pragma once

#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QtTest>

namespace ReportText {

inline bool available() {
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}

inline QStringList pages(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {};
    QStringList result = QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\f'));
    if (!result.isEmpty() && result.last().trimmed().isEmpty())
        result.removeLast();
    return result;
}

// The lines of a page that are detail lines: they start with a row number followed by a
// date; each as its whitespace-separated cells.
inline QList<QStringList> detailLines(const QString& page) {
    static const QRegularExpression date(QStringLiteral("^\\d{1,2}[.:]\\d{2}"));
    QList<QStringList> rows;
    for (const QString& line : page.split(QLatin1Char('\n'))) {
        const QStringList cells = line.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        bool number = false;
        if (cells.size() >= 3)
            cells[0].toInt(&number);
        if (number && date.match(cells[1]).hasMatch())
            rows << cells;
    }
    return rows;
}

} // namespace ReportText
