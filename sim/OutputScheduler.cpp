#include "sim/OutputScheduler.h"

#include <cmath>

namespace sim {

OutputScheduler::OutputScheduler(std::function<void(const QByteArray&)> write, QObject* parent)
    : QObject(parent), m_write(std::move(write)) {
    m_clock.start();
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &OutputScheduler::pump);
}

double OutputScheduler::now() const {
    return m_clock.nsecsElapsed() / 1e6;
}

double OutputScheduler::requestArrived(qint64 byteCount) {
    const double t = now();
    if (m_baud <= 0)
        return t;
    m_requestLineFree = std::max(m_requestLineFree, t) + byteCount * byteTime();
    return m_requestLineFree;
}

void OutputScheduler::enqueue(const QList<OutputPiece>& pieces, double notBefore, qint64 record) {
    bool first = true;
    for (const OutputPiece& p : pieces) {
        Item it;
        it.bytes = p.bytes;
        if (first)
            it.notBefore = notBefore + p.delayMs;
        else
            it.delayAfterPrevious = p.delayMs;
        first = false;
        m_queue.push_back(it);
    }
    if (!m_queue.empty() && !pieces.isEmpty())
        m_queue.back().record = record;
    pump();
}

int OutputScheduler::clear(QList<qint64>* records) {
    int lost = 0;
    for (const Item& it : m_queue) {
        if (it.record < 0)
            continue;
        ++lost;
        if (records)
            records->append(it.record);
    }
    ++m_generation;
    m_queue.clear();
    m_timer.stop();
    return lost;
}

void OutputScheduler::pump() {
    if (m_pumping)
        return; // a write that re-enters (a socket flushing) is picked up by the loop below
    m_pumping = true;
    while (!m_queue.empty()) {
        Item& head = m_queue.front();
        const double t = now();
        if (head.start < 0)
            head.start = std::max(head.notBefore, m_lineFree + head.delayAfterPrevious);
        if (t < head.start) {
            m_timer.start(std::max(1, int(std::ceil(head.start - t))));
            break;
        }
        if (m_baud <= 0) {
            const QByteArray bytes = head.bytes;
            m_queue.pop_front();
            m_lineFree = t;
            m_write(bytes);
            continue; // a clear() inside the write left the queue empty or fresh
        }
        // Each byte is on the line for one byte time; it counts as sent when complete.
        const qsizetype due = std::min<qsizetype>(
            head.bytes.size(), qsizetype(std::floor((t - head.start) / byteTime())));
        if (due > head.sent) {
            const QByteArray bytes = head.bytes.mid(head.sent, due - head.sent);
            head.sent = due;
            const quint64 generation = m_generation;
            m_write(bytes);
            if (generation != m_generation)
                continue; // the line was cleared while writing; start over with what is left
        }
        if (head.sent == head.bytes.size()) {
            m_lineFree = head.start + head.bytes.size() * byteTime();
            m_queue.pop_front();
            continue;
        }
        const double next = head.start + (head.sent + 1) * byteTime();
        m_timer.start(std::max(1, int(std::ceil(next - t))));
        break;
    }
    m_pumping = false;
    if (m_queue.empty())
        emit becameIdle();
}

} // namespace sim
