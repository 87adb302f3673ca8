// A small banded report layer on QPainter + QPrinter, shared by the measurement log, the
// quality-association protocol and the graph report. A report is a set of bands, each a
// table of elements placed in millimetres; the report pulls its rows through a row-request
// callback and each detail label's text through its print callback, so the windows that
// fill a report only supply data and never draw.
#pragma once

#include <QCoreApplication>
#include <QDateTime>
#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <QVector>
#include <functional>

class QPainter;
class QPagedPaintDevice;
class QPrinter;
class QRectF;
class QWidget;

namespace Report {

enum class Align { Left, Center, Right };

// Which sides of a band carry a frame line.
enum Frame {
    NoFrame = 0,
    FrameTop = 1,
    FrameBottom = 2,
    FrameLeft = 4,
    FrameRight = 8,
    FrameAll = 15
};

// What an element shows: its text, or a value the report itself supplies.
enum class Field { Text, PrintDateTime, PageNumber, Chart };

struct Element {
    QString name;
    double x = 0;     // mm from the band's left edge
    double y = 0;     // mm from the band's top edge
    double width = 0; // mm; 0 = as wide as its text (then always left-aligned)
    Align align = Align::Left;
    double pixelSize = 0; // font size in pixels at 96 dpi; 0 = the band's size
    bool bold = false;
    QString text; // design text, shown when no print callback is set
    Field field = Field::Text;
    double height = 0; // mm, only for charts
    // Supplies the text for the current row (detail band) or page; overrides `text`.
    std::function<QString()> onPrint;
    // Draws a chart element into its rectangle (device coordinates).
    std::function<void(QPainter&, const QRectF&)> paint;
};

// A text element: the factory every report's layout is written with.
Element label(const QString& name, double x, double y, const QString& text, double width = 0,
              Align align = Align::Left, double pixelSize = 0, bool bold = false);

// A vertical rule at x; `lowerHalf` draws it over the band's lower half only.
struct Rule {
    double x = 0;
    bool lowerHalf = false;
};

struct Band {
    double height = 0; // mm
    int frame = NoFrame;
    double fontPixelSize = 0; // 0 = the report's size
    bool enabled = true;      // a disabled band is not printed at all
    QVector<Rule> rules;
    QVector<Element> elements;

    Element* element(const QString& name);
};

class BandReport {
public:
    BandReport();

    QPageSize pageSize = QPageSize(QPageSize::Letter);
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    double margin = 10; // mm on all sides
    QString fontFamily = QStringLiteral("Arial");
    double fontPixelSize = 13;
    bool printIfEmpty = false; // the empty-report rule: without rows nothing is printed
    QString title;             // window title of the preview and the print job

    Band pageHeader;   // every page, the first included
    Band columnHeader; // every page, under the page header
    Band detail;       // once per row
    Band summary;      // once after the last row
    Band pageFooter;   // at the bottom of every page, the last included

    // Asked before every detail line whether another row follows.
    std::function<bool()> needData;
    // Called at the start of every rendering (the preview may render more than once), so
    // that a user can rewind its row counter.
    std::function<void()> beforePrint;

    // The element of that name in any band, or nullptr.
    Element* element(const QString& name);
    // Sets an element's design text; false when no element has that name.
    bool setText(const QString& name, const QString& text);
    QString text(const QString& name) const;
    bool setPrint(const QString& name, std::function<QString()> callback);

    // Lays the report out onto `device`, whose page layout the caller has set (use
    // pageLayout()); returns the number of pages (0 for an empty report, which touches
    // nothing). `printedAt` is shown in the footer.
    int render(QPagedPaintDevice& device,
               const QDateTime& printedAt = QDateTime::currentDateTime());
    QPageLayout pageLayout() const;

    // Writes the report as a PDF; false when it could not be written or had no pages
    // (then no file is left behind).
    bool exportPdf(const QString& path);
    // Why the last exportPdf could not write its file; empty when it did or had no pages.
    QString writeError() const { return m_writeError; }
    // The modal print preview (which can print itself).
    void preview(QWidget* parent = nullptr);
    // Prints at once on the default printer; without a printer asks for a PDF file, writes
    // it and says where it went, or in an error box why it could not. False when nothing was
    // printed.
    bool print(QWidget* parent = nullptr);

    int pagesPrinted() const { return m_pages; }

private:
    int m_pages = 0;
    QString m_writeError;
};

} // namespace Report
