// The command line as a script runs it: whole processes from start to exit, output to /dev/null,
// next to a peer doing the same work in its own process. `list --json` of a large data file against
// Python's json module; `ics-parse` and `import` of a large calendar export against libical.
#include "benchsupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <functional>

namespace {

constexpr int records = 100'000;
constexpr int events = 50'000;

// The peer of `list --json`: the file read into Python objects and written out again, compact, in
// one piece: `json.dump` to a stream takes Python's slower encoder, several times slower here.
const QString pythonListing = QStringLiteral(
    "import json, sys; sys.stdout.write(json.dumps(json.load(open(sys.argv[1], encoding='utf-8')), "
    "ensure_ascii=False, separators=(',', ':')))");

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString megabytes(qint64 bytes)
{
    return QStringLiteral("%1 MB").arg(double(bytes) / 1e6, 0, 'f', 1);
}

// Every timed run goes to /dev/null; one run of each with its output kept shows the work is done.
bool checked(const QStringList& args, const QString& out, const std::function<bool(const QByteArray&)>& good)
{
    if (Bench::spawn(args, out).ok && good(contents(out)))
        return true;
    std::fprintf(stderr, "bench_cli: `%s` failed or gave a wrong answer (%s)\n", qPrintable(args.join(u' ')),
        qPrintable(out));
    return false;
}

// In a child process: a command's peak memory as wait4 reports it counts the peak of the process
// that started it too (posix_spawn shares this process's memory until exec), so this one stays
// smaller than anything it measures.
bool writeInputs(const QString& notes, const QString& ics)
{
    const pid_t pid = fork();
    if (pid == 0) {
        QFile icsFile(ics);
        const bool written = Bench::writeFile(notes, Bench::generate(records))
            && icsFile.open(QIODevice::WriteOnly) && icsFile.write(Bench::icsExport(events)) >= 0;
        icsFile.close();
        std::_Exit(written ? 0 : 1);
    }
    int status = 0;
    return pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench_cli ZETTELWERK ICALPARSE\n");
        return 2;
    }
    const QString program = QString::fromLocal8Bit(argv[1]);
    const QString icalparse = QString::fromLocal8Bit(argv[2]);
    QTemporaryDir home;
    const QDir dir(home.path());
    const QString notes = dir.filePath(QStringLiteral("data/Zettelwerk/notes.json"));
    const QString ics = dir.filePath(QStringLiteral("Kalender-Export.ics"));
    if (!home.isValid() || !Bench::privateHome(dir, { "data/Zettelwerk", "import", "config", "cache" })
        || !writeInputs(notes, ics))
        return 1;

    const QString out = dir.filePath(QStringLiteral("out"));
    const QStringList list { program, QStringLiteral("list"), QStringLiteral("--json") };
    const QStringList python { QStringLiteral("python3"), QStringLiteral("-c"), pythonListing, notes };
    const QStringList parse { program, QStringLiteral("ics-parse"), ics };
    const QStringList peer { icalparse, ics };
    const Bench::Process listed = Bench::medianProcess(list);
    const Bench::Process dumped = Bench::medianProcess(python);
    const Bench::Process parsed = Bench::medianProcess(parse);
    const Bench::Process libical = Bench::medianProcess(peer);
    // Each import starts from an empty data folder and ends with the saved file.
    const QString importData = dir.filePath(QStringLiteral("import"));
    qputenv("XDG_DATA_HOME", importData.toLocal8Bit());
    const auto empty = [&importData] {
        QDir(importData).removeRecursively();
        QDir().mkpath(importData);
    };
    const QStringList import { program, QStringLiteral("import"), ics };
    const Bench::Process imported = Bench::medianProcess(import, empty);
    if (!listed.ok || !dumped.ok || !parsed.ok || !libical.ok || !imported.ok) {
        std::fprintf(stderr, "bench_cli: a run failed\n");
        return 1;
    }

    // Once more each, the output kept, after the measured runs, which read it here.
    const QByteArray eventCount = QByteArray::number(events);
    empty();
    if (!checked(import, out,
            [&](const QByteArray& said) { return said.startsWith(eventCount + " Events importiert"); }))
        return 1;
    qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("data")).toLocal8Bit());
    // The data file holds the records as the app writes them, so the listing is that file again.
    if (!checked(list, out, [&](const QByteArray& text) { return text == contents(notes) + '\n'; })
        || !checked(python, out, [](const QByteArray& text) { return text.startsWith("[{"); })
        || !checked(parse, out, [](const QByteArray& lines) { return lines.count('\n') == events; })
        || !checked(peer, out, [&](const QByteArray& count) { return count.trimmed() == eventCount; }))
        return 1;

    const qint64 notesSize = QFileInfo(notes).size();
    const qint64 icsSize = QFileInfo(ics).size();
    const QString listWhat = QStringLiteral("`list --json`, %L1 records (%2), whole process")
                                 .arg(records)
                                 .arg(megabytes(notesSize));
    Bench::row(listWhat, Bench::ms(listed.ms), Bench::ms(dumped.ms), Bench::speedRatio(listed.ms, dumped.ms),
        QStringLiteral("≥ 5× faster"), dumped.ms >= 5 * listed.ms);
    const double fileMB = double(notesSize) / 1e6;
    Bench::row(listWhat + QStringLiteral(", peak memory"),
        QStringLiteral("%1 MB").arg(listed.peakMB, 0, 'f', 1),
        QStringLiteral("%1 MB").arg(dumped.peakMB, 0, 'f', 1),
        QStringLiteral("%1× the file").arg(listed.peakMB / fileMB, 0, 'f', 2),
        QStringLiteral("< 2× the file"), listed.peakMB < 2 * fileMB);
    const QString icsWhat
        = QStringLiteral("%L1 events (%2), whole process").arg(events).arg(megabytes(icsSize));
    Bench::row(QStringLiteral("`ics-parse`, ") + icsWhat, Bench::ms(parsed.ms), Bench::ms(libical.ms),
        Bench::speedRatio(parsed.ms, libical.ms), QStringLiteral("≥ 4× faster"), libical.ms >= 4 * parsed.ms);
    Bench::row(QStringLiteral("`import` into an empty data folder, saved, ") + icsWhat,
        Bench::ms(imported.ms), Bench::ms(libical.ms), Bench::speedRatio(imported.ms, libical.ms),
        QStringLiteral("≥ 3× faster"), libical.ms >= 3 * imported.ms);
    return 0;
}
