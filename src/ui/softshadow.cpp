#include "softshadow.h"

#include <QPainter>
#include <QQuickWindow>
#include <QSGImageNode>
#include <QSGTexture>

#include <QHash>

#include <cmath>
#include <vector>

namespace {

// One horizontal pass of a box blur over the alpha channel; the image is transposed by the
// caller for the vertical pass.
void boxBlurRows(QImage& image, int radius)
{
    const int width = image.width();
    std::vector<int> row(static_cast<size_t>(width));
    for (int y = 0; y < image.height(); ++y) {
        auto* pixels = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x)
            row[static_cast<size_t>(x)] = qAlpha(pixels[x]);
        const auto at
            = [&row, width](int x) { return row[static_cast<size_t>(std::clamp(x, 0, width - 1))]; };
        int sum = 0;
        for (int x = -radius; x <= radius; ++x)
            sum += at(x);
        for (int x = 0; x < width; ++x) {
            const int alpha = sum / (2 * radius + 1);
            pixels[x] = qRgba(0, 0, 0, alpha);
            sum += at(x + radius + 1) - at(x - radius);
        }
    }
}

QImage transposed(const QImage& image)
{
    return image.transformed(QTransform(0, 1, 1, 0, 0, 0));
}

// What makes one tile differ from another.
QString tileKey(qreal cornerRadius, qreal blur, const QColor& color, qreal scale)
{
    return QStringLiteral("%1/%2/%3/%4").arg(cornerRadius).arg(blur).arg(color.rgba()).arg(scale);
}

// The shadow of the smallest rounded rectangle with these corners, in device pixels: every
// larger one is this tile with its middle row and column stretched. Cached, because every card
// of a list asks for the same one.
QImage shadowTile(qreal cornerRadius, qreal blur, const QColor& color, qreal scale, int& edge)
{
    edge = static_cast<int>(std::ceil((cornerRadius + 2 * blur) * scale));
    const QString key = tileKey(cornerRadius, blur, color, scale);
    // Per thread: the threaded render loop paints on one thread per window.
    thread_local QHash<QString, QImage> cache;
    if (const auto found = cache.constFind(key); found != cache.constEnd())
        return *found;

    const int side = 2 * edge + 1;
    QImage mask(side, side, QImage::Format_ARGB32_Premultiplied);
    mask.fill(Qt::transparent);
    {
        QPainter shape(&mask);
        shape.setRenderHint(QPainter::Antialiasing);
        shape.setPen(Qt::NoPen);
        shape.setBrush(Qt::black);
        const qreal inset = blur * scale;
        shape.drawRoundedRect(QRectF(inset, inset, side - 2 * inset, side - 2 * inset), cornerRadius * scale,
            cornerRadius * scale);
    }
    // Three box passes approximate a Gaussian whose spread reaches about `blur`.
    const int radius = std::max(1, static_cast<int>(std::lround(blur * scale / 3)));
    for (int pass = 0; pass < 3; ++pass)
        boxBlurRows(mask, radius);
    mask = transposed(mask);
    for (int pass = 0; pass < 3; ++pass)
        boxBlurRows(mask, radius);
    mask = transposed(mask);

    QImage tile(side, side, QImage::Format_ARGB32_Premultiplied);
    tile.fill(color);
    {
        QPainter tint(&tile);
        tint.setCompositionMode(QPainter::CompositionMode_DestinationIn);
        tint.drawImage(0, 0, mask);
    }
    cache.insert(key, tile);
    return tile;
}

// The nine slices over the tile's texture, which it owns. The texture is made again only when
// the tile changes (another look or screen scale).
class ShadowNode : public QSGNode {
public:
    ~ShadowNode() override { delete texture; }

    QSGTexture* texture = nullptr;
    QString key;
    QSGImageNode* slices[9] {};
};

} // namespace

SoftShadow::SoftShadow(QQuickItem* parent)
    : QQuickItem(parent)
{
    setFlag(ItemHasContents);
}

void SoftShadow::setCornerRadius(qreal radius)
{
    if (qFuzzyCompare(m_cornerRadius, radius))
        return;
    m_cornerRadius = radius;
    changed();
}

void SoftShadow::setBlur(qreal blur)
{
    if (qFuzzyCompare(m_blur, blur))
        return;
    m_blur = blur;
    changed();
}

void SoftShadow::setOffsetY(qreal offset)
{
    if (qFuzzyCompare(m_offsetY, offset))
        return;
    m_offsetY = offset;
    changed();
}

void SoftShadow::setColor(const QColor& color)
{
    if (m_color == color)
        return;
    m_color = color;
    changed();
}

void SoftShadow::changed()
{
    emit appearanceChanged();
    update();
}

void SoftShadow::geometryChange(const QRectF& newGeometry, const QRectF& oldGeometry)
{
    QQuickItem::geometryChange(newGeometry, oldGeometry);
    if (newGeometry.size() != oldGeometry.size())
        update();
}

QSGNode* SoftShadow::updatePaintNode(QSGNode* old, UpdatePaintNodeData* /*data*/)
{
    auto* node = static_cast<ShadowNode*>(old);
    // The shape sits `blur` inside the item, moved down by the offset; its shadow fills the rest.
    const QRectF target = boundingRect().adjusted(0, m_offsetY, 0, 0);
    QQuickWindow* const view = window();
    if (target.width() <= 0 || target.height() <= 0 || !view) {
        delete node;
        return nullptr;
    }
    const qreal scale = view->effectiveDevicePixelRatio();
    int edge = 0;
    const QImage tile = shadowTile(m_cornerRadius, m_blur, m_color, scale, edge);
    const QString key = tileKey(m_cornerRadius, m_blur, m_color, scale);
    if (!node) {
        node = new ShadowNode;
        for (QSGImageNode*& slice : node->slices) {
            slice = view->createImageNode();
            // Slices map whole device pixels of the tile, or stretch its one-pixel middle line.
            slice->setFiltering(QSGTexture::Nearest);
            node->appendChildNode(slice);
        }
    }
    if (node->key != key) {
        delete node->texture;
        node->texture = view->createTextureFromImage(tile);
        node->key = key;
        for (QSGImageNode* slice : node->slices)
            slice->setTexture(node->texture);
    }

    // Corners as they are, edges and middle stretched from the tile's centre line.
    const qreal e = edge / scale;
    const qreal xs[] = { target.left(), target.left() + e, target.right() - e, target.right() };
    const qreal ys[] = { target.top(), target.top() + e, target.bottom() - e, target.bottom() };
    const int sx[] = { 0, edge, edge + 1, 2 * edge + 1 };
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            QSGImageNode* slice = node->slices[row * 3 + column];
            const QRectF to(QPointF(xs[column], ys[row]), QPointF(xs[column + 1], ys[row + 1]));
            // A card lower than its two corners has no middle band: that slice draws nothing.
            slice->setRect(to.width() > 0 && to.height() > 0 ? to : QRectF());
            slice->setSourceRect(QRectF(QPointF(sx[column], sx[row]), QPointF(sx[column + 1], sx[row + 1])));
        }
    }
    return node;
}
