#include "focusscroll.h"

#include <algorithm>

namespace {

constexpr qreal margin = 8;

} // namespace

qreal FocusScroll::contentYShowing(
    qreal top, qreal bottom, qreal contentY, qreal viewHeight, qreal contentHeight)
{
    qreal target = contentY;
    if (bottom + margin > contentY + viewHeight)
        target = bottom + margin - viewHeight;
    // The top wins over the bottom when both cannot show.
    if (top - margin < target)
        target = top - margin;
    return std::clamp(target, 0.0, std::max(0.0, contentHeight - viewHeight));
}

bool FocusScroll::focusSibling(QQuickItem* item, bool forward)
{
    if (!item || item->objectName().isEmpty())
        return false;
    // Bounded: a chain that never comes back to a sibling ends somewhere.
    QQuickItem* next = item;
    for (int step = 0; step < 200; ++step) {
        next = next->nextItemInFocusChain(forward);
        if (!next || next == item)
            return false;
        if (next->objectName() == item->objectName() && next->isVisible()) {
            next->forceActiveFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return false;
}

void FocusScroll::keepLast(QQuickItem* item)
{
    QQuickItem* parent = item ? item->parentItem() : nullptr;
    if (!parent)
        return;
    const QList<QQuickItem*> siblings = parent->childItems();
    if (siblings.constLast() != item)
        item->stackAfter(siblings.constLast());
}

void FocusScroll::reveal(QQuickItem* item, const QRectF& area)
{
    if (!item)
        return;
    const QRectF shown = area.isEmpty() ? item->boundingRect() : area;
    for (QQuickItem* parent = item->parentItem(); parent; parent = parent->parentItem()) {
        // Flickable, ListView and ScrollView's flickable alike; their classes are private to Qt.
        if (!parent->inherits("QQuickFlickable"))
            continue;
        auto* content = parent->property("contentItem").value<QQuickItem*>();
        if (!content)
            continue;
        const QRectF rect = item->mapRectToItem(content, shown);
        const qreal contentY = parent->property("contentY").toReal();
        // ListView's content may start above zero; the bounds are its origin and extent.
        const qreal origin = parent->property("originY").toReal();
        const qreal target = contentYShowing(rect.top() - origin, rect.bottom() - origin, contentY - origin,
                                 parent->height(), parent->property("contentHeight").toReal())
            + origin;
        if (!qFuzzyCompare(target + 1, contentY + 1))
            parent->setProperty("contentY", target);
    }
}
