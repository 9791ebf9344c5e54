#pragma once

#include <QDateTime>
#include <QString>

#include <array>
#include <optional>

/// Putting an alarm off: the choices a popup and a notification offer, and the command line's text.
namespace Snooze {

enum class Choice { FiveMinutes, FifteenMinutes, OneHour, TomorrowMorning };

inline constexpr std::array<Choice, 4> allChoices {
    Choice::FiveMinutes,
    Choice::FifteenMinutes,
    Choice::OneHour,
    Choice::TomorrowMorning,
};

/// "5 Min.", "15 Min.", "1 Std." or "Morgen, 9:00".
[[nodiscard]] QString label(Choice choice);
/// The choice's name in notifications' actions and on the command line: "5m", "15m", "1h", "morgen".
[[nodiscard]] QString key(Choice choice);
[[nodiscard]] std::optional<Choice> choiceForKey(const QString& key);
/// When the alarm comes again; "Morgen, 9:00" is the next day's 09:00 on the local wall clock.
[[nodiscard]] QDateTime until(Choice choice, const QDateTime& now);
/// A command line's "10m", "90m", "1h", "2h" or "morgen"; nothing for anything else.
[[nodiscard]] std::optional<QDateTime> parse(const QString& text, const QDateTime& now);

} // namespace Snooze
