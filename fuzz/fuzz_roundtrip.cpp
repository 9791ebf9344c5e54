// Records made from arbitrary bytes: whatever the data file can hold (every date storable) is
// written in both layouts and read back equal, field by field. A record that does not come back
// would be lost at the next start.
#include "notejson.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

// Text of any Unicode characters: controls, U+FEFF, characters beyond the BMP. Not lone surrogates:
// they have no UTF-8 form, and the writer puts '?' for them as QString::toUtf8 does.
QString anyText(FuzzedDataProvider& data)
{
    QString text;
    const auto length = data.ConsumeIntegralInRange<int>(0, 40);
    for (int i = 0; i < length && data.remaining_bytes() > 0; ++i) {
        // Mostly ASCII and the characters the writer escapes; sometimes anything.
        char32_t c = data.ConsumeBool() ? data.ConsumeIntegralInRange<char32_t>(0, 0x7f)
                                        : data.ConsumeIntegralInRange<char32_t>(0, 0x10ffff);
        if (c >= 0xd800 && c <= 0xdfff)
            c = 0xfeff;
        text.append(QString::fromUcs4(&c, 1));
    }
    return text;
}

// Whole seconds (the file keeps no more), from before year 1 to after year 9999.
QDateTime anyDate(FuzzedDataProvider& data)
{
    constexpr qint64 range = 400'000'000'000LL;
    // Often close to the ends of the storable years (0001-01-01T00:00:00Z, 9999-12-31T23:59:59Z),
    // where a local time or an offset moves the year across them.
    constexpr qint64 firstStorable = -62'135'596'800LL;
    constexpr qint64 lastStorable = 253'402'300'799LL;
    const qint64 seconds = data.ConsumeBool() ? (data.ConsumeBool() ? firstStorable : lastStorable)
            + data.ConsumeIntegralInRange<qint64>(-100'000, 100'000)
                                              : data.ConsumeIntegralInRange<qint64>(-range, range);
    switch (data.ConsumeIntegralInRange<int>(0, 2)) {
    case 0:
        return QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC);
    case 1:
        return QDateTime::fromSecsSinceEpoch(seconds, Qt::LocalTime);
    default:
        return QDateTime::fromSecsSinceEpoch(seconds, Qt::OffsetFromUTC, 3600 * 5 + 1800);
    }
}

ReminderNote anyNote(FuzzedDataProvider& data)
{
    ReminderNote note;
    const std::vector<uint8_t> id = data.ConsumeBytes<uint8_t>(16);
    note.id = id.size() == 16 ? QUuid::fromRfc4122(QByteArrayView(id.data(), 16)) : QUuid();
    note.text = anyText(data);
    note.createdAt = anyDate(data);
    note.hasAlarm = data.ConsumeBool();
    note.alarmDate = anyDate(data);
    note.repeatInterval = allRepeatIntervals.at(data.ConsumeIntegralInRange<std::size_t>(0, 4));
    note.usePopup = data.ConsumeBool();
    note.useSound = data.ConsumeBool();
    note.soundName = anyText(data);
    note.isTriggered = data.ConsumeBool();
    note.launchAppPath = anyText(data);
    note.shellScript = anyText(data);
    if (data.ConsumeBool())
        note.alarmEndDate = anyDate(data);
    note.importSource = anyText(data);
    note.importBatchId = anyText(data);
    return note;
}

void check(const ReminderNotes& notes, const QByteArray& document)
{
    QString error;
    const auto read = NoteJson::decode(document, &error);
    if (!read) {
        std::fprintf(stderr, "refused: %s\n%s\n", qPrintable(error), document.left(2000).constData());
        std::abort();
    }
    if (read->size() != notes.size())
        std::abort();
    for (qsizetype i = 0; i < notes.size(); ++i) {
        if (!notes.at(i).hasSameFields(read->at(i))) {
            std::fprintf(stderr, "record %lld differs\n%s\n", static_cast<long long>(i),
                document.left(2000).constData());
            std::abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    FuzzedDataProvider data(bytes, size);
    ReminderNotes notes;
    while (data.remaining_bytes() > 0 && notes.size() < 8) {
        const ReminderNote note = anyNote(data);
        if (NoteJson::isStorable(note))
            notes.append(note);
    }
    check(notes, NoteJson::encodeCompact(notes));
    check(notes, NoteJson::encodePretty(notes));
    return 0;
}
