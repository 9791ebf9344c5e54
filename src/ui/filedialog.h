#pragma once

#include <QString>

#include <optional>

class QFileDialog;

/// Runs every file dialog of the app the same way.
namespace FileDialog {

/// Shows `dialog`, configured by the caller, above the panel and modal, with the app brought to
/// the front; returns the chosen path when the user confirmed, otherwise nothing. The panel, which
/// may have closed while another program's dialog had the focus, opens again afterwards.
[[nodiscard]] std::optional<QString> run(QFileDialog& dialog);

} // namespace FileDialog
