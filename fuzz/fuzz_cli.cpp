// The command line on arbitrary arguments (NUL-separated in the input), as a script or the
// hand-over from another process would give them: every command answers with exit 0, 1 (failed)
// or 2 (wrong usage), and a refusal with a reason on stderr and nothing on stdout. Commands that
// name files are left out: the fuzzer must not write where its input points.
#include "cli.h"
#include "notestore.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_cli";
    static char* argv[] = { name, nullptr };
    static QCoreApplication app(argc, argv);
    static QTemporaryDir dir;

    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    QStringList args;
    for (const QByteArray& part : input.split('\0'))
        args.append(QString::fromUtf8(part));
    // The same arguments, and the input itself as a file's contents, through the hand-over's wire
    // format; and an answer carrying them back.
    const Cli::Request sent { args, input };
    const Cli::Request received = Cli::decodeRequest(Cli::encodeRequest(sent));
    if (received.args != args || received.input != input)
        std::abort();
    const Cli::Result answer { 1, args.value(0), args.value(1) };
    const Cli::Result answered = Cli::decodeResult(Cli::encodeResult(answer));
    if (answered.exitCode != 1 || answered.out != answer.out || answered.err != answer.err)
        std::abort();
    (void)Cli::decodeResult(input);
    (void)Cli::decodeRequest(input);
    (void)Cli::readScreenshotRequest(args);
    (void)Cli::withAbsolutePaths(args);

    static const QStringList safe { QStringLiteral("list"), QStringLiteral("add"), QStringLiteral("agenda"),
        QStringLiteral("termine"), QStringLiteral("notizen"), QStringLiteral("kalender"),
        QStringLiteral("hilfe"), QStringLiteral("batches"), QStringLiteral("undo-import") };
    if (Cli::modeOf(args) != Cli::Mode::Command || !safe.contains(args.constFirst()))
        return 0;
    NoteStore store(dir.path(), [] { return QDateTime(QDate(2026, 12, 7), QTime(10, 0)); });
    const Cli::Result result = Cli::execute(args, store);
    if (result.exitCode != 0
        && ((result.exitCode != 1 && result.exitCode != 2) || !result.out.isEmpty() || result.err.isEmpty()))
        std::abort();
    // Keep the store small, so that later inputs stay fast.
    if (store.notes().size() > 50)
        store.replaceNotes({});
    return 0;
}
