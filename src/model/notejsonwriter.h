#pragma once

#include "remindernote.h"

#include <QByteArray>

/// Writes records as JSON straight into one byte buffer: strings go from UTF-16 to escaped UTF-8
/// in one pass, dates, ids and keys are written without building any intermediate value.
class NoteJsonWriter {
public:
    enum class Layout { Compact, Pretty };

    explicit NoteJsonWriter(Layout layout)
        : m_layout(layout)
    {
    }

    /// The whole document for `notes` in this writer's layout.
    [[nodiscard]] QByteArray document(const ReminderNotes& notes);

    /// The same document in pieces, for a list too long to hold twice: `begin`, `append` for each
    /// record, `end`; `pending` is what was written since the last `clearPending`.
    void begin();
    void append(const ReminderNote& note);
    void end();
    [[nodiscard]] QByteArrayView pending() const
    {
        return { m_out.constData(), m_pos ? m_pos - m_out.constData() : 0 };
    }
    void clearPending() { m_pos = m_pos ? m_out.data() : nullptr; }

    /// The 20 bytes of `2025-03-01T07:30:00Z` (more only for years beyond four digits) at `out`,
    /// which must have room for 32; returns the end.
    static char* writeDate(char* out, const QDateTime& date);

private:
    void record(const ReminderNote& note);
    void field(int key, const ReminderNote& note);
    void string(const QString& text);
    void raw(const char* text, qsizetype size);
    // Makes room for `bytes` more; everything written until the next call must fit in them.
    void reserve(qsizetype bytes);

    Layout m_layout;
    qsizetype m_count = 0;
    QByteArray m_out;
    char* m_pos = nullptr;
    char* m_limit = nullptr;
};
