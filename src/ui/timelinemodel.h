#pragma once

#include "notelistmodel.h"

/// The "Termine" tab as one list, so that a view builds only the cards in sight: the header
/// "Kommende" with the future appointments, the "Heute" divider with today's, then the header
/// "Vergangen" with the past ones. Its rows carry a `kind`: "future", "today" or "past" for the
/// header and divider rows, "appointment" for a record.
class TimelineModel : public NoteListModel {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by PanelController")
    Q_PROPERTY(int todayRow READ todayRow NOTIFY todayRowChanged)

public:
    enum Role { KindRole = IdRole + 1 };

    using NoteListModel::NoteListModel;

    /// A header shows only above a group that has records; the divider always shows.
    void setLists(const ReminderNotes& future, const ReminderNotes& today, const ReminderNotes& past);
    /// The row of the "Heute" divider, where the tab starts.
    [[nodiscard]] int todayRow() const { return m_todayRow; }

    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QHash<int, QByteArray> roleNames() const override;

signals:
    void todayRowChanged();

private:
    int m_todayRow = 0;
};
