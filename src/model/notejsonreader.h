#pragma once

#include "notejsonkeys.h"
#include "remindernote.h"

#include <QByteArrayView>

#include <array>
#include <functional>
#include <optional>

/// Reads a JSON list of records straight from its UTF-8 bytes, with no document tree in between.
/// Strict: the JSON grammar of RFC 8259 (a UTF-8 byte order mark is skipped), valid UTF-8, and
/// every rule of the record shape; the first fault fails the whole document. Of a key that occurs
/// twice in one record the last value counts.
class NoteJsonReader {
public:
    explicit NoteJsonReader(QByteArrayView json);

    /// All records, or nothing; `error` then says why.
    [[nodiscard]] std::optional<ReminderNotes> read(QString* error);
    /// Hands each record to `visit` as soon as it is read, for a list too long to hold; false at
    /// the first fault (`error` says why), after the records before it were handed on.
    [[nodiscard]] bool visit(const std::function<void(ReminderNote&&)>& visit, QString* error);

    /// The point in time of `yyyy-MM-ddTHH:mm:ssZ` (UTF-8 or UTF-16), or nothing.
    template <typename Char>
    [[nodiscard]] static std::optional<QDateTime> parseDate(const Char* text, qsizetype size);

private:
    // Where a value of a record's own key stands in the input; read once the object is closed.
    struct Slot {
        enum class Kind : quint8 { Absent, Null, String, True, False, Other };
        Kind kind = Kind::Absent;
        bool escaped = false;
        const char* begin = nullptr;
        const char* end = nullptr;
    };
    using Slots = std::array<Slot, NoteJsonKeys::Count>;
    // The latest text read for a key, shared by the next record that has the same bytes.
    struct Recent {
        QByteArrayView bytes;
        QString text;
    };

    void list(const std::function<void(ReminderNote&&)>& visit);
    ReminderNote record(qsizetype index);
    ReminderNote noteOf(const Slots& slots, qsizetype index);
    [[noreturn]] void syntaxError(const char* what) const;

    // Inline: both run after nearly every token.
    void skipSpace()
    {
        while (m_pos != m_end && (*m_pos == ' ' || *m_pos == '\n' || *m_pos == '\r' || *m_pos == '\t'))
            ++m_pos;
    }
    void expect(char c, const char* what)
    {
        if (m_pos == m_end || *m_pos != c)
            syntaxError(what);
        ++m_pos;
    }
    // At the key the writers put next: steps over it.
    bool skipExpectedKey(int key);
    Slot string();
    Slot slotValue(int depth);
    void value(int depth);
    void literal(const char* word, qsizetype size);
    void number();
    [[nodiscard]] int keyOf(const Slot& key, int expected) const;

    [[nodiscard]] QString text(const Slot& slot) const;
    [[nodiscard]] QString sharedText(const Slot& slot, Recent& recent) const;

    const char* m_begin;
    const char* m_pos;
    const char* m_end;
    std::array<Recent, NoteJsonKeys::Count> m_recent;
};
