#pragma once

#include "remindernote.h"

#include <QAbstractListModel>
#include <QtQml/qqmlregistration.h>

/// One of the panel's lists, for QML: each row is a record, read through its `note` role.
class NoteListModel : public QAbstractListModel {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by PanelController")
    Q_PROPERTY(int count READ count NOTIFY countChanged)

public:
    enum Role { NoteRole = Qt::UserRole + 1, IdRole };

    using QAbstractListModel::QAbstractListModel;

    /// Brings the rows to `notes` with row-level inserts, removes, moves and changes (by record
    /// id); an unchanged list changes nothing.
    void setNotes(const ReminderNotes& notes);
    [[nodiscard]] const ReminderNotes& notes() const { return m_notes; }
    [[nodiscard]] int count() const { return static_cast<int>(m_notes.size()); }

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QHash<int, QByteArray> roleNames() const override;

signals:
    void countChanged();

private:
    ReminderNotes m_notes;
};
