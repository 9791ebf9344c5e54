#include "terminalviews.h"

#include "datelabels.h"
#include "entrylists.h"
#include "minicalendar.h"

namespace {

QStringList lines(const ReminderNotes& notes, const QDateTime& now)
{
    QStringList result;
    for (const ReminderNote& note : notes)
        result.append(DateLabels::formatDateRange(note, now) + QLatin1Char('\t') + note.title());
    return result;
}

QString marker(DayEntryType type, bool colour)
{
    // The dots' colours of the panel, as 256-colour terminal codes: orange, cyan, purple.
    const auto paint = [colour](const char* code, QChar mark) {
        return colour ? QStringLiteral("\x1b[38;5;%1m%2\x1b[0m").arg(QLatin1String(code)).arg(mark)
                      : QString(mark);
    };
    switch (type) {
    case DayEntryType::Note:
        return paint("208", u'*');
    case DayEntryType::Event:
        return paint("44", u'+');
    case DayEntryType::Mixed:
        return paint("135", u'#');
    case DayEntryType::None:
        break;
    }
    return QStringLiteral(" ");
}

} // namespace

namespace TerminalViews {

QString agenda(const ReminderNotes& notes, const QDate& day, const QDateTime& now)
{
    QStringList out { EntryLists::displayDayLabel(day, now) };
    const QStringList entries = lines(EntryLists::displayDayAppointments(notes, day), now);
    out += entries.isEmpty() ? QStringList { QStringLiteral("Keine Termine") } : entries;
    return out.join(QLatin1Char('\n'));
}

QString appointments(const ReminderNotes& notes, const QDateTime& now)
{
    if (EntryLists::appointments(notes).isEmpty())
        return QStringLiteral("Keine Termine");
    QStringList out;
    const QStringList future = lines(EntryLists::futureAppointments(notes, now), now);
    if (!future.isEmpty())
        out += QStringList { QStringLiteral("Kommende") } + future;
    out += QStringList { QStringLiteral("Heute") } + lines(EntryLists::todayAppointments(notes, now), now);
    const QStringList past = lines(EntryLists::pastAppointments(notes, now), now);
    if (!past.isEmpty())
        out += QStringList { QStringLiteral("Vergangen") } + past;
    return out.join(QLatin1Char('\n'));
}

QString plainNotes(const ReminderNotes& notes)
{
    const ReminderNotes sorted = EntryLists::plainNotes(notes);
    if (sorted.isEmpty())
        return QStringLiteral("Keine Notizen");
    QStringList out;
    for (const ReminderNote& note : sorted)
        out.append(DateLabels::formatCreated(note.createdAt) + QLatin1Char('\t') + note.title());
    return out.join(QLatin1Char('\n'));
}

QString calendar(const ReminderNotes& notes, const QDate& month, bool colour)
{
    const QDate first(month.year(), month.month(), 1);
    const QMap<int, DayEntryType> types = MiniCalendar::dayTypes(notes, first);
    // Each column is a day number and its marker wide, the weekday over the number.
    QStringList header;
    for (const QString& weekday : MiniCalendar::weekdaySymbols())
        header.append(weekday.leftJustified(3));
    QStringList out { MiniCalendar::monthYearString(first), header.join(QLatin1Char(' ')).trimmed() };
    QStringList cells(MiniCalendar::leadingBlanks(first), QStringLiteral("   "));
    for (int day = 1; day <= first.daysInMonth(); ++day)
        cells.append(QStringLiteral("%1").arg(day, 2) + marker(types.value(day, DayEntryType::None), colour));
    for (qsizetype row = 0; row < cells.size(); row += 7) {
        QString line = cells.mid(row, 7).join(QLatin1Char(' '));
        while (line.endsWith(QLatin1Char(' ')))
            line.chop(1);
        out.append(line);
    }
    return out.join(QLatin1Char('\n'));
}

} // namespace TerminalViews
