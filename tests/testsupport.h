#pragma once

// Helpers shared by the test executables and the Qt classes most of them use. Tests run in Berlin time.

#include "columns.h"
#include "remindernote.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>

#include <optional>

using namespace Qt::StringLiterals;

// For the tests that link the alarm service.
#if __has_include("alarmactions.h")
#include "alarmactions.h"

#include <QElapsedTimer>

// Every call as one line, in order, so whole sequences can be compared.
class FakeActions : public AlarmActions {
public:
    QStringList calls;
    QElapsedTimer clock; // started by a test that times the popup
    qint64 popupAfterMs = -1;

    void notify(const QString& summary, const QString& body, const QList<QUuid>& snoozable) override
    {
        calls << QStringLiteral("notify ") + summary + QLatin1Char('|') + body;
        notified.append(snoozable);
    }
    void requestAttention() override { calls << QStringLiteral("attention"); }
    void playSound(const QString& name) override { calls << QStringLiteral("sound ") + name; }
    void openPath(const QString& path) override { calls << QStringLiteral("open ") + path; }
    void runShellCommand(const QString& command) override { calls << QStringLiteral("shell ") + command; }
    void showPopup(const QList<FiredAlarm>& alarms) override
    {
        static const QStringList kinds { QStringLiteral("Erinnerung"), QStringLiteral("Verpasst"),
            QStringLiteral("Erinnerung (Test)") };
        QStringList rows;
        for (const FiredAlarm& alarm : alarms)
            rows.append(kinds.at(int(alarm.kind)) + QLatin1Char('|') + alarm.text);
        calls << QStringLiteral("popup ") + rows.join(QStringLiteral(" / "));
        popupAfterMs = clock.isValid() ? clock.elapsed() : -1;
    }
    /// The records each notification offers to put off, in order.
    QList<QList<QUuid>> notified;
};
#endif

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

// An appointment created on 1 January 2025, 08:00; with a source, one an import brought.
inline ReminderNote appointment(const QString& text, const QDateTime& start,
    const std::optional<QDateTime>& end = std::nullopt, const QString& source = {})
{
    ReminderNote note = ReminderNote::create(berlin(2025, 1, 1, 8, 0));
    note.text = text;
    note.hasAlarm = true;
    note.alarmDate = start;
    note.alarmEndDate = end;
    note.importSource = source;
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

// The strings of `joined`, separated by '|': a list or command line written as one literal.
inline QStringList strings(const char* joined)
{
    return QString::fromUtf8(joined).split(QLatin1Char('|'));
}
