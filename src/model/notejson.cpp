#include "notejson.h"

#include "notejsonreader.h"
#include "notejsonwriter.h"

namespace NoteJson {

QByteArray encodeCompact(const ReminderNotes& notes)
{
    return NoteJsonWriter(NoteJsonWriter::Layout::Compact).document(notes);
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

} // namespace NoteJson
