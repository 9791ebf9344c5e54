#pragma once

#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

/// One day of the mini calendar's grid, as the cell draws it.
struct DayCell {
    Q_GADGET
    QML_VALUE_TYPE(dayCell)
    Q_PROPERTY(int day MEMBER day)
    Q_PROPERTY(bool isToday MEMBER isToday)
    Q_PROPERTY(bool isSelected MEMBER isSelected)
    Q_PROPERTY(int entryType MEMBER entryType)
    Q_PROPERTY(QString dotColor MEMBER dotColor)
    Q_PROPERTY(QString accessibleName MEMBER accessibleName)
    Q_PROPERTY(bool isTabStop MEMBER isTabStop)

public:
    int day = 0;
    bool isToday = false;
    bool isSelected = false;
    /// A `DayEntryType` as its number: none, own appointments, imported ones, both.
    int entryType = 0;
    /// Palette name of the dot under the number; empty when the day holds nothing.
    QString dotColor;
    /// What a screen reader says: "Mittwoch, 9. Dezember, heute, Termine".
    QString accessibleName;
    /// The one day Tab stops at (the selected day, else today, else the 1st); arrows reach the rest.
    bool isTabStop = false;

    friend bool operator==(const DayCell&, const DayCell&) = default;
};
