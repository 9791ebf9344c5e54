#include "importscreenshots.h"

#include "calendarimportcontroller.h"
#include "panelcontroller.h"
#include "vdircalendarstore.h"

#include <QFile>

namespace {

// A calendar export as web calendars write it: CRLF, a folded line, zones, whole days, rules.
const char sampleCalendar[]
    = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Beispiel//DE\r\n"
      "BEGIN:VEVENT\r\nSUMMARY:Weihnachtsmarkt mit Anna\r\nDTSTART;TZID=Europe/Berlin:20261212T180000\r\n"
      "DTEND;TZID=Europe/Berlin:20261212T210000\r\nEND:VEVENT\r\n"
      "BEGIN:VEVENT\r\nSUMMARY:Yoga\r\nDTSTART;TZID=Europe/Berlin:20261201T190000\r\n"
      "RRULE:FREQ=WEEKLY;BYDAY=TU\r\nEND:VEVENT\r\n"
      "BEGIN:VEVENT\r\nSUMMARY:Zahnreinigung\r\nDESCRIPTION:Praxis Dr. Süß\\, 2. Stock.\\nBonusheft\r\n"
      "  mitnehmen.\r\nDTSTART:20261216T073000Z\r\nDTEND:20261216T081500Z\r\nEND:VEVENT\r\n"
      "BEGIN:VEVENT\r\nSUMMARY:Heiligabend\r\nDTSTART;VALUE=DATE:20261224\r\n"
      "DTEND;VALUE=DATE:20261225\r\nRRULE:FREQ=YEARLY\r\nEND:VEVENT\r\n"
      "BEGIN:VEVENT\r\nSUMMARY:Silvester bei Jürgen\r\nDTSTART;TZID=Europe/Berlin:20261231T200000\r\n"
      "END:VEVENT\r\nEND:VCALENDAR\r\n";

bool fail(QString* error, const QString& message)
{
    if (error)
        *error = message;
    return false;
}

} // namespace

namespace ImportScreenshots {

QStringList screens()
{
    return { QStringLiteral("import-apple"), QStringLiteral("import-access"), QStringLiteral("import-ics"),
        QStringLiteral("import-duplicates"), QStringLiteral("import-success"),
        QStringLiteral("import-history") };
}

void prepare(const QString& screen, PanelController& controller)
{
    const bool allowed = screen != QLatin1String("import-access");
    controller.setShowCalendarImport(true);
    controller.setCalendarStore(std::make_unique<VdirCalendarStore>(VdirCalendarStore::Consent {
        [allowed] { return allowed ? std::optional(true) : std::nullopt; }, [](bool) { return true; } }));
}

bool arrange(
    const QString& screen, CalendarImportController& import, const QString& scratchFolder, QString* error)
{
    const QString file = scratchFolder + QStringLiteral("/Kalender-Export.ics");
    QFile sample(file);
    if (!sample.open(QIODevice::WriteOnly) || sample.write(sampleCalendar) < 0)
        return fail(error, QStringLiteral("Konnte keine Beispiel-Kalenderdatei schreiben"));
    sample.close();

    const auto firstCalendar = [&import]() -> std::optional<QString> {
        import.waitForResults();
        if (import.sortedCalendars().isEmpty())
            return std::nullopt;
        return import.sortedCalendars().constFirst().calendar.identifier;
    };
    if (screen == QLatin1String("import-apple") || screen == QLatin1String("import-history")) {
        const auto calendar = firstCalendar();
        if (!calendar)
            return fail(error, QStringLiteral("Keine Kalender gefunden (ZETTELWERK_VDIR setzen)"));
        import.tapCalendar(*calendar);
        import.waitForResults();
    }
    if (screen == QLatin1String("import-history")) {
        import.importAppleEvents();
        import.openICSFile(file);
        import.importICSEvents();
        import.setSelectedTab(0);
        import.askDeleteBatch(import.history()->rows().constLast().constFirst().toString());
        return true;
    }
    if (screen == QLatin1String("import-ics") || screen == QLatin1String("import-duplicates")
        || screen == QLatin1String("import-success")) {
        import.setSelectedTab(1);
        import.openICSFile(file);
    }
    if (screen == QLatin1String("import-duplicates")) {
        // Two of the events came in before.
        import.icsEvents()->toggleAll();
        import.icsEvents()->toggle(0);
        import.icsEvents()->toggle(2);
        import.importICSEvents();
        import.openICSFile(file);
        import.importICSEvents();
        import.chooseReplace(1);
    }
    if (screen == QLatin1String("import-success"))
        import.importICSEvents();
    return true;
}

} // namespace ImportScreenshots
