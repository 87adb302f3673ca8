// One process at a time works the link and the files of a program directory: the program
// and every command of the tool that opens the link hold this lock file there.
#pragma once

#include <QCoreApplication>
#include <QLockFile>
#include <QString>

class DirLock {
    Q_DECLARE_TR_FUNCTIONS(DirLock)

public:
    // The exit code of a tool or program that another process's lock turned away.
    static constexpr int BusyExit = 5;
    static inline const QString FileName = QStringLiteral("O2_Aerolis.lock");

    // The lock of `dir`, not yet taken.
    explicit DirLock(const QString& dir);

    // Takes the lock. A lock left by a process that is gone (killed, crashed) is taken over.
    // False only while a running process holds it; a directory where no lock file can be
    // made (read-only) is worked without one.
    bool acquire();
    // After a refused acquire(): the holder's process id, 0 when it cannot be read.
    qint64 holderPid() const { return m_holder; }
    // "Das Programm arbeitet bereits mit diesem Verzeichnis (PID n)"
    QString refusal() const;

private:
    QLockFile m_file;
    qint64 m_holder = 0;
};
