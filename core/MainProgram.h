// The running program: the main window together with the controller link and the teach-in
// and poll it owns. Wires the link's events to the window (status line, messages, enabling)
// and the menu items that drive the link (teach-in, PC setup).
#pragma once

#include "core/TeachIn.h"
#include "core/UMain.h"
#include "link/Link.h"

#include <QObject>
#include <memory>

class MainProgram : public QObject {
    Q_OBJECT
public:
    // Creates the link and the poll, then the main window (whose start-up opens the link).
    MainProgram();
    ~MainProgram() override;

    TFMain& window() { return *m_main; }
    Kommunikation::Link& link() { return *m_link; }
    TeachInPoll& poll() { return *m_poll; }

    // A teach-in is due; it runs now when the link is open.
    void RequestTeachIn();
    // "Anlagen einlernen": opens the link when it is down, then RequestTeachIn.
    void AnlagenEinlernenClick();
    // "Programm &Setup": the PC setup dialog, then a teach-in when the link changed.
    void ProgrammSetupClick();

private:
    TFMain::Hooks makeHooks();
    void connectLink();
    void connectPoll();
    void connectMenus();

    std::unique_ptr<Kommunikation::Link> m_link;
    std::unique_ptr<TeachInPoll> m_poll;
    std::unique_ptr<TFMain> m_main;
};
