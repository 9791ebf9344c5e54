#pragma once

#include "alarmactions.h"
#include "clock.h"

#include <QAbstractListModel>
#include <QtQml/qqmlregistration.h>

/// The rows of the one alarm window: every alarm not yet answered, newest last. "OK" or
/// "Später" answers a row; the window goes when the last row is answered.
class AlarmPopupModel : public QAbstractListModel {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the app for each alarm window")
    Q_PROPERTY(QString heading READ heading NOTIFY countChanged)
    Q_PROPERTY(int count READ count NOTIFY countChanged)
    Q_PROPERTY(QStringList snoozeLabels READ snoozeLabels CONSTANT)

public:
    enum Role { TextRole = Qt::UserRole + 1, TimeTextRole, MissedRole, SnoozableRole };

    AlarmPopupModel(Clock clock, AlarmActions::SnoozeHandler snooze, QObject* parent = nullptr);

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QHash<int, QByteArray> roleNames() const override;

    /// "Erinnerung", "Verpasste Erinnerung", "Erinnerung (Test)" for one row; for several
    /// "4 Erinnerungen", "3 verpasste Erinnerungen" or "4 Erinnerungen, davon 1 verpasst".
    [[nodiscard]] QString heading() const;
    [[nodiscard]] int count() const { return int(m_alarms.size()); }
    [[nodiscard]] static QStringList snoozeLabels();

    /// Alarms of a later check join the open window at its end.
    void append(const QList<FiredAlarm>& alarms);
    Q_INVOKABLE void dismiss(int row);
    /// Puts the row's alarm off by the `choice`-th of `snoozeLabels` and answers the row.
    Q_INVOKABLE void snooze(int row, int choice);
    Q_INVOKABLE void dismissAll();

signals:
    void countChanged();
    /// Every row is answered: the window closes.
    void emptied();

private:
    void remove(int row);

    Clock m_clock;
    AlarmActions::SnoozeHandler m_snooze;
    QList<FiredAlarm> m_alarms;
};
