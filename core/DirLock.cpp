#include "core/DirLock.h"

#include <QDir>

DirLock::DirLock(const QString& dir) : m_file(QDir(dir).filePath(FileName)) {
    // The program runs for weeks: a lock is stale only when its process is gone, never by
    // its age.
    m_file.setStaleLockTime(0);
}

bool DirLock::acquire() {
    m_holder = 0;
    if (m_file.isLocked() || m_file.tryLock(0))
        return true;
    if (m_file.error() != QLockFile::LockFailedError)
        return true;
    QString host, app;
    if (!m_file.getLockInfo(&m_holder, &host, &app))
        m_holder = 0;
    return false;
}

QString DirLock::refusal() const {
    return tr("Das Programm arbeitet bereits mit diesem Verzeichnis (PID %1)").arg(m_holder);
}
