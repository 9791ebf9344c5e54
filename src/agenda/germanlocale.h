#pragma once

#include <QLocale>

/// Every date the user reads is German, whatever the desktop's own locale.
inline const QLocale& germanLocale()
{
    static const QLocale locale(QLocale::German, QLocale::Germany);
    return locale;
}
