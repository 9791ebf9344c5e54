// Loading and saving the data file at sizes far beyond everyday use, next to Python's json module
// reading and writing the same file.
#include "benchsupport.h"
#include "notestore.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTemporaryDir>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    for (const int count : { 10'000, 100'000 }) {
        const ReminderNotes notes = Bench::generate(count);
        NoteStore store(dir.path());
        store.setNotes(notes);
        bool ok = true;
        const double save = Bench::medianMs([] {}, [&] { ok = store.save() && ok; });
        qsizetype loaded = 0;
        const double load = Bench::medianMs([] {}, [&] { loaded = NoteStore(dir.path()).notes().size(); });
        if (!ok || loaded != count) {
            std::fprintf(stderr, "bench_store: saved %d records, read back %lld\n", count, qlonglong(loaded));
            return 1;
        }
        const QList<double> peer
            = Bench::python({ QStringLiteral("json"), store.filePath(), QString::number(Bench::runs) });
        const double peerLoad = peer.value(0);
        const double peerSave = peer.value(1);
        const QString size = QStringLiteral("%L1 records (%2 MB)")
                                 .arg(count)
                                 .arg(double(QFileInfo(store.filePath()).size()) / 1e6, 0, 'f', 1);
        Bench::row(QStringLiteral("Load, %1").arg(size), Bench::ms(load), Bench::ms(peerLoad),
            Bench::speedRatio(load, peerLoad), {}, true);
        Bench::row(QStringLiteral("Save, %1").arg(size), Bench::ms(save), Bench::ms(peerSave),
            Bench::speedRatio(save, peerSave), {}, true);
        Bench::row(QStringLiteral("Load + save, %1").arg(size), Bench::ms(load + save),
            Bench::ms(peerLoad + peerSave), Bench::speedRatio(load + save, peerLoad + peerSave),
            QStringLiteral("≥ 5× faster"), peerLoad + peerSave >= 5 * (load + save));
        // json.dump encodes piece by piece in Python; json.dumps encodes in C, then one write.
        if (count == 100'000)
            Bench::row(QStringLiteral("Save, %1, against `json.dumps` + one write").arg(size),
                Bench::ms(save), Bench::ms(peer.value(2)), Bench::speedRatio(save, peer.value(2)), {}, true);
    }
    return 0;
}
