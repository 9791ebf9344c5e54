#pragma once

#include <QStringList>

/// The sounds an alarm can play, in the order the editor lists them.
inline QStringList alarmSoundNames()
{
    return {
        QStringLiteral("Basso"),
        QStringLiteral("Blow"),
        QStringLiteral("Bottle"),
        QStringLiteral("Frog"),
        QStringLiteral("Funk"),
        QStringLiteral("Glass"),
        QStringLiteral("Hero"),
        QStringLiteral("Morse"),
        QStringLiteral("Ping"),
        QStringLiteral("Pop"),
        QStringLiteral("Purr"),
        QStringLiteral("Sosumi"),
        QStringLiteral("Submarine"),
        QStringLiteral("Tink"),
    };
}
