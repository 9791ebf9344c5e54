#include "textscale.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

double TextScale::points(double pixels)
{
    // The same dots per inch that QFont uses to turn points into pixels.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const long dpi = screen ? std::lround(screen->logicalDotsPerInchY()) : 96;
    return pixels * 72.0 / static_cast<double>(dpi > 0 ? dpi : 96);
}
