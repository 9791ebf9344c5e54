#pragma once

#include <QByteArrayView>
#include <QTimeZone>

#include <optional>

/// The zone a TZID value names: an id of `QTimeZone::availableTimeZoneIds()` or a Windows zone
/// name (Outlook and Exchange write those). Nothing for any other value: Qt would read it as a
/// path below the zone folder and open whatever is there.
[[nodiscard]] std::optional<QTimeZone> namedTimeZone(QByteArrayView id);
