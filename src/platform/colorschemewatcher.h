#pragma once

#include <QDBusConnection>
#include <QDBusVariant>
#include <QObject>
#include <QVariant>

#include <optional>

class QPalette;

/// The desktop's light or dark preference: the XDG desktop portal's `color-scheme` setting, read
/// once without waiting and then followed as it changes. Until the portal answers, and where it
/// never does, the lightness of the palette's window colour decides.
class ColorSchemeWatcher : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool dark READ dark NOTIFY darkChanged)

public:
    explicit ColorSchemeWatcher(
        const QDBusConnection& bus = QDBusConnection::sessionBus(), QObject* parent = nullptr);

    /// Asks the portal and subscribes to its changes; returns at once.
    void start();

    [[nodiscard]] bool dark() const { return m_dark; }
    /// Whether a portal has told the preference; the palette no longer counts then.
    [[nodiscard]] bool fromPortal() const { return m_fromPortal; }

    /// 1 (prefer dark) is dark, 0 (no preference) and 2 (prefer light) are light; anything else
    /// is no answer. Unwraps the variants the value arrives in, however deeply nested.
    [[nodiscard]] static std::optional<bool> darkFromColorScheme(const QVariant& value);
    /// A window colour darker than mid-grey.
    [[nodiscard]] static bool paletteIsDark(const QPalette& palette);

signals:
    void darkChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void onSettingChanged(const QString& group, const QString& key, const QDBusVariant& value);

private:
    void read(const QString& method);
    void takeAnswer(const QVariant& value);
    void setDark(bool dark);

    QDBusConnection m_bus;
    bool m_dark = false;
    bool m_fromPortal = false;
};
