// Teach-in and status poll: they keep the plant table true to the controllers on the link.
// The teach-in finds out which plant addresses answer, loads each plant's settings and makes
// the table consistent; the poll then asks one plant per 500 ms tick for its status and
// keeps LiveStatus fresh. The main window shows the progress; the command-line tool and the
// tests drive the same object without a window.
#pragma once

#include <QList>
#include <QObject>
#include <QTimer>

class TeachInPoll : public QObject {
    Q_OBJECT
public:
    explicit TeachInPoll(QObject* parent = nullptr);
    ~TeachInPoll() override;

    // The instance the windows stop and start around their exchanges; nullptr when none.
    static TeachInPoll* current();

    static constexpr int PollIntervalMs = 500;
    // How soon a teach-in that had to wait for an exchange asks again.
    static constexpr int DeferMs = 100;
    // Misses in a row from which a plant's live entry shows no values.
    static constexpr int MissLimit = 5;

    QTimer LeseTimer;
    bool TeachInPending = true;
    int PollPosition = 1; // the plant whose reply the next tick evaluates

    // Runs the teach-in if one is pending and the link is open; else nothing. Asked while
    // another exchange waits (its probes would all be refused), it stays pending and runs
    // once no exchange waits any more.
    void TeachIn();
    void StartTimer();
    void StopTimer();
    bool isRunning() const { return m_running; }

    // The teach-in's probe and its consistency rules for the named plants only: every other
    // address stays absent and is sent nothing. The poll is left stopped and the teach-in
    // stays pending. For the tool's commands that act on named plants.
    void ProbePlants(const QList<int>& plants);

    // The poll tick; public so that tests can step the poll by hand.
    void LeseTimerTimer();

signals:
    // The teach-in starts probing `plants` addresses: disable the window, show the label
    // and an empty progress bar.
    void teachInStarted(int plants);
    // One more address is being probed (1..plants).
    void teachInProgress(int step);
    // The probing is over: hide the progress, enable the window.
    void teachInFinished();

private:
    void ProbeAllPlants();
    // Probes `plants` (in address order) and applies the consistency rules to every plant;
    // false (tables left reset) when the link component is not usable.
    bool probeAndSettle(const QList<int>& plants, bool withProgress);
    static bool linkComponentUsable();

    bool m_running = false;
    QTimer m_deferred; // asks again for a teach-in that had to wait for an exchange
};
