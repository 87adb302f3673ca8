// The report header dialog: the three header lines of every printout and new measurement
// file (section "Firma" of the settings file), with a sample preview of the measurement log.
#pragma once

#include "core/Language.h"

#include <QDialog>
#include <memory>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class TFQRKompForm;

class TFProtokKopf : public Retranslatable<QDialog> {
    Q_OBJECT
public:
    explicit TFProtokKopf(QWidget* parent = nullptr);

    // The sample report as the preview shows it, filled from the current entries.
    std::unique_ptr<TFQRKompForm> makeSampleReport();

    // For the tests: the controls by their names.
    QLabel* StaticText1 = nullptr;
    QLabel* StaticText2 = nullptr;
    QLabel* StaticText3 = nullptr;
    QLabel* StaticText4 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QPushButton* Button1 = nullptr;

    void FormActivate();
    void OKBtnClick();
    void Button1Click();

protected:
    void retranslateUi() override;

private:
    // The sample preview's callbacks.
    bool NeedData();
    QString QRNrPrint() const { return QString::number(m_sampleRow); }

    QFrame* m_frame = nullptr;
    int m_sampleRow = 0;
};
