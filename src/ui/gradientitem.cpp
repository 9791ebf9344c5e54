#include "gradientitem.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

GradientItem::GradientItem(QQuickItem* parent)
    : QQuickPaintedItem(parent)
{
    setAntialiasing(true);
}

void GradientItem::setText(const QString& text)
{
    if (m_text == text)
        return;
    m_text = text;
    changed();
}

void GradientItem::setFont(const QFont& font)
{
    if (m_font == font)
        return;
    m_font = font;
    changed();
}

void GradientItem::setRadius(qreal radius)
{
    if (qFuzzyCompare(m_radius, radius))
        return;
    m_radius = radius;
    changed();
}

void GradientItem::setStartColor(const QColor& color)
{
    if (m_start == color)
        return;
    m_start = color;
    changed();
}

void GradientItem::setEndColor(const QColor& color)
{
    if (m_end == color)
        return;
    m_end = color;
    changed();
}

void GradientItem::setDirection(Direction direction)
{
    if (m_direction == direction)
        return;
    m_direction = direction;
    changed();
}

void GradientItem::changed()
{
    if (!m_text.isEmpty()) {
        const QFontMetricsF metrics(m_font);
        setImplicitSize(metrics.horizontalAdvance(m_text), metrics.height());
    }
    emit appearanceChanged();
    update();
}

void GradientItem::paint(QPainter* painter)
{
    const QRectF area = boundingRect();
    QPointF end = area.bottomRight();
    if (m_direction == Direction::Horizontal)
        end = area.topRight();
    else if (m_direction == Direction::Vertical)
        end = area.bottomLeft();
    QLinearGradient gradient(area.topLeft(), end);
    gradient.setColorAt(0, m_start);
    gradient.setColorAt(1, m_end);

    painter->setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    if (m_text.isEmpty()) {
        path.addRoundedRect(area, m_radius, m_radius);
    } else {
        // Centred in the item, like a Text whose size is set from outside.
        const QFontMetricsF metrics(m_font);
        const qreal x = (area.width() - metrics.horizontalAdvance(m_text)) / 2;
        const qreal y = (area.height() - metrics.height()) / 2 + metrics.ascent();
        path.addText(x, y, m_font, m_text);
    }
    painter->fillPath(path, gradient);
}
