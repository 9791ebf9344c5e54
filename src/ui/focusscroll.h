#pragma once

#include <QObject>
#include <QRectF>
#include <QtQml/qqmlregistration.h>

#include <QQuickItem>

/// Keeps what has the keyboard focus in sight: a control or field reached by Tab scrolls the
/// views around it until it shows, so no keystroke lands where the user cannot see.
class FocusScroll : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON

public:
    using QObject::QObject;

    /// Scrolls every flickable that holds `item` just far enough to show `area` of it (all of
    /// it when `area` is empty), with a small margin.
    Q_INVOKABLE static void reveal(QQuickItem* item, const QRectF& area = {});

    /// The content position that shows [top, bottom] in a view `viewHeight` high whose content is
    /// `contentHeight` high and now at `contentY`: unchanged when it already shows.
    /// Gives the focus to the next (or previous) item in the focus chain that has `item`'s object
    /// name: the arrow keys' way from one list row to the next past the buttons inside a row.
    Q_INVOKABLE static bool focusSibling(QQuickItem* item, bool forward);

    /// Moves `item` behind its siblings in the focus chain (and the drawing order): a list's footer
    /// after rows the list made later.
    Q_INVOKABLE static void keepLast(QQuickItem* item);

    [[nodiscard]] static qreal contentYShowing(
        qreal top, qreal bottom, qreal contentY, qreal viewHeight, qreal contentHeight);
};
