#pragma once

// What the benchmarks share: the generated records and calendar export, medians, child processes,
// the Python peer and the table rows.

#include "notejson.h"
#include "remindernote.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QList>
#include <QProcess>
#include <QStringList>

#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace Bench {

/// Makes `folders` below `home`, and a private "run" folder, and has every process started from now
/// on use them as its home, data, settings, cache and runtime folders with no session bus: no
/// running app of the user's is asked (commands that change data go to the instance whose socket
/// lies in XDG_RUNTIME_DIR).
inline bool privateHome(const QDir& home, std::initializer_list<const char*> folders)
{
    bool made = true;
    for (const char* folder : folders)
        made = home.mkpath(QString::fromLatin1(folder)) && made;
    made = home.mkpath(QStringLiteral("run"))
        && QFile::setPermissions(home.filePath(QStringLiteral("run")),
            QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner)
        && made;
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_CACHE_HOME", home.filePath(QStringLiteral("cache")).toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", home.filePath(QStringLiteral("run")).toLocal8Bit());
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + home.filePath(QStringLiteral("no-bus")).toLocal8Bit());
    return made;
}

/// Every figure is the median of this many runs.
constexpr int runs = 5;

/// "Now" for every benchmark: a Wednesday in spring, away from clock changes.
inline QDateTime now()
{
    return QDateTime(QDate(2025, 4, 16), QTime(10, 0));
}

/// `count` records in store order, newest first, an hour apart around `around`: a third
/// appointments (some repeating, some over several days, some imported), the rest plain notes,
/// German text with umlauts, quotes, a path and an emoji. Nothing is due: appointments before
/// `around` have fired. The records are those read back from their file, as the app holds them.
inline ReminderNotes generate(int count, const QDateTime& around = now())
{
    static const QStringList subjects { QStringLiteral("Zahnarzt Dr. Süß"),
        QStringLiteral("Einkaufen: Äpfel, Öl, Brötchen"), QStringLiteral("Übergabe Schlüssel"),
        QStringLiteral("Geburtstag Jürgen 🎂"), QStringLiteral("Steuererklärung abschließen"),
        QStringLiteral("Müll rausbringen"), QStringLiteral("Meeting Q3/Planung") };
    // About one record an hour: 10,000 of them span the year around now.
    constexpr qint64 step = 3607;
    const QDateTime first = around.addSecs(-step * count / 2);
    ReminderNotes notes;
    notes.reserve(count);
    for (int i = 0; i < count; ++i) {
        ReminderNote note = ReminderNote::create(first.addSecs(step * i));
        note.text = QStringLiteral("%1 #%2\nZweite Zeile mit \"Anführung\" und Pfad /home/nutzer/%2.txt")
                        .arg(subjects.at(i % subjects.size()))
                        .arg(i);
        if (i % 3 == 0) {
            note.hasAlarm = true;
            note.alarmDate = note.createdAt.addDays(7);
            note.repeatInterval = allRepeatIntervals.at(std::size_t(i / 3 % 5 == 0 ? i / 15 % 5 : 0));
            note.useSound = i % 2 == 0;
            note.isTriggered = note.alarmDate <= around;
        }
        if (i % 9 == 0)
            note.alarmEndDate = note.alarmDate.addSecs(i % 27 == 0 ? 3 * 86400 : 3600);
        if (i % 7 == 0) {
            note.importSource = QStringLiteral("ICS: Kalender-Export.ics");
            note.importBatchId = QStringLiteral("batch-%1").arg(i / 1000);
        }
        notes.prepend(note);
    }
    // As the app holds them once it has read its file: times in UTC, whole seconds.
    return NoteJson::decode(NoteJson::encodeCompact(notes)).value_or(ReminderNotes {});
}

// Long lines are folded every 75 bytes, continuations start with one space.
inline void appendFolded(QByteArray& out, const QByteArray& line)
{
    qsizetype at = 0;
    while (line.size() - at > 75) {
        out += line.mid(at, 75);
        out += "\r\n ";
        at += 75;
    }
    out += line.mid(at);
    out += "\r\n";
}

/// A calendar export of `events` events as calendar services write them: CRLF, folded lines, time
/// zones (one by its Windows name), all-day events, repeat rules and alarms.
inline QByteArray icsExport(int events)
{
    static const char* zones[]
        = { "Europe/Berlin", "America/New_York", "Asia/Tokyo", "W. Europe Standard Time" };
    static const char* rules[] = { "FREQ=WEEKLY;BYDAY=MO,WE;COUNT=10", "FREQ=MONTHLY;INTERVAL=3",
        "FREQ=DAILY;UNTIL=20261231T000000Z", "FREQ=YEARLY" };
    QByteArray out = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Bench//DE\r\n";
    for (const char* zone : zones) {
        out += "BEGIN:VTIMEZONE\r\nTZID:" + QByteArray(zone)
            + "\r\nBEGIN:STANDARD\r\nDTSTART:19701025T030000\r\n"
              "TZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\nRRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU\r\n"
              "END:STANDARD\r\nEND:VTIMEZONE\r\n";
    }
    const QDate first(2024, 1, 1);
    for (int i = 0; i < events; ++i) {
        const QDate day = first.addDays(i / 24);
        const QByteArray date = day.toString(QStringLiteral("yyyyMMdd")).toLatin1();
        const QByteArray hour = QByteArray::number(8 + i % 12).rightJustified(2, '0');
        out += "BEGIN:VEVENT\r\nUID:" + QByteArray::number(i)
            + "-bench@example.org\r\nDTSTAMP:20240101T000000Z\r\n";
        if (i % 5 == 0) {
            out += "DTSTART;VALUE=DATE:" + date + "\r\nDTEND;VALUE=DATE:"
                + day.addDays(1).toString(QStringLiteral("yyyyMMdd")).toLatin1() + "\r\n";
        } else if (i % 5 == 1) {
            out += "DTSTART:" + date + "T" + hour + "0000Z\r\nDTEND:" + date + "T" + hour + "3000Z\r\n";
        } else {
            const QByteArray zone = zones[i % 4];
            out += "DTSTART;TZID=" + zone + ":" + date + "T" + hour + "0000\r\nDTEND;TZID=" + zone + ":"
                + date + "T" + hour + "4500\r\n";
        }
        appendFolded(
            out, "SUMMARY:Besprechung Nr. " + QByteArray::number(i) + " – Planung\\, Budget\\; Räume");
        appendFolded(out,
            "DESCRIPTION:Agenda:\\n1. Begrüßung\\n2. Zahlen des Quartals\\, Rückblick und Ausblick\\n3. "
            "Verschiedenes\\nOrt: Konferenzraum Süd\\, 3. Etage. Bitte pünktlich erscheinen und Unterlagen "
            "mitbringen.");
        out += "LOCATION:Konferenzraum Süd\r\nSTATUS:CONFIRMED\r\n";
        if (i % 3 == 0)
            out += "RRULE:" + QByteArray(rules[i % 4]) + "\r\n";
        if (i % 2 == 0) {
            out += "BEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:Erinnerung\r\nTRIGGER:-PT15M\r\nEND:"
                   "VALARM\r\n";
        }
        out += "END:VEVENT\r\n";
    }
    out += "END:VCALENDAR\r\n";
    return out;
}

inline bool writeFile(const QString& path, const ReminderNotes& notes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(NoteJson::encodeCompact(notes)) >= 0;
}

/// A child process measured from outside: wall time from its start to its end, and its own peak
/// resident memory in MB (10^6 bytes).
struct Process {
    double ms = 0;
    double peakMB = 0;
    bool ok = false;
};

/// Runs `args` (the program found on PATH) with this process's environment, its output to `out`
/// and its errors to /dev/null; `ok` when it exited with status 0. The peak memory counts this
/// process's own peak as well (the child shares its memory until exec): keep this one smaller.
inline Process spawn(const QStringList& args, const QString& out = QStringLiteral("/dev/null"))
{
    QList<QByteArray> bytes;
    for (const QString& arg : args)
        bytes.append(arg.toLocal8Bit());
    std::vector<char*> argv;
    for (const QByteArray& arg : bytes)
        argv.push_back(const_cast<char*>(arg.constData()));
    argv.push_back(nullptr);
    const QByteArray outPath = out.toLocal8Bit();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(
        &actions, STDOUT_FILENO, outPath.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    QElapsedTimer timer;
    timer.start();
    pid_t pid = 0;
    Process process;
    if (posix_spawnp(&pid, argv.front(), &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        rusage usage {};
        // wait4 gives that child's own peak memory, in KiB.
        if (wait4(pid, &status, 0, &usage) == pid) {
            process.ms = double(timer.nsecsElapsed()) / 1e6;
            process.peakMB = double(usage.ru_maxrss) * 1024 / 1e6;
            process.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
        }
    }
    posix_spawn_file_actions_destroy(&actions);
    return process;
}

inline double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values.at(values.size() / 2);
}

/// `args` run `runs` times, `prepare` untimed before each: the median time and peak memory; not
/// `ok` when any run failed.
template <typename Prepare> Process medianProcess(const QStringList& args, Prepare prepare)
{
    QList<double> times;
    QList<double> peaks;
    for (int run = 0; run < runs; ++run) {
        prepare();
        const Process process = spawn(args);
        if (!process.ok)
            return {};
        times.append(process.ms);
        peaks.append(process.peakMB);
    }
    return { median(times), median(peaks), true };
}

inline Process medianProcess(const QStringList& args)
{
    return medianProcess(args, [] {});
}

/// Milliseconds of `work`, median of `runs` runs; `prepare` runs untimed before each.
template <typename Prepare, typename Work> double medianMs(Prepare prepare, Work work)
{
    QList<double> times;
    for (int run = 0; run < runs; ++run) {
        prepare();
        QElapsedTimer timer;
        timer.start();
        work();
        times.append(double(timer.nsecsElapsed()) / 1e6);
    }
    return median(times);
}

/// The numbers that bench/peer.py prints for `args`; empty when it could not run.
inline QList<double> python(const QStringList& args)
{
    QProcess peer;
    peer.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    peer.start(QStringLiteral("python3"), QStringList { QStringLiteral(BENCH_PEER_SCRIPT) } + args);
    if (!peer.waitForFinished(600'000) || peer.exitCode() != 0)
        return {};
    QList<double> numbers;
    for (const QByteArray& word : peer.readAllStandardOutput().simplified().split(' ')) {
        bool ok = false;
        const double value = word.toDouble(&ok);
        if (ok)
            numbers.append(value);
    }
    return numbers;
}

inline QString ms(double value)
{
    return value < 10 ? QStringLiteral("%1 ms").arg(value, 0, 'f', 2)
                      : QStringLiteral("%1 ms").arg(value, 0, 'f', 1);
}

/// One row of the results table (Markdown): what was measured, ours, the peer's, how they
/// compare, the target and whether it was met.
inline void row(const QString& what, const QString& ours, const QString& peer, const QString& ratio,
    const QString& target, bool met)
{
    const QString line = QStringLiteral("| %1 | %2 | %3 | %4 | %5 | %6 |\n")
                             .arg(what, ours, peer, ratio, target,
                                 target.isEmpty() ? QString()
                                     : met        ? QStringLiteral("yes")
                                                  : QStringLiteral("**no**"));
    std::fputs(line.toUtf8().constData(), stdout);
    std::fflush(stdout);
}

/// "6.2× faster" when `peerMs` is the larger, "1.3× slower" otherwise.
inline QString speedRatio(double oursMs, double peerMs)
{
    if (oursMs <= 0 || peerMs <= 0)
        return QStringLiteral("–");
    return peerMs >= oursMs ? QStringLiteral("%1× faster").arg(peerMs / oursMs, 0, 'f', 1)
                            : QStringLiteral("%1× slower").arg(oursMs / peerMs, 0, 'f', 1);
}

} // namespace Bench
