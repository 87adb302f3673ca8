// The dialogs' tests run against the simulated controllers over real TCP: a simulator with
// some plants, the program's link to it and the poll, and the plant table filled as a
// teach-in would leave it for those plants.
#pragma once

#include "core/Daten.h"
#include "core/ProgramDir.h"
#include "core/Settings.h"
#include "core/TeachIn.h"
#include "link/Link.h"
#include "sim/Simulator.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

struct SimulatedPlants {
    QTemporaryDir dir;
    sim::Simulator simulator;
    std::unique_ptr<Kommunikation::Link> link;
    std::unique_ptr<TeachInPoll> poll;

    // Plants `on` have a running pile, plants `off` are present without one.
    bool start(const QList<int>& on, const QList<int>& off = {}) {
        ProgramDir::setOverride(dir.path());
        Settings::open(ProgramDir::iniPath());
        for (int a : on + off) {
            sim::PlantState& p = simulator.plant(a);
            p.present = true;
            p.switchedOn = on.contains(a);
            Daten::Anlage[a].Present = true;
            Daten::Anlage[a].SwitchedOn = on.contains(a);
            Daten::Anlage[a].Name = QStringLiteral("Miete%1").arg(a);
        }
        if (!simulator.listenTcp(0))
            return false;
        Settings::file().writeInteger(Keys::Com, Keys::Layer, 1);
        Settings::file().writeString(Keys::Com, Keys::NetAdr, QStringLiteral("127.0.0.1"));
        Settings::file().writeInteger(Keys::Com, Keys::NetPort, simulator.tcpPort());
        link = std::make_unique<Kommunikation::Link>();
        poll = std::make_unique<TeachInPoll>();
        QSignalSpy up(link.get(), &Kommunikation::Link::connected);
        // The simulator answers at once; short waits keep the silent cases quick.
        Kommunikation::BaseTimeout = 20;
        Kommunikation::LongTimeout = 60;
        link->ReadLinkSettings();
        return up.wait(5000);
    }

    ~SimulatedPlants() {
        poll.reset();
        link.reset();
        Settings::close();
    }

    // Every frame the simulator received since the last clear: address, then the text.
    QStringList frames() const {
        QStringList out;
        for (const QByteArray& f : simulator.frames())
            out << QString::number(quint8(f.at(0))) + QString::fromLatin1(f.mid(1));
        return out;
    }
    // The frames for plant setting commands, without status polls and reads.
    QStringList setFrames() const {
        QStringList out;
        for (const QString& f : frames()) {
            const QString body = f.mid(f.indexOf(QRegularExpression(QStringLiteral("[A-Za-z]"))));
            if (!body.startsWith(QLatin1Char('c')) && !body.startsWith(QLatin1Char('R')) &&
                !body.startsWith(QLatin1Char('6')))
                out << f;
        }
        return out;
    }
};
