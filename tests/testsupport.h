#pragma once

// Helpers shared by the test executables. Every test runs with TZ=Europe/Berlin.

#include "remindernote.h"

#include <QDateTime>
#include <QFile>
#include <QStringList>

#include <optional>

// Local (Berlin) wall-clock time; the test environment pins TZ so daylight-saving changes are real.
inline QDateTime berlin(
    int year, int month, int day, int hour = 0, int minute = 0, int second = 0, int msec = 0)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second, msec));
}

inline QDateTime utc(int year, int month, int day, int hour, int minute, int second = 0, int msec = 0)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second, msec), Qt::UTC);
}

inline QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// An appointment created on 1 January 2025, 08:00.
inline ReminderNote appointment(
    const QString& text, const QDateTime& start, const std::optional<QDateTime>& end = std::nullopt)
{
    ReminderNote note = ReminderNote::create(berlin(2025, 1, 1, 8, 0));
    note.text = text;
    note.hasAlarm = true;
    note.alarmDate = start;
    note.alarmEndDate = end;
    return note;
}

inline ReminderNote plain(const QString& text, const QDateTime& created)
{
    ReminderNote note = ReminderNote::create(created);
    note.text = text;
    return note;
}

// The texts of `notes`, in order.
inline QStringList textsOf(const ReminderNotes& notes)
{
    QStringList texts;
    for (const ReminderNote& n : notes)
        texts.append(n.text);
    return texts;
}
