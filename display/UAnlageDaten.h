// The plant naming dialog of a new pile: pile name, comment and data directory of the
// selected plant. Confirming stores what the user changed, and a changed name or directory
// gives the pile a new file name.
#pragma once

#include "core/Language.h"

#include <QDialog>
#include <functional>

class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;

class TFAnlageDaten : public Retranslatable<QDialog> {
    Q_OBJECT
public:
    // Runs FormCreate for SelectedPlant.
    explicit TFAnlageDaten(QWidget* parent = nullptr);

    // The chooser that PfadButton1Click opens: the chosen directory, empty when cancelled.
    // Unset: TFPfadsetzen.
    static std::function<QString(TFAnlageDaten&, const QString& startDir)> ChooseDirectory;

    void FormActivate();
    // True when the typed character is to be discarded.
    bool Edit1KeyPress(QKeyEvent* event);
    void PfadButton1Click();
    void OKBtnClick();

    QLineEdit* Edit1() const { return m_edit1; }
    QLineEdit* Edit2() const { return m_edit2; }
    QLabel* NummerLabel() const { return m_number; }
    QLabel* DirLabel() const { return m_dirLabel; }
    QPushButton* PfadButton1() const { return m_pfadButton; }
    QPushButton* OKBtn() const { return m_ok; }
    QPushButton* CancelBtn() const { return m_cancel; }
    QString dialogPath() const { return m_path; }
    bool pathChanged() const { return m_pathChanged; }

protected:
    void retranslateUi() override;
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void FormCreate();
    int m_plant = 1;
    QString m_path;
    bool m_pathChanged = false;
    QLabel* m_heading = nullptr;
    QLabel* m_numberCaption = nullptr;
    QLabel* m_number = nullptr;
    QLabel* m_nameCaption = nullptr;
    QLineEdit* m_edit1 = nullptr;
    QLabel* m_commentCaption = nullptr;
    QLineEdit* m_edit2 = nullptr;
    QLabel* m_pathCaption = nullptr;
    QLabel* m_dirLabel = nullptr;
    QPushButton* m_pfadButton = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};
