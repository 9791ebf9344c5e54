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
    if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && fill(file) && file.commit())
        return true;
    if (error) {
        error->kind = file.error();
        error->description
            = file.errorString().isEmpty() ? QStringLiteral("unknown error") : file.errorString();
    }
    if (file.isOpen())
        file.cancelWriting();
    return false;
}

} // namespace SafeFile
