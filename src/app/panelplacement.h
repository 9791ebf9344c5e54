#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

/// Where the panel window goes on its screen's free area.
namespace PanelPlacement {

/// Next to the tray icon (below a top panel, above a bottom one, centred on the icon), or in the
/// middle of `available` where the icon has no geometry; kept inside `available`.
[[nodiscard]] QPoint beside(const QRect& iconArea, const QRect& available, const QSize& size);

/// `frame` moved the least so that it lies inside `available`; one taller or wider than the area
/// keeps its top and left edges on it, where the header and the tabs are.
[[nodiscard]] QPoint keptInside(const QRect& frame, const QRect& available);

} // namespace PanelPlacement
