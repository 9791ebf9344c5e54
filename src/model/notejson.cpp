#include "notejson.h"

#include <QIODevice>

#include "notejsonreader.h"
#include "notejsonwriter.h"

namespace NoteJson {

QByteArray encodeCompact(const ReminderNotes& notes)
{
    return NoteJsonWriter(NoteJsonWriter::Layout::Compact).document(notes);
}

bool writeCompact(QIODevice& out, const ReminderNotes& notes)
{
    // Large enough that the writes cost little, small enough that memory stays flat.
    constexpr qsizetype pieceSize = 256 * 1024;
    NoteJsonWriter writer(NoteJsonWriter::Layout::Compact);
    const auto flush = [&writer, &out] {
        const QByteArrayView piece = writer.pending();
        const bool written = out.write(piece.data(), piece.size()) == piece.size();
        writer.clearPending();
        return written;
    };
    writer.begin();
    for (const ReminderNote& note : notes) {
        writer.append(note);
        if (writer.pending().size() >= pieceSize && !flush())
            return false;
    }
    writer.end();
    return flush();
}

QByteArray encodePretty(const ReminderNotes& notes)
{
    return NoteJsonWriter(NoteJsonWriter::Layout::Pretty).document(notes);
}

std::optional<ReminderNotes> decode(const QByteArray& json, QString* error)
{
    return NoteJsonReader(json).read(error);
}

QString formatDate(const QDateTime& date)
{
    char text[32];
    const char* end = NoteJsonWriter::writeDate(text, date);
    return QString::fromLatin1(text, end - text);
}

std::optional<QDateTime> parseDate(QStringView text)
{
    return NoteJsonReader::parseDate(text.utf16(), text.size());
}

bool isStorable(const QDateTime& date)
{
    // 0001-01-01T00:00:00Z and 9999-12-31T23:59:59Z in milliseconds since the epoch.
    constexpr qint64 first = -62135596800000;
    constexpr qint64 last = 253402300799999;
    if (!date.isValid())
        return false;
    const qint64 msecs = date.toMSecsSinceEpoch();
    return msecs >= first && msecs <= last;
}

bool isStorable(const ReminderNote& note)
{
    return isStorable(note.createdAt) && isStorable(note.alarmDate)
        && (!note.alarmEndDate || isStorable(*note.alarmEndDate))
        && (!note.snoozeDate || isStorable(*note.snoozeDate));
}

QString unstorableDateReason()
{
    return QStringLiteral("Das Datum liegt außerhalb des speicherbaren Bereichs (Jahr 1 bis 9999).");
}

} // namespace NoteJson
