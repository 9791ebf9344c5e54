// Load and save times of the data file at sizes well beyond everyday use.
#include "notestore.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

constexpr int repetitions = 5;

ReminderNotes generate(int count)
{
    static const QStringList subjects { u"Zahnarzt Dr. Süß"_s, u"Einkaufen: Äpfel, Öl, Brötchen"_s,
        u"Übergabe Schlüssel"_s, u"Geburtstag Jürgen 🎂"_s, u"Steuererklärung abschließen"_s,
        u"Müll rausbringen"_s, u"Meeting Q3/Planung"_s };
    const QDateTime start(QDate(2024, 1, 1), QTime(8, 0));
    ReminderNotes notes;
    notes.reserve(count);
    for (int i = 0; i < count; ++i) {
        ReminderNote note = ReminderNote::create(start.addSecs(qint64(i) * 3607));
        note.text = u"%1 #%2\nZweite Zeile mit \"Anführung\" und Pfad /home/nutzer/%2.txt"_s
                        .arg(subjects.at(i % subjects.size()))
                        .arg(i);
        if (i % 3 == 0) {
            note.hasAlarm = true;
            note.alarmDate = note.createdAt.addDays(7);
            note.repeatInterval = allRepeatIntervals.at(std::size_t(i % 5));
            note.useSound = i % 2 == 0;
        }
        if (i % 9 == 0)
            note.alarmEndDate = note.alarmDate.addSecs(3600);
        if (i % 7 == 0) {
            note.importSource = u"Kalender-Export.ics"_s;
            note.importBatchId = u"batch-%1"_s.arg(i / 1000);
        }
        notes.append(note);
    }
    return notes;
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

void report(const char* what, int count, double ms)
{
    std::printf("  %-5s %9.1f ms %12.0f records/s\n", what, ms, count / (ms / 1000.0));
}

bool measure(int count)
{
    QTemporaryDir dir;
    if (!dir.isValid())
        return false;
    const ReminderNotes notes = generate(count);
    QList<double> saves;
    QList<double> loads;
    for (int run = 0; run < repetitions; ++run) {
        {
            NoteStore store(dir.path());
            store.setNotes(notes);
            QElapsedTimer timer;
            timer.start();
            if (!store.save())
                return false;
            saves.append(timer.nsecsElapsed() / 1e6);
        }
        QElapsedTimer timer;
        timer.start();
        NoteStore loaded(dir.path());
        loads.append(timer.nsecsElapsed() / 1e6);
        if (loaded.notes().size() != count) {
            std::fprintf(stderr, "loaded %lld of %d records\n", qlonglong(loaded.notes().size()), count);
            return false;
        }
    }
    const qint64 bytes = QFileInfo(dir.filePath(u"notes.json"_s)).size();
    std::printf("%d records (%.1f MB), median of %d runs:\n", count, bytes / 1e6, repetitions);
    report("load", count, median(loads));
    report("save", count, median(saves));
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    for (const int count : { 10'000, 100'000 }) {
        if (!measure(count))
            return 1;
    }
    return 0;
}
