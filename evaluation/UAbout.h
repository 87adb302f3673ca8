// The about window "Info": the program's name, version, descriptive text and logo, copied
// from the main window when the window is created, so it shows what the main window shows.
#pragma once

#include "core/Language.h"

#include <QDialog>
#include <QPixmap>

class QLabel;
class QPushButton;
class TFMain;

class TFAbout : public Retranslatable<QDialog> {
    Q_OBJECT

public:
    // Copies the texts and the logo of `main`.
    explicit TFAbout(const TFMain& main, QWidget* parent = nullptr);
    // For windows that open it without the main window at hand (the texts as the main
    // window shows them).
    TFAbout(const QString& productName, const QString& version, const QString& comments,
            const QPixmap& logo, QWidget* parent = nullptr);

    // Opens the window modally with the texts of the main window, when there is one.
    static void ShowAbout(QWidget* parent);

    QLabel* ProgramLogo() const { return m_programLogo; }
    QLabel* ProductName() const { return m_productName; }
    QLabel* Version() const { return m_version; }
    QLabel* Comments() const { return m_comments; }
    QPushButton* OKButton() const { return m_okButton; }

protected:
    void retranslateUi() override;

private:
    void build();
    void FormCreate(const QString& productName, const QString& version, const QString& comments,
                    const QPixmap& logo);

    // Made from the main window: its texts follow a language switch.
    bool m_fromMain = false;
    QLabel* m_programLogo = nullptr;
    QLabel* m_productName = nullptr;
    QLabel* m_version = nullptr;
    QLabel* m_comments = nullptr;
    QPushButton* m_okButton = nullptr;
};
