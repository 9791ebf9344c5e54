#pragma once

#include <QObject>
#include <QtQml/qqmlregistration.h>

/// Font sizes multiplied by the font scale keep their fractions: QML's `font.pixelSize` is a
/// whole number, so scaled sizes go through `font.pointSize` instead.
class TextScale : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON

public:
    using QObject::QObject;

    /// The point size that Qt draws exactly `pixels` pixels high on this display.
    Q_INVOKABLE [[nodiscard]] static double points(double pixels);
};
