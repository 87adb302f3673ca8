// The program's message boxes: information, confirmation, warning and error, with their
// German titles and buttons. Every window shows its messages through these, so that a "\r"
// in a message text is a line break everywhere and the texts are never read as rich text.
#pragma once

#include <QCoreApplication>
#include <QString>

class QWidget;

class Messages {
    Q_DECLARE_TR_FUNCTIONS(Messages)

public:
    // With no parent the box belongs to the active window.
    static void information(const QString& text, QWidget* parent = nullptr);
    // "&Ja" gives true, "&Nein" (also Escape and closing the box) false.
    static bool confirmation(const QString& text, QWidget* parent = nullptr);
    static void warning(const QString& text, QWidget* parent = nullptr);
    static void error(const QString& text, QWidget* parent = nullptr);

    // A failed write to the settings file is shown from now on as an error box (once, until
    // a write succeeds again; Settings::setWriteFailureHandler).
    static void reportSettingsFailures();

    // "\r\n" and a lone "\r" become "\n".
    static QString lineBreaks(const QString& text);
};
