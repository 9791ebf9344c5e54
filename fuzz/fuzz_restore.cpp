// A restore from arbitrary bytes: the store either keeps what it had or holds exactly the
// backup's records, on disk as in memory; undo always brings the old list back.
#include "notejson.h"
#include "notestore.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_restore";
    static char* argv[] = { name, nullptr };
    static QCoreApplication app(argc, argv);
    static QTemporaryDir dir;

    NoteStore store(dir.path(), [] { return QDateTime(QDate(2026, 1, 1), QTime(12, 0), Qt::UTC); });
    ReminderNote kept = ReminderNote::create(QDateTime(QDate(2025, 1, 1), QTime(8, 0), Qt::UTC));
    kept.text = QStringLiteral("bleibt");
    store.replaceNotes({ kept });
    const QByteArray before = NoteJson::encodeCompact(store.notes());

    const auto result
        = store.restoreFromJSON(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    QFile file(store.filePath());
    if (!file.open(QIODevice::ReadOnly))
        std::abort();
    const QByteArray onDisk = file.readAll();
    file.close();
    if (onDisk != NoteJson::encodeCompact(store.notes()))
        std::abort();
    if (!result) {
        if (onDisk != before)
            std::abort();
        return 0;
    }
    if (result->count != store.notes().size() || result->count == 0)
        std::abort();
    store.replaceNotes(result->oldNotes);
    if (NoteJson::encodeCompact(store.notes()) != before)
        std::abort();
    return 0;
}
