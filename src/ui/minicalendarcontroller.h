#pragma once

#include "daycellmodel.h"
#include "panelcontroller.h"

#include <QDate>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QtQml/qqmlregistration.h>

/// The month grid of the "Heute" tab: which month shows, its cells, and the day selection,
/// which it shares with the panel.
class MiniCalendarController : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(PanelController* panel READ panel WRITE setPanel NOTIFY panelChanged)
    Q_PROPERTY(QDate displayedMonth READ displayedMonth WRITE setDisplayedMonth NOTIFY displayedMonthChanged)
    Q_PROPERTY(QDate selectedDay READ selectedDay WRITE setSelectedDay NOTIFY selectedDayChanged)
    Q_PROPERTY(QString monthTitle READ monthTitle NOTIFY displayedMonthChanged)
    Q_PROPERTY(QStringList weekdaySymbols READ weekdaySymbols CONSTANT)
    Q_PROPERTY(int leadingBlanks READ leadingBlanks NOTIFY displayedMonthChanged)
    Q_PROPERTY(int daysInMonth READ daysInMonth NOTIFY displayedMonthChanged)
    Q_PROPERTY(DayCellModel* cells READ cellModel CONSTANT)
    Q_PROPERTY(bool showsToday READ showsToday NOTIFY showsTodayChanged)

public:
    using QObject::QObject;

    [[nodiscard]] PanelController* panel() const { return m_panel; }
    /// Opens on the panel's current month the first time a panel is given.
    void setPanel(PanelController* panel);
    /// The first day of the month shown.
    [[nodiscard]] QDate displayedMonth() const { return m_month; }
    void setDisplayedMonth(const QDate& month);
    /// The panel's selected day; invalid when none is selected.
    [[nodiscard]] QDate selectedDay() const;
    void setSelectedDay(const QDate& day);

    /// "Dezember 2026".
    [[nodiscard]] QString monthTitle() const;
    [[nodiscard]] QStringList weekdaySymbols() const;
    [[nodiscard]] int leadingBlanks() const;
    [[nodiscard]] int daysInMonth() const;
    /// One cell per day of the shown month, from the 1st.
    [[nodiscard]] const QList<DayCell>& cells() const { return m_cells.cells(); }
    [[nodiscard]] DayCellModel* cellModel() { return &m_cells; }
    /// The day list shows today: nothing is selected, or today is.
    [[nodiscard]] bool showsToday() const { return m_showsToday; }

    /// Move one month back or on; either clears the selection, so the day list shows today again.
    Q_INVOKABLE void previousMonth();
    Q_INVOKABLE void nextMonth();
    /// Selects the day of the shown month, or clears the selection when it is that day already.
    Q_INVOKABLE void tap(int day);

signals:
    void panelChanged();
    void displayedMonthChanged();
    void selectedDayChanged();
    void cellsChanged();
    void showsTodayChanged();

private:
    void moveMonth(int months);
    void rebuild();

    QPointer<PanelController> m_panel;
    QDate m_month;
    DayCellModel m_cells;
    bool m_showsToday = true;
};
