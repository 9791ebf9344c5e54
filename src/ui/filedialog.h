#pragma once

#include <QString>

#include <optional>

/// Runs every file dialog of the app the same way.
namespace FileDialog {

/// One file to open (it must exist) or to save, as every screen asks for one.
struct Request {
    QString title;
    /// e.g. "Kalender (*.ics)"
    QString nameFilter;
    bool save = false;
    QString proposedName;
    /// Where the dialog starts; empty: where it last was.
    QString folder;
    /// A folder to choose instead of a file.
    bool choosesFolder = false;
};
/// Shows a dialog for `request` above the panel and modal, with the app brought to the front;
/// returns the chosen path when the user confirmed, otherwise nothing. The panel, which may have
/// closed while another program's dialog had the focus, opens again afterwards.
[[nodiscard]] std::optional<QString> choose(const Request& request);

} // namespace FileDialog
