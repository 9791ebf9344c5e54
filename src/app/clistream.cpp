#include "clistream.h"

#include "clifiles.h"
#include "icsreader.h"
#include "jsonviews.h"
#include "notejsonreader.h"
#include "notejsonwriter.h"

#include <QFile>

namespace {

// Large enough that the writes cost little, small enough that memory stays flat.
constexpr qsizetype pieceSize = 256 * 1024;

std::optional<int> listJson(const QString& dataFilePath, QIODevice& out)
{
    QFile file(dataFilePath);
    if (!file.open(QIODevice::ReadOnly) || file.size() <= 0)
        return std::nullopt;
    // Mapped rather than read: the pages come from the file cache, no copy of 40 MB is made.
    const uchar* mapped = file.map(0, file.size());
    if (!mapped)
        return std::nullopt;
    const QByteArrayView json(reinterpret_cast<const char*>(mapped), file.size());
    // Read through once before anything is written: a fault anywhere must leave stdout empty.
    qsizetype records = 0;
    if (!NoteJsonReader(json).visit([&records](ReminderNote&&) { ++records; }, nullptr) || records == 0)
        return std::nullopt;
    NoteJsonWriter writer(NoteJsonWriter::Layout::Compact);
    const auto flush = [&writer, &out] {
        out.write(writer.pending().data(), writer.pending().size());
        writer.clearPending();
    };
    writer.begin();
    const bool read = NoteJsonReader(json).visit(
        [&](ReminderNote&& note) {
            writer.append(note);
            if (writer.pending().size() >= pieceSize)
                flush();
        },
        nullptr);
    writer.end();
    flush();
    out.write("\n", 1);
    return read ? 0 : 1;
}

std::optional<int> icsParse(const Cli::Request& request, QIODevice& out)
{
    if (request.args.size() != 2 || request.args.at(1).startsWith(u'-') || !request.input)
        return std::nullopt;
    const QList<ICSEvent> events = parseICSData(*request.input);
    // The reader checks the encoding itself; only a file without events need be asked why.
    if (events.isEmpty() && !CliFiles::isUtf8(*request.input))
        return std::nullopt;
    QByteArray piece;
    piece.reserve(pieceSize + 4096);
    for (const ICSEvent& event : events) {
        JsonViews::appendEvent(piece, event);
        if (piece.size() >= pieceSize) {
            out.write(piece);
            piece.resize(0);
        }
    }
    out.write(piece);
    return 0;
}

} // namespace

namespace CliStream {

std::optional<int> run(const Cli::Request& request, const QString& dataFilePath, QIODevice& out)
{
    const QStringList& args = request.args;
    if (args == QStringList { QStringLiteral("list"), QStringLiteral("--json") })
        return listJson(dataFilePath, out);
    if (args.value(0) == QLatin1String("ics-parse"))
        return icsParse(request, out);
    return std::nullopt;
}

} // namespace CliStream
