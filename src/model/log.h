#pragma once

#include <QString>

#include <functional>

/// Plain log lines on standard output; tests redirect them to check the exact wording.
namespace Log {

void line(const QString& text);

using Sink = std::function<void(const QString&)>;
/// Sends every line to `sink` instead of standard output; an empty sink restores standard output.
void setSink(Sink sink);

} // namespace Log
