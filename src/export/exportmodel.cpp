#include "exportmodel.h"

#include "exportfile.h"
#include "icswriter.h"
#include "notejson.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTimer>

#include <algorithm>
#include <utility>

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
    if (m_store) {
        connect(m_store, &NoteStore::notesChanged, this, [this] {
            forgetVanishedSelection();
            emit changed();
        });
    }
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

void ExportModel::forgetVanishedSelection()
{
    // A restore, an undo or the command line may have taken chosen records away: the counts and
    // the buttons speak of what exists.
    if (!m_selectedIDs)
        return;
    QSet<QUuid> existing;
    for (const ReminderNote& note : notes()) {
        if (m_selectedIDs->contains(note.id))
            existing.insert(note.id);
    }
    m_selectedIDs = existing;
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
    m_messageIsError = false;
    emit changed();
    // Each message clears whatever is shown when its time is up.
    QTimer::singleShot(durationMs, this, [this] {
        m_message.clear();
        emit changed();
    });
}

void ExportModel::showError(const QString& text)
{
    showMessage(text, m_errorMs);
    m_messageIsError = true;
    emit changed();
}

bool ExportModel::saveAs(const FileRequest& request, const QByteArray& bytes)
{
    auto path = m_chooser(request);
    if (!path)
        return false;
    // A name typed without its ending would be hidden by the open dialog's filter later.
    const QString suffix = request.nameFilter.section(QStringLiteral("*."), 1).section(u')', 0, 0);
    if (QFileInfo(*path).suffix().isEmpty() && !suffix.isEmpty())
        *path += u'.' + suffix;
    QString error;
    if (ExportFile::write(*path, bytes, &error))
        return true;
    showError(QStringLiteral("Datei konnte nicht geschrieben werden: %1").arg(error));
    return false;
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
    if (!saveAs({ true, QStringLiteral("Backup exportieren"), ExportFile::backupName(now()),
                    QStringLiteral("JSON (*.json)") },
            ExportFile::backup(records)))
        return;
    exported(QStringLiteral("%1 Einträge als JSON gespeichert").arg(records.size()));
}

void ExportModel::exportIcs()
{
    const ReminderNotes appointments = chosenAppointments();
    if (appointments.isEmpty() || !m_chooser)
        return;
    if (!saveAs({ true, QStringLiteral("Termine als ICS exportieren"), ExportFile::icsName(now()),
                    QStringLiteral("iCalendar (*.ics)") },
            IcsWriter::write(appointments)))
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
    // Only a regular file: a pipe or a device would block the panel.
    QFile file(*path);
    const QByteArray data
        = QFileInfo(*path).isFile() && file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    const auto decoded = NoteJson::decode(data);
    if (!decoded) {
        showError(QStringLiteral("Datei konnte nicht gelesen werden"));
        return;
    }
    if (decoded->isEmpty()) {
        showError(QStringLiteral("Die Datei enthält keine Einträge"));
        return;
    }
    m_pendingRestore = data;
    m_message.clear();
    emit changed();
}

void ExportModel::confirmRestore()
{
    const std::optional<QByteArray> pending = std::exchange(m_pendingRestore, std::nullopt);
    if (!pending || !m_store) {
        emit changed();
        return;
    }
    auto result = m_store->restoreFromJSON(*pending);
    if (!result) {
        showError(QStringLiteral("Nicht wiederhergestellt: %1").arg(m_store->saveError()));
        return;
    }
    // Undo goes back to the data from before the first restore, not to an earlier backup.
    if (m_restoreResult)
        result->oldNotes = m_restoreResult->oldNotes;
    m_restoreResult = std::move(result);
    m_message.clear();
    m_selectedIDs.reset();
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
    if (!m_store->replaceNotes(m_restoreResult->oldNotes)) {
        showError(QStringLiteral("Nicht zurückgenommen: %1").arg(m_store->saveError()));
        return;
    }
    m_restoreResult.reset();
    emit changed();
}
