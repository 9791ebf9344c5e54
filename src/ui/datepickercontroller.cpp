#include "datepickercontroller.h"

#include "minicalendar.h"

void DatePickerController::setDate(const QDateTime& date)
{
    if (m_date == date)
        return;
    m_date = date;
    if (date.isValid())
        showMonthOf(date.toLocalTime().date());
    emit dateChanged();
    emit changed();
}

void DatePickerController::setMinimum(const QDateTime& minimum)
{
    if (m_minimum == minimum)
        return;
    m_minimum = minimum;
    emit changed();
}

void DatePickerController::setNow(const QDateTime& now)
{
    if (m_now == now)
        return;
    m_now = now;
    emit changed();
}

QString DatePickerController::monthTitle() const
{
    return m_month.isValid() ? MiniCalendar::monthYearString(m_month) : QString();
}

QStringList DatePickerController::weekdaySymbols()
{
    return MiniCalendar::weekdaySymbols();
}

int DatePickerController::leadingBlanks() const
{
    return m_month.isValid() ? MiniCalendar::leadingBlanks(m_month) : 0;
}

int DatePickerController::firstSelectableDay() const
{
    if (!m_minimum.isValid() || !m_month.isValid())
        return 1;
    const QDate first = m_minimum.toLocalTime().date();
    if (first <= m_month)
        return 1;
    const QDate last(m_month.year(), m_month.month(), m_month.daysInMonth());
    return first > last ? m_month.daysInMonth() + 1 : first.day();
}

void DatePickerController::previousMonth()
{
    showMonthOf(m_month.addMonths(-1));
}

void DatePickerController::nextMonth()
{
    showMonthOf(m_month.addMonths(1));
}

void DatePickerController::pick(int day)
{
    if (day < firstSelectableDay() || day > daysInMonth())
        return;
    emit picked(QDate(m_month.year(), m_month.month(), day).startOfDay());
}

int DatePickerController::tabStopDay() const
{
    const int first = firstSelectableDay();
    for (const int day : { selectedDay(), todayDay(), first }) {
        if (day >= first && day >= 1 && day <= daysInMonth())
            return day;
    }
    return 0;
}

int DatePickerController::dayInShownMonth(const QDateTime& moment) const
{
    if (!moment.isValid())
        return 0;
    const QDate day = moment.toLocalTime().date();
    return day.year() == m_month.year() && day.month() == m_month.month() ? day.day() : 0;
}

void DatePickerController::showMonthOf(const QDate& day)
{
    const QDate first(day.year(), day.month(), 1);
    if (!first.isValid() || first == m_month)
        return;
    m_month = first;
    emit changed();
}
