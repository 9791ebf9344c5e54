#pragma once

#include <QString>

/// How the editor names a chosen application: the `Name=` of a readable `.desktop` entry
/// (German first), else the last path component without ".desktop" or ".app", on one line.
[[nodiscard]] QString appDisplayName(const QString& path);
