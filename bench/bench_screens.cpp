// The panel's screens drawn with many records: the time and peak memory of
// `zettelwerk screenshot` on 10,000 records, each screen in a process of its own. Lists that built
// a row per record took seconds and gigabytes here.
#include "benchsupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

namespace {

constexpr int records = 10'000;

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: bench_screens ZETTELWERK\n");
        return 2;
    }
    QTemporaryDir home;
    const QDir dir(home.path());
    dir.mkpath(QStringLiteral("data/Zettelwerk"));
    if (!home.isValid()
        || !Bench::writeFile(
            dir.filePath(QStringLiteral("data/Zettelwerk/notes.json")), Bench::generate(records)))
        return 1;
    qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("data")).toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", dir.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_CACHE_HOME", dir.filePath(QStringLiteral("cache")).toLocal8Bit());
    qputenv("QT_QPA_PLATFORM", "offscreen");

    const QString program = QString::fromLocal8Bit(argv[1]);
    const QString out = dir.filePath(QStringLiteral("screen.png"));
    // One screenshot a process; "Heute" with the month's markers is the peer: a screen whose rows do
    // not grow with the data.
    const auto measure = [&](const QString& screen) {
        return Bench::medianProcess({ program, QStringLiteral("screenshot"), QStringLiteral("--screen"),
            screen, QStringLiteral("--out"), out, QStringLiteral("--now"),
            Bench::now().toString(QStringLiteral("yyyy-MM-dd HH:mm")) });
    };
    const Bench::Process heute = measure(QStringLiteral("heute"));
    if (!heute.ok) {
        std::fprintf(stderr, "bench_screens: the \"heute\" screen could not be drawn\n");
        return 1;
    }
    for (const auto& [screen, title] :
        { std::pair { "termine", "\"Termine\"" }, std::pair { "export", "Backup" } }) {
        const Bench::Process run = measure(QString::fromLatin1(screen));
        if (!run.ok) {
            std::fprintf(stderr, "bench_screens: the \"%s\" screen could not be drawn\n", screen);
            return 1;
        }
        const QString what = QStringLiteral("%1 screen drawn from start, %L2 records")
                                 .arg(QString::fromLatin1(title))
                                 .arg(records);
        Bench::row(what, Bench::ms(run.ms), Bench::ms(heute.ms),
            QStringLiteral("%1× \"Heute\"").arg(run.ms / heute.ms, 0, 'f', 2), {}, true);
        Bench::row(what + QStringLiteral(", peak memory"), QStringLiteral("%1 MB").arg(run.peakMB, 0, 'f', 0),
            QStringLiteral("%1 MB").arg(heute.peakMB, 0, 'f', 0),
            QStringLiteral("%1× \"Heute\"").arg(run.peakMB / heute.peakMB, 0, 'f', 2), {}, true);
    }
    return 0;
}
