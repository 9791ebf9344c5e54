#pragma once

#include "notejson.h"
#include "testsupport.h"

#include <QUuid>

// Readable, stable ids so that expected JSON can be written out literally.
inline QUuid fixedId(int n)
{
    return QUuid::fromString(QStringLiteral("00000000-0000-4000-8000-%1").arg(n, 12, 10, QLatin1Char('0')));
}

inline ReminderNote note(
    int n, const QString& text, bool hasAlarm = false, const QDateTime& at = berlin(2025, 3, 1, 9, 0))
{
    ReminderNote result = ReminderNote::create(at);
    result.id = fixedId(n);
    result.text = text;
    result.hasAlarm = hasAlarm;
    return result;
}

// The compact layout is pinned byte for byte in tst_notejson, so equal bytes mean equal records.
inline QByteArray bytesOf(const ReminderNotes& notes)
{
    return NoteJson::encodeCompact(notes);
}
