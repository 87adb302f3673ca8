// The small instruments of the live display: LED-style numeric displays that can be
// blanked, a vertical gauge with marks, lamps, and the painted pictures (panel background,
// fan). Pictures are painted once per size and kept, so a refresh costs no drawing work
// beyond the values that changed.
#pragma once

#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QWidget>

class QLCDNumber;

// A captioned LED display: caption and unit on the left, the digits on the right.
class LedDisplay : public QFrame {
    Q_OBJECT
public:
    LedDisplay(int digits, int decimals, QWidget* parent = nullptr);
    void setCaption(const QString& caption);
    void setUnit(const QString& unit);
    QString unit() const;
    // Shows the value and switches a blanked display on again.
    void setValue(double value);
    void blank();
    bool isBlank() const { return m_blank; }
    // The digits as shown; empty while blanked.
    QString text() const { return m_text; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // A caption longer than its half of the box (a long translation) gets a smaller font
    // instead of being cut off.
    void fitCaption();
    QLCDNumber* m_lcd = nullptr;
    QLabel* m_caption = nullptr;
    QLabel* m_unit = nullptr;
    int m_digits;
    int m_decimals;
    bool m_blank = true;
    QString m_text;
};

// Vertical bar gauge, zero at the top, filled down to the value, marks at every quarter.
class DepthGauge : public QWidget {
    Q_OBJECT
public:
    explicit DepthGauge(QWidget* parent = nullptr);
    void setValue(int value);
    int value() const { return m_value; }
    void setMaximum(int maximum);
    int maximum() const { return m_maximum; }
    void setCaption(const QString& caption);
    QString caption() const { return m_caption; }
    void setUnit(const QString& unit);
    QString unit() const { return m_unit; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    int m_value = 0;
    int m_maximum = 100;
    QString m_caption;
    QString m_unit = QStringLiteral("cm");
};

// A lamp with its text: lit in its colour, dark otherwise.
class Lamp : public QLabel {
    Q_OBJECT
public:
    Lamp(const QColor& litColour, QWidget* parent = nullptr);
    void setLit(bool lit);
    bool isLit() const { return m_lit; }

private:
    void restyle();
    QColor m_colour;
    bool m_lit = false;
};

// A picture that fills its widget, repainted from its painter only when the size changes.
class PaintedPicture : public QWidget {
    Q_OBJECT
public:
    enum Kind { PanelBackground, Fan };
    PaintedPicture(Kind kind, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    Kind m_kind;
    QPixmap m_cache;
};

namespace Artwork {
// The detail panel's background: a cross-section of a composting pile on its aerated floor.
QPixmap panelBackground(const QSize& size);
// The aeration fan: housing and blades.
QPixmap fan(const QSize& size);
} // namespace Artwork
