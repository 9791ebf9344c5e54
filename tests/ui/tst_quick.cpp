#include "appearance.h"
#include "uitest.h"
#include "vdircalendarstore.h"
#include "zettelwerkapp.h"

#include <QQmlEngine>
#include <QQuickItem>
#include <QtQml/QQmlExtensionPlugin>
#include <QtQuickTest>

#include <list>

Q_IMPORT_QML_PLUGIN(Zettelwerk_UiPlugin)

// Monday, 7 December 2026, 10:00: the calendar opens on December 2026.
static const QDateTime fixedNow(QDate(2026, 12, 7), QTime(10, 0));

/// What the QML tests drive and inspect: a panel controller on a fresh store per test.
class PanelFixture : public QObject {
    Q_OBJECT
    Q_PROPERTY(PanelController* controller READ controller NOTIFY controllerChanged)

public:
    [[nodiscard]] PanelController* controller() { return m_runs.empty() ? nullptr : &m_runs.back().panel; }

    /// A new store with two appointments and two notes; earlier runs live on, their panels may be leaving.
    Q_INVOKABLE void reset()
    {
        QSettings(QStringLiteral("Zettelwerk"), QStringLiteral("Zettelwerk")).clear();
        Appearance::instance().setDark(false);
        PanelHarness& run = m_runs.emplace_back(fixedNow);
        add(run.store, true, QDateTime(QDate(2026, 12, 7), QTime(14, 30)), QStringLiteral("Zahnarzt"));
        add(run.store, true, QDateTime(QDate(2026, 12, 12), QTime(9, 0)), QStringLiteral("Konferenz"));
        add(run.store, false, {}, QStringLiteral("Ideen"));
        add(run.store, false, {}, QStringLiteral("Einkaufsliste"));
        // The vdir calendars of the tests, not allowed yet: the settings were just cleared.
        run.panel.setCalendarStore(
            std::make_unique<VdirCalendarStore>(ZettelwerkApp::calendarConsent(run.panel.settings()),
                QStringList { QStringLiteral(ZETTELWERK_TEST_DATA "/vdir") }));
        run.panel.setCalendarRoot(run.dir.filePath(QStringLiteral("calendars")));
        emit controllerChanged();
    }

    /// Records whose texts are markup, as an import or a careless paste may bring.
    Q_INVOKABLE void addMarkup()
    {
        NoteStore& target = m_runs.back().store;
        ReminderNote note = *target.addNote(true, fixedNow.addSecs(3600));
        note.text = markup();
        note.importSource = QStringLiteral("ICS: <i>kursiv</i>.ics");
        note.useSound = true;
        note.soundName = QStringLiteral("<u>Ping</u>");
        target.updateNote(note);
        add(target, false, {}, markup());
        target.save();
    }
    Q_INVOKABLE void addAppointments(int count)
    {
        for (int day = 1; day <= count; ++day)
            add(m_runs.back().store, true, fixedNow.addDays(day), QStringLiteral("Termin %1").arg(day));
    }
    Q_INVOKABLE [[nodiscard]] static QString markup()
    {
        return QStringLiteral("<b>fett</b> & <img src=\"https://example.invalid/x.png\">");
    }

    /// The texts under `root` (the whole item tree) that contain markup and are not drawn as plain text.
    Q_INVOKABLE [[nodiscard]] static QStringList markupRenderedIn(QQuickItem* root)
    {
        QStringList found;
        if (!root)
            return found;
        const QVariant format = root->property("textFormat");
        const QString text = root->property("text").toString();
        // Text.PlainText is 0 for Text, TextEdit and their controls alike.
        if (format.isValid() && format.toInt() != 0 && text.contains(u'<'))
            found.append(text);
        const QList<QQuickItem*> children = root->childItems();
        for (QQuickItem* child : children)
            found += markupRenderedIn(child);
        return found;
    }

    Q_INVOKABLE static void setDark(bool dark) { Appearance::instance().setDark(dark); }

    Q_INVOKABLE [[nodiscard]] int recordCount() const { return static_cast<int>(store().notes().size()); }

    Q_INVOKABLE [[nodiscard]] QString alarmOf(const QString& id) const
    {
        for (const ReminderNote& note : store().notes()) {
            if (note.id == QUuid(id) && note.hasAlarm)
                return note.alarmDate.toLocalTime().toString(QStringLiteral("yyyy-MM-ddTHH:mm"));
        }
        return {};
    }

    Q_INVOKABLE [[nodiscard]] QString idOf(const QString& title) const
    {
        for (const ReminderNote& note : store().notes()) {
            if (note.title() == title)
                return note.id.toString(QUuid::WithoutBraces);
        }
        return {};
    }

signals:
    void controllerChanged();

private:
    static void add(NoteStore& store, bool appointment, const QDateTime& when, const QString& text)
    {
        ReminderNote note = *(appointment ? store.addNote(true, when) : store.addNote(false));
        note.text = text;
        note.isTriggered = false;
        store.updateNote(note);
        store.save();
    }

    [[nodiscard]] const NoteStore& store() const { return m_runs.back().store; }

    std::list<PanelHarness> m_runs;
};

class Setup : public QObject {
    Q_OBJECT

public:
    // The sliders and the editor write settings: into a folder of their own, never the user's.
    Setup() { qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path())); }

public slots:
    void qmlEngineAvailable(QQmlEngine* engine)
    {
        QStandardPaths::setTestModeEnabled(true);
        engine->addImportPath(QStringLiteral("qrc:/"));
        qmlRegisterSingletonInstance("Zettelwerk.Test", 1, 0, "Fixture", &m_fixture);
    }

private:
    QTemporaryDir m_config;
    PanelFixture m_fixture;
};

QUICK_TEST_MAIN_WITH_SETUP(tst_quick, Setup)

#include "tst_quick.moc"
