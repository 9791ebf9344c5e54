// The calendar folder exchange as a script runs it: `zettelwerk sync` as a whole process publishing
// 1,000 new appointments into an empty folder, then taking back the same 1,000 files changed in the
// folder, next to `vdirsyncer sync` moving those files between two filesystem storages, once for
// the first time and once after they changed.
#include "benchsupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QHash>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

constexpr int appointments = 1'000;

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Every file below `root`, by its path relative to it.
QHash<QString, QByteArray> snapshot(const QString& root)
{
    QHash<QString, QByteArray> files;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(QDir(root).relativeFilePath(path), contents(path));
    }
    return files;
}

// `root` holding exactly `files`.
bool restore(const QString& root, const QHash<QString, QByteArray>& files)
{
    QDir(root).removeRecursively();
    QDir().mkpath(root);
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        const QString path = QDir(root).filePath(it.key());
        if (!QDir().mkpath(QFileInfo(path).path()) || !write(path, it.value()))
            return false;
    }
    return true;
}

// 1,000 appointments of this machine's own, as the command line's `add --at` leaves them: the
// generated records' texts and repeat rules, none imported.
ReminderNotes ownAppointments()
{
    ReminderNotes notes = Bench::generate(appointments);
    for (ReminderNote& note : notes) {
        note.hasAlarm = true;
        note.alarmDate = note.createdAt.addDays(7);
        note.importSource.clear();
        note.importBatchId.clear();
    }
    return notes;
}

// The files as another machine's `round`th edit leaves them: a new title, changed later each time.
QHash<QString, QByteArray> changed(const QHash<QString, QByteArray>& files, int round)
{
    static const QRegularExpression summary(QStringLiteral("\r\nSUMMARY:"));
    static const QRegularExpression modified(QStringLiteral("\r\nLAST-MODIFIED:[0-9TZ]+"));
    QHash<QString, QByteArray> edited;
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        QString text = QString::fromUtf8(it.value());
        text.replace(summary, QStringLiteral("\r\nSUMMARY:Verschoben %1: ").arg(round));
        text.replace(
            modified, QStringLiteral("\r\nLAST-MODIFIED:20300101T12%1Z").arg(round, 4, 10, QLatin1Char('0')));
        edited.insert(it.key(), text.toUtf8());
    }
    return edited;
}

// Writes `files` into `root` over what is there, as an editor saves them.
bool overwrite(const QString& root, const QHash<QString, QByteArray>& files)
{
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        if (!write(QDir(root).filePath(it.key()), it.value()))
            return false;
    }
    return true;
}

QList<QByteArray> sorted(QList<QByteArray> values)
{
    std::sort(values.begin(), values.end());
    return values;
}

int fail(const char* what)
{
    std::fprintf(stderr, "bench_sync: %s\n", what);
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: bench_sync ZETTELWERK\n");
        return 2;
    }
    const QString program = QString::fromLocal8Bit(argv[1]);
    QTemporaryDir home;
    const QDir dir(home.path());
    const QString data = dir.filePath(QStringLiteral("data/Zettelwerk"));
    const QString notesPath = dir.filePath(QStringLiteral("data/Zettelwerk/notes.json"));
    const QString folder = dir.filePath(QStringLiteral("folder"));
    const QString peer = dir.filePath(QStringLiteral("peer"));
    const QString status = dir.filePath(QStringLiteral("status"));
    if (!home.isValid()
        || !Bench::privateHome(dir, { "data/Zettelwerk", "config/Zettelwerk", "cache", "folder", "peer" })
        || !Bench::writeFile(notesPath, ownAppointments())
        || !write(dir.filePath(QStringLiteral("config/Zettelwerk/Zettelwerk.conf")),
            "[General]\nsyncFolder=" + folder.toUtf8() + "\n"))
        return 1;
    // Both storages of the peer's pair, and a status path of its own.
    const QString config = dir.filePath(QStringLiteral("vdirsyncer.conf"));
    if (!write(config,
            QStringLiteral("[general]\nstatus_path = \"%1/\"\n\n[pair bench]\na = \"ours\"\nb = \"other\"\n"
                           "collections = null\n\n[storage ours]\ntype = \"filesystem\"\npath = \"%2/\"\n"
                           "fileext = \".ics\"\n\n[storage other]\ntype = \"filesystem\"\npath = \"%3/\"\n"
                           "fileext = \".ics\"\n")
                .arg(status, folder, peer)
                .toUtf8()))
        return 1;

    const QStringList sync { program, QStringLiteral("sync") };
    const QStringList vdirsyncer { QStringLiteral("vdirsyncer"), QStringLiteral("--verbosity"),
        QStringLiteral("ERROR"), QStringLiteral("-c"), config, QStringLiteral("sync") };
    const QStringList discover { QStringLiteral("vdirsyncer"), QStringLiteral("--verbosity"),
        QStringLiteral("ERROR"), QStringLiteral("-c"), config, QStringLiteral("discover") };
    const QHash<QString, QByteArray> records = snapshot(data);

    // Ours, publishing: the records as added, no state yet, an empty folder.
    const auto beforePublish = [&] {
        restore(data, records);
        restore(folder, {});
    };
    const Bench::Process published = Bench::medianProcess(sync, beforePublish);
    // Once more, kept: what the folder holds afterwards.
    beforePublish();
    const QString out = dir.filePath(QStringLiteral("out"));
    if (!Bench::spawn(sync, out).ok
        || contents(out).trimmed() != QByteArray::number(appointments) + " Termine in den Ordner geschrieben")
        return fail("publishing wrote something else");
    const QHash<QString, QByteArray> files = snapshot(folder);
    if (files.size() != appointments)
        return fail("the folder does not hold one file per appointment");

    // Ours, taking back: every file changed in the folder since the last exchange, each run anew.
    int round = 0;
    const auto editElsewhere = [&] { overwrite(folder, changed(files, ++round)); };
    const Bench::Process takenBack = Bench::medianProcess(sync, editElsewhere);
    editElsewhere();
    if (!Bench::spawn(sync, out).ok
        || contents(out).trimmed() != QByteArray::number(appointments) + " Termine aus dem Ordner geändert")
        return fail("taking back did something else");

    // The peer, the first time: the same files into an empty storage, with a fresh status.
    const auto beforeFirst = [&] {
        restore(folder, files);
        restore(peer, {});
        QDir(status).removeRecursively();
        Bench::spawn(discover);
    };
    const Bench::Process first = Bench::medianProcess(vdirsyncer, beforeFirst);
    beforeFirst();
    if (!Bench::spawn(vdirsyncer).ok || sorted(snapshot(peer).values()) != sorted(files.values()))
        return fail("vdirsyncer did not copy the files");

    // The peer after a change: every file changed on one side since the last sync, each run anew.
    const Bench::Process again = Bench::medianProcess(vdirsyncer, editElsewhere);
    editElsewhere();
    if (!Bench::spawn(vdirsyncer).ok || sorted(snapshot(peer).values()) != sorted(snapshot(folder).values()))
        return fail("vdirsyncer did not carry the change");

    if (!published.ok || !takenBack.ok || !first.ok || !again.ok)
        return fail("a run failed");
    const QString what = QStringLiteral("%L1 appointments, whole process").arg(appointments);
    Bench::row(QStringLiteral("`sync` publishing into an empty folder, ") + what
            + QStringLiteral(", against `vdirsyncer sync` the first time"),
        Bench::ms(published.ms), Bench::ms(first.ms), Bench::speedRatio(published.ms, first.ms), {}, false);
    Bench::row(QStringLiteral("`sync` taking back the files changed in the folder, ") + what
            + QStringLiteral(", against `vdirsyncer sync` after the change"),
        Bench::ms(takenBack.ms), Bench::ms(again.ms), Bench::speedRatio(takenBack.ms, again.ms), {}, false);
    return 0;
}
