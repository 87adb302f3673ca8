#include "storage/UAktiv.h"

#include <QEvent>
#include <QFont>
#include <QLabel>
#include <QMouseEvent>
#include <QPalette>
#include <QProgressBar>

namespace {
TFAktiv* g_instance = nullptr;
}

TFAktiv::TFAktiv(QWidget* parent)
    : Retranslatable<QWidget>(parent, Qt::Window | Qt::FramelessWindowHint), m_home(parent) {
    setObjectName(QStringLiteral("FAktiv"));
    setFixedSize(296, 113);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(240, 240, 240));
    setPalette(pal);
    setAutoFillBackground(true);

    m_staticText1 = new QLabel(this);
    m_staticText1->setObjectName(QStringLiteral("StaticText1"));
    m_staticText1->setGeometry(8, 8, 281, 73);
    m_staticText1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_staticText1->setWordWrap(true);
    m_staticText1->setTextFormat(Qt::PlainText);
    QFont font(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(20);
    m_staticText1->setFont(font);
    m_staticText1->installEventFilter(this);

    m_progressBar1 = new QProgressBar(this);
    m_progressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    m_progressBar1->setGeometry(8, 88, 281, 17);
    m_progressBar1->setTextVisible(false);

    retranslateUi();
    g_instance = this;
}

TFAktiv::~TFAktiv() {
    if (g_instance == this)
        g_instance = nullptr;
}

TFAktiv* TFAktiv::instance() {
    return g_instance;
}

void TFAktiv::retranslateUi() {
    // The caption is never visible (no title bar) but names the window for the system.
    setWindowTitle(tr("Humivo Aktiv !"));
    m_staticText1->setText(tr("Daten werden aus Steuerung geladen. Bitte etwas Geduld, Programm "
                              "kann nicht unterbrochen werden !"));
}

QPoint TFAktiv::PlacementFor(const QRect& formFrame) {
    // Integer division truncates towards zero in C++ as the rule wants, also for a form
    // whose width or position is odd or negative. A form partly off screen may put the
    // window partly off screen too; it is only shown for the length of a readout.
    return {formFrame.left() + formFrame.width() / 2 - 100,
            formFrame.top() + formFrame.height() / 2 - 50};
}

void TFAktiv::ShowProgress(QWidget* form, int maximum) {
    m_cancelled = false;
    if (form) {
        QWidget* window = form->window();
        if (parentWidget() != window && window != this)
            setParent(window, windowFlags());
        QRect frame = window->frameGeometry();
        if (window != form)
            frame = QRect(form->mapToGlobal(QPoint(0, 0)), form->size());
        move(PlacementFor(frame));
    }
    m_progressBar1->setRange(0, qMax(0, maximum));
    m_progressBar1->setValue(qMin(1, qMax(0, maximum)));
    show();
    raise();
}

void TFAktiv::StepProgress() {
    m_progressBar1->setValue(qMin(m_progressBar1->value() + 1, m_progressBar1->maximum()));
}

void TFAktiv::HideProgress() {
    hide();
    if (parentWidget() != m_home.data())
        setParent(m_home.data(), windowFlags());
}

void TFAktiv::StaticText1Click() {
    m_cancelled = true;
}

bool TFAktiv::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_staticText1 && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        StaticText1Click();
    return Retranslatable<QWidget>::eventFilter(watched, event);
}
