// Puts reply pieces on one line in order, with their delays and, when a baud rate is set,
// at the pace of a serial line (10 bits a byte). With nothing to delay it writes at once
// and owns no running timer, so an idle simulator costs no CPU.
#pragma once

#include "sim/FaultInjector.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <deque>
#include <functional>

namespace sim {

class OutputScheduler : public QObject {
    Q_OBJECT
public:
    explicit OutputScheduler(std::function<void(const QByteArray&)> write,
                             QObject* parent = nullptr);

    void setBaud(int baud) { m_baud = baud; }
    double now() const; // ms since the scheduler was made

    // Bytes of a request arrived now; returns when the last of them could have arrived
    // over the paced line (ms, same clock as now()).
    double requestArrived(qint64 byteCount);
    // Queues the pieces of one reply; its first piece starts no earlier than `notBefore`.
    // `record` (>= 0) marks a reply that hands out a stored record, by its serial number.
    void enqueue(const QList<OutputPiece>& pieces, double notBefore, qint64 record = -1);
    bool idle() const { return m_queue.empty(); }
    // Forgets everything not yet sent; returns how many stored records went down with it
    // and, when asked, their serial numbers.
    int clear(QList<qint64>* records = nullptr);

signals:
    void becameIdle();

private:
    void pump();
    double byteTime() const { return m_baud > 0 ? 10000.0 / m_baud : 0.0; }

    struct Item {
        QByteArray bytes;
        double notBefore = 0; // absolute, ms
        double delayAfterPrevious = 0;
        double start = -1; // fixed once the item is the head
        qsizetype sent = 0;
        qint64 record = -1; // set on the last piece of a record's reply
    };
    std::function<void(const QByteArray&)> m_write;
    std::deque<Item> m_queue;
    QElapsedTimer m_clock;
    QTimer m_timer;
    int m_baud = 0;
    double m_lineFree = 0; // when the outgoing line finished its last byte
    double m_requestLineFree = 0;
    bool m_pumping = false;
    quint64 m_generation = 0; // bumped by clear(), so a write that clears is noticed
};

} // namespace sim
