// The PC setup dialog: the link (serial port or network gateway, network time-out) and the
// display settings (units, reference temperature, display offset). OK writes what changed
// to section "COM" of the settings file and reopens the link when a link setting changed;
// the caller then runs a teach-in (linkChanged()).
#pragma once

#include "core/Language.h"

#include <QDialog>
#include <QDoubleSpinBox>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;

// A number field that keeps its value and limits exactly but shows no decimals.
class WholeNumberSpin : public QDoubleSpinBox {
    Q_OBJECT
public:
    explicit WholeNumberSpin(QWidget* parent = nullptr);
    // The value as the field shows it.
    double shownValue() const;
    // Shows (and counts) one decimal instead of none.
    void setShowTenths(bool on);

protected:
    QString textFromValue(double value) const override;

private:
    bool m_tenths = false;
};

class TFPC_Setup : public Retranslatable<QDialog> {
    Q_OBJECT
public:
    explicit TFPC_Setup(QWidget* parent = nullptr);

    // A link setting changed (or the network page was chosen): the caller runs a teach-in.
    bool linkChanged() const { return m_linkChanged; }

    // For the tests: the controls by their names.
    QTabWidget* PageControl1 = nullptr;
    QRadioButton* ComButton[9] = {}; // 1..8
    QLabel* BaudLabel = nullptr;
    QLineEdit* NetAddressEdit = nullptr;
    QSpinBox* NetPortEdit = nullptr;
    QSpinBox* TimeoutSpin = nullptr;
    QPushButton* Button1 = nullptr; // "Verbinden"
    QCheckBox* CelsiusCheck = nullptr;
    QCheckBox* ShowRefCheck = nullptr;
    WholeNumberSpin* RefTempSelect = nullptr;
    QLabel* SelectEinheit = nullptr;
    QSpinBox* DispOffsetSelect = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

    void SetRefTempUnit(double value);

    // "Abbrechen", Escape and the title bar's close all end here: nothing is taken over and
    // no teach-in follows.
    void reject() override;

protected:
    void retranslateUi() override;

private:
    void FormCreate();
    void PageControl1Change(int index);
    void ComSelectClick(int number);
    void CelsiusCheckClick();
    void ShowRefCheckClick();
    void OKBtnClick();
    void CancelBtnClick();
    void Button1Click();

    bool m_linkChanged = false;
    int m_chosenPort = 1;
    int m_chosenLayer = 0;
    // The reference temperature field and unit box as FormCreate filled them.
    double m_refTempShown = 0;
    bool m_celsiusShown = false;

    QWidget* m_serialPage = nullptr;
    QWidget* m_netPage = nullptr;
    QGroupBox* m_portGroup = nullptr;
    QGroupBox* m_unitGroup = nullptr;
    QGroupBox* m_offsetGroup = nullptr;
    QLabel* m_serialText = nullptr;
    QLabel* m_netAddressLabel = nullptr;
    QLabel* m_netPortLabel = nullptr;
    QLabel* m_timeoutLabel = nullptr;
    QLabel* m_refText = nullptr;
    QLabel* m_offsetText = nullptr;
};
