#include "notecardcontroller.h"

#include "datelabels.h"

void NoteCardController::setNote(const ReminderNote& note)
{
    m_note = note;
    emit noteChanged();
}

QString NoteCardController::createdText() const
{
    return DateLabels::formatCreated(m_note.createdAt);
}

Badge NoteCardController::importBadge() const
{
    return m_note.isImported() ? Badge::forImport(m_note.importSource) : Badge {};
}
