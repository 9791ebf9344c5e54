#pragma once

#include "calendarstore.h"

#include <QDateTime>
#include <QHash>
#include <QMutex>

#include <memory>

/// The system calendar of khal and vdirsyncer: a folder of .ics files per calendar, with
/// optional `displayname` and `color` files. Repeating events are expanded with libical. Events
/// and calendars may be read from any thread.
class VdirCalendarStore : public CalendarStore {
public:
    /// Where the user's consent is kept: the stored answer (none until asked), and keeping a new
    /// one, false when it could not be kept.
    struct Consent {
        std::function<std::optional<bool>()> answer;
        std::function<bool(bool)> remember;
    };

    /// Reads calendars below `roots`; consent is asked and kept through `consent`.
    VdirCalendarStore(Consent consent, QStringList roots = defaultRoots());
    ~VdirCalendarStore() override;

    /// `$ZETTELWERK_VDIR` when set, else `$XDG_DATA_HOME/calendars` and `~/.calendars`.
    [[nodiscard]] static QStringList defaultRoots();
    /// The grey of a calendar without a valid `color` file.
    [[nodiscard]] static QString defaultColor() { return QStringLiteral("#8E8E93"); }

    [[nodiscard]] CalendarAccess accessStatus() const override;
    /// Asked from the app's own prompt: the user's tap on "Zugriff erlauben" is the consent.
    void requestFullAccess(std::function<void(std::optional<bool>)> done) override;
    [[nodiscard]] QList<CalendarInfo> calendars() override;
    [[nodiscard]] QList<CalendarEvent> events(
        const QDateTime& start, const QDateTime& end, const QStringList& calendarIdentifiers) override;

    /// How many parsed files are kept for the next scan.
    [[nodiscard]] qsizetype cachedFileCount();

private:
    struct ParsedFile;

    /// The file's components, parsed again only when its modification time or size changed.
    const ParsedFile& parsed(const QString& path);

    Consent m_consent;
    QStringList m_roots;
    // Events may be read from a worker thread while the screen asks again.
    QMutex m_filesMutex;
    QHash<QString, std::shared_ptr<ParsedFile>> m_files;
};
