#include "notejson.h"
#include "notestore.h"
#include "testsupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>

#include <algorithm>
#include <cstdio>

namespace {

const char saveLoopFlag[] = "--save-loop";
constexpr qsizetype smallCount = 1;
constexpr qsizetype largeCount = 2000;
constexpr int rounds = 200;

ReminderNotes records(qsizetype count)
{
    ReminderNotes notes;
    for (qsizetype i = 0; i < count; ++i) {
        notes.append(plain(u"Termin %1 – Grüße an Jürgen\nmit einer zweiten Zeile"_s.arg(i),
            berlin(2025, 3, 1, 9, 0).addSecs(i * 60)));
        notes.last().hasAlarm = i % 2 == 0;
    }
    return notes;
}
const ReminderNotes small = records(smallCount);
const ReminderNotes large = records(largeCount);

// The child: loads whatever the last killed child left, then rewrites the file until it is killed.
int saveLoop(const QString& directory)
{
    NoteStore store(directory);
    const qsizetype loaded = store.notes().size();
    if (loaded != smallCount && loaded != largeCount)
        return 3;
    std::fputs("saving\n", stdout);
    std::fflush(stdout);
    for (bool big = true;; big = !big)
        store.replaceNotes(big ? large : small);
}

// How long this build takes for one large and one small save, so that kills can land anywhere in a cycle.
qint64 saveCycleMicroseconds(const QString& directory)
{
    NoteStore store(directory);
    QElapsedTimer timer;
    timer.start();
    store.replaceNotes(large);
    store.replaceNotes(small);
    return timer.nsecsElapsed() / 1000;
}

} // namespace

class TstCrashSafety : public QObject {
    Q_OBJECT

private slots:
    void killedWhileSaving()
    {
        QTemporaryDir tmp;
        // Also leaves the small list in the file, which the first child loads.
        const qint64 window = std::max<qint64>(30'000, 2 * saveCycleMicroseconds(tmp.path()));

        const quint32 seed = QRandomGenerator::global()->generate();
        QRandomGenerator random(seed);
        const QByteArray context = "random seed " + QByteArray::number(seed);
        bool sawLarge = false;

        for (int round = 0; round < rounds; ++round) {
            QProcess child;
            child.start(
                QCoreApplication::applicationFilePath(), { QString::fromLatin1(saveLoopFlag), tmp.path() });
            QByteArray output;
            while (!output.contains("saving\n") && child.waitForReadyRead(10000))
                output += child.readAllStandardOutput();
            QVERIFY2(output.contains("saving\n"),
                qPrintable(u"round %1: the child could not load the file"_s.arg(round)));

            QThread::usleep(static_cast<unsigned long>(random.bounded(window + 1)));
            child.kill();
            QVERIFY(child.waitForFinished(10000));
            QCOMPARE(child.exitStatus(), QProcess::CrashExit);

            QString error;
            const auto notes = NoteJson::decode(readAll(tmp.filePath(u"notes.json"_s)), &error);
            QVERIFY2(notes, qPrintable(u"round %1, %2: %3"_s.arg(round).arg(QLatin1String(context), error)));
            QVERIFY2(notes->size() == smallCount || notes->size() == largeCount, context.constData());
            sawLarge = sawLarge || notes->size() == largeCount;
        }
        // Otherwise no kill came after a finished save and the rounds proved nothing.
        QVERIFY2(sawLarge, context.constData());
    }
};

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], saveLoopFlag) == 0)
        return saveLoop(QString::fromLocal8Bit(argv[2]));
    TstCrashSafety test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_crashsafety.moc"
