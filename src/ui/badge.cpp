#include "badge.h"

Badge Badge::forImport(const QString& importSource)
{
    if (importSource.startsWith(QStringLiteral("ICS")))
        return { QStringLiteral("doc.text"), importSource, QStringLiteral("indigo") };
    return { QStringLiteral("calendar"), importSource, QStringLiteral("teal") };
}
