// The data file's reader on arbitrary bytes: it accepts or refuses, and what it accepts writes
// back to a document it reads again as the same records.
#include "notejson.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto notes = NoteJson::decode(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (!notes)
        return 0;
    const QByteArray compact = NoteJson::encodeCompact(*notes);
    const auto again = NoteJson::decode(compact);
    if (!again || NoteJson::encodeCompact(*again) != compact
        || !NoteJson::decode(NoteJson::encodePretty(*notes)))
        std::abort();
    return 0;
}
