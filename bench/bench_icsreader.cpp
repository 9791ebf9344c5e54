// Reading time of a large calendar export: 50,000 events written the way calendar services
// write them (CRLF, folded lines, time zones, all-day events, rules and alarms).
#include "benchsupport.h"
#include "icsreader.h"

#include <libical/ical.h>

#include <QByteArray>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int eventCount = 50'000;

// libical reads the whole file into its component tree, as a calendar program does.
qsizetype libicalEvents(const QByteArray& file)
{
    icalcomponent* calendar = icalparser_parse_string(file.constData());
    if (!calendar)
        return 0;
    const qsizetype events = icalcomponent_count_components(calendar, ICAL_VEVENT_COMPONENT);
    icalcomponent_free(calendar);
    return events;
}

} // namespace

int main()
{
    const QByteArray file = Bench::icsExport(eventCount);
    qsizetype ours = 0;
    qsizetype theirs = 0;
    const double oursMs = Bench::medianMs([] {}, [&] { ours = parseICSData(file).size(); });
    const double peerMs = Bench::medianMs([] {}, [&] { theirs = libicalEvents(file); });
    if (ours != eventCount || theirs != eventCount) {
        std::fprintf(stderr, "bench_icsreader: read %lld events, libical %lld, of %d\n",
            static_cast<long long>(ours), static_cast<long long>(theirs), eventCount);
        return 1;
    }
    const double megabytes = double(file.size()) / 1e6;
    const auto rate = [megabytes](double ms) {
        return QStringLiteral(" (%1 MB/s)").arg(megabytes / (ms / 1000.0), 0, 'f', 0);
    };
    Bench::row(QStringLiteral("ICS reader, %L1 events (%2 MB)").arg(eventCount).arg(megabytes, 0, 'f', 1),
        Bench::ms(oursMs) + rate(oursMs), Bench::ms(peerMs) + rate(peerMs), Bench::speedRatio(oursMs, peerMs),
        QStringLiteral("≥ 3× faster"), peerMs >= 3 * oursMs);
    return 0;
}
