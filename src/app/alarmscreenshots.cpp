#include "alarmscreenshots.h"

#include "alarmpopupmodel.h"
#include "entrylists.h"
#include "notestore.h"

#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>

namespace {

// The rows of a ListView are not the window's QObject children.
QQuickItem* itemNamed(QQuickItem* root, const QString& name)
{
    for (QQuickItem* child : root->childItems()) {
        if (child->objectName() == name)
            return child;
        if (QQuickItem* found = itemNamed(child, name))
            return found;
    }
    return nullptr;
}

} // namespace

namespace AlarmScreenshots {

QStringList screens()
{
    return { QStringLiteral("alarm"), QStringLiteral("alarm-missed") };
}

QQuickWindow* open(QQmlEngine& engine, const QString& screen, NoteStore& store, QString* error)
{
    const QDateTime now = store.now();
    QList<FiredAlarm> alarms;
    const bool missed = screen == QLatin1String("alarm-missed");
    // Earliest first: the window lists the newest last.
    for (const ReminderNote& note : EntryLists::displayDayAppointments(store.notes(), now.date())) {
        if (missed && note.alarmDate < now.addSecs(-60))
            alarms.append({ note.id, alarmText(note.text, 500), note.alarmDate, FiredAlarm::Kind::Missed });
        else if (!missed && note.alarmDate >= now && alarms.isEmpty())
            alarms.append({ note.id, alarmText(note.text, 500), now, FiredAlarm::Kind::OnTime });
    }
    if (alarms.isEmpty()) {
        if (error)
            *error = missed ? QStringLiteral("Keine Termine vor jetzt, die verpasst sein könnten")
                            : QStringLiteral("Kein Termin heute nach jetzt, der klingeln könnte");
        return nullptr;
    }
    auto* model = new AlarmPopupModel([&store] { return store.now(); }, {});
    model->append(alarms);
    QQmlComponent component(&engine, QUrl(QStringLiteral("qrc:/Zettelwerk/Ui/qml/AlarmPopup.qml")));
    auto* window = qobject_cast<QQuickWindow*>(
        component.createWithInitialProperties({ { QStringLiteral("alarms"), QVariant::fromValue(model) } }));
    if (!window) {
        delete model;
        if (error)
            *error = QStringLiteral("Das Alarmfenster konnte nicht geladen werden");
        return nullptr;
    }
    model->setParent(window);
    window->show();
    // The choices of "Später" open, where the one alarm on time offers them.
    if (QQuickItem* later
        = missed ? nullptr : itemNamed(window->contentItem(), QStringLiteral("snoozeButton")))
        QMetaObject::invokeMethod(later, "clicked");
    return window;
}

} // namespace AlarmScreenshots
