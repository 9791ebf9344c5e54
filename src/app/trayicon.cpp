#include "trayicon.h"

#include "menubarlabel.h"

#include <QFont>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QPixmap>

namespace {

// The palette's orange and red, as the panel uses them.
const QColor orange(255, 149, 0);
const QColor red(255, 59, 48);

// Drawn on a 24-unit grid; the caller scales. A symbolic, one-colour outline in the colour of
// the desktop's text, like the other icons of a tray, so it reads on light and dark panels.
void drawNote(QPainter& painter, const QColor& ink)
{
    QPainterPath page;
    page.moveTo(5, 2.5);
    page.lineTo(15, 2.5);
    page.lineTo(19.5, 7);
    page.lineTo(19.5, 21.5);
    page.lineTo(5, 21.5);
    page.closeSubpath();
    painter.setPen(QPen(ink, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(page);
    painter.drawPolyline(QPolygonF({ { 15, 2.5 }, { 15, 7 }, { 19.5, 7 } }));
    painter.setPen(QPen(ink, 1.6, Qt::SolidLine, Qt::RoundCap));
    for (const double y : { 11.0, 14.5, 18.0 })
        painter.drawLine(QPointF(8, y), QPointF(y < 12 ? 13.5 : 16.5, y));
}

QPainterPath bellShape()
{
    QPainterPath bell;
    bell.moveTo(12, 3);
    bell.cubicTo(7.5, 3, 6, 6.5, 6, 10);
    bell.lineTo(6, 14.5);
    bell.lineTo(3.5, 17.5);
    bell.lineTo(20.5, 17.5);
    bell.lineTo(18, 14.5);
    bell.lineTo(18, 10);
    bell.cubicTo(18, 6.5, 16.5, 3, 12, 3);
    bell.addEllipse(QPointF(12, 19.5), 2.4, 2.4); // clapper
    bell.addEllipse(QPointF(12, 2.6), 1.3, 1.3); // hanger
    bell.setFillRule(Qt::WindingFill);
    return bell;
}

void drawBell(QPainter& painter, bool badge, double angle)
{
    painter.save();
    painter.translate(12, 12);
    painter.rotate(angle);
    painter.translate(-12, -12);
    painter.setPen(Qt::NoPen);
    painter.setBrush(badge ? red : orange);
    QPainterPath shape = bellShape();
    if (badge) {
        // "bell.badge.fill": a dot at the top right, cut free from the bell.
        QPainterPath gap;
        gap.addEllipse(QPointF(18.5, 5), 4.6, 4.6);
        shape = shape.subtracted(gap);
        shape.addEllipse(QPointF(18.5, 5), 3.2, 3.2);
    }
    painter.drawPath(shape);
    painter.restore();
}

} // namespace

TrayIcon::TrayIcon(const MenuBarLabel& label, QObject* parent)
    : QSystemTrayIcon(iconFor(label), parent)
    , m_label(label)
{
    setToolTip(QStringLiteral("Zettelwerk"));
    connect(&label, &MenuBarLabel::changed, this, [this] {
        setIcon(iconFor(m_label));
        setToolTip(m_label.toolTip());
    });
    // The resting symbol follows the desktop between light and dark.
    qGuiApp->installEventFilter(this);
    connect(this, &QSystemTrayIcon::activated, this, [this](ActivationReason reason) {
        if (reason == Trigger || reason == DoubleClick)
            emit toggleRequested();
    });
}

bool TrayIcon::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == qGuiApp && event->type() == QEvent::ApplicationPaletteChange)
        setIcon(iconFor(m_label));
    return QSystemTrayIcon::eventFilter(watched, event);
}

QImage TrayIcon::renderFrame(const MenuBarLabel& label, int size)
{
    return renderFrame(label, size, label.displayedAngle());
}

QImage TrayIcon::renderFrame(const MenuBarLabel& label, int size, double angle)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    if (!label.isAlarming()) {
        painter.scale(size / 24.0, size / 24.0);
        drawNote(painter, QGuiApplication::palette().color(QPalette::WindowText));
        return image;
    }

    // Trays show square icons: the bell on the left, the count in the lower right corner.
    const QString count = QString::number(label.alarmCount());
    painter.save();
    painter.scale(size / 24.0, size / 24.0);
    // Swung by 18°, the mouth reaches 9.8 units beside its pivot: any further left it is cut off.
    painter.translate(-1.5, 0);
    drawBell(painter, label.flashPhase(), angle);
    painter.restore();

    QFont font(QStringLiteral("DejaVu Sans"));
    font.setWeight(QFont::Black);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(qRound(size * (count.size() > 1 ? 0.42 : 0.5)));
    // DejaVu Sans has equal-width digits, so "12" does not jump about while it counts.
    painter.setFont(font);
    const QRectF box(size * 0.45, size * 0.42, size * 0.55, size * 0.58);
    QPainterPath text;
    const QFontMetricsF metrics(font);
    const QPointF baseline(box.right() - metrics.horizontalAdvance(count), box.bottom() - metrics.descent());
    text.addText(baseline, font, count);
    painter.setPen(QPen(QColor(20, 20, 20), size / 12.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::white);
    painter.drawPath(text);
    painter.fillPath(text, Qt::white);
    return image;
}

QIcon TrayIcon::iconFor(const MenuBarLabel& label)
{
    QIcon icon;
    for (const int size : { 16, 22, 24, 32, 48, 64 })
        icon.addPixmap(QPixmap::fromImage(renderFrame(label, size)));
    return icon;
}
