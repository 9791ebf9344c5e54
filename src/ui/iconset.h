#pragma once

#include <QObject>
#include <QStringList>
#include <QtQml/qqmlregistration.h>

/// The one table from the symbol names the screens use to ligatures of the "Material Icons" font.
class IconSet : public QObject {
    Q_OBJECT
    QML_NAMED_ELEMENT(Icons)
    QML_SINGLETON
    Q_PROPERTY(QString fontFamily READ fontFamily CONSTANT)

public:
    using QObject::QObject;

    [[nodiscard]] static QString fontFamily() { return QStringLiteral("Material Icons"); }
    /// The ligature that draws `symbol`; empty (and a warning) for a name not in the table.
    Q_INVOKABLE [[nodiscard]] static QString glyph(const QString& symbol);
    /// Every symbol name of the table.
    [[nodiscard]] static QStringList symbols();
};
