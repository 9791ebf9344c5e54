#pragma once

#include "badge.h"
#include "remindernote.h"

#include <QObject>
#include <QtQml/qqmlregistration.h>

/// What an appointment's card shows: its state colour, date label, title, badges and countdown.
class AppointmentCardController : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(ReminderNote note READ note WRITE setNote NOTIFY noteChanged)
    Q_PROPERTY(QDateTime now READ now WRITE setNow NOTIFY nowChanged)
    Q_PROPERTY(bool isPast READ isPast NOTIFY changed)
    Q_PROPERTY(QString accentColor READ accentColor NOTIFY changed)
    Q_PROPERTY(QString dateText READ dateText NOTIFY changed)
    Q_PROPERTY(QString title READ title NOTIFY changed)
    Q_PROPERTY(QString titleColor READ titleColor NOTIFY changed)
    Q_PROPERTY(QString relativeText READ relativeText NOTIFY changed)
    Q_PROPERTY(QList<Badge> badges READ badges NOTIFY changed)
    Q_PROPERTY(QString spokenText READ spokenText NOTIFY changed)

public:
    using QObject::QObject;

    [[nodiscard]] const ReminderNote& note() const { return m_note; }
    void setNote(const ReminderNote& note);
    [[nodiscard]] QDateTime now() const { return m_now; }
    void setNow(const QDateTime& now);

    /// A one-time appointment whose moment has gone; a repeating one moves on and never is.
    [[nodiscard]] bool isPast() const;
    /// Palette name: "green" past, "purple" repeating, "cyan" with sound, else "orange".
    [[nodiscard]] QString accentColor() const;
    [[nodiscard]] QString dateText() const;
    [[nodiscard]] QString title() const { return m_note.title(); }
    /// "secondary" once past, else "primary".
    [[nodiscard]] QString titleColor() const;
    /// The countdown to the alarm; empty once the appointment is past.
    [[nodiscard]] QString relativeText() const;
    /// When it rings next: its alarm, or a snooze that comes first.
    [[nodiscard]] QDateTime nextAlarm() const;
    /// Import source, repeat rule, popup and sound, in that order, each only when it applies; all
    /// "secondary" once past.
    [[nodiscard]] QList<Badge> badges() const;
    /// The card as one sentence for a screen reader: "Zahnarzt, Morgen, 14:30, Wöchentlich".
    [[nodiscard]] QString spokenText() const;

signals:
    void noteChanged();
    void nowChanged();
    void changed();

private:
    ReminderNote m_note;
    QDateTime m_now;
};
