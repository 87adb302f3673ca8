// A plain TCP client for talking to the simulator the way the gateway's peer does.
#pragma once

#include <QElapsedTimer>
#include <QTcpSocket>
#include <QTest>

class SimClient {
public:
    SimClient() {
        QObject::connect(&socket, &QTcpSocket::readyRead, [this] {
            received += socket.readAll();
            ++chunks;
        });
    }
    bool connectTo(quint16 port) {
        socket.connectToHost(QHostAddress::LocalHost, port);
        return socket.waitForConnected(3000);
    }
    void send(const QByteArray& bytes) { socket.write(bytes); }
    // Waits until at least `count` bytes are in, then takes exactly those.
    QByteArray take(int count, int timeoutMs = 3000) {
        (void)QTest::qWaitFor([&] { return received.size() >= count; }, timeoutMs);
        const QByteArray out = received.left(count);
        received.remove(0, out.size());
        return out;
    }
    QByteArray exchange(const QByteArray& request, int replyBytes) {
        send(request);
        return take(replyBytes);
    }
    QTcpSocket socket;
    QByteArray received;
    int chunks = 0;
};
