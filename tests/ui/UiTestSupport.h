// Shared pieces of the window tests: a private program directory and user settings, and a
// watcher that answers the next modal message box.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

namespace UiTest {

// Points the per-user settings (the language choice) at `dir`, so tests never read or
// change the user's own. Call before the first QSettings is made.
inline void isolateUserSettings(const QTemporaryDir& dir) {
    qputenv("XDG_CONFIG_HOME", dir.path().toLocal8Bit());
}

// Waits for the next modal message box, notes what it showed and presses the button with
// the text `press` (the default button when empty).
class BoxAnswer : public QObject {
public:
    explicit BoxAnswer(const QString& press = QString()) : m_press(press) {
        connect(&m_timer, &QTimer::timeout, this, &BoxAnswer::look);
        m_timer.start(10);
    }

    int seen = 0;
    QString title;
    QString text;
    QStringList buttons;

private:
    void look() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        ++seen;
        title = box->windowTitle();
        text = box->text();
        buttons.clear();
        QAbstractButton* target = box->defaultButton();
        for (QAbstractButton* b : box->buttons()) {
            buttons << b->text();
            if (!m_press.isEmpty() && b->text() == m_press)
                target = b;
        }
        if (target)
            target->click();
        else
            box->reject();
    }

    QString m_press;
    QTimer m_timer;
};

} // namespace UiTest
