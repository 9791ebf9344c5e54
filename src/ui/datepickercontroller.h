#pragma once

#include <QDate>
#include <QDateTime>
#include <QObject>
#include <QStringList>
#include <QtQml/qqmlregistration.h>

/// A month sheet for choosing one day, Monday first: the month shown, the chosen day, today,
/// and the first day that may be chosen. Works on local days of the moments it is given.
class DatePickerController : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QDateTime date READ date WRITE setDate NOTIFY dateChanged)
    Q_PROPERTY(QDateTime minimum READ minimum WRITE setMinimum NOTIFY changed)
    Q_PROPERTY(QDateTime now READ now WRITE setNow NOTIFY changed)
    Q_PROPERTY(QString monthTitle READ monthTitle NOTIFY changed)
    Q_PROPERTY(QStringList weekdaySymbols READ weekdaySymbols CONSTANT)
    Q_PROPERTY(int leadingBlanks READ leadingBlanks NOTIFY changed)
    Q_PROPERTY(int daysInMonth READ daysInMonth NOTIFY changed)
    Q_PROPERTY(int selectedDay READ selectedDay NOTIFY changed)
    Q_PROPERTY(int todayDay READ todayDay NOTIFY changed)
    Q_PROPERTY(int firstSelectableDay READ firstSelectableDay NOTIFY changed)
    Q_PROPERTY(int tabStopDay READ tabStopDay NOTIFY changed)

public:
    using QObject::QObject;

    [[nodiscard]] QDateTime date() const { return m_date; }
    /// Shows the month of the new date.
    void setDate(const QDateTime& date);
    [[nodiscard]] QDateTime minimum() const { return m_minimum; }
    /// Days before this one's day cannot be chosen; invalid for no limit.
    void setMinimum(const QDateTime& minimum);
    [[nodiscard]] QDateTime now() const { return m_now; }
    void setNow(const QDateTime& now);

    /// "Dezember 2026".
    [[nodiscard]] QString monthTitle() const;
    [[nodiscard]] static QStringList weekdaySymbols();
    [[nodiscard]] int leadingBlanks() const;
    [[nodiscard]] int daysInMonth() const { return m_month.daysInMonth(); }
    /// Day of the shown month that is chosen; 0 when the chosen day lies in another month.
    [[nodiscard]] int selectedDay() const { return dayInShownMonth(m_date); }
    /// Day of the shown month that is today; 0 when today lies in another month.
    [[nodiscard]] int todayDay() const { return dayInShownMonth(m_now); }
    /// 1 when every day of the shown month may be chosen, past the last day when none may.
    [[nodiscard]] int firstSelectableDay() const;
    /// The one day Tab stops at: the selected one, else today, else the first that can be picked;
    /// 0 when none can.
    [[nodiscard]] int tabStopDay() const;

    Q_INVOKABLE void previousMonth();
    Q_INVOKABLE void nextMonth();
    /// Chooses a day of the shown month: `picked` with the start of that day, if it may be chosen.
    Q_INVOKABLE void pick(int day);

signals:
    void dateChanged();
    void changed();
    void picked(const QDateTime& day);

private:
    [[nodiscard]] int dayInShownMonth(const QDateTime& moment) const;
    void showMonthOf(const QDate& day);

    QDateTime m_date;
    QDateTime m_minimum;
    QDateTime m_now;
    // The first of the shown month; invalid until a date is given.
    QDate m_month;
};
