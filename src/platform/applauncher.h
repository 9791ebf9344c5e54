#pragma once

#include <QString>

/// Opens what an alarm names: a `.desktop` entry is launched as an application, any other
/// existing path is opened with its default application.
namespace AppLauncher {

/// false when the path does not exist or could not be opened.
bool open(const QString& path);

} // namespace AppLauncher
