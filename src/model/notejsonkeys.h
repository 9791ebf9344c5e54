#pragma once

#include <array>
#include <string_view>

/// The keys of a record's JSON object, numbered in the order the compact layout writes them.
namespace NoteJsonKeys {

enum Key : int {
    Id,
    Text,
    CreatedAt,
    HasAlarm,
    AlarmDate,
    RepeatIntervalKey,
    UsePopup,
    UseSound,
    SoundName,
    IsTriggered,
    LaunchAppPath,
    ShellScript,
    AlarmEndDate,
    ImportSource,
    ImportBatchId,
    SnoozeDate,
    Count
};

inline constexpr std::array<std::string_view, Count> names { "id", "text", "createdAt", "hasAlarm",
    "alarmDate", "repeatInterval", "usePopup", "useSound", "soundName", "isTriggered", "launchAppPath",
    "shellScript", "alarmEndDate", "importSource", "importBatchId", "snoozeDate" };

} // namespace NoteJsonKeys
