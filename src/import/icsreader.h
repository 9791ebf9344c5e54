#pragma once

#include "remindernote.h"

#include <QByteArrayView>
#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

/// One event read from an iCalendar file.
struct ICSEvent {
    QString summary;
    QString description;
    QDateTime startDate;
    std::optional<QDateTime> endDate;
    RepeatInterval recurrenceRule = RepeatInterval::None;
};

/// The properties of one event as read, UTF-8 views into the unfolded text; the later line of a
/// name wins. A time-zone id is kept only for the two dates, the one parameter that is honoured.
struct ICSPropertyMap {
    std::optional<QByteArrayView> summary;
    std::optional<QByteArrayView> description;
    std::optional<QByteArrayView> start;
    std::optional<QByteArrayView> end;
    std::optional<QByteArrayView> rrule;
    QByteArrayView startTimeZone;
    QByteArrayView endTimeZone;
};

/// The events of a local .ics file, sorted by start; empty when the file cannot be read or is
/// not valid UTF-8.
[[nodiscard]] QList<ICSEvent> parseICS(const QString& path);
/// The same for the bytes of a file.
[[nodiscard]] QList<ICSEvent> parseICSData(QByteArrayView bytes);

/// A TEXT value with its escapes undone: \\ \, \; always, \n and \N as line breaks where
/// `lineBreaks` allows them; a leading byte-order mark stays text.
[[nodiscard]] QString unescapeICSText(QByteArrayView raw, bool lineBreaks);
/// The event `properties` describe, or nothing without a start that `parseICSDate` reads.
[[nodiscard]] std::optional<ICSEvent> buildICSEvent(const ICSPropertyMap& properties);

/// A `yyyyMMddTHHmmssZ` (UTC), `yyyyMMddTHHmmss` or `yyyyMMdd` value as a point in time: the
/// last two as wall-clock time of `timeZoneId` when Qt knows that zone (IANA or Windows name),
/// else of the local zone. Nothing when the whole value matches none of them.
[[nodiscard]] std::optional<QDateTime> parseICSDate(QByteArrayView value, QByteArrayView timeZoneId = {});

/// The repeat rule an RRULE value names by its first FREQ of DAILY … YEARLY; none otherwise.
[[nodiscard]] RepeatInterval parseRRule(std::optional<QByteArrayView> value);
