#include "vdircalendarstore.h"

#include "log.h"
#include "vdirexpansion.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutexLocker>
#include <QSet>
#include <QStandardPaths>

#include <libical/ical.h>

namespace {

bool holdsCalendarFiles(const QString& folder)
{
    return !QDir(folder).entryList({ QStringLiteral("*.ics") }, QDir::Files).isEmpty();
}

// A calendar file larger than this is not read: one event per file is the vdir way.
constexpr qint64 maxCalendarFileSize = 64 * 1024 * 1024;

QString firstLine(const QString& path)
{
    // Only a plain file: opening a pipe of that name would wait for a writer.
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readLine(4096)).trimmed();
}

// "#rrggbb" of a `color` file ("#rrggbb" or vdirsyncer's "#rrggbbaa"), none when it is neither.
std::optional<QString> colorOf(const QString& text)
{
    static const QString digits = QStringLiteral("0123456789abcdefABCDEF");
    if (!text.startsWith(u'#') || (text.size() != 7 && text.size() != 9))
        return std::nullopt;
    for (const QChar c : QStringView(text).sliced(1)) {
        if (!digits.contains(c))
            return std::nullopt;
    }
    return text.left(7).toLower();
}

} // namespace

struct VdirCalendarStore::ParsedFile {
    QDateTime modified;
    qint64 size = -1;
    icalcomponent* root = nullptr;

    ParsedFile() = default;
    ParsedFile(const ParsedFile&) = delete;
    ParsedFile& operator=(const ParsedFile&) = delete;
    ~ParsedFile()
    {
        if (root)
            icalcomponent_free(root);
    }
};

VdirCalendarStore::VdirCalendarStore(Consent consent, QStringList roots)
    : m_consent(std::move(consent))
    , m_roots(std::move(roots))
{
    // A broken file must never end the program.
    icalerror_set_errors_are_fatal(0);
}

VdirCalendarStore::~VdirCalendarStore() = default;

QStringList VdirCalendarStore::defaultRoots()
{
    const QString chosen = qEnvironmentVariable("ZETTELWERK_VDIR");
    if (!chosen.isEmpty())
        return { chosen };
    return { QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
            + QStringLiteral("/calendars"),
        QDir::homePath() + QStringLiteral("/.calendars") };
}

CalendarAccess VdirCalendarStore::accessStatus() const
{
    const std::optional<bool> answer = m_consent.answer ? m_consent.answer() : std::nullopt;
    if (!answer)
        return CalendarAccess::NotDetermined;
    return *answer ? CalendarAccess::FullAccess : CalendarAccess::Denied;
}

void VdirCalendarStore::requestFullAccess(std::function<void(std::optional<bool>)> done)
{
    const bool kept = m_consent.remember && m_consent.remember(true);
    done(kept ? std::optional(true) : std::nullopt);
}

QList<CalendarInfo> VdirCalendarStore::calendars()
{
    QList<CalendarInfo> found;
    QSet<QString> seen;
    for (const QString& root : std::as_const(m_roots)) {
        // A calendar is a folder of .ics files, directly below a root or one account folder deeper.
        QStringList folders;
        const QFileInfoList children
            = QDir(root).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
        for (const QFileInfo& child : children) {
            folders.append(child.absoluteFilePath());
            const QFileInfoList nested
                = QDir(child.absoluteFilePath()).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
            for (const QFileInfo& grandchild : nested)
                folders.append(grandchild.absoluteFilePath());
        }
        for (const QString& folder : std::as_const(folders)) {
            const QString identifier = QFileInfo(folder).canonicalFilePath();
            if (identifier.isEmpty() || seen.contains(identifier) || !holdsCalendarFiles(folder))
                continue;
            seen.insert(identifier);
            const QString name = firstLine(folder + QStringLiteral("/displayname"));
            found.append({ identifier, name.isEmpty() ? QFileInfo(folder).fileName() : name,
                colorOf(firstLine(folder + QStringLiteral("/color"))).value_or(defaultColor()) });
        }
    }
    return found;
}

qsizetype VdirCalendarStore::cachedFileCount()
{
    const QMutexLocker lock(&m_filesMutex);
    return m_files.size();
}

const VdirCalendarStore::ParsedFile& VdirCalendarStore::parsed(const QString& path)
{
    const QFileInfo info(path);
    std::shared_ptr<ParsedFile>& entry = m_files[path];
    if (entry && entry->modified == info.lastModified() && entry->size == info.size())
        return *entry;
    entry = std::make_shared<ParsedFile>();
    entry->modified = info.lastModified();
    entry->size = info.size();
    QFile file(path);
    if (info.size() > maxCalendarFileSize)
        Log::line(QStringLiteral("[Kalender] %1 übersprungen: größer als 64 MiB").arg(path));
    else if (info.isFile() && file.open(QIODevice::ReadOnly))
        entry->root = icalparser_parse_string(file.readAll().constData());
    return *entry;
}

QList<CalendarEvent> VdirCalendarStore::events(
    const QDateTime& start, const QDateTime& end, const QStringList& calendarIdentifiers)
{
    const QMutexLocker lock(&m_filesMutex);
    QList<CalendarEvent> found;
    const QList<CalendarInfo> known = calendars();
    QSet<QString> knownFolders;
    QSet<QString> readFolders;
    QSet<QString> readFiles;
    for (const CalendarInfo& calendar : known) {
        knownFolders.insert(calendar.identifier);
        if (!calendarIdentifiers.contains(calendar.identifier))
            continue;
        readFolders.insert(calendar.identifier);
        const QFileInfoList files
            = QDir(calendar.identifier).entryInfoList({ QStringLiteral("*.ics") }, QDir::Files, QDir::Name);
        for (const QFileInfo& file : files) {
            readFiles.insert(file.absoluteFilePath());
            if (icalcomponent* root = parsed(file.absoluteFilePath()).root)
                expandCalendarFile(root, start, end, found);
        }
    }
    // Files deleted since the last scan, and those of calendars that are gone, are forgotten.
    m_files.removeIf([&](const decltype(m_files)::iterator& entry) {
        const QString folder = QFileInfo(entry.key()).absolutePath();
        return !knownFolders.contains(folder)
            || (readFolders.contains(folder) && !readFiles.contains(entry.key()));
    });
    return found;
}
