// The ICS reader on mangled input: it must not crash or hang, and it must agree with a plain
// second reading that does every step literally on decoded text. Built two ways: as a libFuzzer
// target (clang, `make fuzz`) and as the seeded mutation test tst_icsfuzz that CTest runs.
#include "icsreader.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QStringDecoder>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

QString unescaped(const QString& raw, bool lineBreaks)
{
    QString out;
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const QChar next = i + 1 < raw.size() ? raw.at(i + 1) : QChar();
        if (raw.at(i) == u'\\' && (next == u'\\' || next == u',' || next == u';')) {
            out += next;
            ++i;
        } else if (raw.at(i) == u'\\' && lineBreaks && (next == u'n' || next == u'N')) {
            out += u'\n';
            ++i;
        } else {
            out += raw.at(i);
        }
    }
    return out;
}

QString timeZoneOf(const QString& namePart)
{
    const QStringList parameters = namePart.split(u';');
    for (qsizetype i = 1; i < parameters.size(); ++i) {
        if (parameters.at(i).size() > 5
            && parameters.at(i).startsWith(QLatin1String("TZID="), Qt::CaseInsensitive)) {
            QString zone = parameters.at(i).mid(5);
            if (zone.size() >= 2 && zone.startsWith(u'"') && zone.endsWith(u'"'))
                zone = zone.mid(1, zone.size() - 2);
            return zone;
        }
    }
    return {};
}

std::optional<ICSEvent> referenceEvent(const QHash<QString, QString>& map)
{
    const auto date = [&map](const QString& name) -> std::optional<QDateTime> {
        if (!map.contains(name))
            return std::nullopt;
        return parseICSDate(map.value(name).toUtf8(), map.value(name + QStringLiteral(";TZID")).toUtf8());
    };
    const auto start = date(QStringLiteral("DTSTART"));
    if (!start)
        return std::nullopt;
    ICSEvent event;
    event.summary = map.contains(QStringLiteral("SUMMARY"))
        ? unescaped(map.value(QStringLiteral("SUMMARY")), false)
        : QStringLiteral("Importiert");
    event.description = unescaped(map.value(QStringLiteral("DESCRIPTION")), true);
    event.startDate = *start;
    event.endDate = date(QStringLiteral("DTEND"));
    const auto rule = map.constFind(QStringLiteral("RRULE"));
    const QByteArray rrule = rule == map.cend() ? QByteArray() : rule->toUtf8();
    event.recurrenceRule
        = parseRRule(rule == map.cend() ? std::nullopt : std::optional<QByteArrayView>(rrule));
    return event;
}

QList<ICSEvent> referenceRead(QByteArrayView bytes)
{
    if (!bytes.isValidUtf8())
        return {};
    // Only the very first mark of the file is a byte-order mark; fromUtf8 would drop it unseen.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    QString text = decoder(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    for (const char16_t* fold : { u"\r\n ", u"\r\n\t", u"\n ", u"\n\t" })
        text.replace(QString::fromUtf16(fold), QString());
    static const QRegularExpression lineBreak(QStringLiteral("[\n\v\f\r\u0085\u2028\u2029]"));
    QList<ICSEvent> events;
    std::optional<QHash<QString, QString>> open;
    for (const QString& line : text.split(lineBreak)) {
        if (line == QLatin1String("BEGIN:VEVENT")) {
            open.emplace();
        } else if (line == QLatin1String("END:VEVENT") && open) {
            if (auto event = referenceEvent(*open))
                events.append(*event);
            open.reset();
        } else if (open) {
            qsizetype from = 0;
            while (from < line.size() && line.at(from) == u':')
                ++from;
            const qsizetype colon = line.indexOf(u':', from);
            if (colon < 0 || colon + 1 == line.size())
                continue;
            const QString namePart = line.mid(from, colon - from);
            const QString name = namePart.section(u';', 0, 0);
            open->insert(name, line.mid(colon + 1));
            if (name == QLatin1String("DTSTART") || name == QLatin1String("DTEND"))
                open->insert(name + QStringLiteral(";TZID"), timeZoneOf(namePart));
        }
    }
    std::stable_sort(events.begin(), events.end(),
        [](const ICSEvent& a, const ICSEvent& b) { return a.startDate < b.startDate; });
    return events;
}

bool same(const ICSEvent& a, const ICSEvent& b)
{
    return a.summary == b.summary && a.description == b.description && a.startDate == b.startDate
        && a.endDate == b.endDate && a.recurrenceRule == b.recurrenceRule;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(data, qsizetype(size));
    const QList<ICSEvent> events = parseICSData(bytes);
    const QList<ICSEvent> expected = referenceRead(bytes);
    const auto mismatch
        = std::mismatch(events.cbegin(), events.cend(), expected.cbegin(), expected.cend(), same);
    if (mismatch.first != events.cend() || mismatch.second != expected.cend()) {
        const auto describe = [](const QList<ICSEvent>& list, QList<ICSEvent>::const_iterator at) {
            return at == list.cend()
                ? QStringLiteral("(none)")
                : at->summary + u'|' + at->description + u'|' + at->startDate.toString(Qt::ISODate) + u'|'
                    + (at->endDate ? at->endDate->toString(Qt::ISODate) : QString());
        };
        std::fprintf(stderr, "reader and literal reading disagree at event %lld:\n  %s\n  %s\n",
            static_cast<long long>(mismatch.first - events.cbegin()),
            qPrintable(describe(events, mismatch.first)), qPrintable(describe(expected, mismatch.second)));
        std::abort();
    }
    return 0;
}

#ifndef ZETTELWERK_LIBFUZZER

#include <QDir>
#include <QElapsedTimer>

#include <random>

// Seeded, so every run tries the same inputs; bounded in count and time.
int main()
{
    QFile fixture(QStringLiteral(ZETTELWERK_TEST_DATA "/ics/reader.ics"));
    if (!fixture.open(QIODevice::ReadOnly))
        return 1;
    const QByteArray seed = fixture.readAll();
    // The inputs that once found a fault come first.
    const QDir kept(QStringLiteral(ZETTELWERK_FUZZ_DIR "/regressions/fuzz_icsreader"));
    for (const QFileInfo& input : kept.entryInfoList(QDir::Files, QDir::Name)) {
        QFile file(input.filePath());
        if (!file.open(QIODevice::ReadOnly))
            return 1;
        const QByteArray bytes = file.readAll();
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()));
    }
    const QList<QByteArray> pieces { "\r\n ", "\r\n\t", "\n ", "\n\t", "\r", "\n", "BEGIN:VEVENT\r\n",
        "END:VEVENT\r\n", "DTSTART:20240331T023000\r\n", "DTEND;TZID=Asia/Tokyo:20241027T023000\r\n", ":",
        ";", "\\", "\\n", "\xE2\x80\xA8", "\xC2\x85", "\xC3", "\xEF\xBB\xBF",
        "SUMMARY:", "DESCRIPTION:", "RRULE:FREQ=WEEKLY" };
    std::mt19937 random(20240315);
    const auto below
        = [&random](qsizetype n) { return qsizetype(random() % quint64(std::max<qsizetype>(n, 1))); };
    QElapsedTimer timer;
    timer.start();
    int runs = 0;
    for (; runs < 20000 && timer.elapsed() < 20'000; ++runs) {
        QByteArray input = seed;
        for (int edits = 1 + int(below(8)); edits > 0; --edits) {
            const qsizetype at = below(input.size() + 1);
            switch (below(4)) {
            case 0:
                input.insert(at, pieces.at(below(pieces.size())));
                break;
            case 1:
                input.remove(at, below(40));
                break;
            case 2:
                if (at < input.size())
                    input[at] = char(random());
                break;
            default:
                input.insert(at, input.mid(below(input.size()), below(200)));
            }
        }
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(input.constData()), size_t(input.size()));
    }
    std::printf("%d mutated files read alike\n", runs);
    return 0;
}

#endif
