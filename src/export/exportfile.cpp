#include "exportfile.h"

#include "notejson.h"
#include "safefile.h"

#include <QLocale>

namespace ExportFile {

bool write(const QString& path, const QByteArray& bytes, QString* error)
{
    FileWriteError failure;
    if (SafeFile::write(path, bytes, &failure))
        return true;
    if (error)
        *error = failure.description;
    return false;
}

QByteArray backup(const ReminderNotes& notes)
{
    return NoteJson::encodePretty(notes);
}

QSet<QUuid> defaultSelection(const ReminderNotes& notes, const QDateTime& now)
{
    const QDateTime startOfToday = now.toLocalTime().date().startOfDay();
    QSet<QUuid> ids;
    for (const ReminderNote& note : notes) {
        if (!note.hasAlarm || note.alarmDate >= startOfToday)
            ids.insert(note.id);
    }
    return ids;
}

ReminderNotes chosen(const ReminderNotes& notes, const QSet<QUuid>& ids)
{
    ReminderNotes result;
    for (const ReminderNote& note : notes) {
        if (ids.contains(note.id))
            result.append(note);
    }
    return result;
}

QString backupName(const QDateTime& now)
{
    return QStringLiteral("Zettelwerk-backup-%1.json")
        .arg(QLocale::c().toString(now.toLocalTime().date(), QStringLiteral("yyyy-MM-dd")));
}

QString icsName(const QDateTime& now)
{
    return QStringLiteral("Zettelwerk-%1.ics")
        .arg(QLocale::c().toString(now.toLocalTime().date(), QStringLiteral("yyyy-MM-dd")));
}

} // namespace ExportFile
