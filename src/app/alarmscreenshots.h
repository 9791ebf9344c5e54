#pragma once

#include <QString>
#include <QStringList>

class NoteStore;
class QQmlEngine;
class QQuickWindow;

/// The alarm window in the states the screenshot command draws.
namespace AlarmScreenshots {

/// alarm (one appointment on time, its "Später" choices open) and alarm-missed (the day's
/// appointments before now, missed).
[[nodiscard]] QStringList screens();
/// The window of `screen` on `store`'s appointments, shown; null with the reason in `error`.
[[nodiscard]] QQuickWindow* open(QQmlEngine& engine, const QString& screen, NoteStore& store, QString* error);

} // namespace AlarmScreenshots
