#include "safefile.h"

#include <QSaveFile>

namespace SafeFile {

bool write(const QString& path, const QByteArray& bytes, FileWriteError* error)
{
    return write(
        path, [&bytes](QIODevice& file) { return file.write(bytes) == bytes.size(); }, error);
}

bool write(const QString& path, const std::function<bool(QIODevice&)>& fill, FileWriteError* error)
{
    // Written beside the old file and renamed over it. Unbuffered: a full disk shows as a short
    // write here, where a buffered one would show only at commit and keep the file cut short.
    QSaveFile file(path);
    const bool opened = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    const bool filled = opened && fill(file);
    if (filled && file.commit())
        return true;
    if (error) {
        // A short write sets no error of its own: the disk is full or the file too large.
        error->kind = opened && !filled && file.error() == QFileDevice::NoError ? QFileDevice::WriteError
                                                                                : file.error();
        error->description
            = file.errorString().isEmpty() ? QStringLiteral("unknown error") : file.errorString();
    }
    if (file.isOpen())
        file.cancelWriting();
    return false;
}

} // namespace SafeFile
