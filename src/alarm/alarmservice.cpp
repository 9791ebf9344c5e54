#include "alarmservice.h"

#include "alarmactions.h"
#include "log.h"
#include "notestore.h"

#include <optional>

AlarmService::AlarmService(NoteStore& store, std::unique_ptr<AlarmActions> actions, QObject* parent)
    : QObject(parent)
    , m_store(&store)
    , m_actions(std::move(actions))
{
    m_timer.setInterval(checkIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &AlarmService::checkAlarms);
}

AlarmService::~AlarmService() = default;

void AlarmService::startTimer()
{
    m_timer.start();
}

void AlarmService::checkAlarms()
{
    NoteStore* store = m_store;
    if (!store || store->notes().isEmpty())
        return;
    const QDateTime now = store->now();
    // Compared as milliseconds: a local time would be converted again for every record otherwise.
    const qint64 nowMs = now.toMSecsSinceEpoch();
    const ReminderNotes& current = store->notes();
    // Copied only once something is due; most cycles find nothing and change nothing.
    std::optional<ReminderNotes> changed;
    for (qsizetype i = 0; i < current.size(); ++i) {
        const ReminderNote& candidate = current.at(i);
        // An invalid date compares as earlier than any moment; it would fire at every check.
        if (!candidate.hasAlarm || candidate.isTriggered || !candidate.alarmDate.isValid()
            || candidate.alarmDate.toMSecsSinceEpoch() > nowMs)
            continue;
        if (!changed)
            changed = current;
        ReminderNote& note = (*changed)[i];
        Log::line(QStringLiteral("[AlarmService] Firing alarm for: \"%1\" alarmDate=%2")
                      .arg(leadingCharacters(note.text, 30),
                          note.alarmDate.toUTC().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss '+0000'"))));
        // The trigger gets the record as it was, before this cycle moves it on.
        QMetaObject::invokeMethod(
            this, [this, fired = note] { triggerAlarm(fired); }, Qt::QueuedConnection);
        if (note.repeatInterval == RepeatInterval::None)
            note.isTriggered = true;
        else
            note.alarmDate = nextOccurrence(note.alarmDate, note.repeatInterval, now);
    }
    if (!changed)
        return;
    store->setNotes(*changed);
    // After the triggers, which were queued first.
    QMetaObject::invokeMethod(
        store, [store] { store->save(); }, Qt::QueuedConnection);
}

QDateTime AlarmService::nextOccurrence(const QDateTime& date, RepeatInterval interval, const QDateTime& now)
{
    if (date > now || interval == RepeatInterval::None)
        return date;
    // Steps the local calendar date and puts the original wall-clock time on it, so that 10:00 stays
    // 10:00 across daylight-saving changes. Stepping the previous result instead would carry the
    // shift of a time in the skipped spring hour (02:30 becomes 03:30) into every later repetition.
    const QDateTime local = date.toLocalTime();
    QDate day = local.date();
    QDateTime next = local;
    while (next <= now) {
        switch (interval) {
        case RepeatInterval::Daily:
            day = day.addDays(1);
            break;
        case RepeatInterval::Weekly:
            day = day.addDays(7);
            break;
        case RepeatInterval::Monthly:
            day = day.addMonths(1);
            break;
        case RepeatInterval::Yearly:
            day = day.addYears(1);
            break;
        case RepeatInterval::None:
            return date;
        }
        next = local.addDays(local.date().daysTo(day));
        if (!next.isValid())
            return date;
    }
    return next;
}

void AlarmService::triggerAlarm(const ReminderNote& note)
{
    if (!note.usePopup && m_store)
        m_store->setAlarmCount(m_store->alarmCount() + 1);
    m_actions->notify(QStringLiteral("Erinnerung"), alarmText(note.text, 200));
    m_actions->requestAttention();
    if (note.useSound)
        m_actions->playSound(note.soundName);
    if (!note.launchAppPath.isEmpty())
        m_actions->openPath(note.launchAppPath);
    if (!note.shellScript.isEmpty())
        m_actions->runShellCommand(note.shellScript);
    if (note.usePopup)
        m_actions->showPopup(QStringLiteral("Erinnerung"), alarmText(note.text, 500));
}
