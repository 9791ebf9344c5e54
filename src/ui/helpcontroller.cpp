#include "helpcontroller.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTimer>

void HelpController::copyToClipboard()
{
    QGuiApplication::clipboard()->setText(HelpContent::plainText());
    setCopied(true);
    // Every copy schedules its own return, so the label comes back as soon as the first runs out.
    QTimer::singleShot(m_copiedDuration, this, [this] { setCopied(false); });
}

void HelpController::setCopied(bool copied)
{
    if (copied == m_copied)
        return;
    m_copied = copied;
    emit copiedChanged();
}
