#include "exportmodel.h"

#include "exportfile.h"
#include "icswriter.h"
#include "notejson.h"

#include <QFile>
#include <QLocale>
#include <QTimer>

#include <algorithm>

namespace {

QString dateText(const QDateTime& time)
{
    static const QLocale german(QLocale::German, QLocale::Germany);
    return german.toString(time.toLocalTime(), QStringLiteral("d. MMM yyyy, HH:mm"));
}

struct GroupRule {
    const char* key;
    const char* title;
    const char* icon;
    const char* color;
};

// The four groups in screen order.
constexpr GroupRule groupRules[] = {
    { "upcoming", "Kommende Termine", "arrow.up.circle", "blue" },
    { "today", "Heute", "calendar", "orange" },
    { "past", "Abgelaufene Termine", "checkmark.circle", "green" },
    { "notes", "Notizen", "note.text", "gray" },
};

// The records of one group, in its order.
ReminderNotes groupRecords(const ReminderNotes& notes, const QString& key, const QDateTime& now)
{
    const QDateTime today = now.toLocalTime().date().startOfDay();
    const QDateTime tomorrow = now.toLocalTime().date().addDays(1).startOfDay();
    ReminderNotes records;
    std::copy_if(notes.cbegin(), notes.cend(), std::back_inserter(records), [&](const ReminderNote& n) {
        if (key == QLatin1String("notes"))
            return !n.hasAlarm;
        if (!n.hasAlarm)
            return false;
        if (key == QLatin1String("upcoming"))
            return n.alarmDate >= tomorrow;
        if (key == QLatin1String("today"))
            return n.alarmDate >= today && n.alarmDate < tomorrow;
        return n.alarmDate < today;
    });
    const auto byAlarm
        = [](const ReminderNote& a, const ReminderNote& b) { return a.alarmDate < b.alarmDate; };
    if (key == QLatin1String("past"))
        std::stable_sort(records.begin(), records.end(),
            [](const ReminderNote& a, const ReminderNote& b) { return a.alarmDate > b.alarmDate; });
    else if (key == QLatin1String("notes"))
        std::stable_sort(records.begin(), records.end(),
            [](const ReminderNote& a, const ReminderNote& b) { return a.createdAt > b.createdAt; });
    else
        std::stable_sort(records.begin(), records.end(), byAlarm);
    return records;
}

} // namespace

ExportModel::ExportModel(QObject* parent)
    : QObject(parent)
{
}

void ExportModel::setStore(NoteStore* store)
{
    if (m_store == store)
        return;
    if (m_store)
        disconnect(m_store, nullptr, this, nullptr);
    m_store = store;
    if (m_store)
        connect(m_store, &NoteStore::notesChanged, this, &ExportModel::changed);
    emit changed();
}

void ExportModel::setMessageDurations(int errorMs, int exportMs)
{
    m_errorMs = errorMs;
    m_exportMs = exportMs;
}

const ReminderNotes& ExportModel::notes() const
{
    static const ReminderNotes none;
    return m_store ? m_store->notes() : none;
}

QDateTime ExportModel::now() const
{
    return m_store ? m_store->now() : QDateTime::currentDateTime();
}

QSet<QUuid> ExportModel::selection() const
{
    return m_selectedIDs ? *m_selectedIDs : ExportFile::defaultSelection(notes(), now());
}

ReminderNotes ExportModel::chosenRecords() const
{
    return ExportFile::chosen(notes(), selection());
}

ReminderNotes ExportModel::chosenAppointments() const
{
    ReminderNotes appointments = chosenRecords();
    appointments.removeIf([](const ReminderNote& n) { return !n.hasAlarm; });
    return appointments;
}

QList<ExportGroup> ExportModel::groups() const
{
    const QSet<QUuid> selected = selection();
    QList<ExportGroup> result;
    for (const GroupRule& rule : groupRules) {
        const QString key = QString::fromLatin1(rule.key);
        const ReminderNotes records = groupRecords(notes(), key, now());
        if (records.isEmpty())
            continue;
        ExportGroup group { key, QString::fromUtf8(rule.title), QString::fromLatin1(rule.icon),
            QString::fromLatin1(rule.color), {}, {} };
        bool all = true;
        for (const ReminderNote& note : records) {
            const bool isSelected = selected.contains(note.id);
            all = all && isSelected;
            group.rows.append({ note.id.toString(QUuid::WithoutBraces), note.title(),
                dateText(note.hasAlarm ? note.alarmDate : note.createdAt),
                note.hasAlarm && note.repeatInterval != RepeatInterval::None
                    ? repeatIntervalText(note.repeatInterval)
                    : QString(),
                isSelected });
        }
        group.buttonText = all ? QStringLiteral("Keine") : QStringLiteral("Alle");
        result.append(group);
    }
    return result;
}

QString ExportModel::selectionText() const
{
    return QStringLiteral("%1 von %2 ausgewählt").arg(selection().size()).arg(notes().size());
}

QString ExportModel::allButtonText() const
{
    return selection().size() == notes().size() ? QStringLiteral("Keine") : QStringLiteral("Alle");
}

QString ExportModel::jsonButtonText() const
{
    return QStringLiteral("JSON (%1)").arg(chosenRecords().size());
}

QString ExportModel::icsButtonText() const
{
    return QStringLiteral("ICS (%1)").arg(chosenAppointments().size());
}

QString ExportModel::restoreWarning() const
{
    return QStringLiteral("%1 bestehende Einträge werden ersetzt!").arg(notes().size());
}

QString ExportModel::restoredText() const
{
    return m_restoreResult ? QStringLiteral("%1 Einträge wiederhergestellt").arg(m_restoreResult->count)
                           : QString();
}

void ExportModel::setSelection(const QSet<QUuid>& ids)
{
    m_selectedIDs = ids;
    emit changed();
}

void ExportModel::toggleRow(const QString& id)
{
    QSet<QUuid> ids = selection();
    const QUuid uuid(id);
    if (!ids.remove(uuid))
        ids.insert(uuid);
    setSelection(ids);
}

void ExportModel::toggleGroup(const QString& key)
{
    QSet<QUuid> ids = selection();
    QSet<QUuid> group;
    for (const ReminderNote& note : groupRecords(notes(), key, now()))
        group.insert(note.id);
    if (ids.contains(group))
        ids.subtract(group);
    else
        ids.unite(group);
    setSelection(ids);
}

void ExportModel::toggleAll()
{
    if (selection().size() == notes().size()) {
        setSelection({});
        return;
    }
    QSet<QUuid> all;
    for (const ReminderNote& note : notes())
        all.insert(note.id);
    setSelection(all);
}

void ExportModel::showMessage(const QString& text, int durationMs)
{
    m_message = text;
    emit changed();
    // Each message clears whatever is shown when its time is up.
    QTimer::singleShot(durationMs, this, [this] {
        m_message.clear();
        emit changed();
    });
}

void ExportModel::exported(const QString& text)
{
    // A new export ends the offer to undo an earlier restore.
    m_restoreResult.reset();
    showMessage(text, m_exportMs);
}

void ExportModel::exportJson()
{
    const ReminderNotes records = chosenRecords();
    if (records.isEmpty() || !m_chooser)
        return;
    const auto path = m_chooser({ true, QStringLiteral("Backup exportieren"), ExportFile::backupName(now()),
        QStringLiteral("JSON (*.json)") });
    if (!path || !ExportFile::write(*path, ExportFile::backup(records)))
        return;
    exported(QStringLiteral("%1 Einträge als JSON gespeichert").arg(records.size()));
}

void ExportModel::exportIcs()
{
    const ReminderNotes appointments = chosenAppointments();
    if (appointments.isEmpty() || !m_chooser)
        return;
    const auto path = m_chooser({ true, QStringLiteral("Termine als ICS exportieren"),
        ExportFile::icsName(now()), QStringLiteral("iCalendar (*.ics)") });
    if (!path || !ExportFile::write(*path, IcsWriter::write(appointments)))
        return;
    exported(QStringLiteral("%1 Termine als ICS gespeichert").arg(appointments.size()));
}

void ExportModel::pickBackup()
{
    if (!m_chooser)
        return;
    const auto path = m_chooser(
        { false, QStringLiteral("Backup wiederherstellen"), QString(), QStringLiteral("JSON (*.json)") });
    if (!path)
        return;
    QFile file(*path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QByteArray data = file.readAll();
    if (!NoteJson::decode(data)) {
        showMessage(QStringLiteral("Datei konnte nicht gelesen werden"), m_errorMs);
        return;
    }
    m_pendingRestore = data;
    m_message.clear();
    emit changed();
}

void ExportModel::confirmRestore()
{
    if (m_pendingRestore && m_store) {
        if (auto result = m_store->restoreFromJSON(*m_pendingRestore)) {
            m_restoreResult = std::move(result);
            m_message.clear();
            m_selectedIDs.reset();
        }
    }
    m_pendingRestore.reset();
    emit changed();
}

void ExportModel::cancelRestore()
{
    m_pendingRestore.reset();
    emit changed();
}

void ExportModel::undoRestore()
{
    if (!m_restoreResult || !m_store)
        return;
    const ReminderNotes old = m_restoreResult->oldNotes;
    m_restoreResult.reset();
    m_store->replaceNotes(old);
    emit changed();
}
