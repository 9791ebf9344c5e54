#pragma once

#include "rowmodel.h"

#include <QDateTime>
#include <QObject>
#include <QSet>

/// A list of found events with ticks: its rows (title, dateText, repeats, selected), the texts of
/// its header and of the import button, and the choice of all or none.
class EventSelection : public QObject {
    Q_OBJECT
    Q_PROPERTY(RowModel* rows READ rows CONSTANT)
    Q_PROPERTY(int count READ count NOTIFY changed)
    Q_PROPERTY(int selectedCount READ selectedCount NOTIFY changed)
    Q_PROPERTY(QString foundText READ foundText NOTIFY changed)
    Q_PROPERTY(QString selectionText READ selectionText NOTIFY changed)
    Q_PROPERTY(QString toggleAllText READ toggleAllText NOTIFY changed)
    Q_PROPERTY(QString importText READ importText NOTIFY changed)

public:
    struct Item {
        QString title;
        QDateTime start;
        bool repeats = false;
    };

    explicit EventSelection(QObject* parent = nullptr);

    [[nodiscard]] RowModel* rows() { return &m_rows; }
    [[nodiscard]] int count() const { return int(m_items.size()); }
    [[nodiscard]] int selectedCount() const { return int(m_selected.size()); }
    /// "12 Events gefunden".
    [[nodiscard]] QString foundText() const;
    /// "3 von 12 ausgewählt".
    [[nodiscard]] QString selectionText() const;
    /// "Keine" while every event is ticked, "Alle" otherwise.
    [[nodiscard]] QString toggleAllText() const;
    /// "3 Events importieren".
    [[nodiscard]] QString importText() const;

    /// New items, all of them ticked.
    void setItems(const QList<Item>& items);
    void clear() { setItems({}); }
    /// The ticked positions, ascending.
    [[nodiscard]] QList<int> selectedPositions() const;

    Q_INVOKABLE void toggle(int position);
    /// All when not all are ticked, else none.
    Q_INVOKABLE void toggleAll();

signals:
    void changed();

private:
    void update();

    RowModel m_rows;
    QList<Item> m_items;
    QStringList m_dateTexts;
    QSet<int> m_selected;
};

/// "d. MMM yyyy, HH:mm" in German, local time: "5. März 2025, 14:30".
[[nodiscard]] QString formatPreviewDate(const QDateTime& date);
