#pragma once

#include <QColor>
#include <QFont>
#include <QQuickPaintedItem>
#include <QtQml/qqmlregistration.h>

/// Text, an icon glyph or a rounded shape filled with a two-colour linear gradient. Painted
/// with QPainter, so it looks the same on the software renderer (offscreen) and on the GPU.
class GradientItem : public QQuickPaintedItem {
    Q_OBJECT
    QML_ELEMENT
    /// When set, the glyphs are filled; otherwise the whole item as a rectangle with `radius`.
    Q_PROPERTY(QString text READ text WRITE setText NOTIFY appearanceChanged)
    Q_PROPERTY(QFont font READ font WRITE setFont NOTIFY appearanceChanged)
    Q_PROPERTY(qreal radius READ radius WRITE setRadius NOTIFY appearanceChanged)
    Q_PROPERTY(QColor startColor READ startColor WRITE setStartColor NOTIFY appearanceChanged)
    Q_PROPERTY(QColor endColor READ endColor WRITE setEndColor NOTIFY appearanceChanged)
    Q_PROPERTY(Direction direction READ direction WRITE setDirection NOTIFY appearanceChanged)

public:
    /// Diagonal runs from the top leading to the bottom trailing corner.
    enum class Direction { Diagonal, Horizontal, Vertical };
    Q_ENUM(Direction)

    explicit GradientItem(QQuickItem* parent = nullptr);

    [[nodiscard]] QString text() const { return m_text; }
    void setText(const QString& text);
    [[nodiscard]] QFont font() const { return m_font; }
    void setFont(const QFont& font);
    [[nodiscard]] qreal radius() const { return m_radius; }
    void setRadius(qreal radius);
    [[nodiscard]] QColor startColor() const { return m_start; }
    void setStartColor(const QColor& color);
    [[nodiscard]] QColor endColor() const { return m_end; }
    void setEndColor(const QColor& color);
    [[nodiscard]] Direction direction() const { return m_direction; }
    void setDirection(Direction direction);

    void paint(QPainter* painter) override;

signals:
    void appearanceChanged();

private:
    void changed();

    QString m_text;
    QFont m_font;
    qreal m_radius = 0;
    QColor m_start;
    QColor m_end;
    Direction m_direction = Direction::Diagonal;
};
