#pragma once

#include <QString>
#include <QStringList>

class CalendarImportController;
class PanelController;

/// The calendar import screen in the states the screenshot command draws.
namespace ImportScreenshots {

/// import-apple, import-access, import-ics, import-duplicates, import-success, import-history.
[[nodiscard]] QStringList screens();
/// Opens the screen on the calendars of `$ZETTELWERK_VDIR` (or the user's), allowed except on
/// import-access.
void prepare(const QString& screen, PanelController& controller);
/// Brings the loaded screen into its state, writing a sample .ics file into `scratchFolder`.
[[nodiscard]] bool arrange(
    const QString& screen, CalendarImportController& import, const QString& scratchFolder, QString* error);

} // namespace ImportScreenshots
