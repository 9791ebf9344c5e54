#include "appsettings.h"

#include "assign.h"

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
    reload();
}

void AppSettings::reload()
{
    const QSettings settings = store();
    const double fontScale
        = std::clamp(number(settings, fontScaleKey, defaultFontScale), minFontScale, maxFontScale);
    if (!qFuzzyCompare(fontScale, m_fontScale)) {
        m_fontScale = fontScale;
        emit fontScaleChanged();
    }
    const double windowHeight
        = std::max(number(settings, windowHeightKey, defaultWindowHeight), minWindowHeight);
    if (!qFuzzyCompare(windowHeight, m_windowHeight)) {
        m_windowHeight = windowHeight;
        emit windowHeightChanged();
    }
    if (assign(m_lastSoundName, settings.value(lastSoundNameKey).toString()))
        emit lastSoundNameChanged();
    if (assign(m_calendarAccess, settings.value(calendarAccessKey).toBool()))
        emit calendarAccessChanged();
    // Notes first: a new folder's first exchange already knows whether they travel.
    if (assign(m_syncNotes, settings.value(syncNotesKey).toBool()))
        emit syncNotesChanged();
    if (assign(m_syncFolder, settings.value(syncFolderKey).toString()))
        emit syncFolderChanged();
    if (assign(m_shownCalendars, settings.value(shownCalendarsKey).toStringList()))
        emit shownCalendarsChanged();
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
