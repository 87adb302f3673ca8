#include "display/UZeitSelect.h"

#include "core/Settings.h"
#include "display/SetupRules.h"

#include <QButtonGroup>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

namespace {
constexpr int ClientWidth = 255;
constexpr int ClientHeight = 200;
constexpr int ButtonWidth = 30;
constexpr int ButtonHeight = 24;
constexpr int PerRow = 6;
} // namespace

TFZeitSelect::TFZeitSelect(QWidget* parent)
    : Retranslatable<QDialog>(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("TFZeitSelect"));
    setFixedSize(ClientWidth, ClientHeight);

    m_text = new QLabel(this);
    m_text->setGeometry(8, 4, ClientWidth - 16, 44);
    m_text->setTextFormat(Qt::PlainText);
    m_text->setWordWrap(true);

    // Not exclusive: an exclusive group cannot release its down button.
    m_group = new QButtonGroup(this);
    m_group->setExclusive(false);
    const int left = (ClientWidth - PerRow * (ButtonWidth + 4) + 4) / 2;
    for (int n = 1; n <= ButtonCount; ++n) {
        auto* b = new QPushButton(this);
        b->setCheckable(true);
        b->setAutoDefault(false);
        b->setObjectName(QStringLiteral("SpeedButton%1").arg(n));
        const int row = n == 1 ? 0 : (n - 2) / PerRow + 1;
        const int col = n == 1 ? 0 : (n - 2) % PerRow;
        b->setGeometry(left + col * (ButtonWidth + 4), 50 + row * (ButtonHeight + 1), ButtonWidth,
                       ButtonHeight);
        m_group->addButton(b, n);
    }
    connect(m_group, &QButtonGroup::buttonToggled, this, &TFZeitSelect::buttonToggled);

    OKBtn = new QPushButton(this);
    OKBtn->setGeometry(ClientWidth / 2 - 84, ClientHeight - 25, 76, 23);
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(this);
    CancelBtn->setGeometry(ClientWidth / 2 + 8, ClientHeight - 25, 76, 23);
    connect(OKBtn, &QPushButton::clicked, this, &TFZeitSelect::Button1Click);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    retranslateUi();
}

void TFZeitSelect::retranslateUi() {
    setWindowTitle(tr("Speicherzeit auswählen"));
    m_text->setText(tr("Zeitvorgabe, wann 1mal täglich die Daten automatisch aus der Steuerung "
                       "ausgelesen werden !"));
    button(1)->setText(tr("OFF"));
    for (int n = 2; n <= ButtonCount; ++n)
        button(n)->setText(QStringLiteral("%1h").arg(n - 1, 2));
    OKBtn->setText(tr("OK"));
    CancelBtn->setText(tr("Abbruch"));
}

QAbstractButton* TFZeitSelect::button(int number) const {
    return m_group->button(number);
}

void TFZeitSelect::buttonToggled(QAbstractButton* b, bool down) {
    if (!down)
        return;
    for (QAbstractButton* other : m_group->buttons()) {
        if (other != b && other->isChecked()) {
            const QSignalBlocker quiet(other);
            other->setChecked(false);
        }
    }
}

void TFZeitSelect::setHour(int hour) {
    if (hour >= 0 && hour < ButtonCount) {
        button(hour + 1)->setChecked(true);
        return;
    }
    for (QAbstractButton* b : m_group->buttons())
        b->setChecked(false);
}

int TFZeitSelect::hour() const {
    // A non-exclusive group keeps no checked button of its own.
    for (int n = 1; n <= ButtonCount; ++n)
        if (button(n)->isChecked())
            return n - 1;
    return -1;
}

void TFZeitSelect::Button1Click() {
    accept();
}

bool ChooseReadoutHour(QWidget* mainWindow) {
    TFZeitSelect dialog(mainWindow);
    if (mainWindow)
        dialog.move(mainWindow->frameGeometry().topLeft() + QPoint(100, 50));
    dialog.setHour(Settings::ReadoutHour);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    // With no button down the hour in force stays.
    return SetupRules::ApplyReadoutHour(dialog.hour());
}
