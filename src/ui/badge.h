#pragma once

#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

/// One small coloured label of a card: an icon (symbol name), a text and a named palette colour.
struct Badge {
    Q_GADGET
    QML_VALUE_TYPE(badge)
    Q_PROPERTY(QString icon MEMBER icon)
    Q_PROPERTY(QString text MEMBER text)
    Q_PROPERTY(QString color MEMBER color)

public:
    QString icon;
    QString text;
    QString color;

    /// Where a record came from: a file import ("ICS…") or the system calendar.
    [[nodiscard]] static Badge forImport(const QString& importSource);

    friend bool operator==(const Badge&, const Badge&) = default;
};
