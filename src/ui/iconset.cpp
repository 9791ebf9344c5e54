#include "iconset.h"

#include <QHash>

namespace {

const QHash<QString, QString>& table()
{
    static const QHash<QString, QString> ligatures {
        { QStringLiteral("note.text"), QStringLiteral("sticky_note_2") },
        { QStringLiteral("gearshape"), QStringLiteral("settings") },
        { QStringLiteral("questionmark.circle"), QStringLiteral("help_outline") },
        { QStringLiteral("info.circle"), QStringLiteral("info_outline") },
        { QStringLiteral("plus"), QStringLiteral("add") },
        { QStringLiteral("calendar"), QStringLiteral("calendar_today") },
        { QStringLiteral("clock"), QStringLiteral("schedule") },
        { QStringLiteral("sun.max"), QStringLiteral("wb_sunny") },
        { QStringLiteral("calendar.badge.minus"), QStringLiteral("event_busy") },
        { QStringLiteral("calendar.badge.plus"), QStringLiteral("edit_calendar") },
        { QStringLiteral("note.text.badge.plus"), QStringLiteral("note_add") },
        { QStringLiteral("arrow.up.circle"), QStringLiteral("arrow_circle_up") },
        { QStringLiteral("checkmark.circle"), QStringLiteral("check_circle_outline") },
        { QStringLiteral("checkmark.circle.fill"), QStringLiteral("check_circle") },
        { QStringLiteral("doc.text"), QStringLiteral("description") },
        { QStringLiteral("repeat"), QStringLiteral("repeat") },
        { QStringLiteral("bell.fill"), QStringLiteral("notifications") },
        { QStringLiteral("speaker.wave.2"), QStringLiteral("volume_up") },
        { QStringLiteral("chevron.right"), QStringLiteral("chevron_right") },
        { QStringLiteral("chevron.left"), QStringLiteral("chevron_left") },
        { QStringLiteral("chevron.down"), QStringLiteral("expand_more") },
        { QStringLiteral("trash"), QStringLiteral("delete_outline") },
        // The font has no trash in a circle; the dialog draws the circle and puts this on it.
        { QStringLiteral("trash.circle.fill"), QStringLiteral("delete") },
        // Settings, help and about.
        { QStringLiteral("power"), QStringLiteral("power_settings_new") },
        { QStringLiteral("textformat.size"), QStringLiteral("format_size") },
        { QStringLiteral("arrow.up.and.down"), QStringLiteral("height") },
        { QStringLiteral("rectangle.compress.vertical"), QStringLiteral("compress") },
        { QStringLiteral("rectangle.expand.vertical"), QStringLiteral("expand") },
        { QStringLiteral("externaldrive"), QStringLiteral("storage") },
        { QStringLiteral("exclamationmark.triangle"), QStringLiteral("warning_amber") },
        { QStringLiteral("arrow.counterclockwise"), QStringLiteral("replay") },
        { QStringLiteral("circle"), QStringLiteral("radio_button_unchecked") },
        { QStringLiteral("questionmark.circle.fill"), QStringLiteral("help") },
        { QStringLiteral("doc.on.doc"), QStringLiteral("content_copy") },
        { QStringLiteral("checkmark"), QStringLiteral("check") },
        { QStringLiteral("bell.badge.fill"), QStringLiteral("notification_important") },
        { QStringLiteral("hand.tap"), QStringLiteral("touch_app") },
        { QStringLiteral("gearshape.fill"), QStringLiteral("settings") },
        { QStringLiteral("menubar.rectangle"), QStringLiteral("web_asset") },
        { QStringLiteral("heart.fill"), QStringLiteral("favorite") },
        { QStringLiteral("globe"), QStringLiteral("language") },
        { QStringLiteral("shield.lefthalf.filled"), QStringLiteral("shield") },
        { QStringLiteral("xmark"), QStringLiteral("close") },
        { QStringLiteral("exclamationmark.triangle.fill"), QStringLiteral("warning") },
        { QStringLiteral("pencil"), QStringLiteral("edit") },
        { QStringLiteral("bell"), QStringLiteral("notifications_none") },
        { QStringLiteral("clock.fill"), QStringLiteral("watch_later") },
        { QStringLiteral("calendar.badge.clock"), QStringLiteral("date_range") },
        { QStringLiteral("arrow.right"), QStringLiteral("arrow_forward") },
        { QStringLiteral("speaker.wave.2.fill"), QStringLiteral("volume_up") },
        { QStringLiteral("play.circle.fill"), QStringLiteral("play_circle_filled") },
        { QStringLiteral("bell.and.waves.left.and.right"), QStringLiteral("notifications_active") },
        { QStringLiteral("app.badge"), QStringLiteral("apps") },
        { QStringLiteral("xmark.circle.fill"), QStringLiteral("cancel") },
        { QStringLiteral("terminal"), QStringLiteral("terminal") },
        // Backup and export.
        { QStringLiteral("square.and.arrow.down"), QStringLiteral("file_download") },
        { QStringLiteral("square.and.arrow.up"), QStringLiteral("file_upload") },
        { QStringLiteral("folder.badge.plus"), QStringLiteral("create_new_folder") },
        { QStringLiteral("folder"), QStringLiteral("folder") },
        { QStringLiteral("arrow.triangle.2.circlepath"), QStringLiteral("sync") },
        { QStringLiteral("arrow.uturn.backward"), QStringLiteral("undo") },
        // Calendar import.
        { QStringLiteral("calendar.badge.exclamationmark"), QStringLiteral("event_busy") },
        { QStringLiteral("tray"), QStringLiteral("inbox") },
        { QStringLiteral("clock.arrow.circlepath"), QStringLiteral("history") },
        { QStringLiteral("largecircle.fill.circle"), QStringLiteral("radio_button_checked") },
    };
    return ligatures;
}

} // namespace

QString IconSet::glyph(const QString& symbol)
{
    // Symbols bound from data are empty for a moment while a view is built.
    if (symbol.isEmpty())
        return {};
    const auto found = table().constFind(symbol);
    if (found == table().constEnd()) {
        qWarning("Kein Symbol für \"%s\"", qPrintable(symbol));
        return {};
    }
    return *found;
}

QStringList IconSet::symbols()
{
    QStringList names = table().keys();
    names.sort();
    return names;
}
