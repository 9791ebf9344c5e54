#pragma once

// What the benchmarks share: the generated records, medians, the Python peer and the table rows.

#include "notejson.h"
#include "remindernote.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QList>
#include <QProcess>
#include <QStringList>

#include <algorithm>
#include <cstdio>

namespace Bench {

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

inline bool writeFile(const QString& path, const ReminderNotes& notes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(NoteJson::encodeCompact(notes)) >= 0;
}

inline double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values.at(values.size() / 2);
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
