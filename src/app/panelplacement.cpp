#include "panelplacement.h"

#include <algorithm>

namespace PanelPlacement {

QPoint beside(const QRect& iconArea, const QRect& available, const QSize& size)
{
    QRect frame(QPoint(), size);
    if (iconArea.isValid()) {
        frame.moveCenter(iconArea.center());
        frame.moveTop(iconArea.center().y() < available.center().y() ? iconArea.bottom() + 4
                                                                     : iconArea.top() - 4 - frame.height());
    } else {
        frame.moveCenter(available.center());
    }
    return keptInside(frame, available);
}

QPoint keptInside(const QRect& frame, const QRect& available)
{
    // std::max first: with a frame larger than the area, the upper limit falls below the lower.
    const int left
        = std::max(available.left(), std::min(frame.left(), available.right() + 1 - frame.width()));
    const int top = std::max(available.top(), std::min(frame.top(), available.bottom() + 1 - frame.height()));
    return { left, top };
}

} // namespace PanelPlacement
