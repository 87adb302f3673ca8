#include "sim/Transports.h"

#include <QSerialPort>
#include <QSocketNotifier>
#include <QTcpSocket>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace sim {

TcpChannel::TcpChannel(QTcpSocket* socket, QObject* parent) : Channel(parent), m_socket(socket) {
    m_socket->setParent(this);
    m_socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    connect(m_socket, &QTcpSocket::readyRead, this, [this] { emit received(m_socket->readAll()); });
    connect(m_socket, &QTcpSocket::disconnected, this, &Channel::closed);
}

void TcpChannel::write(const QByteArray& bytes) {
    if (m_socket->state() == QAbstractSocket::ConnectedState)
        m_socket->write(bytes);
}

void TcpChannel::cut(bool now) {
    if (now)
        m_socket->abort();
    else
        m_socket->disconnectFromHost();
}

PtyChannel* PtyChannel::open(QString* error, QObject* parent) {
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0) {
        *error = QString::fromLocal8Bit(std::strerror(errno));
        return nullptr;
    }
    if (::grantpt(master) != 0 || ::unlockpt(master) != 0) {
        *error = QString::fromLocal8Bit(std::strerror(errno));
        ::close(master);
        return nullptr;
    }
    char name[128] = {};
    if (::ptsname_r(master, name, sizeof name) != 0) {
        *error = QString::fromLocal8Bit(std::strerror(errno));
        ::close(master);
        return nullptr;
    }
    const int slave = ::open(name, O_RDWR | O_NOCTTY);
    if (slave < 0) {
        *error = QString::fromLocal8Bit(std::strerror(errno));
        ::close(master);
        return nullptr;
    }
    // Raw from the start: no echo of requests, no line editing, 8-bit clean.
    termios tio{};
    if (::tcgetattr(slave, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::tcsetattr(slave, TCSANOW, &tio);
    }
    ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
    return new PtyChannel(master, slave, QString::fromLocal8Bit(name), parent);
}

PtyChannel::PtyChannel(int master, int slave, const QString& path, QObject* parent)
    : Channel(parent), m_master(master), m_slave(slave), m_slavePath(path) {
    m_notifier = new QSocketNotifier(m_master, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] { readMaster(); });
}

PtyChannel::~PtyChannel() {
    cut(true);
}

void PtyChannel::readMaster() {
    QByteArray all;
    char buf[4096];
    for (;;) {
        const ssize_t n = ::read(m_master, buf, sizeof buf);
        if (n > 0) {
            all.append(buf, n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        break; // EAGAIN: drained; EIO cannot happen while we hold the slave open
    }
    if (!all.isEmpty())
        emit received(all);
}

void PtyChannel::write(const QByteArray& bytes) {
    qsizetype done = 0;
    while (m_master >= 0 && done < bytes.size()) {
        const ssize_t n = ::write(m_master, bytes.constData() + done, size_t(bytes.size() - done));
        if (n > 0) {
            done += n;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        break; // nobody reads the other end and its buffer is full: the bytes are lost
    }
}

void PtyChannel::cut(bool) {
    if (m_notifier)
        m_notifier->setEnabled(false);
    if (m_master >= 0)
        ::close(m_master);
    if (m_slave >= 0)
        ::close(m_slave);
    m_master = m_slave = -1;
}

SerialChannel* SerialChannel::open(const QString& device, int baud, QString* error,
                                   QObject* parent) {
    auto* port = new QSerialPort(device);
    port->setBaudRate(baud > 0 ? baud : 2400);
    port->setDataBits(QSerialPort::Data8);
    port->setParity(QSerialPort::NoParity);
    port->setStopBits(QSerialPort::OneStop);
    port->setFlowControl(QSerialPort::NoFlowControl);
    if (!port->open(QIODevice::ReadWrite)) {
        *error = port->errorString();
        delete port;
        return nullptr;
    }
    return new SerialChannel(port, parent);
}

SerialChannel::SerialChannel(QSerialPort* port, QObject* parent) : Channel(parent), m_port(port) {
    m_port->setParent(this);
    connect(m_port, &QSerialPort::readyRead, this, [this] { emit received(m_port->readAll()); });
}

void SerialChannel::write(const QByteArray& bytes) {
    if (m_port->isOpen())
        m_port->write(bytes);
}

void SerialChannel::cut(bool) {
    m_port->close();
}

} // namespace sim
