// The controller setup dialog: shows the setup value set of one controller (O2 thresholds,
// storage interval, fan times of the interval and safety modes) and sends the groups the
// user changed, on OK or, after a question, when the user switches to another plant with
// the dialog's own plant tabs.
#pragma once

#include "core/Language.h"
#include "display/SetupRules.h"

#include <QDialog>

class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTabBar;

class TFO2MessSetup : public Retranslatable<QDialog> {
    Q_OBJECT
public:
    // Starts on `plant` and shows the SetupValues just read for it. `timers` pauses the
    // caller's ticks around the setup read of a plant switch.
    explicit TFO2MessSetup(int plant = Daten::SelectedPlant, SetupRules::TimerControl timers = {},
                           QWidget* parent = nullptr);

    // Shows the dialog modally for `plant` (the caller has just read its SetupValues).
    static int showFor(int plant = Daten::SelectedPlant, SetupRules::TimerControl timers = {},
                       QWidget* parent = nullptr);

    int DialogPlant() const { return m_dialogPlant; }
    const SetupRules::SetupChanges& changeMarks() const { return m_marks; }
    // The set as the fields show it (O2 in tenths).
    tSetupValues fieldValues() const;

    void ShowSetupValues();
    void DisableSetupFields();
    void ClearChangeMarks();

    // The controls by their names, for the tests.
    QTabBar* TabControl1 = nullptr;
    QLabel* MieteName = nullptr;
    QDoubleSpinBox* O2EINEdit = nullptr;
    QDoubleSpinBox* O2AUSEdit = nullptr;
    QSpinBox* SpeicherEdit = nullptr;
    QSpinBox* IntEINEdit = nullptr;
    QSpinBox* IntAUSEdit = nullptr;
    QSpinBox* MaxEinEdit = nullptr;
    QSpinBox* MaxAUSEdit = nullptr;
    QSpinBox* NotEINEdit = nullptr;
    QSpinBox* NotAUSEdit = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

protected:
    void retranslateUi() override;

private:
    struct Row {
        QLabel* caption = nullptr;
        QLabel* unit = nullptr;
        QLabel* explanation = nullptr;
        QWidget* field = nullptr;
    };

    void FormCreate(int plant);
    void TabControl1Change(int index);
    void OKBtnClick();
    void SendChanges();
    void O2EINEditChange();
    void O2AUSEditChange();
    void SpeicherEditChange();
    void IntEditEinchanged();
    void IntEditAuschanged();
    void MaxEditChange();
    void NotEditChange();

    void showO2(const SetupRules::O2Pair& p);
    void showPlantName();
    QList<QWidget*> fields() const;

    int m_dialogPlant = 1;
    SetupRules::SetupChanges m_marks;
    SetupRules::TimerControl m_timers;
    Row m_rows[9];
};
