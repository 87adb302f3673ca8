// Shared pieces of the live display tests: the simulated controllers over TCP with the
// program's link and poll, and a box answerer that presses a scripted button per box.
#pragma once

#include "core/Daten.h"
#include "core/Settings.h"
#include "core/TeachIn.h"
#include "link/Link.h"
#include "link/Protocol.h"
#include "sim/Simulator.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>
#include <memory>

namespace DisplayTest {

// Controllers, link and poll as the running program has them.
struct Plants {
    sim::Simulator sim;
    std::unique_ptr<Kommunikation::Link> link;
    std::unique_ptr<TeachInPoll> poll;

    Plants() {
        sim.setSeed(3);
        sim.setTimeFactor(0); // values stand still unless a test changes them
    }
    sim::PlantState& plant(int a, bool on) {
        sim::PlantState& p = sim.plant(a);
        p.present = true;
        p.switchedOn = on;
        p.storing = on;
        return p;
    }
    // Connects, teaches in and leaves the poll running; false on failure.
    bool start() {
        if (!sim.listenTcp(0))
            return false;
        Settings::file().writeInteger(Keys::Com, Keys::Layer, 1);
        Settings::file().writeString(Keys::Com, Keys::NetAdr, QStringLiteral("127.0.0.1"));
        Settings::file().writeInteger(Keys::Com, Keys::NetPort, sim.tcpPort());
        link = std::make_unique<Kommunikation::Link>();
        poll = std::make_unique<TeachInPoll>();
        QSignalSpy up(link.get(), &Kommunikation::Link::connected);
        Kommunikation::BaseTimeout = 25;
        link->ReadLinkSettings();
        if (!up.wait(5000))
            return false;
        poll->TeachIn();
        return !poll->TeachInPending;
    }
    // Request letters the simulator received for `address` since the last clear.
    QString letters(int address) const {
        QString out;
        for (const QByteArray& f : sim.frames())
            if (quint8(f.at(0)) == address && f.size() > 1)
                out += QLatin1Char(f.at(1));
        return out;
    }
};

// Answers every message box in turn: presses the next scripted button text ("" = the
// default button) and notes the texts seen.
class BoxScript : public QObject {
public:
    explicit BoxScript(QStringList presses = {}) : m_presses(std::move(presses)) {
        connect(&m_timer, &QTimer::timeout, this, &BoxScript::look);
        m_timer.start(10);
    }
    QStringList texts;

private:
    void look() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        // A box is answered once; a later box may live at the same address.
        if (!box || !box->isVisible() || box->property("answered").toBool())
            return;
        box->setProperty("answered", true);
        texts << box->text();
        const QString press = m_presses.isEmpty() ? QString() : m_presses.takeFirst();
        QAbstractButton* target = box->defaultButton();
        for (QAbstractButton* b : box->buttons())
            if (!press.isEmpty() && b->text() == press)
                target = b;
        if (target)
            target->click();
        else
            box->reject();
    }
    QStringList m_presses;
    QTimer m_timer;
};

} // namespace DisplayTest
