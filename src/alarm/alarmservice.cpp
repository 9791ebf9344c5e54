#include "alarmservice.h"

#include "alarmactions.h"
#include "log.h"
#include "notestore.h"

#include <QStringList>

#include <algorithm>
#include <optional>

AlarmService::AlarmService(NoteStore& store, std::unique_ptr<AlarmActions> actions, QObject* parent)
    : QObject(parent)
    , m_store(&store)
    , m_actions(std::move(actions))
{
    m_actions->setSnoozeHandler(
        [this](const QList<QUuid>& ids, Snooze::Choice choice) { snooze(ids, choice); });
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
    const auto dueAt
        = [nowMs](const QDateTime& at) { return at.isValid() && at.toMSecsSinceEpoch() <= nowMs; };
    const ReminderNotes& current = store->notes();
    // Copied only once something is due; most cycles find nothing and change nothing.
    std::optional<ReminderNotes> changed;
    QList<Due> due;
    for (qsizetype i = 0; i < current.size(); ++i) {
        const ReminderNote& candidate = current.at(i);
        if (!candidate.hasAlarm)
            continue;
        // An invalid date compares as earlier than any moment; it would fire at every check.
        const bool regular = !candidate.isTriggered && dueAt(candidate.alarmDate);
        const bool snoozed = candidate.snoozeDate && dueAt(*candidate.snoozeDate);
        if (!regular && !snoozed)
            continue;
        if (!changed)
            changed = current;
        ReminderNote& note = (*changed)[i];
        // Both due at once fire once; on time when either is.
        const QDateTime at = regular && snoozed ? std::max(note.alarmDate, *note.snoozeDate)
            : regular                           ? note.alarmDate
                                                : *note.snoozeDate;
        Log::line(QStringLiteral("[AlarmService] Firing alarm for: \"%1\" alarmDate=%2")
                      .arg(leadingCharacters(note.text, 30),
                          at.toUTC().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss '+0000'"))));
        // The actions get the record as it was, before this cycle moves it on.
        due.append({ note, at, at.msecsTo(now) > missedAfterMs });
        if (snoozed)
            note.snoozeDate.reset();
        if (!regular)
            continue;
        if (note.repeatInterval == RepeatInterval::None)
            note.isTriggered = true;
        else
            note.alarmDate = nextOccurrence(note.alarmDate, note.repeatInterval, now);
    }
    if (!changed)
        return;
    store->setNotes(*changed);
    QMetaObject::invokeMethod(
        this, [this, due] { fire(due); }, Qt::QueuedConnection);
    // After the actions, which were queued first.
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
    fire({ { note, note.alarmDate, false } });
}

namespace {

// "14:30 Zahnarzt", with the day when it was not today.
QString summaryLine(const AlarmService::Due& alarm, const QDateTime& now)
{
    const QDateTime local = alarm.at.toLocalTime();
    const QString format
        = local.date() == now.toLocalTime().date() ? QStringLiteral("HH:mm") : QStringLiteral("dd.MM. HH:mm");
    return local.toString(format) + u' ' + alarm.note.title();
}

// The titles of a summary notification, a dozen at most.
QString summaryBody(const QList<AlarmService::Due>& alarms, const QDateTime& now)
{
    constexpr qsizetype shown = 12;
    QStringList lines;
    for (qsizetype i = 0; i < std::min(alarms.size(), shown); ++i)
        lines.append(summaryLine(alarms.at(i), now));
    if (alarms.size() > shown)
        lines.append(QStringLiteral("… und %1 weitere").arg(alarms.size() - shown));
    return lines.join(u'\n');
}

QList<QUuid> idsOf(const QList<AlarmService::Due>& alarms)
{
    QList<QUuid> ids;
    ids.reserve(alarms.size());
    for (const AlarmService::Due& alarm : alarms)
        ids.append(alarm.note.id);
    return ids;
}

} // namespace

void AlarmService::fire(QList<Due> due)
{
    if (due.isEmpty())
        return;
    // Newest last, in every list the user sees; list order among alarms of the same moment.
    std::stable_sort(due.begin(), due.end(), [](const Due& a, const Due& b) { return a.at < b.at; });
    const QDateTime now = m_store ? m_store->now() : QDateTime::currentDateTime();
    const auto silent
        = std::count_if(due.cbegin(), due.cend(), [](const Due& alarm) { return !alarm.note.usePopup; });
    if (silent > 0 && m_store)
        m_store->setAlarmCount(m_store->alarmCount() + int(silent));

    QList<Due> onTime;
    QList<Due> missed;
    for (const Due& alarm : due)
        (alarm.missed ? missed : onTime).append(alarm);
    for (qsizetype i = 0; i < std::min(onTime.size(), qsizetype(notificationsPerCheck)); ++i) {
        const ReminderNote& note = onTime.at(i).note;
        m_actions->notify(QStringLiteral("Erinnerung"), alarmText(note.text, 200), { note.id });
    }
    if (onTime.size() > notificationsPerCheck) {
        const QList<Due> rest = onTime.mid(notificationsPerCheck);
        m_actions->notify(
            QStringLiteral("%1 weitere Erinnerungen").arg(rest.size()), summaryBody(rest, now), idsOf(rest));
    }
    if (!missed.isEmpty()) {
        const QString summary = missed.size() == 1
            ? QStringLiteral("Verpasste Erinnerung")
            : QStringLiteral("%1 verpasste Erinnerungen").arg(missed.size());
        m_actions->notify(summary, summaryBody(missed, now), idsOf(missed));
    }
    m_actions->requestAttention();

    // One sound for the check: a hundred at once would be noise.
    const auto sounding
        = std::find_if(due.cbegin(), due.cend(), [](const Due& alarm) { return alarm.note.useSound; });
    if (sounding != due.cend())
        m_actions->playSound(sounding->note.soundName);
    for (const Due& alarm : due) {
        if (!alarm.note.launchAppPath.isEmpty())
            m_actions->openPath(alarm.note.launchAppPath);
        if (!alarm.note.shellScript.isEmpty())
            m_actions->runShellCommand(alarm.note.shellScript);
    }

    // A missed alarm is listed whatever its popup switch says: a notification alone is easily
    // overlooked after a night asleep.
    QList<FiredAlarm> popup;
    QStringList descriptions;
    for (const Due& alarm : due) {
        if (alarm.missed || alarm.note.usePopup)
            popup.append({ alarm.note.id, alarmText(alarm.note.text, 500), alarm.at,
                alarm.missed ? FiredAlarm::Kind::Missed : FiredAlarm::Kind::OnTime });
        descriptions.append(alarm.note.title() + QStringLiteral(" – ")
            + alarm.at.toLocalTime().toString(QStringLiteral("HH:mm")));
    }
    if (!popup.isEmpty())
        m_actions->showPopup(popup);
    emit fired(idsOf(due), descriptions);
}

void AlarmService::snooze(const QList<QUuid>& ids, Snooze::Choice choice)
{
    if (m_store)
        m_store->snooze(ids, Snooze::until(choice, m_store->now()));
}
