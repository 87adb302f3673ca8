// A socat pseudo-terminal pair under fixed names (symbolic links), so that a line whose far
// end went away can come back under the same device path.
#pragma once

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QTest>

class SocatPair {
public:
    // `a` and `b` are the paths of the two ends' links.
    SocatPair(QString a, QString b) : m_a(std::move(a)), m_b(std::move(b)) {}
    ~SocatPair() { stop(); }

    static bool available() {
        return !QStandardPaths::findExecutable(QStringLiteral("socat")).isEmpty();
    }
    // Starts socat and waits until both links exist.
    bool start() {
        m_process.setProgram(QStandardPaths::findExecutable(QStringLiteral("socat")));
        m_process.setArguments({QStringLiteral("pty,raw,echo=0,link=") + m_a,
                                QStringLiteral("pty,raw,echo=0,link=") + m_b});
        m_process.start();
        if (!m_process.waitForStarted())
            return false;
        return QTest::qWaitFor([&] { return QFileInfo::exists(m_a) && QFileInfo::exists(m_b); },
                               5000);
    }
    // Ends socat: both lines lose their far end.
    void stop() {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.terminate();
        m_process.waitForFinished(5000);
    }
    QString a() const { return m_a; }
    QString b() const { return m_b; }

private:
    QString m_a;
    QString m_b;
    QProcess m_process;
};
