// The panel's five lists and the month's day markers over 10,000 records: built for a new panel,
// and brought up to date after one record changed (what every edit and every fired alarm costs),
// next to Python computing the same lists from the same file.
#include "benchsupport.h"
#include "minicalendarcontroller.h"
#include "notestore.h"
#include "panelcontroller.h"

#include <QCoreApplication>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

constexpr int recordCount = 10'000;

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    const ReminderNotes notes = Bench::generate(recordCount);
    NoteStore store(dir.path(), [] { return Bench::now(); });
    store.setNotes(notes);
    if (!store.save())
        return 1;

    const double fill = Bench::medianMs([] {},
        [&] {
            PanelController panel(store);
            MiniCalendarController calendar;
            calendar.setPanel(&panel);
        });

    PanelController panel(store);
    MiniCalendarController calendar;
    calendar.setPanel(&panel);
    ReminderNotes edited = notes;
    int edits = 0;
    const double edit = Bench::medianMs(
        [&] {
            // Alternately an appointment and a note, somewhere in the middle.
            ReminderNote& note = edited[recordCount / 2 + edits % 2];
            note.text += QStringLiteral(" (geändert)");
            ++edits;
        },
        [&] { store.setNotes(edited); });
    qsizetype listed = 0;
    for (NoteListModel* list : { panel.futureAppointments(), panel.todayAppointments(),
             panel.pastAppointments(), panel.plainNotes() })
        listed += list->count();
    if (listed != recordCount || panel.dayAppointments()->count() == 0) {
        std::fprintf(stderr, "bench_lists: %lld of %d records listed\n", qlonglong(listed), recordCount);
        return 1;
    }

    const double peer = Bench::python({ QStringLiteral("lists"), store.filePath(),
                                          QString::number(Bench::runs), Bench::now().toString(Qt::ISODate) })
                            .value(0);
    Bench::row(QStringLiteral("Panel lists + day markers after one edit, 10,000 records"), Bench::ms(edit),
        Bench::ms(peer), Bench::speedRatio(edit, peer), QStringLiteral("≤ 16 ms"), edit <= 16);
    Bench::row(QStringLiteral("Panel lists + day markers for a new panel, 10,000 records"), Bench::ms(fill),
        Bench::ms(peer), Bench::speedRatio(fill, peer), {}, true);
    return 0;
}
