// The ways bytes reach the simulated controllers: a TCP connection to the gateway, a
// pseudo-terminal of our own, or an existing tty device. Each knows only bytes.
#pragma once

#include <QObject>
#include <QString>

class QTcpSocket;
class QSerialPort;
class QSocketNotifier;

namespace sim {

class Channel : public QObject {
    Q_OBJECT
public:
    enum class Kind { Tcp, Pty, Serial };
    using QObject::QObject;
    virtual Kind kind() const = 0;
    virtual void write(const QByteArray& bytes) = 0;
    virtual void cut(bool now) = 0; // end the connection (now: without flushing)

signals:
    void received(const QByteArray& bytes);
    void closed();
};

class TcpChannel : public Channel {
    Q_OBJECT
public:
    explicit TcpChannel(QTcpSocket* socket, QObject* parent = nullptr);
    Kind kind() const override { return Kind::Tcp; }
    void write(const QByteArray& bytes) override;
    void cut(bool now) override;

private:
    QTcpSocket* m_socket;
};

class PtyChannel : public Channel {
    Q_OBJECT
public:
    // Opens a new pseudo-terminal; null with the reason in *error when that fails.
    static PtyChannel* open(QString* error, QObject* parent = nullptr);
    ~PtyChannel() override;
    Kind kind() const override { return Kind::Pty; }
    QString slavePath() const { return m_slavePath; }
    void write(const QByteArray& bytes) override;
    void cut(bool now) override;

private:
    PtyChannel(int master, int slave, const QString& path, QObject* parent);
    void readMaster();
    int m_master = -1;
    int m_slave = -1; // held open so the master never sees a hang-up between PC sessions
    QString m_slavePath;
    QSocketNotifier* m_notifier = nullptr;
};

class SerialChannel : public Channel {
    Q_OBJECT
public:
    static SerialChannel* open(const QString& device, int baud, QString* error,
                               QObject* parent = nullptr);
    Kind kind() const override { return Kind::Serial; }
    void write(const QByteArray& bytes) override;
    void cut(bool now) override;

private:
    explicit SerialChannel(QSerialPort* port, QObject* parent);
    QSerialPort* m_port;
};

} // namespace sim
