#include "desktopalarmactions.h"

#include "alarmsounds.h"
#include "applauncher.h"
#include "desktopnotifier.h"

#include <QFileInfo>
#include <QProcess>
#include <QSoundEffect>
#include <QUrl>

DesktopAlarmActions::DesktopAlarmActions(Attention attention, Popup popup, QObject* parent)
    : QObject(parent)
    , m_attention(std::move(attention))
    , m_popup(std::move(popup))
    , m_notifier(new DesktopNotifier(this))
{
}

DesktopAlarmActions::~DesktopAlarmActions() = default;

QString DesktopAlarmActions::shellProgram()
{
    static const QString zsh = QStringLiteral("/bin/zsh");
    return QFileInfo(zsh).isExecutable() ? zsh : QStringLiteral("/bin/sh");
}

void DesktopAlarmActions::notify(const QString& summary, const QString& body)
{
    m_notifier->notify(summary, body);
}

void DesktopAlarmActions::requestAttention()
{
    if (m_attention)
        m_attention();
}

void DesktopAlarmActions::playSound(const QString& name)
{
    if (!alarmSoundNames().contains(name))
        return;
    // Kept per name: an effect must live until it has finished playing.
    QSoundEffect*& effect = m_sounds[name];
    if (!effect) {
        effect = new QSoundEffect(this);
        effect->setSource(QUrl(QStringLiteral("qrc:/sounds/%1.wav").arg(name)));
    }
    effect->play();
}

void DesktopAlarmActions::openPath(const QString& path)
{
    AppLauncher::open(path);
}

void DesktopAlarmActions::runShellCommand(const QString& command)
{
    // Detached and never waited for; the text goes to the shell exactly as typed.
    QProcess::startDetached(shellProgram(), { QStringLiteral("-c"), command });
}

void DesktopAlarmActions::showPopup(const QString& heading, const QString& text)
{
    if (m_popup)
        m_popup(heading, text);
}
