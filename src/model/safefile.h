#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QString>

#include <functional>

class QIODevice;

/// Why a whole-file write failed: Qt's kind of error and its (English) description.
struct FileWriteError {
    QFileDevice::FileError kind = QFileDevice::NoError;
    QString description;
};

namespace SafeFile {

/// Replaces `path` with `bytes` in one piece, so a crash or a full disk never leaves half a file;
/// false, and why in `error`, when it could not.
[[nodiscard]] bool write(const QString& path, const QByteArray& bytes, FileWriteError* error = nullptr);
/// The same for contents made piece by piece: `fill` writes them to the new file and says whether
/// every piece went in.
[[nodiscard]] bool write(
    const QString& path, const std::function<bool(QIODevice&)>& fill, FileWriteError* error = nullptr);

} // namespace SafeFile
