#include "appsettings.h"

#include <QSettings>

#include <algorithm>
#include <cmath>

namespace {

const QString fontScaleKey = QStringLiteral("fontScale");
const QString windowHeightKey = QStringLiteral("windowHeight");
const QString lastSoundNameKey = QStringLiteral("lastSoundName");
const QString calendarAccessKey = QStringLiteral("calendarAccess");
const QString syncFolderKey = QStringLiteral("syncFolder");
const QString syncNotesKey = QStringLiteral("syncNotes");
const QString shownCalendarsKey = QStringLiteral("shownCalendars");

QSettings store()
{
    return QSettings(QStringLiteral("Zettelwerk"), QStringLiteral("Zettelwerk"));
}

// A hand-edited or damaged value must not hide the panel or make its text unreadable.
double number(const QSettings& settings, const QString& key, double fallback)
{
    bool ok = false;
    const double value = settings.value(key).toDouble(&ok);
    return ok && std::isfinite(value) ? value : fallback;
}

} // namespace

AppSettings::AppSettings(QObject* parent)
    : QObject(parent)
{
    const QSettings settings = store();
    m_fontScale = std::clamp(number(settings, fontScaleKey, defaultFontScale), minFontScale, maxFontScale);
    m_windowHeight = std::max(number(settings, windowHeightKey, defaultWindowHeight), minWindowHeight);
    m_lastSoundName = settings.value(lastSoundNameKey).toString();
    m_calendarAccess = settings.value(calendarAccessKey).toBool();
    m_syncFolder = settings.value(syncFolderKey).toString();
    m_syncNotes = settings.value(syncNotesKey).toBool();
    m_shownCalendars = settings.value(shownCalendarsKey).toStringList();
}

void AppSettings::setFontScale(double scale)
{
    if (!std::isfinite(scale))
        return;
    scale = std::clamp(scale, minFontScale, maxFontScale);
    if (qFuzzyCompare(scale, m_fontScale))
        return;
    m_fontScale = scale;
    store().setValue(fontScaleKey, scale);
    emit fontScaleChanged();
}

void AppSettings::setWindowHeight(double height)
{
    if (!std::isfinite(height))
        return;
    height = std::max(height, minWindowHeight);
    if (qFuzzyCompare(height, m_windowHeight))
        return;
    m_windowHeight = height;
    store().setValue(windowHeightKey, height);
    emit windowHeightChanged();
}

void AppSettings::setLastSoundName(const QString& name)
{
    if (name == m_lastSoundName)
        return;
    m_lastSoundName = name;
    store().setValue(lastSoundNameKey, name);
    emit lastSoundNameChanged();
}

namespace {

// Stored at once; false when the settings file could not be written.
bool stored(const QString& key, const QVariant& value)
{
    QSettings settings = store();
    settings.setValue(key, value);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

} // namespace

bool AppSettings::setCalendarAccess(bool granted)
{
    if (!stored(calendarAccessKey, granted))
        return false;
    if (granted != m_calendarAccess) {
        m_calendarAccess = granted;
        emit calendarAccessChanged();
    }
    return true;
}

bool AppSettings::setSyncFolder(const QString& folder)
{
    if (!stored(syncFolderKey, folder))
        return false;
    if (folder != m_syncFolder) {
        m_syncFolder = folder;
        emit syncFolderChanged();
    }
    return true;
}

bool AppSettings::setSyncNotes(bool on)
{
    if (!stored(syncNotesKey, on))
        return false;
    if (on != m_syncNotes) {
        m_syncNotes = on;
        emit syncNotesChanged();
    }
    return true;
}

bool AppSettings::setShownCalendars(const QStringList& identifiers)
{
    if (!stored(shownCalendarsKey, identifiers))
        return false;
    if (identifiers != m_shownCalendars) {
        m_shownCalendars = identifiers;
        emit shownCalendarsChanged();
    }
    return true;
}

void AppSettings::reset()
{
    setFontScale(defaultFontScale);
    setWindowHeight(defaultWindowHeight);
}
