#include "screenshot.h"

#include "aboutcontroller.h"
#include "alarmscreenshots.h"
#include "calendarimportcontroller.h"
#include "entrylists.h"
#include "exportcontroller.h"
#include "exportfile.h"
#include "importscreenshots.h"
#include "noteeditorcontroller.h"
#include "notestore.h"
#include "panelcontroller.h"
#include "settingscontroller.h"
#include "vdircalendarstore.h"
#include "xdgautostart.h"

#include <QEventLoop>
#include <QImage>
#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTemporaryDir>
#include <QTimer>

#include <limits>
#include <memory>

namespace {

// Long enough for the first frames, the "Termine" tab's scroll to today (0.1 s after it
// shows) and the dialogs' 0.15 s fade and scale.
constexpr int settleMs = 600;
constexpr qreal pixelRatio = 2.0;

bool fail(QString* error, const QString& message)
{
    if (error)
        *error = message;
    return false;
}

// The first record the panel lists: the chosen day's first appointment on "Heute", else the top
// of the time line on "Termine", else the newest note.
bool askToDeleteFirstRecord(PanelController& controller)
{
    const std::initializer_list<std::pair<int, NoteListModel*>> lists {
        { 0, controller.dayAppointments() },
        { 1, controller.futureAppointments() },
        { 1, controller.todayAppointments() },
        { 1, controller.pastAppointments() },
        { 2, controller.plainNotes() },
    };
    for (const auto& [tab, list] : lists) {
        if (list->count() > 0) {
            controller.setSelectedTab(tab);
            controller.requestDelete(list->notes().constFirst().id.toString(QUuid::WithoutBraces));
            return true;
        }
    }
    return false;
}

// A new appointment with everything the editor can hold switched on.
void openEditorOnFullAppointment(PanelController& controller, NoteStore& store)
{
    controller.addNote();
    const QUuid id(controller.editingNoteId());
    for (ReminderNote note : store.notes()) {
        if (note.id != id)
            continue;
        note.text = QStringLiteral("Zahnarzt: Kontrolle\nVersichertenkarte mitnehmen");
        note.repeatInterval = RepeatInterval::Monthly;
        note.alarmEndDate = note.alarmDate.addSecs(60 * 60);
        note.useSound = true;
        note.soundName = QStringLiteral("Glass");
        note.launchAppPath = QStringLiteral("/usr/share/applications/thunderbird.desktop");
        note.shellScript = QStringLiteral("notify-send 'Zahnarzt'");
        store.updateNote(note);
        return;
    }
}

void settle(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

bool grab(QQuickWindow& window, const QString& outPng, QString* error,
    const std::function<void(QQuickWindow&)>& inspect)
{
    if (inspect)
        inspect(window);
    const QImage image = window.grabWindow();
    const QSize expected = (QSizeF(window.size()) * pixelRatio).toSize();
    if (image.size() != expected)
        return fail(error,
            QStringLiteral("Bild hat %1×%2 statt %3×%4 Pixel (QT_SCALE_FACTOR=2 vor dem Start setzen)")
                .arg(image.width())
                .arg(image.height())
                .arg(expected.width())
                .arg(expected.height()));
    if (!image.save(outPng, "PNG"))
        return fail(error, QStringLiteral("Konnte %1 nicht schreiben").arg(outPng));
    window.hide();
    return true;
}

// Every calendar of the vdir tree shown beside the records, as if chosen in the settings (which
// stay untouched); with "editor-kalender" the editor opens on the day's first of them.
bool showCalendarsLive(PanelController& controller, const QString& screen, QString* error)
{
    QStringList identifiers;
    for (const CalendarInfo& calendar : controller.calendarStore()->calendars())
        identifiers.append(calendar.identifier);
    controller.liveCalendars().setCalendars(identifiers);
    controller.liveCalendars().waitForResults();
    if (controller.liveCalendars().notes().isEmpty())
        return fail(error, QStringLiteral("Keine Kalendertermine gefunden (ZETTELWERK_VDIR setzen)"));
    if (screen != QLatin1String("editor-kalender"))
        return true;
    for (const ReminderNote& note : controller.dayAppointments()->notes()) {
        const QString id = note.id.toString(QUuid::WithoutBraces);
        if (controller.isReadOnly(id)) {
            controller.openEditor(id);
            return true;
        }
    }
    return fail(error, QStringLiteral("Kein Kalendertermin am gewählten Tag"));
}

} // namespace

namespace Screenshot {

QStringList screens()
{
    return QStringList { QStringLiteral("heute"), QStringLiteral("termine"), QStringLiteral("notizen"),
        QStringLiteral("delete-confirm"), QStringLiteral("quit-confirm"), QStringLiteral("editor"),
        QStringLiteral("editor-alarm"), QStringLiteral("editor-schnell"), QStringLiteral("settings"),
        QStringLiteral("settings-confirm"), QStringLiteral("help"), QStringLiteral("about"),
        QStringLiteral("about-en"), QStringLiteral("export"), QStringLiteral("export-confirm"),
        QStringLiteral("export-restored"), QStringLiteral("heute-unreadable"), QStringLiteral("heute-rang"),
        QStringLiteral("heute-kalender"), QStringLiteral("editor-kalender") }
    + ImportScreenshots::screens() + AlarmScreenshots::screens();
}

void prepareEnvironment()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("QT_SCALE_FACTOR"))
        qputenv("QT_SCALE_FACTOR", "2");
}

} // namespace Screenshot

bool renderScreenshot(NoteStore& store, const QString& screen, const QString& outPng,
    const std::optional<QDate>& day, QString* error, const std::function<void(QQuickWindow&)>& inspect)
{
    if (!Screenshot::screens().contains(screen))
        return fail(error,
            QStringLiteral("Unbekannter Bildschirm \"%1\" (möglich: %2)")
                .arg(screen, Screenshot::screens().join(QStringLiteral(", "))));

    if (AlarmScreenshots::screens().contains(screen)) {
        QQmlEngine engine;
        engine.addImportPath(QStringLiteral("qrc:/"));
        const std::unique_ptr<QQuickWindow> window(AlarmScreenshots::open(engine, screen, store, error));
        if (!window)
            return false;
        settle(settleMs);
        return grab(*window, outPng, error, inspect);
    }

    // The editor needs a record of its own and a restore replaces them all: both work on a
    // scratch copy of the store, so that a picture never changes the data file.
    const bool scratchCopy = screen.startsWith(QLatin1String("editor"))
        || screen == QLatin1String("export-restored") || screen.startsWith(QLatin1String("import-"));
    // A data file that cannot be read opens as an empty store with the line that says so.
    const bool unreadable = screen == QLatin1String("heute-unreadable");
    QTemporaryDir scratch;
    std::unique_ptr<NoteStore> copy;
    if (unreadable && !ExportFile::write(scratch.filePath(QStringLiteral("notes.json")), "[{\"id\":"))
        return fail(error, QStringLiteral("Konnte keine unlesbare Beispieldatei schreiben"));
    if (scratchCopy || unreadable) {
        copy = std::make_unique<NoteStore>(scratch.path(), [&store] { return store.now(); });
        if (!unreadable)
            copy->setNotes(store.notes());
    }
    NoteStore& shown = copy ? *copy : store;
    PanelController controller(shown);
    controller.setSelectedDay(day);
    if (screen == QLatin1String("termine"))
        controller.setSelectedTab(1);
    else if (screen == QLatin1String("notizen"))
        controller.setSelectedTab(2);
    else if (screen == QLatin1String("heute-rang")) {
        // Opened from the ringing bell: what rang this morning on top.
        QList<QUuid> rang;
        for (const ReminderNote& note :
            EntryLists::displayDayAppointments(shown.notes(), shown.now().date())) {
            if (note.alarmDate <= shown.now())
                rang.append(note.id);
        }
        controller.showRungAlarms(rang);
    } else if (screen == QLatin1String("quit-confirm"))
        controller.setProperty("showQuitConfirm", true);
    else if (screen == QLatin1String("delete-confirm") && !askToDeleteFirstRecord(controller))
        return fail(error, QStringLiteral("Keine Einträge, deren Löschen sich zeigen ließe"));
    else if (screen.startsWith(QLatin1String("settings")))
        controller.setShowSettings(true);
    else if (screen == QLatin1String("help"))
        controller.setShowHelp(true);
    else if (screen.startsWith(QLatin1String("about")))
        controller.setShowAbout(true);
    else if (screen.startsWith(QLatin1String("export")))
        controller.setShowExport(true);
    else if (screen == QLatin1String("editor") || screen == QLatin1String("editor-schnell"))
        controller.addNote();
    else if (screen == QLatin1String("editor-alarm"))
        openEditorOnFullAppointment(controller, shown);
    else if (screen.startsWith(QLatin1String("import-")))
        ImportScreenshots::prepare(screen, controller);
    if (screen.startsWith(QLatin1String("settings")) || screen.endsWith(QLatin1String("-kalender"))) {
        // Reading only: a consent given here is not kept.
        controller.setCalendarStore(std::make_unique<VdirCalendarStore>(
            VdirCalendarStore::Consent { [] { return std::optional(true); }, [](bool) { return true; } }));
    }
    if (screen.endsWith(QLatin1String("-kalender")) && !showCalendarsLive(controller, screen, error))
        return false;
    controller.setLoginItem(std::make_unique<XdgAutostart>());
    // Settings and about whole, whatever the screen of this machine.
    controller.setNaturalHeightLimit(std::numeric_limits<double>::infinity());

    QQmlApplicationEngine engine;
    engine.addImportPath(QStringLiteral("qrc:/"));
    engine.setInitialProperties({
        { QStringLiteral("asPopup"), false },
        { QStringLiteral("controller"), QVariant::fromValue(&controller) },
    });
    engine.load(QUrl(QStringLiteral("qrc:/Zettelwerk/Ui/qml/Panel.qml")));
    auto* window = engine.rootObjects().isEmpty()
        ? nullptr
        : qobject_cast<QQuickWindow*>(engine.rootObjects().constFirst());
    if (!window)
        return fail(error, QStringLiteral("Das Panel konnte nicht geladen werden"));

    // The screens' own state lives in their controllers, made with the screen.
    if (screen == QLatin1String("editor-schnell")) {
        auto* editor = window->findChild<NoteEditorController*>();
        if (!editor)
            return fail(error, QStringLiteral("Der Editor wurde nicht geladen"));
        // A new record's text as typed, with the suggestion it brings.
        editor->setText(QStringLiteral("Zahnarzt morgen 14:30 wöchentlich"));
    } else if (screen.startsWith(QLatin1String("settings"))) {
        auto* settings = window->findChild<SettingsController*>();
        if (!settings)
            return fail(error, QStringLiteral("Die Einstellungen wurden nicht geladen"));
        // The height slider's end as without a screen, so the picture is the same on every machine.
        settings->setScreenHeight([] { return std::nullopt; });
        settings->setShowDeleteAllConfirm(screen == QLatin1String("settings-confirm"));
    } else if (screen == QLatin1String("about-en")) {
        auto* about = window->findChild<AboutController*>();
        if (!about)
            return fail(error, QStringLiteral("Das Info-Fenster wurde nicht geladen"));
        about->setLanguage(AboutController::DisclaimerLanguage::English);
    } else if (screen.startsWith(QLatin1String("import-"))) {
        auto* import = window->findChild<CalendarImportController*>();
        if (!import)
            return fail(error, QStringLiteral("Das Import-Fenster wurde nicht geladen"));
        if (!ImportScreenshots::arrange(screen, *import, scratch.path(), error))
            return false;
    } else if (screen == QLatin1String("export-confirm") || screen == QLatin1String("export-restored")) {
        auto* exporter = window->findChild<ExportController*>();
        if (!exporter)
            return fail(error, QStringLiteral("Das Backup-Fenster wurde nicht geladen"));
        // A backup of the first five records, picked as if from the open panel.
        const QString backup = scratch.filePath(QStringLiteral("backup.json"));
        if (!ExportFile::write(backup, ExportFile::backup(shown.notes().mid(0, 5))))
            return fail(error, QStringLiteral("Konnte kein Beispiel-Backup schreiben"));
        exporter->setFileChooser([backup](const ExportModel::FileRequest&) { return std::optional(backup); });
        exporter->pickBackup();
        if (screen == QLatin1String("export-restored"))
            exporter->confirmRestore();
    }
    window->show();
    settle(settleMs);
    if (screen == QLatin1String("editor-alarm")) {
        // Its lower half holds the range, the sound and the actions.
        if (auto* scroll = window->findChild<QQuickItem*>(QStringLiteral("editorScroll"))) {
            const qreal bottom = scroll->property("contentHeight").toReal() - scroll->height();
            scroll->setProperty("contentY", std::max<qreal>(0, bottom));
            settle(200);
        }
    }
    return grab(*window, outPng, error, inspect);
}
