#include "report/BandReport.h"

#include "core/Messages.h"
#include "core/Regional.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>

namespace Report {

Element label(const QString& name, double x, double y, const QString& text, double width,
              Align align, double pixelSize, bool bold) {
    Element e;
    e.name = name;
    e.x = x;
    e.y = y;
    e.width = width;
    e.align = align;
    e.pixelSize = pixelSize;
    e.bold = bold;
    e.text = text;
    return e;
}

Element* Band::element(const QString& name) {
    for (Element& e : elements)
        if (e.name == name)
            return &e;
    return nullptr;
}

BandReport::BandReport() = default;

Element* BandReport::element(const QString& name) {
    for (Band* b : {&pageHeader, &columnHeader, &detail, &summary, &pageFooter})
        if (Element* e = b->element(name))
            return e;
    return nullptr;
}

bool BandReport::setText(const QString& name, const QString& text) {
    Element* e = element(name);
    if (!e)
        return false;
    e->text = text;
    return true;
}

QString BandReport::text(const QString& name) const {
    Element* e = const_cast<BandReport*>(this)->element(name);
    return e ? e->text : QString();
}

bool BandReport::setPrint(const QString& name, std::function<QString()> callback) {
    Element* e = element(name);
    if (!e)
        return false;
    e->onPrint = std::move(callback);
    return true;
}

QPageLayout BandReport::pageLayout() const {
    return QPageLayout(pageSize, orientation, QMarginsF(margin, margin, margin, margin),
                       QPageLayout::Millimeter);
}

namespace {

// Draws bands in millimetres onto one device; knows the page being printed.
class BandPainter {
public:
    BandPainter(QPainter& p, const BandReport& r, const QDateTime& printedAt)
        : m_p(p), m_report(r), m_printedAt(printedAt) {
        m_dpm = p.device()->logicalDpiX() / 25.4;
        m_width = r.pageLayout().paintRect(QPageLayout::Millimeter).width();
    }

    int page = 1;

    void draw(const Band& band, double top) {
        const double bandPx = band.height * m_dpm;
        const QRectF rect(0, top * m_dpm, m_width * m_dpm, bandPx);
        QPen pen(Qt::black);
        pen.setWidthF(0.2 * m_dpm);
        m_p.setPen(pen);
        if (band.frame & FrameTop)
            m_p.drawLine(rect.topLeft(), rect.topRight());
        if (band.frame & FrameBottom)
            m_p.drawLine(rect.bottomLeft(), rect.bottomRight());
        if (band.frame & FrameLeft)
            m_p.drawLine(rect.topLeft(), rect.bottomLeft());
        if (band.frame & FrameRight)
            m_p.drawLine(rect.topRight(), rect.bottomRight());
        for (const Rule& r : band.rules) {
            const double x = r.x * m_dpm;
            m_p.drawLine(QPointF(x, r.lowerHalf ? rect.center().y() : rect.top()),
                         QPointF(x, rect.bottom()));
        }
        const double bandFont =
            band.fontPixelSize > 0 ? band.fontPixelSize : m_report.fontPixelSize;
        for (const Element& e : band.elements)
            drawElement(e, rect, bandFont);
    }

private:
    QString textOf(const Element& e) const {
        switch (e.field) {
        case Field::PrintDateTime:
            return Regional::formatDate(m_printedAt.date()) + QLatin1Char(' ') +
                   Regional::formatTime(m_printedAt.time());
        case Field::PageNumber:
            return QString::number(page);
        default:
            return e.onPrint ? e.onPrint() : e.text;
        }
    }

    void drawElement(const Element& e, const QRectF& band, double bandFont) {
        const QPointF at(band.left() + e.x * m_dpm, band.top() + e.y * m_dpm);
        if (e.field == Field::Chart) {
            if (e.paint) {
                m_p.save();
                e.paint(m_p, QRectF(at, QSizeF(e.width * m_dpm, e.height * m_dpm)));
                m_p.restore();
            }
            return;
        }
        const QString text = textOf(e);
        if (text.isEmpty())
            return;
        QFont font(m_report.fontFamily);
        // Sizes are given in pixels of a 96 dpi screen; the device scales points itself.
        font.setPointSizeF((e.pixelSize > 0 ? e.pixelSize : bandFont) * 72.0 / 96.0);
        font.setBold(e.bold);
        m_p.setFont(font);
        const QFontMetricsF fm(font, m_p.device());
        int flags = Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip;
        double width = e.width * m_dpm;
        if (e.width <= 0) {
            width = fm.horizontalAdvance(text);
            flags |= Qt::AlignLeft;
        } else {
            flags |= e.align == Align::Right    ? Qt::AlignRight
                     : e.align == Align::Center ? Qt::AlignHCenter
                                                : Qt::AlignLeft;
        }
        m_p.drawText(QRectF(at, QSizeF(width, fm.height())), flags, text);
    }

    QPainter& m_p;
    const BandReport& m_report;
    QDateTime m_printedAt;
    double m_dpm = 1;
    double m_width = 0;
};

} // namespace

int BandReport::render(QPagedPaintDevice& device, const QDateTime& printedAt) {
    m_pages = 0;
    if (beforePrint)
        beforePrint();
    bool more = needData ? needData() : false;
    if (!more && !printIfEmpty)
        return 0;
    QPainter p;
    if (!p.begin(&device))
        return 0;
    BandPainter bp(p, *this, printedAt);
    const double pageHeight = pageLayout().paintRect(QPageLayout::Millimeter).height();
    const double footerTop = pageHeight - (pageFooter.enabled ? pageFooter.height : 0);
    double y = 0;
    double bodyTop = 0;
    auto startPage = [&] {
        y = 0;
        for (const Band* b : {&pageHeader, &columnHeader})
            if (b->enabled) {
                bp.draw(*b, y);
                y += b->height;
            }
        bodyTop = y;
    };
    auto endPage = [&] {
        if (pageFooter.enabled)
            bp.draw(pageFooter, footerTop);
    };
    // A band taller than an empty page is printed anyway rather than paging for ever.
    auto makeRoom = [&](double height) {
        if (y + height > footerTop + 1e-6 && y > bodyTop) {
            endPage();
            device.newPage();
            ++bp.page;
            startPage();
        }
    };
    startPage();
    while (more) {
        if (detail.enabled) {
            makeRoom(detail.height);
            bp.draw(detail, y);
            y += detail.height;
        }
        more = needData();
    }
    if (summary.enabled) {
        makeRoom(summary.height);
        bp.draw(summary, y);
        y += summary.height;
    }
    endPage();
    p.end();
    m_pages = bp.page;
    return m_pages;
}

bool BandReport::exportPdf(const QString& path) {
    // The document is made in memory and replaces the file only when it was written whole:
    // the PDF writer reports no write errors, so a full disk would otherwise leave a cut-off
    // file reported as written, and an earlier PDF of that name would be gone already.
    m_writeError.clear();
    QBuffer document;
    document.open(QIODevice::WriteOnly);
    int pages = 0;
    {
        QPdfWriter writer(&document);
        writer.setPageLayout(pageLayout());
        writer.setTitle(title);
        writer.setCreator(QCoreApplication::applicationName());
        pages = render(writer);
    }
    if (pages == 0 || document.data().isEmpty())
        return false;
    QSaveFile file(path);
    file.setDirectWriteFallback(true); // a device such as /dev/stdout, or a kept file in a
                                       // directory we may not create in
    if (!file.open(QIODevice::WriteOnly)) {
        m_writeError = file.errorString();
        return false;
    }
    if (file.write(document.data()) != document.data().size()) {
        m_writeError = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        m_writeError = file.errorString();
        return false;
    }
    return true;
}

void BandReport::preview(QWidget* parent) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(pageLayout());
    printer.setDocName(title);
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle(
        title.isEmpty() ? QCoreApplication::translate("BandReport", "Druck-Vorschau") : title);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested,
                     [this](QPrinter* target) { render(*target); });
    dialog.exec();
}

bool BandReport::print(QWidget* parent) {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        const QString path = QFileDialog::getSaveFileName(
            parent, QCoreApplication::translate("BandReport", "Bericht als PDF speichern"),
            QDir::home().filePath((title.isEmpty() ? QStringLiteral("Bericht") : title) +
                                  QStringLiteral(".pdf")),
            QCoreApplication::translate("BandReport", "PDF-Dateien (*.pdf)"));
        if (path.isEmpty())
            return false;
        if (!exportPdf(path)) {
            // An empty report leaves nothing to write; anything else is said, with the reason.
            if (!m_writeError.isEmpty())
                Messages::error(QCoreApplication::translate(
                                    "BandReport", "PDF kann nicht geschrieben werden: %1\r%2")
                                    .arg(QDir::toNativeSeparators(path), m_writeError),
                                parent);
            return false;
        }
        Messages::information(
            QCoreApplication::translate(
                "BandReport",
                "Kein Drucker vorhanden.\rDer Ausdruck wurde als PDF gespeichert:\r%1")
                .arg(QDir::toNativeSeparators(path)),
            parent);
        return true;
    }
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setPageLayout(pageLayout());
    printer.setDocName(title);
    return render(printer) > 0;
}

} // namespace Report
