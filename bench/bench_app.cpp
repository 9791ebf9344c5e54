// Start-up, memory and idle wake-ups of the real tray app, next to the smallest Qt tray app that
// shows a QML window (bench_trayfloor), each started five times. Runs under an X server and a
// private session bus (bench/run sees to both) and plays the desktop's tray host itself.
#include "benchsupport.h"
#include "faketraywatcher.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <functional>
#include <memory>

namespace {

constexpr int idleSeconds = 60;
constexpr int records = 1'000;

struct Instance {
    QTemporaryDir home;
    QProcess process;
    QString item;
    double startMs = 0;
    double rssNeverOpened = 0;
    double rssOpen = 0;
    double rssClosed = 0;
    double wakeupsNeverOpened = 0;
    double wakeupsAfterOpen = 0;
    double wakeupsSettled = 0;
};

void wait(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

template <typename Condition> bool waitFor(Condition condition, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::usleep(500);
    }
    return true;
}

QByteArray procField(const QString& statusPath, const QByteArray& field)
{
    QFile status(statusPath);
    if (!status.open(QIODevice::ReadOnly))
        return {};
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field + ':'))
            return line.mid(field.size() + 1).trimmed();
    }
    return {};
}

// Resident memory in MB (10^6 bytes), as the targets are given; /proc counts in KiB.
double rssMB(qint64 pid)
{
    return procField(QStringLiteral("/proc/%1/status").arg(pid), "VmRSS").split(' ').value(0).toDouble()
        * 1024 / 1e6;
}

struct ThreadSwitches {
    QString name;
    qint64 count = 0;
};

// Context switches of every thread by thread id: each wake-up is followed by one.
QHash<QString, ThreadSwitches> contextSwitches(qint64 pid)
{
    QHash<QString, ThreadSwitches> threads;
    const QDir tasks(QStringLiteral("/proc/%1/task").arg(pid));
    for (const QString& tid : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString status = tasks.filePath(tid + QStringLiteral("/status"));
        threads.insert(tid,
            { QString::fromUtf8(procField(status, "Name")),
                procField(status, "voluntary_ctxt_switches").toLongLong()
                    + procField(status, "nonvoluntary_ctxt_switches").toLongLong() });
    }
    return threads;
}

// Switches between two readings: threads started in between count in full. A thread that ended in
// between takes its last switches along, so the figure can only be too low by those. `busy` names
// the threads that woke, with their count.
qint64 switchesBetween(const QHash<QString, ThreadSwitches>& before,
    const QHash<QString, ThreadSwitches>& after, QStringList* busy)
{
    qint64 total = 0;
    for (auto it = after.cbegin(); it != after.cend(); ++it) {
        const qint64 delta = it->count - before.value(it.key()).count;
        total += delta;
        if (delta > 0)
            busy->append(QStringLiteral("%1 %2").arg(it->name).arg(delta));
    }
    return total;
}

bool panelVisible(qint64 pid)
{
    QProcess search;
    search.start(QStringLiteral("xdotool"),
        { QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
            QString::number(pid) });
    search.waitForFinished(5000);
    return search.exitCode() == 0 && !search.readAllStandardOutput().trimmed().isEmpty();
}

bool activate(const QString& item)
{
    QDBusMessage click = QDBusMessage::createMethodCall(item, QStringLiteral("/StatusNotifierItem"),
        QStringLiteral("org.kde.StatusNotifierItem"), QStringLiteral("Activate"));
    click << 0 << 0;
    return QDBusConnection::sessionBus().call(click).type() == QDBusMessage::ReplyMessage;
}

// Waits until the process's memory has stopped growing after a change on screen.
double settledRss(qint64 pid)
{
    double previous = 0;
    double current = rssMB(pid);
    for (int i = 0; i < 20 && current != previous; ++i) {
        wait(500);
        previous = current;
        current = rssMB(pid);
    }
    return current;
}

bool start(Instance& instance, const QString& program, FakeTrayWatcher& watcher, bool withData)
{
    const QDir home(instance.home.path());
    for (const char* folder : { "data/Zettelwerk", "config", "cache", "run" })
        home.mkpath(QString::fromLatin1(folder));
    QFile::setPermissions(home.filePath(QStringLiteral("run")),
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    // Placed around the real clock, which the app runs on; nothing falls due while it is measured.
    const QDateTime now = QDateTime::currentDateTime();
    ReminderNotes notes = Bench::generate(records, now);
    for (ReminderNote& note : notes) {
        if (note.hasAlarm && !note.isTriggered && note.alarmDate < now.addSecs(3600))
            note.alarmDate = note.alarmDate.addSecs(3600);
    }
    if (withData && !Bench::writeFile(home.filePath(QStringLiteral("data/Zettelwerk/notes.json")), notes))
        return false;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_CACHE_HOME"), home.filePath(QStringLiteral("cache")));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.filePath(QStringLiteral("run")));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    instance.process.setProcessEnvironment(env);
    instance.process.setProcessChannelMode(QProcess::ForwardedChannels);

    const qsizetype known = watcher.items().size();
    QElapsedTimer timer;
    timer.start();
    instance.process.start(program, {});
    const qint64 pid = instance.process.processId();
    QDBusConnectionInterface* bus = QDBusConnection::sessionBus().interface();
    const bool registered = waitFor(
        [&] {
            for (qsizetype i = known; i < watcher.items().size(); ++i) {
                if (bus->servicePid(watcher.items().at(i)).value() == pid) {
                    instance.item = watcher.items().at(i);
                    return true;
                }
            }
            return false;
        },
        30'000);
    instance.startMs = double(timer.nsecsElapsed()) / 1e6;
    return registered;
}

bool openAndClose(Instance& instance)
{
    const qint64 pid = instance.process.processId();
    if (!activate(instance.item) || !waitFor([pid] { return panelVisible(pid); }, 20'000))
        return false;
    instance.rssOpen = settledRss(pid);
    if (!activate(instance.item) || !waitFor([pid] { return !panelVisible(pid); }, 20'000))
        return false;
    instance.rssClosed = settledRss(pid);
    return true;
}

// Wake-ups per second of every instance, ours and the peers, over the same idle minute.
void idleMinute(const std::vector<std::unique_ptr<Instance>>& ours,
    const std::vector<std::unique_ptr<Instance>>& peers, double Instance::*result, const char* phase)
{
    QList<Instance*> instances;
    for (const auto* group : { &ours, &peers }) {
        for (const auto& instance : *group)
            instances.append(instance.get());
    }
    QList<QHash<QString, ThreadSwitches>> before;
    for (const Instance* instance : instances)
        before.append(contextSwitches(instance->process.processId()));
    wait(idleSeconds * 1000);
    for (qsizetype i = 0; i < instances.size(); ++i) {
        Instance& instance = *instances.at(i);
        QStringList busy;
        const auto after = contextSwitches(instance.process.processId());
        instance.*result = double(switchesBetween(before.at(i), after, &busy)) / idleSeconds;
        std::fprintf(stderr, "bench_app: %s, %s: %.2f wake-ups/s (%s)\n",
            qPrintable(instance.process.program().section(QLatin1Char('/'), -1)), phase, instance.*result,
            qPrintable(busy.join(QStringLiteral(", "))));
    }
}

double medianOf(const std::vector<std::unique_ptr<Instance>>& instances, double Instance::*field)
{
    QList<double> values;
    for (const auto& instance : instances)
        values.append((*instance).*field);
    return Bench::median(values);
}

QString mb(double value)
{
    return QStringLiteral("%1 MB").arg(value, 0, 'f', 1);
}

QString perSecond(double value)
{
    return QStringLiteral("%1/s").arg(value, 0, 'f', 2);
}

QString times(double ours, double peer)
{
    return peer > 0 ? QStringLiteral("%1× the peer").arg(ours / peer, 0, 'f', 2) : QStringLiteral("–");
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(
            stderr, "usage: bench_app ZETTELWERK TRAYFLOOR (under dbus-run-session and an X server)\n");
        return 2;
    }
    FakeTrayWatcher watcher;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.registerObject(QStringLiteral("/StatusNotifierWatcher"), &watcher,
            QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties)
        || !bus.registerService(QStringLiteral("org.kde.StatusNotifierWatcher"))) {
        std::fprintf(stderr, "bench_app: no session bus to play the tray host on\n");
        return 1;
    }

    std::vector<std::unique_ptr<Instance>> ours;
    std::vector<std::unique_ptr<Instance>> peers;
    for (int run = 0; run < Bench::runs; ++run) {
        ours.push_back(std::make_unique<Instance>());
        peers.push_back(std::make_unique<Instance>());
        if (!start(*ours.back(), QString::fromLocal8Bit(argv[1]), watcher, true)
            || !start(*peers.back(), QString::fromLocal8Bit(argv[2]), watcher, false)) {
            std::fprintf(stderr, "bench_app: a tray icon did not appear\n");
            return 1;
        }
    }
    wait(3000);
    for (auto* group : { &ours, &peers }) {
        for (auto& instance : *group)
            instance->rssNeverOpened = rssMB(instance->process.processId());
    }
    idleMinute(ours, peers, &Instance::wakeupsNeverOpened, "never opened");
    for (auto* group : { &ours, &peers }) {
        for (auto& instance : *group) {
            if (!openAndClose(*instance)) {
                std::fprintf(stderr, "bench_app: the panel did not open and close on a click\n");
                return 1;
            }
        }
    }
    idleMinute(ours, peers, &Instance::wakeupsAfterOpen, "first minute after closing");
    // Qt trims its font cache every 10 s for a while after much text was drawn, then every 5 min.
    idleMinute(ours, peers, &Instance::wakeupsSettled, "second minute after closing");

    const auto rowOf = [&](const QString& what, double Instance::*field, const QString& target, double limit,
                           const std::function<QString(double)>& format) {
        const double value = medianOf(ours, field);
        const double peer = medianOf(peers, field);
        Bench::row(
            what, format(value), format(peer), times(value, peer), target, limit < 0 || value <= limit);
    };
    rowOf(QStringLiteral("Start until the tray icon is ready (%L1 records)").arg(records), &Instance::startMs,
        QStringLiteral("≤ 300 ms"), 300, Bench::ms);
    rowOf(QStringLiteral("Memory (RSS), panel never opened"), &Instance::rssNeverOpened,
        QStringLiteral("≤ 50 MB"), 50, mb);
    rowOf(QStringLiteral("Memory (RSS), panel open"), &Instance::rssOpen, QStringLiteral("≤ 90 MB"), 90, mb);
    rowOf(QStringLiteral("Memory (RSS), panel closed again"), &Instance::rssClosed, {}, -1, mb);
    rowOf(QStringLiteral("Idle wake-ups over %1 s, panel never opened").arg(idleSeconds),
        &Instance::wakeupsNeverOpened, QStringLiteral("≤ 0.1/s"), 0.1, perSecond);
    rowOf(QStringLiteral("Idle wake-ups over %1 s, panel opened and closed").arg(idleSeconds),
        &Instance::wakeupsAfterOpen, QStringLiteral("≤ 0.1/s"), 0.1, perSecond);
    rowOf(QStringLiteral("Idle wake-ups over the next %1 s").arg(idleSeconds), &Instance::wakeupsSettled,
        QStringLiteral("≤ 0.1/s"), 0.1, perSecond);

    for (auto* group : { &ours, &peers }) {
        for (auto& instance : *group) {
            instance->process.terminate();
            if (!instance->process.waitForFinished(5000))
                instance->process.kill();
        }
    }
    return 0;
}
