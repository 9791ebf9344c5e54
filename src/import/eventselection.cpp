#include "eventselection.h"

#include <QHash>
#include <QLocale>

#include <algorithm>

QString formatPreviewDate(const QDateTime& date)
{
    return QLocale(QLocale::German, QLocale::Germany)
        .toString(date.toLocalTime(), QStringLiteral("d. MMM yyyy, HH:mm"));
}

EventSelection::EventSelection(QObject* parent)
    : QObject(parent)
    , m_rows({ QStringLiteral("title"), QStringLiteral("dateText"), QStringLiteral("repeats"),
          QStringLiteral("selected") })
{
}

QString EventSelection::foundText() const
{
    return QStringLiteral("%1 Events gefunden").arg(count());
}

QString EventSelection::selectionText() const
{
    return QStringLiteral("%1 von %2 ausgewählt").arg(selectedCount()).arg(count());
}

QString EventSelection::toggleAllText() const
{
    return selectedCount() == count() ? QStringLiteral("Keine") : QStringLiteral("Alle");
}

QString EventSelection::importText() const
{
    return QStringLiteral("%1 Events importieren").arg(selectedCount());
}

void EventSelection::setItems(const QList<Item>& items)
{
    m_items = items;
    m_dateTexts.clear();
    m_dateTexts.reserve(items.size());
    // A large calendar has many events a day: each day's part of the text is made once.
    const QLocale german(QLocale::German, QLocale::Germany);
    QHash<qint64, QString> days;
    for (const Item& item : items) {
        const QDateTime local = item.start.toLocalTime();
        if (!local.isValid()) {
            m_dateTexts.append(formatPreviewDate(item.start));
            continue;
        }
        auto day = days.constFind(local.date().toJulianDay());
        if (day == days.cend())
            day = days.insert(local.date().toJulianDay(), german.toString(local.date(), u"d. MMM yyyy, "));
        const int hour = local.time().hour();
        const int minute = local.time().minute();
        m_dateTexts.append(*day + QChar(u'0' + hour / 10) + QChar(u'0' + hour % 10) + u':'
            + QChar(u'0' + minute / 10) + QChar(u'0' + minute % 10));
    }
    m_selected.clear();
    for (int i = 0; i < count(); ++i)
        m_selected.insert(i);
    update();
}

QList<int> EventSelection::selectedPositions() const
{
    QList<int> positions(m_selected.cbegin(), m_selected.cend());
    std::sort(positions.begin(), positions.end());
    return positions;
}

void EventSelection::toggle(int position)
{
    if (position < 0 || position >= count())
        return;
    if (!m_selected.remove(position))
        m_selected.insert(position);
    update();
}

void EventSelection::toggleAll()
{
    const bool all = selectedCount() == count();
    m_selected.clear();
    for (int i = 0; !all && i < count(); ++i)
        m_selected.insert(i);
    update();
}

void EventSelection::update()
{
    QList<RowModel::Row> rows;
    rows.reserve(m_items.size());
    for (int i = 0; i < count(); ++i) {
        const Item& item = m_items.at(i);
        rows.append({ item.title, m_dateTexts.at(i), item.repeats, m_selected.contains(i) });
    }
    m_rows.setRows(rows);
    emit changed();
}
