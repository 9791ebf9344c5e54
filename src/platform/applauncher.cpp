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
