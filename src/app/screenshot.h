#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class NoteStore;
class QQuickWindow;

/// Pictures of the panel for documentation and review, drawn offscreen from a store's records.
namespace Screenshot {

/// The screens that can be drawn: heute, termine, notizen, delete-confirm, quit-confirm, editor
/// (a new appointment), editor-alarm (one with range, sound, application and command), settings,
/// settings-confirm, help, about, about-en, export, export-confirm (a backup picked) and
/// export-restored (restored, with undo).
[[nodiscard]] QStringList screens();

/// Sets the offscreen platform at twice the pixel density. Call before the QGuiApplication
/// exists; variables already set by the caller are kept.
void prepareEnvironment();

} // namespace Screenshot

/// Draws `screen` of the panel on `store`'s records (with `day` selected in the calendar, when
/// given) and writes it to `outPng` at twice the size in points: 760 pixels wide. Needs a live
/// QGuiApplication on a platform prepared by `Screenshot::prepareEnvironment()`. On failure
/// returns false and says why in `error` (German, one line). `inspect`, when given, sees the
/// window as it is drawn (tests read its items and what a screen reader would be told).
[[nodiscard]] bool renderScreenshot(NoteStore& store, const QString& screen, const QString& outPng,
    const std::optional<QDate>& day, QString* error, const std::function<void(QQuickWindow&)>& inspect = {});
