#pragma once

#include "loginitem.h"

#include <QString>

/// The login item as an XDG autostart entry, `zettelwerk.desktop` in `$XDG_CONFIG_HOME/autostart`:
/// enabled while the file exists and is neither `Hidden=true` nor `X-GNOME-Autostart-enabled=false`.
class XdgAutostart : public LoginItem {
public:
    /// `executable` defaults to the running binary, `autostartDirectory` to the user's folder.
    explicit XdgAutostart(const QString& executable = {}, const QString& autostartDirectory = {});

    [[nodiscard]] bool isEnabled() const override;
    bool enable() override;
    bool disable() override;

    [[nodiscard]] QString filePath() const { return m_filePath; }
    /// The `Exec=` value that starts `executable`, quoted and escaped as desktop entries require.
    [[nodiscard]] static QString execValue(const QString& executable);

private:
    QString m_executable;
    QString m_filePath;
};
