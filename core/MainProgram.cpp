#include "core/MainProgram.h"

#include "core/Daten.h"
#include "core/Messages.h"
#include "core/Settings.h"
#include "core/UPC_Setup.h"
#include "core/UiApplication.h"
#include "display/UAnzeige.h"
#include "display/UZeitSelect.h"
#include "evaluation/UCSV_Lesen.h"
#include "evaluation/UGraphik.h"
#include "storage/UAktiv.h"
#include "storage/UDatenLesen1.h"
#include "storage/UProtokollKopf.h"

#include <QAction>
#include <QLabel>
#include <QProgressBar>

using namespace Kommunikation;

MainProgram::MainProgram()
    : m_link(std::make_unique<Link>()), m_poll(std::make_unique<TeachInPoll>()) {
    // The link reports from the main window's start-up on, so it is wired first; the
    // handlers reach the window through TFMain::instance(), which exists from then on.
    connectLink();
    connectPoll();
    Messages::reportSettingsFailures();
    // A link that goes down comes back by itself, with a teach-in (the connect event).
    m_link->setReconnecting(true);
    m_main = std::make_unique<TFMain>(makeHooks());
    new TFAktiv(m_main.get()); // the busy window of every readout, kept by the main window
    connectMenus();
}

MainProgram::~MainProgram() {
    m_main.reset();
    m_poll.reset();
    m_link.reset();
}

TFMain::Hooks MainProgram::makeHooks() {
    TFMain::Hooks h;
    h.readBaseTimeout = [](TFMain&) {
        BaseTimeout = uint16_t(Settings::file().readInteger(Keys::Com, Keys::Timeout, 300));
    };
    h.readLinkSettings = [this](TFMain&) { m_link->ReadLinkSettings(); };
    h.startLink = [this](TFMain& w) {
        // On TCP the window waits for the connect or error event.
        if (LinkLayer != 1) {
            w.setEnabled(true);
            m_poll->TeachIn();
        }
    };
    h.stopPoll = [this](TFMain&) {
        m_link->setReconnecting(false);
        m_poll->StopTimer();
    };
    h.closeSerialPort = [this](TFMain&) { m_link->ComPort1.close(); };
    h.closeSocket = [this](TFMain&) { m_link->SchliesseSocketVerbindung(500); };
    h.busy = [this](TFMain&) { return m_poll->isRunning(); };
    h.retranslateStatus = [this](TFMain& w) {
        if (!m_link->status().isEmpty())
            w.setStatusText(m_link->status());
    };
    return h;
}

void MainProgram::connectLink() {
    Link* l = m_link.get();
    connect(l, &Link::statusText, this, [](const QString& text) {
        if (TFMain* w = TFMain::instance())
            w->setStatusText(text);
    });
    connect(l, &Link::information, this,
            [](const QString& text) { Messages::information(text, TFMain::instance()); });
    // The socket error is reported like any error no handler caught; queued, so that the
    // box does not open inside the socket's own event.
    connect(
        l, &Link::errorReport, this,
        [](const QString& text) { UiApplication::reportUncaught(text); }, Qt::QueuedConnection);
    connect(l, &Link::startPollTimer, this, [this] { m_poll->StartTimer(); });
    connect(l, &Link::stopPollTimer, this, [this] { m_poll->StopTimer(); });
    connect(l, &Link::enableMainWindow, this, [] {
        if (TFMain* w = TFMain::instance())
            w->setEnabled(true);
    });
    // The teach-in waits for replies; it runs after the connect event has returned.
    connect(l, &Link::connected, this, &MainProgram::RequestTeachIn, Qt::QueuedConnection);
}

void MainProgram::connectPoll() {
    connect(m_poll.get(), &TeachInPoll::teachInStarted, this, [](int plants) {
        TFMain* w = TFMain::instance();
        if (!w)
            return;
        w->setEnabled(false);
        w->LadeLabel()->show();
        // Every teach-in starts from an empty bar.
        w->Anzeige1()->setRange(0, plants);
        w->Anzeige1()->setValue(0);
        w->Anzeige1()->show();
    });
    connect(m_poll.get(), &TeachInPoll::teachInProgress, this, [](int step) {
        if (TFMain* w = TFMain::instance())
            w->Anzeige1()->setValue(step);
    });
    connect(m_poll.get(), &TeachInPoll::teachInFinished, this, [] {
        TFMain* w = TFMain::instance();
        if (!w)
            return;
        w->Anzeige1()->hide();
        w->LadeLabel()->hide();
        w->setEnabled(true);
        w->busyEnded();
        // Paths of a Windows installation that the teach-in took over are told once.
        const QString notice = Daten::TakePathNotices();
        if (!notice.isEmpty())
            w->setStatusText(notice);
    });
}

void MainProgram::connectMenus() {
    if (QAction* a = m_main->menuItem(QStringLiteral("PCAnzeigeItem"))) {
        a->setEnabled(true);
        connect(a, &QAction::triggered, this, [this] {
            TFAnzeige display(m_main.get());
            display.exec();
        });
    }
    if (QAction* a = m_main->menuItem(QStringLiteral("AnlagenEinlernenItem"))) {
        a->setEnabled(true);
        connect(a, &QAction::triggered, this, &MainProgram::AnlagenEinlernenClick);
    }
    if (QAction* a = m_main->menuItem(QStringLiteral("ProgrammSetupItem"))) {
        a->setEnabled(true);
        connect(a, &QAction::triggered, this, &MainProgram::ProgrammSetupClick);
    }
    if (QAction* a = m_main->menuItem(QStringLiteral("FirmendatenItem"))) {
        a->setEnabled(true);
        connect(a, &QAction::triggered, this, [this] {
            TFProtokKopf dialog(m_main.get());
            dialog.exec();
        });
    }
    if (QAction* a = m_main->menuItem(QStringLiteral("SpeicherzeitItem"))) {
        a->setEnabled(true);
        connect(a, &QAction::triggered, this, [this] { ChooseReadoutHour(m_main.get()); });
    }
    // The window stops the poll around its own exchanges.
    if (QAction* a = m_main->menuItem(QStringLiteral("OfflineDatenItem"))) {
        a->setEnabled(true);
        connect(a, &QAction::triggered, this, [this] { TFDatenLesen1::ShowModal(m_main.get()); });
    }
    // The protocol viewer in its two modes, shown modally and destroyed when it closes.
    for (const auto& [name, quality] : {std::pair{QStringLiteral("MesswerteDruckenItem"), false},
                                        std::pair{QStringLiteral("ProtokollItem"), true}}) {
        if (QAction* a = m_main->menuItem(name)) {
            a->setEnabled(true);
            connect(a, &QAction::triggered, this, [this, quality = quality] {
                TFCSV_Lesen viewer(m_main.get());
                viewer.QualityMode = quality;
                viewer.exec();
            });
        }
    }
    // The graph window, shown modally and destroyed when it closes.
    if (QAction* a = m_main->menuItem(QStringLiteral("GrafikItem"))) {
        a->setEnabled(true);
        connect(a, &QAction::triggered, this, [this] {
            TFGraphForm graph(m_main.get());
            graph.exec();
        });
    }
}

void MainProgram::RequestTeachIn() {
    m_poll->TeachInPending = true;
    m_poll->TeachIn();
}

void MainProgram::AnlagenEinlernenClick() {
    // With the link down it is opened first: on the serial line at once, on TCP the connect
    // event then runs the teach-in.
    if (!LinkOpen &&
        (LinkLayer != 1 || m_link->ClientSocket1.state() == QAbstractSocket::UnconnectedState))
        m_link->OpenLink();
    RequestTeachIn();
}

void MainProgram::ProgrammSetupClick() {
    TFPC_Setup dialog(m_main.get());
    dialog.exec();
    if (dialog.linkChanged())
        RequestTeachIn();
}
