#include "timezonename.h"

#include <QSet>

namespace {

const QSet<QByteArray>& knownIds()
{
    static const QSet<QByteArray> ids = [] {
        const QList<QByteArray> available = QTimeZone::availableTimeZoneIds();
        return QSet<QByteArray>(available.cbegin(), available.cend());
    }();
    return ids;
}

} // namespace

std::optional<QTimeZone> namedTimeZone(QByteArrayView id)
{
    if (id.isEmpty())
        return std::nullopt;
    QByteArray name = id.toByteArray();
    if (!knownIds().contains(name)) {
        name = QTimeZone::windowsIdToDefaultIanaId(name);
        if (name.isEmpty() || !knownIds().contains(name))
            return std::nullopt;
    }
    QTimeZone zone(name);
    return zone.isValid() ? std::optional(zone) : std::nullopt;
}
