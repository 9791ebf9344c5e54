#include "helpcontent.h"

namespace HelpContent {

const QList<HelpSection>& sections()
{
    static const QList<HelpSection> table {
        { QStringLiteral("calendar"), QStringLiteral("Kalender & Heute"), QStringLiteral("blue"),
            {
                QStringLiteral("Mini-Kalender mit Monatsnavigation und farbigen Punkten pro Tag"),
                QStringLiteral(
                    "Farbcode: Orange = eigene Termine, Cyan = importierte Events, Lila = beides gemischt"),
                QStringLiteral("Mehrtägige Events (z.B. Urlaub) werden über den gesamten Zeitraum markiert"),
                QStringLiteral(
                    "Klick auf einen Tag zeigt alle Termine dieses Tages (auch mehrtägige Events)"),
                QStringLiteral("Nochmal klicken hebt die Auswahl auf (zurück zu Heute)"),
                QStringLiteral("Frei durch Monate navigieren ohne Seiteneffekte"),
            } },
        { QStringLiteral("clock"), QStringLiteral("Termine"), QStringLiteral("orange"),
            {
                QStringLiteral("Alle Termine chronologisch sortiert mit automatischem Scroll zu Heute"),
                QStringLiteral("Kommende Termine oben, vergangene mit grünem Haken unten"),
                QStringLiteral("Einmalige Termine werden nach Auslösung als erledigt markiert"),
                QStringLiteral("Wiederkehrende Termine (täglich/wöchentlich/monatlich/jährlich) laufen "
                               "automatisch weiter"),
            } },
        { QStringLiteral("note.text"), QStringLiteral("Notizen"), QStringLiteral("indigo"),
            {
                QStringLiteral("Einfache Notizen ohne Alarm, sortiert nach Erstellung"),
                QStringLiteral("Leere Notizen werden automatisch verworfen (Speichern und Abbrechen)"),
                QStringLiteral("Textfeld wird beim Erstellen automatisch fokussiert"),
            } },
        { QStringLiteral("bell.badge.fill"), QStringLiteral("Alarm & Benachrichtigung"),
            QStringLiteral("red"),
            {
                QStringLiteral("Datum & Uhrzeit bequem einstellen: Kalender links, Uhr rechts"),
                QStringLiteral("Zeitraum (Von–Bis): optionales Enddatum für mehrtägige Termine"),
                QStringLiteral("Popup: zeigt ein Dialogfenster mit dem Notiztext"),
                QStringLiteral(
                    "Sound: spielt einen wählbaren macOS System-Sound ab (letzter Sound wird gemerkt)"),
                QStringLiteral("Beide Alarmtypen können gleichzeitig aktiviert werden"),
                QStringLiteral("Bei Alarm: Icon in der Menüleiste wackelt und wechselt farbig (rot/orange)"),
                QStringLiteral("Alarm-Zähler zeigt Anzahl aktiver Alarme in der Menüleiste"),
                QStringLiteral("Klick auf das Menüleisten-Icon setzt den Alarm-Zähler zurück"),
                QStringLiteral("\"Alarm testen\" prüft die Benachrichtigung vorab"),
                QStringLiteral("macOS System-Notification wird zusätzlich immer angezeigt"),
            } },
        { QStringLiteral("gearshape"), QStringLiteral("Aktionen (optional)"), QStringLiteral("purple"),
            {
                QStringLiteral("App starten: beliebige App beim Alarm automatisch öffnen"),
                QStringLiteral(
                    "Shell Script: eigene Befehle ausführen (z.B. open, say, curl, eigene Skripte)"),
            } },
        { QStringLiteral("hand.tap"), QStringLiteral("Bedienung"), QStringLiteral("green"),
            {
                QStringLiteral("+ Button: Neuer Termin (Heute/Termine-Tab) oder Notiz (Notizen-Tab)"),
                QStringLiteral(
                    "Tag im Kalender auswählen + dann +: Termin wird direkt für diesen Tag angelegt"),
                QStringLiteral("Klick auf Eintrag: Bearbeiten (Textfeld automatisch fokussiert)"),
                QStringLiteral("Nach Speichern springt der Kalender automatisch auf den Tag des Termins"),
                QStringLiteral("Papierkorb-Icon: Löschen mit Bestätigungs-Dialog"),
                QStringLiteral("Leere Notizen werden beim Speichern und Abbrechen automatisch verworfen"),
                QStringLiteral("Speichern: Alarm wird erst nach dem Speichern scharf geschaltet"),
            } },
        { QStringLiteral("calendar.badge.plus"), QStringLiteral("Kalender Import"), QStringLiteral("orange"),
            {
                QStringLiteral("Apple Kalender: direkt aus macOS Kalender importieren"),
                QStringLiteral("ICS-Datei: Google Kalender oder andere als .ics importieren"),
                QStringLiteral("Alle Kalender werden angezeigt, sortiert nach Event-Anzahl im Zeitraum"),
                QStringLiteral("Standard-Zeitraum: aktueller Monat (Anfang bis Ende)"),
                QStringLiteral(
                    "Mehrtägige Events (z.B. Urlaub-Ranges) werden vollständig importiert mit Von–Bis"),
                QStringLiteral("Einzelne Events per Häkchen auswählen oder abwählen"),
                QStringLiteral("Importierte Events lösen keinen Alarm aus (reine Kalenderansicht)"),
                QStringLiteral("Vorhandene Notizen werden beim Import nie gelöscht oder überschrieben"),
                QStringLiteral("Duplikaterkennung: bei Kollisionen einzeln Ersetzen oder Überspringen"),
                QStringLiteral("Bisherige Imports mit einem Klick rückgängig machbar"),
            } },
        { QStringLiteral("externaldrive"), QStringLiteral("Backup Import / Export"), QStringLiteral("cyan"),
            {
                QStringLiteral("JSON-Backup: alle Notizen & Termine sichern (mit Auswahl)"),
                QStringLiteral("ICS-Export: Termine für Apple/Google Kalender exportieren"),
                QStringLiteral("Backup wiederherstellen: JSON-Datei einspielen (ersetzt alle Daten)"),
                QStringLiteral("Rückgängig nach Wiederherstellung möglich"),
                QStringLiteral("Abgelaufene Termine sind beim Export standardmäßig abgewählt"),
            } },
        { QStringLiteral("gearshape.fill"), QStringLiteral("Einstellungen"), QStringLiteral("teal"),
            {
                QStringLiteral("Autostart: App automatisch bei Anmeldung starten"),
                QStringLiteral(
                    "Schriftgröße: Schieberegler von 80% bis 130%, skaliert Texte in Karten und Editor"),
                QStringLiteral("Fensterhöhe: dynamisch bis zur Bildschirmhöhe einstellbar"),
                QStringLiteral("Kalender Import und Backup Import/Export über Einstellungen erreichbar"),
                QStringLiteral(
                    "Alle Daten löschen: unwiderrufliches Löschen aller Notizen mit Sicherheitsabfrage"),
                QStringLiteral("Zurücksetzen setzt Schrift und Höhe auf Standardwerte (100%, 580 px)"),
                QStringLiteral("Alle Einstellungen werden automatisch gespeichert"),
            } },
        { QStringLiteral("menubar.rectangle"), QStringLiteral("Menüleiste"), QStringLiteral("gray"),
            {
                QStringLiteral("App läuft komplett in der macOS Menüleiste (kein Dock-Icon)"),
                QStringLiteral("Normaler Zustand: dezentes Notiz-Icon"),
                QStringLiteral("Alarm aktiv: farbig blinkendes Glocken-Icon mit Zähler"),
            } },
    };
    return table;
}

const QList<Contributor>& contributors()
{
    static const QList<Contributor> table {
        { QStringLiteral("Testgruppe Alltag"),
            {
                { QStringLiteral("Tab-Ansicht springt nicht mehr beim Wechsel auf leere Termine/Notizen"),
                    true },
                { QStringLiteral("Soundauswahl merkt sich den zuletzt gewählten Sound"), true },
                { QStringLiteral("Editor-Toolbar (Speichern/Abbrechen/Löschen) optisch besser abgesetzt"),
                    true },
            } },
        { QStringLiteral("Testgruppe Kalender"),
            {
                { QStringLiteral("Externe Kalender importieren können (Apple Kalender, Google/ICS)"), true },
            } },
    };
    return table;
}

QString author()
{
    return QStringLiteral("Zettelwerk-Team");
}

QString maker()
{
    return QStringLiteral("Zettelwerk-Projekt");
}

QString website()
{
    return QStringLiteral("https://zettelwerk.example");
}

QString plainText()
{
    QString text = QStringLiteral("Zettelwerk - macOS Menüleisten-App für Notizen & Erinnerungen\n");
    text += QString(60, u'=') + QStringLiteral("\n\n");
    for (const HelpSection& section : sections()) {
        text += QStringLiteral("▸ ") + section.title + u'\n';
        for (const QString& item : section.items)
            text += QStringLiteral("  · ") + item + u'\n';
        text += u'\n';
    }
    text += QStringLiteral("▸ Wünsche & Verbesserungen\n");
    for (const Contributor& contributor : contributors()) {
        text += QStringLiteral("  ") + contributor.name + QStringLiteral(":\n");
        for (const Wish& wish : contributor.wishes) {
            text += QStringLiteral("    ") + (wish.done ? QStringLiteral("✓") : QStringLiteral("○")) + u' '
                + wish.text + (wish.done ? QStringLiteral(" — erledigt") : QString()) + u'\n';
        }
    }
    text += u'\n';
    text += QStringLiteral("%1 · %2 · %3").arg(website(), author(), maker());
    return text;
}

} // namespace HelpContent
