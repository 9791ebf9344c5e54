#include "minicalendarcontroller.h"

#include "minicalendar.h"
#include "panelcontroller.h"

namespace {

QString dotColor(DayEntryType type)
{
    switch (type) {
    case DayEntryType::None:
        return {};
    case DayEntryType::Note:
        return QStringLiteral("orange");
    case DayEntryType::Event:
        return QStringLiteral("cyan");
    case DayEntryType::Mixed:
        return QStringLiteral("purple");
    }
    return {};
}

QDate firstOfMonth(const QDate& date)
{
    return date.isValid() ? QDate(date.year(), date.month(), 1) : QDate();
}

bool sameMonth(const QDate& a, const QDate& b)
{
    return a.isValid() && b.isValid() && a.year() == b.year() && a.month() == b.month();
}

} // namespace

void MiniCalendarController::setPanel(PanelController* panel)
{
    if (m_panel == panel)
        return;
    if (m_panel)
        disconnect(m_panel, nullptr, this, nullptr);
    m_panel = panel;
    if (m_panel) {
        connect(m_panel, &PanelController::listsChanged, this, &MiniCalendarController::rebuild);
        connect(m_panel, &PanelController::selectedDayChanged, this, [this] {
            emit selectedDayChanged();
            rebuild();
        });
        if (!m_month.isValid()) {
            m_month = firstOfMonth(m_panel->today());
            emit displayedMonthChanged();
        }
        m_panel->showMonth(m_month);
    }
    emit panelChanged();
    emit selectedDayChanged();
    rebuild();
}

void MiniCalendarController::setDisplayedMonth(const QDate& month)
{
    const QDate first = firstOfMonth(month);
    if (first == m_month)
        return;
    m_month = first;
    emit displayedMonthChanged();
    if (m_panel)
        m_panel->showMonth(m_month);
    rebuild();
}

QDate MiniCalendarController::selectedDay() const
{
    return m_panel ? m_panel->selectedDay().value_or(QDate()) : QDate();
}

void MiniCalendarController::setSelectedDay(const QDate& day)
{
    if (m_panel)
        m_panel->setSelectedDay(day.isValid() ? std::optional(day) : std::nullopt);
}

QString MiniCalendarController::monthTitle() const
{
    if (!m_month.isValid())
        return {};
    QStringList words = MiniCalendar::monthYearString(m_month).split(u' ');
    for (QString& word : words) {
        if (!word.isEmpty())
            word[0] = word.at(0).toUpper();
    }
    return words.join(u' ');
}

QStringList MiniCalendarController::weekdaySymbols() const
{
    return MiniCalendar::weekdaySymbols();
}

int MiniCalendarController::leadingBlanks() const
{
    return m_month.isValid() ? MiniCalendar::leadingBlanks(m_month) : 0;
}

int MiniCalendarController::daysInMonth() const
{
    return m_month.isValid() ? m_month.daysInMonth() : 0;
}

void MiniCalendarController::previousMonth()
{
    moveMonth(-1);
}

void MiniCalendarController::nextMonth()
{
    moveMonth(1);
}

void MiniCalendarController::moveMonth(int months)
{
    if (!m_month.isValid())
        return;
    setDisplayedMonth(m_month.addMonths(months));
    setSelectedDay(QDate());
}

void MiniCalendarController::tap(int day)
{
    if (!m_panel || !m_month.isValid() || day < 1 || day > daysInMonth())
        return;
    m_panel->tapDay(QDate(m_month.year(), m_month.month(), day));
}

void MiniCalendarController::rebuild()
{
    const bool showsToday = !selectedDay().isValid() || (m_panel && selectedDay() == m_panel->today());
    if (showsToday != m_showsToday) {
        m_showsToday = showsToday;
        emit showsTodayChanged();
    }

    QList<DayCell> cells;
    if (m_panel && m_month.isValid()) {
        const QMap<int, DayEntryType> types = MiniCalendar::dayTypes(m_panel->notes(), m_month);
        const QDate today = m_panel->today();
        const QDate selected = selectedDay();
        const int tabStop = sameMonth(selected, m_month) ? selected.day()
            : sameMonth(today, m_month)                  ? today.day()
                                                         : 1;
        for (int day = 1; day <= m_month.daysInMonth(); ++day) {
            const DayEntryType type = types.value(day, DayEntryType::None);
            const bool isToday = sameMonth(today, m_month) && today.day() == day;
            const bool isSelected = sameMonth(selected, m_month) && selected.day() == day;
            cells.append({ day, isToday, isSelected, static_cast<int>(type), dotColor(type),
                MiniCalendar::spokenDay(
                    QDate(m_month.year(), m_month.month(), day), isToday, isSelected, type),
                day == tabStop });
        }
    }
    if (m_cells.setCells(cells))
        emit cellsChanged();
}
