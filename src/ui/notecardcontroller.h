#pragma once

#include "badge.h"
#include "remindernote.h"

#include <QObject>
#include <QtQml/qqmlregistration.h>

/// What a plain note's card shows: title, creation day and where it was imported from.
class NoteCardController : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(ReminderNote note READ note WRITE setNote NOTIFY noteChanged)
    Q_PROPERTY(QString title READ title NOTIFY noteChanged)
    Q_PROPERTY(QString createdText READ createdText NOTIFY noteChanged)
    Q_PROPERTY(bool hasImportBadge READ hasImportBadge NOTIFY noteChanged)
    Q_PROPERTY(Badge importBadge READ importBadge NOTIFY noteChanged)
    Q_PROPERTY(QString spokenText READ spokenText NOTIFY noteChanged)

public:
    using QObject::QObject;

    [[nodiscard]] const ReminderNote& note() const { return m_note; }
    void setNote(const ReminderNote& note);

    [[nodiscard]] QString title() const { return m_note.title(); }
    [[nodiscard]] QString createdText() const;
    [[nodiscard]] bool hasImportBadge() const { return m_note.isImported(); }
    [[nodiscard]] Badge importBadge() const;

    /// The card as one sentence for a screen reader: "Einkaufen, 5. März 2025".
    [[nodiscard]] QString spokenText() const { return title() + QStringLiteral(", ") + createdText(); }

signals:
    void noteChanged();

private:
    ReminderNote m_note;
};
