#include "colorschemewatcher.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QEvent>
#include <QGuiApplication>
#include <QPalette>

namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString settingsInterface = QStringLiteral("org.freedesktop.portal.Settings");
const QString appearanceGroup = QStringLiteral("org.freedesktop.appearance");
const QString colorSchemeKey = QStringLiteral("color-scheme");

} // namespace

ColorSchemeWatcher::ColorSchemeWatcher(const QDBusConnection& bus, QObject* parent)
    : QObject(parent)
    , m_bus(bus)
    , m_dark(paletteIsDark(QGuiApplication::palette()))
{
    // Without a portal, a desktop that changes its palette while we run is followed too.
    if (QCoreApplication* app = QCoreApplication::instance())
        app->installEventFilter(this);
}

void ColorSchemeWatcher::start()
{
    if (!m_bus.isConnected())
        return;
    m_bus.connect(portalService, portalPath, settingsInterface, QStringLiteral("SettingChanged"), this,
        SLOT(onSettingChanged(QString, QString, QDBusVariant)));
    read(QStringLiteral("ReadOne"));
}

void ColorSchemeWatcher::read(const QString& method)
{
    QDBusMessage call = QDBusMessage::createMethodCall(portalService, portalPath, settingsInterface, method);
    call << appearanceGroup << colorSchemeKey;
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher, method] {
        watcher->deleteLater();
        const QDBusPendingReply<QDBusVariant> reply = *watcher;
        if (!reply.isError()) {
            takeAnswer(QVariant::fromValue(reply.value()));
            return;
        }
        // Portals before version 2 of the interface (Debian 12's) know only the older Read.
        if (method == QLatin1String("ReadOne"))
            read(QStringLiteral("Read"));
    });
}

void ColorSchemeWatcher::onSettingChanged(const QString& group, const QString& key, const QDBusVariant& value)
{
    if (group == appearanceGroup && key == colorSchemeKey)
        takeAnswer(QVariant::fromValue(value));
}

void ColorSchemeWatcher::takeAnswer(const QVariant& value)
{
    const std::optional<bool> dark = darkFromColorScheme(value);
    if (!dark)
        return;
    m_fromPortal = true;
    setDark(*dark);
}

void ColorSchemeWatcher::setDark(bool dark)
{
    if (dark == m_dark)
        return;
    m_dark = dark;
    emit darkChanged();
}

bool ColorSchemeWatcher::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ApplicationPaletteChange && watched == QCoreApplication::instance()
        && !m_fromPortal)
        setDark(paletteIsDark(QGuiApplication::palette()));
    return QObject::eventFilter(watched, event);
}

std::optional<bool> ColorSchemeWatcher::darkFromColorScheme(const QVariant& value)
{
    QVariant inner = value;
    // Read wraps the value once more than ReadOne; a bound keeps a hostile reply from looping.
    for (int depth = 0; depth < 8 && inner.metaType() == QMetaType::fromType<QDBusVariant>(); ++depth)
        inner = qvariant_cast<QDBusVariant>(inner).variant();
    if (inner.metaType() != QMetaType::fromType<uint>() && inner.metaType() != QMetaType::fromType<int>())
        return std::nullopt;
    switch (inner.toUInt()) {
    case 1:
        return true;
    case 0:
    case 2:
        return false;
    default:
        return std::nullopt;
    }
}

bool ColorSchemeWatcher::paletteIsDark(const QPalette& palette)
{
    return palette.color(QPalette::Window).lightness() < 128;
}
