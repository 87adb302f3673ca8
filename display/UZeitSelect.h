// The readout-hour dialog: 25 toggle buttons, "OFF" and " 1h" .. "24h", of which at most
// one is down. The caller presets the hour and reads the chosen one after OK.
#pragma once

#include "core/Language.h"

#include <QDialog>

class QAbstractButton;
class QButtonGroup;
class QLabel;
class QPushButton;

class TFZeitSelect : public Retranslatable<QDialog> {
    Q_OBJECT
public:
    static constexpr int ButtonCount = 25;

    explicit TFZeitSelect(QWidget* parent = nullptr);

    // Presses the button of `hour` (0 = "OFF", 1..24); other values leave none down.
    void setHour(int hour);
    // The hour of the down button, -1 when none is down.
    int hour() const;

    // Button number 1..25 in reading order (number - 1 is the hour).
    QAbstractButton* button(int number) const;

    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

protected:
    void retranslateUi() override;

private:
    void buttonToggled(QAbstractButton* b, bool down);
    void Button1Click();

    QLabel* m_text = nullptr;
    QButtonGroup* m_group = nullptr;
};

// The main window's "Speicher&zeit": the dialog placed 100/50 pixels from `mainWindow`'s
// top-left corner, preset to ReadoutHour; a different hour confirmed with OK is stored and
// the next readout scheduled anew. True when the hour changed.
bool ChooseReadoutHour(QWidget* mainWindow);
