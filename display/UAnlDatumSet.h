// The controller clock dialog: shows the clock text of one controller and sets its date and
// time from the PC clock. Its reads run with the caller's poll running; the poll sends
// nothing while a read waits.
#pragma once

#include "core/Daten.h"
#include "core/Language.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QTabBar;

class TFAnlDatumSetup : public Retranslatable<QDialog> {
    Q_OBJECT
public:
    // Starts on `plant` and reads its clock text before returning.
    explicit TFAnlDatumSetup(int plant = Daten::SelectedPlant, QWidget* parent = nullptr);

    // Shows the dialog modally for `plant`.
    static int showFor(int plant = Daten::SelectedPlant, QWidget* parent = nullptr);

    int DialogPlant() const { return m_dialogPlant; }
    void ShowPlantClock();

    // The controls by their names, for the tests.
    QTabBar* TabControl1 = nullptr;
    QLabel* MieteName = nullptr;
    QLineEdit* Edit1 = nullptr;
    QPushButton* SetBtn = nullptr;
    QPushButton* FertigBtn = nullptr;

protected:
    void retranslateUi() override;

private:
    void FormCreate(int plant);
    void TabControl1Change(int index);
    void SetBtnClick();
    void showPlantName();

    int m_dialogPlant = 1;
    QLabel* m_heading = nullptr;
};
