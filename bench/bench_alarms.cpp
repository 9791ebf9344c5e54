// One alarm check cycle over 100,000 records: with nothing due, and with 1,000 due (saved once),
// next to the same cycle in Python over the same file.
#include "alarmactions.h"
#include "alarmservice.h"
#include "benchsupport.h"
#include "log.h"
#include "notestore.h"

#include <QCoreApplication>
#include <QTemporaryDir>

namespace {

constexpr int recordCount = 100'000;

// The cycle's own work is measured, not notifications or popups.
class SilentActions : public AlarmActions {
public:
    void notify(const QString&, const QString&, const QList<QUuid>&) override { }
    void requestAttention() override { }
    void playSound(const QString&) override { }
    void openPath(const QString&) override { }
    void runShellCommand(const QString&) override { }
    void showPopup(const QList<FiredAlarm>&) override { }
};

// `due` appointments spread through the list, armed and due within the last day; every fifth
// rule of them repeats.
ReminderNotes withDue(ReminderNotes notes, int due)
{
    const qsizetype stride = notes.size() / due;
    for (int armed = 0; armed < due; ++armed) {
        ReminderNote& note = notes[armed * stride];
        note.hasAlarm = true;
        note.isTriggered = false;
        note.alarmDate = Bench::now().addSecs(-60 * (armed + 1)).toUTC();
        note.repeatInterval = allRepeatIntervals.at(std::size_t(armed % 5));
    }
    return notes;
}

qsizetype dueCount(const ReminderNotes& notes)
{
    return std::count_if(notes.cbegin(), notes.cend(), [](const ReminderNote& note) {
        return note.hasAlarm && !note.isTriggered && note.alarmDate <= Bench::now();
    });
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    Log::setSink([](const QString&) {});
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    const ReminderNotes idle = Bench::generate(recordCount);
    for (const int due : { 0, 1'000 }) {
        const ReminderNotes notes = due > 0 ? withDue(idle, due) : idle;
        NoteStore store(dir.path(), [] { return Bench::now(); });
        store.setNotes(notes);
        if (dueCount(notes) != due || !store.save())
            return 1;
        AlarmService service(store, std::make_unique<SilentActions>());
        const double cycle = Bench::medianMs([&] { store.setNotes(notes); },
            [&] {
                service.checkAlarms();
                // The triggers and the one save run as queued tasks after the cycle.
                QCoreApplication::sendPostedEvents();
            });
        const ReminderNotes saved = NoteStore(dir.path()).notes();
        if (dueCount(store.notes()) != 0 || dueCount(saved) != 0 || saved.size() != recordCount) {
            std::fprintf(stderr, "bench_alarms: the cycle left records due\n");
            return 1;
        }
        store.setNotes(notes);
        if (!store.save())
            return 1;
        const double peer
            = Bench::python({ QStringLiteral("check"), store.filePath(), QString::number(Bench::runs),
                                Bench::now().toString(Qt::ISODate) })
                  .value(0);
        if (due == 0) {
            Bench::row(QStringLiteral("Alarm check cycle, 100,000 records, none due"), Bench::ms(cycle),
                Bench::ms(peer), Bench::speedRatio(cycle, peer), QStringLiteral("≤ 5 ms"), cycle <= 5);
        } else {
            Bench::row(QStringLiteral("Alarm check cycle, 100,000 records, 1,000 due, saved"),
                Bench::ms(cycle), Bench::ms(peer), Bench::speedRatio(cycle, peer), {}, true);
        }
    }
    return 0;
}
