#pragma once

#include <QObject>
#include <QtQml/qqmlregistration.h>

class QJSEngine;
class QQmlEngine;

/// Whether the panel is drawn light or dark, for `Colors.qml` to choose its values by. One per
/// process: the app sets it from the desktop's preference, a screenshot from its option.
class Appearance : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(bool dark READ dark NOTIFY darkChanged)

public:
    [[nodiscard]] static Appearance& instance();
    /// The same object for every QML engine; it stays owned by C++.
    static Appearance* create(QQmlEngine* qml, QJSEngine* js);

    [[nodiscard]] bool dark() const { return m_dark; }
    void setDark(bool dark);

signals:
    void darkChanged();

private:
    // Private, so that QML takes the shared object from `create` instead of making its own.
    Appearance() = default;

    bool m_dark = false;
};
