#include "storage/BackupAlarmLabel.h"

#include "storage/BackupState.h"

#include <QEvent>

namespace {
const QString LateStyle = QStringLiteral(
    "QLabel { background: #fff1c2; color: #5c4300; border: 1px solid #c99a00; padding: 0 4px; }");
const QString UrgentStyle = QStringLiteral(
    "QLabel { background: #c62828; color: #ffffff; border: 1px solid #8e0000; padding: 0 4px; }");
} // namespace

BackupAlarmLabel::BackupAlarmLabel(QWidget* parent) : QLabel(parent) {
    setObjectName(QStringLiteral("SicherungAlarm"));
    setTextFormat(Qt::PlainText);
    QFont f = font();
    f.setBold(true);
    setFont(f);
    hide();
    m_timer.setInterval(RefreshIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &BackupAlarmLabel::refresh);
    m_timer.start();
    connect(&BackupState::notifier(), &BackupState::Notifier::recorded, this,
            &BackupAlarmLabel::refresh);
    refresh();
}

void BackupAlarmLabel::refresh() {
    const QList<BackupState::Alarm> alarms = BackupState::RunningAlarms();
    const QString shown = BackupState::AlarmText(alarms);
    const bool urgent = BackupState::AnyUrgent(alarms);
    if (shown == text() && urgent == m_urgent && isHidden() == shown.isEmpty())
        return;
    m_urgent = urgent;
    setText(shown);
    setStyleSheet(urgent ? UrgentStyle : LateStyle);
    // Hidden while empty; the parent's layout gives the room back.
    setVisible(!shown.isEmpty());
    emit alarmsChanged();
}

void BackupAlarmLabel::changeEvent(QEvent* e) {
    if (e->type() == QEvent::LanguageChange)
        refresh();
    QLabel::changeEvent(e);
}
