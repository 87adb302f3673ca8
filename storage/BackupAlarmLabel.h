// The line that names every running pile whose readout is late or urgent ("Sicherung
// überfällig: Anl 3, 7"), red when one is urgent and hidden when all is well. It follows
// every readout at once and the clock every half minute; the main window's status line, the
// live display and the offline readout window show it.
#pragma once

#include <QLabel>
#include <QTimer>

class BackupAlarmLabel : public QLabel {
    Q_OBJECT
public:
    explicit BackupAlarmLabel(QWidget* parent = nullptr);

    static constexpr int RefreshIntervalMs = 30000;

    // Judges the running piles anew and shows the result.
    void refresh();
    bool urgent() const { return m_urgent; }

signals:
    // After a refresh that changed what the line says.
    void alarmsChanged();

protected:
    void changeEvent(QEvent* e) override;

private:
    QTimer m_timer;
    bool m_urgent = false;
};
