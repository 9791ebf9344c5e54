// GIO first: Qt's `signals` macro clashes with GLib's headers.
#include <gio/gdesktopappinfo.h>

#include "applauncher.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace {

bool isDesktopEntry(const QString& path)
{
    return path.endsWith(QLatin1String(".desktop"));
}

} // namespace

bool AppLauncher::open(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return false;
    if (isDesktopEntry(path)) {
        const QByteArray file = QFile::encodeName(info.absoluteFilePath());
        GDesktopAppInfo* app = g_desktop_app_info_new_from_filename(file.constData());
        if (!app)
            return false;
        GError* error = nullptr;
        const bool launched = g_app_info_launch(G_APP_INFO(app), nullptr, nullptr, &error);
        if (error)
            g_error_free(error);
        g_object_unref(app);
        return launched;
    }
    // A file URL, never a command line: spaces and quotes in the path stay part of the name.
    return QDesktopServices::openUrl(QUrl::fromLocalFile(info.absoluteFilePath()));
}

QString AppLauncher::displayName(const QString& path)
{
    const QFileInfo info(path);
    if (isDesktopEntry(path) && info.isReadable()) {
        // Read as a plain key file: GDesktopAppInfo rejects entries whose TryExec program is gone
        // and calls an entry without Name= "Unnamed", where the file name says more.
        const QByteArray file = QFile::encodeName(info.absoluteFilePath());
        GKeyFile* entry = g_key_file_new();
        QString entryName;
        if (g_key_file_load_from_file(entry, file.constData(), G_KEY_FILE_NONE, nullptr)) {
            if (gchar* value = g_key_file_get_locale_string(
                    entry, G_KEY_FILE_DESKTOP_GROUP, G_KEY_FILE_DESKTOP_KEY_NAME, nullptr, nullptr)) {
                entryName = QString::fromUtf8(value).trimmed();
                g_free(value);
            }
        }
        g_key_file_free(entry);
        if (!entryName.isEmpty())
            return entryName;
    }
    QString name = info.fileName();
    for (const QLatin1String suffix : { QLatin1String(".desktop"), QLatin1String(".app") }) {
        if (name.endsWith(suffix))
            name.chop(suffix.size());
    }
    return name;
}
