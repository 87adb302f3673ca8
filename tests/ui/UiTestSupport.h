// Shared pieces of the window tests: a private program directory and user settings, a
// watcher that answers the next modal message box, and a settings file made read-only.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <grp.h>
#include <unistd.h>
#include <vector>

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

// The settings file `ini` read-only for the program, as for a plain user who may write in
// the program directory but not that file. Mode bits do not stop root, so a test running
// as root acts meanwhile as the user "nobody" (without root's groups), for whom the
// directory is opened up; the saved user id brings root back afterwards.
class ReadOnlySettings {
public:
    explicit ReadOnlySettings(const QString& ini) : m_ini(ini), m_dir(QFileInfo(ini).path()) {
        m_iniPerms = QFile::permissions(m_ini);
        m_dirPerms = QFile::permissions(m_dir);
        QFile::setPermissions(m_ini, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        if (::geteuid() != 0)
            return;
        QFile::setPermissions(m_dir,
                              m_dirPerms | QFile::ReadOther | QFile::WriteOther | QFile::ExeOther);
        m_groups.resize(::getgroups(0, nullptr));
        ::getgroups(int(m_groups.size()), m_groups.data());
        m_asNobody = ::setgroups(0, nullptr) == 0 && ::setresgid(Nobody, Nobody, 0) == 0 &&
                     ::setresuid(Nobody, Nobody, 0) == 0;
        if (!m_asNobody)
            qFatal("cannot act as a plain user");
    }
    ~ReadOnlySettings() {
        if (m_asNobody && (::setresuid(0, 0, 0) != 0 || ::setresgid(0, 0, 0) != 0 ||
                           ::setgroups(m_groups.size(), m_groups.data()) != 0))
            qFatal("cannot return to root");
        QFile::setPermissions(m_ini, m_iniPerms);
        QFile::setPermissions(m_dir, m_dirPerms);
    }
    ReadOnlySettings(const ReadOnlySettings&) = delete;
    ReadOnlySettings& operator=(const ReadOnlySettings&) = delete;

private:
    static constexpr uid_t Nobody = 65534;
    QString m_ini, m_dir;
    QFile::Permissions m_iniPerms, m_dirPerms;
    std::vector<gid_t> m_groups;
    bool m_asNobody = false;
};

} // namespace UiTest
