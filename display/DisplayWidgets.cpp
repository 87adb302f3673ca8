#include "display/DisplayWidgets.h"

#include <QHBoxLayout>
#include <QLCDNumber>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QResizeEvent>
#include <QVBoxLayout>
#include <QtMath>

namespace {
const QColor LedGreen(120, 255, 140);
const QColor LedBody(12, 22, 16);
} // namespace

LedDisplay::LedDisplay(int digits, int decimals, QWidget* parent)
    : QFrame(parent), m_digits(digits), m_decimals(decimals) {
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(32, 38, 44));
    pal.setColor(QPalette::WindowText, QColor(210, 220, 228));
    setPalette(pal);
    setStyleSheet(QStringLiteral("LedDisplay { background: rgba(32, 38, 44, 235);"
                                 " border: 2px solid #6b7782; border-radius: 6px; }"
                                 "QLabel { color: #e4ecf2; background: transparent; }"));

    m_caption = new QLabel(this);
    m_unit = new QLabel(this);
    for (QLabel* l : {m_caption, m_unit}) {
        l->setTextFormat(Qt::PlainText);
        l->setPalette(pal);
    }
    QFont f = m_caption->font();
    f.setBold(true);
    m_caption->setFont(f);
    m_lcd = new QLCDNumber(digits + (decimals > 0 ? 1 : 0), this);
    m_lcd->setSegmentStyle(QLCDNumber::Filled);
    m_lcd->setFrameShape(QFrame::NoFrame);
    m_lcd->setSmallDecimalPoint(true);
    QPalette lp = m_lcd->palette();
    lp.setColor(QPalette::WindowText, LedGreen);
    lp.setColor(QPalette::Light, LedGreen);
    lp.setColor(QPalette::Dark, LedGreen.darker(160));
    lp.setColor(QPalette::Window, LedBody);
    m_lcd->setPalette(lp);
    m_lcd->setAutoFillBackground(true);
    // A new display is blank, as its flag says; the digits' own start is a 0.
    m_lcd->display(QString());

    auto* labels = new QVBoxLayout;
    labels->setSpacing(2);
    labels->addWidget(m_caption);
    labels->addStretch();
    labels->addWidget(m_unit);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(8, 6, 8, 6);
    row->addLayout(labels);
    row->addWidget(m_lcd, 1);
    blank();
}

void LedDisplay::setCaption(const QString& caption) {
    m_caption->setText(caption);
    fitCaption();
}

void LedDisplay::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    fitCaption();
}

void LedDisplay::changeEvent(QEvent* event) {
    QFrame::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        fitCaption();
}

void LedDisplay::fitCaption() {
    if (width() < 40)
        return; // not placed yet; the resize comes
    QFont f = font();
    f.setBold(true);
    const int room = width() * 58 / 100 - 12; // the digits keep about half the box
    const QString text = m_caption->text();
    while (QFontMetrics(f).horizontalAdvance(text) > room) {
        if (f.pixelSize() > 8)
            f.setPixelSize(f.pixelSize() - 1);
        else if (f.pixelSize() <= 0 && f.pointSizeF() > 6)
            f.setPointSizeF(f.pointSizeF() - 0.5);
        else
            break;
    }
    m_caption->setFont(f);
}

void LedDisplay::setUnit(const QString& unit) {
    m_unit->setText(unit);
}

QString LedDisplay::unit() const {
    return m_unit->text();
}

void LedDisplay::setValue(double value) {
    QString t = QString::number(value, 'f', m_decimals);
    if (t.size() > m_lcd->digitCount())
        t = QString(m_lcd->digitCount(), QLatin1Char('-')); // overflow, never a cut number
    m_blank = false;
    if (t == m_text)
        return;
    m_text = t;
    m_lcd->display(t);
}

void LedDisplay::blank() {
    if (m_blank && m_text.isEmpty())
        return;
    m_blank = true;
    m_text.clear();
    m_lcd->display(QString());
}

DepthGauge::DepthGauge(QWidget* parent) : QWidget(parent) {}

void DepthGauge::setValue(int value) {
    if (value == m_value)
        return;
    m_value = value;
    update();
}

void DepthGauge::setMaximum(int maximum) {
    m_maximum = qMax(1, maximum);
    update();
}

void DepthGauge::setCaption(const QString& caption) {
    m_caption = caption;
    update();
}

void DepthGauge::setUnit(const QString& unit) {
    m_unit = unit;
    update();
}

void DepthGauge::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = rect();
    const QFontMetricsF fm(font());
    const double head = fm.height() * 1.6;
    // Body of the instrument.
    p.setPen(QPen(QColor(107, 119, 130), 2));
    p.setBrush(QColor(32, 38, 44, 230));
    p.drawRoundedRect(r.adjusted(1, 1, -1, -1), 6, 6);
    p.setPen(QColor(210, 220, 228));
    p.drawText(QRectF(r.left(), r.top() + 3, r.width(), head), Qt::AlignHCenter | Qt::AlignTop,
               m_caption);
    const double tubeW = r.width() * 0.32;
    const QRectF tube(r.left() + r.width() * 0.14, r.top() + head + 8, tubeW,
                      r.height() - head - 24);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(12, 22, 16));
    p.drawRoundedRect(tube, 4, 4);
    const double frac = qBound(0.0, double(m_value) / m_maximum, 1.0);
    if (frac > 0) {
        const QRectF fill(tube.left() + 2, tube.top() + 2, tube.width() - 4,
                          (tube.height() - 4) * frac);
        QLinearGradient g(fill.topLeft(), fill.bottomLeft());
        g.setColorAt(0, QColor(255, 196, 64));
        g.setColorAt(1, QColor(230, 70, 30));
        p.setBrush(g);
        p.drawRoundedRect(fill, 3, 3);
    }
    // Marks at the sensor depths 0, 25, 50, 75 and 100 cm, labelled in the unit shown.
    p.setPen(QColor(210, 220, 228));
    for (int q = 0; q <= 4; ++q) {
        const double y = tube.top() + 2 + (tube.height() - 4) * q / 4.0;
        p.drawLine(QPointF(tube.right() + 2, y), QPointF(tube.right() + 10, y));
        const int label = m_maximum * q / 4;
        p.drawText(QRectF(tube.right() + 12, y - fm.height() / 2, r.right() - tube.right() - 12,
                          fm.height()),
                   Qt::AlignLeft | Qt::AlignVCenter, QString::number(label));
    }
    p.drawText(QRectF(r.left(), tube.bottom() + 2, r.width(), 18), Qt::AlignHCenter, m_unit);
}

Lamp::Lamp(const QColor& litColour, QWidget* parent) : QLabel(parent), m_colour(litColour) {
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignCenter);
    restyle();
}

void Lamp::setLit(bool lit) {
    if (lit == m_lit)
        return;
    m_lit = lit;
    restyle();
}

void Lamp::restyle() {
    const QColor bg = m_lit ? m_colour : QColor(70, 76, 82);
    const QColor fg = m_lit ? QColor(20, 20, 20) : QColor(150, 156, 160);
    setStyleSheet(QStringLiteral("QLabel { background: %1; color: %2; border: 2px solid #3a4248;"
                                 " border-radius: 10px; font-weight: bold; }")
                      .arg(bg.name(), fg.name()));
}

PaintedPicture::PaintedPicture(Kind kind, QWidget* parent) : QWidget(parent), m_kind(kind) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void PaintedPicture::paintEvent(QPaintEvent*) {
    const QSize s = size() * devicePixelRatioF();
    if (m_cache.size() != s) {
        m_cache = m_kind == PanelBackground ? Artwork::panelBackground(s) : Artwork::fan(s);
        m_cache.setDevicePixelRatio(devicePixelRatioF());
    }
    QPainter p(this);
    p.drawPixmap(0, 0, m_cache);
}

namespace Artwork {

QPixmap panelBackground(const QSize& size) {
    QPixmap pm(size);
    const double w = size.width();
    const double h = size.height();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0, QColor(176, 206, 230));
    sky.setColorAt(0.25, QColor(222, 234, 242));
    sky.setColorAt(1, QColor(200, 206, 210));
    p.fillRect(QRectF(0, 0, w, h), sky);
    // The pile: a rounded heap whose core is hotter than its skin.
    QPainterPath heap;
    const double floorY = h * 0.93;
    heap.moveTo(0, floorY);
    heap.cubicTo(w * 0.05, h * 0.35, w * 0.22, h * 0.08, w * 0.5, h * 0.07);
    heap.cubicTo(w * 0.78, h * 0.08, w * 0.95, h * 0.35, w, floorY);
    heap.closeSubpath();
    QRadialGradient core(w * 0.5, h * 0.78, h * 0.85);
    core.setColorAt(0, QColor(150, 62, 28));
    core.setColorAt(0.45, QColor(120, 78, 44));
    core.setColorAt(0.8, QColor(96, 74, 50));
    core.setColorAt(1, QColor(70, 60, 46));
    p.setPen(QPen(QColor(58, 44, 30), 3));
    p.setBrush(core);
    p.drawPath(heap);
    // Texture: straw and woody bits.
    p.setClipPath(heap);
    quint32 seed = 12345;
    auto rnd = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return double((seed >> 8) & 0xffff) / 65535.0;
    };
    for (int i = 0; i < 420; ++i) {
        const QPointF a(rnd() * w, h * 0.07 + rnd() * h * 0.86);
        const double ang = rnd() * M_PI;
        const double len = 4 + rnd() * 10;
        p.setPen(QPen(QColor(190 + int(rnd() * 50), 150 + int(rnd() * 40), 80, 90), 1.4));
        p.drawLine(a, a + QPointF(qCos(ang) * len, qSin(ang) * len));
    }
    // The depth lines of the five sensors.
    p.setPen(QPen(QColor(255, 236, 200, 110), 1, Qt::DashLine));
    for (int k = 0; k < 5; ++k) {
        const double y = h * (0.16 + 0.175 * k);
        p.drawLine(QPointF(0, y), QPointF(w, y));
    }
    p.setClipping(false);
    // Aerated floor with its air channel.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 124, 128));
    p.drawRect(QRectF(0, floorY, w, h - floorY));
    p.setBrush(QColor(70, 74, 78));
    for (double x = w * 0.05; x < w; x += w * 0.08)
        p.drawEllipse(QPointF(x, floorY + (h - floorY) / 2), 3, 3);
    return pm;
}

QPixmap fan(const QSize& size) {
    QPixmap pm(size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const double d = qMin(size.width(), size.height()) - 4;
    const QPointF c(size.width() / 2.0, size.height() / 2.0);
    QRadialGradient ring(c, d / 2);
    ring.setColorAt(0.82, QColor(60, 150, 220));
    ring.setColorAt(0.92, QColor(30, 90, 150));
    ring.setColorAt(1, QColor(20, 50, 90));
    p.setPen(QPen(QColor(20, 40, 70), 2));
    p.setBrush(ring);
    p.drawEllipse(c, d / 2, d / 2);
    p.setBrush(QColor(225, 240, 250));
    p.drawEllipse(c, d * 0.4, d * 0.4);
    // Five swept blades.
    p.setBrush(QColor(40, 120, 200));
    p.setPen(QPen(QColor(20, 60, 110), 1.5));
    for (int i = 0; i < 5; ++i) {
        p.save();
        p.translate(c);
        p.rotate(i * 72.0);
        QPainterPath blade;
        blade.moveTo(0, 0);
        blade.cubicTo(d * 0.10, -d * 0.06, d * 0.30, -d * 0.16, d * 0.37, -d * 0.02);
        blade.cubicTo(d * 0.30, d * 0.08, d * 0.12, d * 0.08, 0, 0);
        p.drawPath(blade);
        p.restore();
    }
    p.setBrush(QColor(200, 210, 220));
    p.drawEllipse(c, d * 0.07, d * 0.07);
    return pm;
}

} // namespace Artwork
