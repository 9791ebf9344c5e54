#include "alarmpopupmodel.h"

#include "datelabels.h"

AlarmPopupModel::AlarmPopupModel(Clock clock, AlarmActions::SnoozeHandler snooze, QObject* parent)
    : QAbstractListModel(parent)
    , m_clock(std::move(clock))
    , m_snooze(std::move(snooze))
{
}

int AlarmPopupModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : count();
}

QVariant AlarmPopupModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const FiredAlarm& alarm = m_alarms.at(index.row());
    switch (role) {
    case TextRole:
        return alarm.text;
    case TimeTextRole:
        return DateLabels::formatDate(alarm.at, m_clock());
    case MissedRole:
        return alarm.kind == FiredAlarm::Kind::Missed;
    case SnoozableRole:
        return !alarm.id.isNull();
    default:
        return {};
    }
}

QHash<int, QByteArray> AlarmPopupModel::roleNames() const
{
    return { { TextRole, "text" }, { TimeTextRole, "timeText" }, { MissedRole, "missed" },
        { SnoozableRole, "snoozable" } };
}

QString AlarmPopupModel::heading() const
{
    const auto missed = std::count_if(m_alarms.cbegin(), m_alarms.cend(),
        [](const FiredAlarm& alarm) { return alarm.kind == FiredAlarm::Kind::Missed; });
    if (m_alarms.size() == 1) {
        switch (m_alarms.constFirst().kind) {
        case FiredAlarm::Kind::Missed:
            return QStringLiteral("Verpasste Erinnerung");
        case FiredAlarm::Kind::Test:
            return QStringLiteral("Erinnerung (Test)");
        case FiredAlarm::Kind::OnTime:
            return QStringLiteral("Erinnerung");
        }
    }
    if (missed == m_alarms.size())
        return QStringLiteral("%1 verpasste Erinnerungen").arg(missed);
    if (missed == 0)
        return QStringLiteral("%1 Erinnerungen").arg(m_alarms.size());
    return QStringLiteral("%1 Erinnerungen, davon %2 verpasst").arg(m_alarms.size()).arg(missed);
}

QStringList AlarmPopupModel::snoozeLabels()
{
    QStringList labels;
    for (const Snooze::Choice choice : Snooze::allChoices)
        labels.append(Snooze::label(choice));
    return labels;
}

void AlarmPopupModel::append(const QList<FiredAlarm>& alarms)
{
    if (alarms.isEmpty())
        return;
    beginInsertRows({}, count(), count() + int(alarms.size()) - 1);
    m_alarms.append(alarms);
    endInsertRows();
    emit countChanged();
}

void AlarmPopupModel::dismiss(int row)
{
    if (row >= 0 && row < count())
        remove(row);
}

void AlarmPopupModel::snooze(int row, int choice)
{
    if (row < 0 || row >= count() || choice < 0 || choice >= int(Snooze::allChoices.size()))
        return;
    const QUuid id = m_alarms.at(row).id;
    if (id.isNull())
        return;
    remove(row);
    if (m_snooze)
        m_snooze({ id }, Snooze::allChoices[std::size_t(choice)]);
}

void AlarmPopupModel::dismissAll()
{
    if (m_alarms.isEmpty())
        return;
    beginResetModel();
    m_alarms.clear();
    endResetModel();
    emit countChanged();
    emit emptied();
}

void AlarmPopupModel::remove(int row)
{
    beginRemoveRows({}, row, row);
    m_alarms.removeAt(row);
    endRemoveRows();
    emit countChanged();
    if (m_alarms.isEmpty())
        emit emptied();
}
