#include "quickadd.h"

#include "datelabels.h"

#include <QHash>
#include <QRegularExpression>
#include <QStringList>
#include <QTime>

namespace QuickAdd {

namespace {

// Reads and blanks out the phrases one rule after the other, so that no word counts twice.
class Scanner {
public:
    explicit Scanner(const QString& text)
        : m_rest(text)
    {
    }

    // The first match of `pattern` as whole words, blanked out of the text; or an empty match.
    QRegularExpressionMatch take(const QString& pattern, bool caseSensitive = false)
    {
        const QRegularExpression expression(QStringLiteral(R"((?<![\w.:])(?:%1)(?![\w:]))").arg(pattern),
            QRegularExpression::UseUnicodePropertiesOption
                | (caseSensitive ? QRegularExpression::NoPatternOption
                                 : QRegularExpression::CaseInsensitiveOption));
        const QRegularExpressionMatch match = expression.match(m_rest);
        if (match.hasMatch())
            m_rest.replace(
                match.capturedStart(), match.capturedLength(), QString(match.capturedLength(), u' '));
        return match;
    }

    [[nodiscard]] QString rest() const
    {
        QString title = m_rest.simplified();
        // Joining words and signs the phrases left behind at either end.
        static const QRegularExpression edges(QStringLiteral(R"(^[\s,;:–-]+|[\s,;:–-]+$)"));
        title.remove(edges);
        return title;
    }

private:
    QString m_rest;
};

const QStringList weekdays { QStringLiteral("montag"), QStringLiteral("dienstag"), QStringLiteral("mittwoch"),
    QStringLiteral("donnerstag"), QStringLiteral("freitag"), QStringLiteral("samstag"),
    QStringLiteral("sonntag") };

int numberWord(const QString& text)
{
    static const QStringList words { QStringLiteral("ein"), QStringLiteral("zwei"), QStringLiteral("drei"),
        QStringLiteral("vier"), QStringLiteral("fünf") };
    const QString lower = text.toLower();
    for (qsizetype i = 0; i < words.size(); ++i) {
        if (lower.startsWith(words.at(i)))
            return int(i) + 1;
    }
    return text.toInt();
}

// Hours 1 to 6 of "viertel nach 5" or "um 4" are the afternoon's; `shifted` tells.
int afternoon(int hour, bool& shifted)
{
    shifted = hour >= 1 && hour <= 6;
    return shifted ? hour + 12 : hour;
}

// The weekday (1 = Monday) a name or short form stands for, or 0.
int weekdayOf(const QString& text)
{
    const QString lower = text.toLower().remove(u'.');
    for (qsizetype i = 0; i < weekdays.size(); ++i) {
        if (weekdays.at(i) == lower || weekdays.at(i).left(2) == lower)
            return int(i) + 1;
    }
    return 0;
}

} // namespace

std::optional<Reading> read(const QString& text, const QDateTime& now)
{
    Scanner scan(text);
    const QDate today = now.toLocalTime().date();
    Reading reading;

    // Repeats first: "jeden Montag" names a weekday too.
    int repeatWeekday = 0;
    if (scan.take(QStringLiteral("täglich|jeden tag")).hasMatch())
        reading.repeat = RepeatInterval::Daily;
    else if (const auto every = scan.take(QStringLiteral("jeden (%1)").arg(weekdays.join(u'|')));
             every.hasMatch()) {
        reading.repeat = RepeatInterval::Weekly;
        repeatWeekday = weekdayOf(every.captured(1));
    } else if (scan.take(QStringLiteral("wöchentlich|jede woche")).hasMatch())
        reading.repeat = RepeatInterval::Weekly;
    else if (scan.take(QStringLiteral("monatlich|jeden monat")).hasMatch())
        reading.repeat = RepeatInterval::Monthly;
    else if (scan.take(QStringLiteral("jährlich|jedes jahr")).hasMatch())
        reading.repeat = RepeatInterval::Yearly;

    // "in 10 Min." and "in 2 Stunden" are the whole moment.
    const auto span = scan.take(QStringLiteral(
        R"(in (\d{1,3}|einer|einem|eine|zwei|drei|vier|fünf) (min\.|min|minuten?|std\.|std|stunden?))"));
    if (span.hasMatch()) {
        const int count = numberWord(span.captured(1));
        const bool hours = span.captured(2).startsWith(u's', Qt::CaseInsensitive);
        reading.at = now.addSecs(qint64(count) * (hours ? 3600 : 60));
        reading.at.setTime(QTime(reading.at.time().hour(), reading.at.time().minute()));
        reading.title = scan.rest();
        return reading;
    }

    // The day.
    std::optional<QDate> day;
    bool exactDay = false; // a passed one is not moved on
    bool yearless = false;
    int weekday = 0;
    bool strictlyNext = false;
    if (const auto date = scan.take(QStringLiteral(R"((?:am )?(\d{1,2})\.(\d{1,2})\.(\d{4})?)"));
        date.hasMatch()) {
        const int year = date.captured(3).isEmpty() ? today.year() : date.captured(3).toInt();
        day = QDate(year, date.captured(2).toInt(), date.captured(1).toInt());
        if (!day->isValid())
            return std::nullopt;
        exactDay = !date.captured(3).isEmpty();
        yearless = !exactDay;
    } else if (const auto offset = scan.take(QStringLiteral(
                   R"(in (\d{1,3}|einem|einer|zwei|drei|vier|fünf) (tag|tagen|woche|wochen))"));
               offset.hasMatch()) {
        const int count = numberWord(offset.captured(1));
        day = today.addDays(offset.captured(2).startsWith(u'w', Qt::CaseInsensitive) ? 7 * count : count);
    } else if (scan.take(QStringLiteral("übermorgen")).hasMatch()) {
        day = today.addDays(2);
    } else if (scan.take(QStringLiteral("morgen(?! ?s)")).hasMatch()) {
        day = today.addDays(1);
    } else if (scan.take(QStringLiteral("heute")).hasMatch()) {
        day = today;
        exactDay = true;
    } else if (const auto named
               = scan.take(QStringLiteral("(?:(nächsten|kommenden) |am )?(%1)").arg(weekdays.join(u'|')));
               named.hasMatch()) {
        weekday = weekdayOf(named.captured(2));
        strictlyNext = !named.captured(1).isEmpty();
    } else if (const auto shortName = scan.take(QStringLiteral(R"((?:am )?(Mo|Di|Mi|Do|Fr|Sa|So)\.?)"), true);
               shortName.hasMatch()) {
        weekday = weekdayOf(shortName.captured(1));
    }
    if (!day && !weekday && repeatWeekday)
        weekday = repeatWeekday;

    // The time, or a range of times.
    std::optional<QTime> time;
    std::optional<QTime> end;
    // Read as the afternoon's without a word that said so.
    bool shifted = false;
    if (const auto range = scan.take(QStringLiteral(
            R"(von (\d{1,2})(?:[:.](\d{2}))?(?: uhr)? bis (\d{1,2})(?:[:.](\d{2}))?(?: uhr)?|(\d{1,2})(?:[:.](\d{2}))? ?[–-] ?(\d{1,2})(?:[:.](\d{2}))? uhr)"));
        range.hasMatch()) {
        const int base = range.captured(1).isEmpty() ? 5 : 1;
        time = QTime(range.captured(base).toInt(), range.captured(base + 1).toInt());
        end = QTime(range.captured(base + 2).toInt(), range.captured(base + 3).toInt());
        if (!time->isValid() || !end->isValid() || *end <= *time)
            return std::nullopt;
    } else if (const auto clock = scan.take(QStringLiteral(R"((?:um )?(\d{1,2})[:.](\d{2})(?: ?uhr)?)"));
               clock.hasMatch()) {
        time = QTime(clock.captured(1).toInt(), clock.captured(2).toInt());
    } else if (const auto hour = scan.take(QStringLiteral(R"((?:um )?(\d{1,2}) ?uhr)")); hour.hasMatch()) {
        time = QTime(hour.captured(1).toInt(), 0);
    } else if (const auto half = scan.take(QStringLiteral(R"((?:um )?halb (\d{1,2}))")); half.hasMatch()) {
        // "halb 3" is 2:30, and the hours up to "halb 7" are the afternoon's.
        const int before = half.captured(1).toInt() - 1;
        shifted = before >= 0 && before <= 6;
        time = before >= 0 && before <= 11 ? QTime(shifted ? before + 12 : before, 30) : QTime();
    } else if (const auto quarter = scan.take(QStringLiteral(R"((?:um )?viertel (nach|vor) (\d{1,2}))"));
               quarter.hasMatch()) {
        const int hourValue = quarter.captured(2).toInt();
        const bool after = quarter.captured(1).compare(u"nach", Qt::CaseInsensitive) == 0;
        time = hourValue >= 1 && hourValue <= 12
            ? QTime(afternoon(hourValue, shifted), 0).addSecs(after ? 15 * 60 : -15 * 60)
            : QTime();
    } else if (const auto at = scan.take(QStringLiteral(R"(um (\d{1,2}))")); at.hasMatch()) {
        const int hourValue = at.captured(1).toInt();
        time = hourValue <= 23 ? QTime(afternoon(hourValue, shifted), 0) : QTime();
    }
    if (time && !time->isValid())
        return std::nullopt;

    // A part of the day places the hour, or stands for a time of its own.
    if (const auto part
        = scan.take(QStringLiteral("morgens|früh|vormittags|mittags|nachmittags|abends|nachts"));
        part.hasMatch()) {
        const QString word = part.captured(0).toLower();
        if (!time) {
            static const QHash<QString, QTime> defaults { { QStringLiteral("morgens"), QTime(8, 0) },
                { QStringLiteral("früh"), QTime(8, 0) }, { QStringLiteral("vormittags"), QTime(10, 0) },
                { QStringLiteral("mittags"), QTime(12, 0) }, { QStringLiteral("nachmittags"), QTime(15, 0) },
                { QStringLiteral("abends"), QTime(19, 0) }, { QStringLiteral("nachts"), QTime(22, 0) } };
            time = defaults.value(word);
        } else {
            // The afternoon reading of "halb 3" gives way to what is said.
            int hourValue = shifted ? time->hour() - 12 : time->hour();
            const bool late = word == QLatin1String("nachmittags") || word == QLatin1String("abends")
                || (word == QLatin1String("nachts") && hourValue >= 8);
            if (late && hourValue < 12)
                hourValue += 12;
            time = QTime(hourValue, time->minute());
        }
    }

    if (!day && !weekday && !time)
        return std::nullopt;
    const QTime clock = time.value_or(QTime(9, 0));
    const auto moment = [&clock](const QDate& date) { return QDateTime(date, clock); };
    if (weekday) {
        QDate next = today.addDays((weekday - today.dayOfWeek() + 7) % 7);
        if (next == today && (strictlyNext || moment(next) <= now))
            next = next.addDays(7);
        day = next;
    } else if (!day) {
        day = moment(today) > now ? today : today.addDays(1);
    }
    reading.at = moment(*day);
    if (reading.at <= now) {
        if (exactDay)
            return std::nullopt;
        if (yearless)
            reading.at = moment(day->addYears(1));
    }
    if (reading.at <= now)
        return std::nullopt;
    if (end)
        reading.until = QDateTime(reading.at.date(), *end);
    reading.title = scan.rest();
    return reading;
}

QString describe(const Reading& reading, const QDateTime& now)
{
    QString text = DateLabels::formatDate(reading.at, now);
    if (reading.until)
        text += QStringLiteral(" – ") + reading.until->toLocalTime().toString(QStringLiteral("HH:mm"));
    if (reading.repeat != RepeatInterval::None)
        text += QStringLiteral(" · ") + repeatIntervalText(reading.repeat);
    return text;
}

} // namespace QuickAdd
