#pragma once

#include <QColor>
#include <QImage>
#include <QQuickItem>
#include <QtQml/qqmlregistration.h>

/// The blurred shadow of a rounded rectangle. The item reaches `blur` beyond the shape on every
/// side and `blur + offsetY` below it, so it is placed with those negative margins around what
/// casts it. Drawn as nine slices of one small shared tile, so its cost does not grow with its
/// size.
class SoftShadow : public QQuickItem {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(qreal cornerRadius READ cornerRadius WRITE setCornerRadius NOTIFY appearanceChanged)
    Q_PROPERTY(qreal blur READ blur WRITE setBlur NOTIFY appearanceChanged)
    Q_PROPERTY(qreal offsetY READ offsetY WRITE setOffsetY NOTIFY appearanceChanged)
    Q_PROPERTY(QColor color READ color WRITE setColor NOTIFY appearanceChanged)

public:
    explicit SoftShadow(QQuickItem* parent = nullptr);

    [[nodiscard]] qreal cornerRadius() const { return m_cornerRadius; }
    void setCornerRadius(qreal radius);
    [[nodiscard]] qreal blur() const { return m_blur; }
    void setBlur(qreal blur);
    [[nodiscard]] qreal offsetY() const { return m_offsetY; }
    void setOffsetY(qreal offset);
    [[nodiscard]] QColor color() const { return m_color; }
    void setColor(const QColor& color);

protected:
    QSGNode* updatePaintNode(QSGNode* old, UpdatePaintNodeData* data) override;
    void geometryChange(const QRectF& newGeometry, const QRectF& oldGeometry) override;

signals:
    void appearanceChanged();

private:
    void changed();

    qreal m_cornerRadius = 0;
    qreal m_blur = 0;
    qreal m_offsetY = 0;
    QColor m_color = QColor(0, 0, 0, 40);
};
