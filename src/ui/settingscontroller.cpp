#include "settingscontroller.h"

#include "appsettings.h"
#include "filedialog.h"
#include "folderexchange.h"
#include "notestore.h"
#include "panelcontroller.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace {

// Slider values are sums of binary fractions: 1.15 arrives as 1.1499999…, which must read 115.
constexpr double roundingSlack = 1e-6;

std::optional<double> freeHeight(const QScreen* screen)
{
    return screen ? std::optional<double>(screen->availableGeometry().height()) : std::nullopt;
}

double snap(double value, double from, double step)
{
    return from + std::round((value - from) / step) * step;
}

} // namespace

SettingsController::SettingsController(QObject* parent)
    : QObject(parent)
    , m_screenHeight(
          [this] { return freeHeight(m_panel ? m_panel->panelScreen() : QGuiApplication::primaryScreen()); })
    , m_chooseFolder([] {
        return FileDialog::choose({ QStringLiteral("Kalenderordner wählen"), {}, false, {}, {}, true });
    })
{
}

void SettingsController::setPanel(PanelController* panel)
{
    if (m_panel == panel)
        return;
    if (m_panel)
        disconnect(m_panel, nullptr, this, nullptr);
    if (m_settings)
        disconnect(m_settings, nullptr, this, nullptr);
    m_panel = panel;
    m_settings = panel ? panel->settings() : nullptr;
    if (m_panel) {
        connect(&m_panel->store(), &NoteStore::notesChanged, this, &SettingsController::recordCountChanged);
        connect(m_settings, &AppSettings::fontScaleChanged, this, &SettingsController::fontScaleChanged);
        connect(
            m_settings, &AppSettings::windowHeightChanged, this, &SettingsController::windowHeightChanged);
        connect(
            m_panel, &PanelController::panelScreenChanged, this, &SettingsController::maxWindowHeightChanged);
        connect(m_settings, &AppSettings::syncFolderChanged, this, &SettingsController::syncChanged);
        connect(m_settings, &AppSettings::syncNotesChanged, this, &SettingsController::syncChanged);
    }
    m_launchAtLogin = loginItem() && loginItem()->isEnabled();
    emit panelChanged();
    emit maxWindowHeightChanged();
    emit launchAtLoginChanged();
    emit fontScaleChanged();
    emit windowHeightChanged();
    emit recordCountChanged();
    emit syncChanged();
}

bool SettingsController::syncOn() const
{
    return m_settings && !m_settings->syncFolder().isEmpty();
}

void SettingsController::setSyncOn(bool on)
{
    if (!m_settings || on == syncOn())
        return;
    QString folder;
    if (on) {
        const auto made = m_panel && !m_panel->calendarRoot().isEmpty()
            ? FolderExchange::makeCalendar(m_panel->calendarRoot())
            : std::nullopt;
        if (!made) {
            m_syncProblem = QStringLiteral("Der Kalender „Zettelwerk“ konnte nicht angelegt werden");
            emit syncChanged();
            return;
        }
        folder = *made;
    }
    useSyncFolder(folder);
}

void SettingsController::chooseSyncFolder()
{
    if (const auto chosen = m_chooseFolder ? m_chooseFolder() : std::nullopt)
        useSyncFolder(*chosen);
}

void SettingsController::useSyncFolder(const QString& folder)
{
    m_syncProblem.clear();
    if (!folder.isEmpty() && !QFileInfo(folder).isDir())
        m_syncProblem = QStringLiteral("%1 ist kein Ordner").arg(folder);
    else if (!m_settings->setSyncFolder(folder))
        m_syncProblem = QStringLiteral("Die Einstellungen konnten nicht gespeichert werden");
    emit syncChanged();
}

QString SettingsController::syncText() const
{
    if (!m_syncProblem.isEmpty())
        return m_syncProblem;
    if (!syncOn())
        return QStringLiteral("Aus – nur auf diesem Rechner");
    QString folder = QDir::toNativeSeparators(m_settings->syncFolder());
    const QString home = QDir::homePath();
    if (folder.startsWith(home + u'/'))
        folder.replace(0, home.size(), QStringLiteral("~"));
    return QStringLiteral("Abgleich über %1").arg(folder);
}

bool SettingsController::syncNotes() const
{
    return m_settings && m_settings->syncNotes();
}

void SettingsController::setSyncNotes(bool on)
{
    if (!m_settings || on == syncNotes())
        return;
    const bool stored = m_settings->setSyncNotes(on);
    m_syncNotesProblem
        = stored ? QString() : QStringLiteral("Die Einstellungen konnten nicht gespeichert werden");
    // Said once it matters: the notes already there are neither removed nor followed any more.
    m_notesLeftInFolder = stored && !on;
    emit syncChanged();
}

QString SettingsController::syncNotesText() const
{
    if (!m_syncNotesProblem.isEmpty())
        return m_syncNotesProblem;
    if (syncNotes())
        return QStringLiteral("Als Journal-Einträge im selben Kalender");
    return m_notesLeftInFolder ? QStringLiteral("Aus – abgeglichene Notizen bleiben im Ordner")
                               : QStringLiteral("Aus – nur Termine");
}

void SettingsController::setScreenHeight(ScreenHeight screenHeight)
{
    m_screenHeight = std::move(screenHeight);
    emit maxWindowHeightChanged();
}

LoginItem* SettingsController::loginItem() const
{
    return m_panel ? m_panel->loginItem() : nullptr;
}

void SettingsController::setLaunchAtLogin(bool on)
{
    if (on == m_launchAtLogin)
        return;
    LoginItem* item = loginItem();
    const bool done = item && (on ? item->enable() : item->disable());
    // No message: the switch simply shows what holds now.
    m_launchAtLogin = done ? on : item && item->isEnabled();
    emit launchAtLoginChanged();
}

double SettingsController::fontScale() const
{
    return m_settings ? m_settings->fontScale() : AppSettings::defaultFontScale;
}

void SettingsController::setFontScale(double scale)
{
    if (m_settings && std::isfinite(scale))
        m_settings->setFontScale(
            std::clamp(snap(scale, minFontScale(), fontScaleStep), minFontScale(), maxFontScale()));
}

QString SettingsController::fontScaleText() const
{
    return QString::number(static_cast<int>(std::floor(fontScale() * 100.0 + roundingSlack)))
        + QLatin1Char('%');
}

double SettingsController::minFontScale()
{
    return AppSettings::minFontScale;
}

double SettingsController::maxFontScale()
{
    return AppSettings::maxFontScale;
}

double SettingsController::windowHeight() const
{
    return m_settings ? m_settings->windowHeight() : AppSettings::defaultWindowHeight;
}

void SettingsController::setWindowHeight(double height)
{
    if (m_settings && std::isfinite(height))
        m_settings->setWindowHeight(std::clamp(
            snap(height, minWindowHeight(), windowHeightStep), minWindowHeight(), maxWindowHeight()));
}

QString SettingsController::windowHeightText() const
{
    return QString::number(static_cast<int>(std::floor(windowHeight() + roundingSlack)))
        + QStringLiteral(" px");
}

double SettingsController::minWindowHeight()
{
    return AppSettings::minWindowHeight;
}

double SettingsController::windowHeightBound(std::optional<double> screenHeight)
{
    return screenHeight ? std::max(600.0, *screenHeight - 40.0) : 860.0;
}

int SettingsController::recordCount() const
{
    return m_panel ? static_cast<int>(m_panel->store().notes().size()) : 0;
}

QString SettingsController::recordCountText() const
{
    return QStringLiteral("%1 Notizen").arg(recordCount());
}

QString SettingsController::deleteAllQuestion() const
{
    return QStringLiteral("Alle %1 Notizen unwiderruflich löschen?").arg(recordCount());
}

void SettingsController::setShowDeleteAllConfirm(bool show)
{
    if (show == m_showDeleteAllConfirm)
        return;
    m_showDeleteAllConfirm = show;
    if (show)
        setDeleteAllError({});
    emit showDeleteAllConfirmChanged();
}

void SettingsController::deleteAll()
{
    if (m_panel) {
        NoteStore& store = m_panel->store();
        // Even an empty store writes its file: the records must not come back at the next start.
        if (!store.replaceNotes({})) {
            setDeleteAllError(
                QStringLiteral("Löschen konnte nicht gespeichert werden: ") + store.saveError());
            return;
        }
    }
    setShowDeleteAllConfirm(false);
}

void SettingsController::reset()
{
    if (m_settings)
        m_settings->reset();
}

void SettingsController::setDeleteAllError(const QString& error)
{
    if (error == m_deleteAllError)
        return;
    m_deleteAllError = error;
    emit deleteAllErrorChanged();
}
