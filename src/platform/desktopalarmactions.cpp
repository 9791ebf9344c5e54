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

void DesktopAlarmActions::notify(const QString& summary, const QString& body, const QList<QUuid>& snoozable)
{
    if (snoozable.isEmpty()) {
        m_notifier->notify(summary, body);
        return;
    }
    QList<DesktopNotifier::Action> actions;
    for (const Snooze::Choice choice : Snooze::allChoices)
        actions.append({ Snooze::key(choice), Snooze::label(choice) });
    m_notifier->notify(summary, body, actions, [this, snoozable](const QString& key) {
        if (const auto choice = Snooze::choiceForKey(key))
            requestSnooze(snoozable, *choice);
    });
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

void DesktopAlarmActions::showPopup(const QList<FiredAlarm>& alarms)
{
    if (m_popup)
        m_popup(alarms);
}
