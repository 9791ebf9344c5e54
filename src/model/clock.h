#pragma once

#include <QDateTime>

#include <functional>

/// Where every "now" comes from, so that time-dependent rules can be tested at any instant.
using Clock = std::function<QDateTime()>;

/// The real wall clock, in local time.
inline Clock systemClock()
{
    return [] { return QDateTime::currentDateTime(); };
}
