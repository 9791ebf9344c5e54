// The panel's screens drawn with many records: the time and peak memory of
// `zettelwerk screenshot` on 10,000 records, each screen in a process of its own. Lists that built
// a row per record took seconds and gigabytes here.
#include "benchsupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

extern char** environ;

namespace {

constexpr int records = 10'000;

struct Run {
    double ms = 0;
    double peakMB = 0;
    bool ok = false;
};

// One screenshot in a child process; wait4 gives that child's own peak memory.
Run draw(const QString& program, const QString& screen, const QString& out)
{
    const QList<QByteArray> args { program.toLocal8Bit(), "screenshot", "--screen", screen.toLatin1(),
        "--out", out.toLocal8Bit(), "--now",
        Bench::now().toString(QStringLiteral("yyyy-MM-dd HH:mm")).toLatin1() };
    std::vector<char*> argv;
    for (const QByteArray& arg : args)
        argv.push_back(const_cast<char*>(arg.constData()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    QElapsedTimer timer;
    timer.start();
    pid_t pid = 0;
    Run run;
    if (posix_spawn(&pid, argv.front(), &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        rusage usage {};
        if (wait4(pid, &status, 0, &usage) == pid) {
            run.ms = double(timer.nsecsElapsed()) / 1e6;
            run.peakMB = double(usage.ru_maxrss) * 1024 / 1e6;
            run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
        }
    }
    posix_spawn_file_actions_destroy(&actions);
    return run;
}

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
    // "Heute" with the month's markers is the peer: a screen whose rows do not grow with the data.
    const auto measure = [&](const QString& screen) {
        QList<double> times;
        QList<double> peaks;
        for (int i = 0; i < Bench::runs; ++i) {
            const Run run = draw(program, screen, out);
            if (!run.ok)
                return Run {};
            times.append(run.ms);
            peaks.append(run.peakMB);
        }
        return Run { Bench::median(times), Bench::median(peaks), true };
    };
    const Run heute = measure(QStringLiteral("heute"));
    if (!heute.ok) {
        std::fprintf(stderr, "bench_screens: the \"heute\" screen could not be drawn\n");
        return 1;
    }
    for (const auto& [screen, title] :
        { std::pair { "termine", "\"Termine\"" }, std::pair { "export", "Backup" } }) {
        const Run run = measure(QString::fromLatin1(screen));
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
