#pragma once

#include "calendarstore.h"

#include <libical/ical.h>

/// Appends every occurrence of the events of one parsed calendar file that overlaps
/// [start, end): repeating events once per occurrence, with exception dates left out and moved
/// occurrences in place of the ones they replace.
void expandCalendarFile(
    icalcomponent* root, const QDateTime& start, const QDateTime& end, QList<CalendarEvent>& out);
