#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

class QFile;

#include <memory>
#include <optional>
#include <variant>

/// The files the command line reads and writes for the user, each refused with a German reason
/// before anything could wait on it, overwrite it or misread it.
namespace CliFiles {

/// A file's bytes. They are the file's own pages mapped rather than a copy where the system allows,
/// which `pages` keeps alive: every copy of `bytes` must be gone before `pages` is.
struct Contents {
    QByteArray bytes;
    std::shared_ptr<const QFile> pages;
};

/// The contents of the regular file at `path`, or why it cannot be read. A pipe, terminal or device
/// is refused: reading it could wait for input that never comes.
[[nodiscard]] std::variant<Contents, QString> read(const QString& path);

/// Why a command must not write its output file at `path`, or nothing.
[[nodiscard]] std::optional<QString> writeProblem(const QString& path);
/// The reason to give when writing `path` failed although `writeProblem` found nothing.
[[nodiscard]] QString writeFailure(const QString& path);

/// Why the data file at `path` could not be loaded, or nothing (also when there is none yet).
[[nodiscard]] std::optional<QString> dataFileProblem(const QString& path);
/// The copy of an unreadable data file that the store kept beside it before replacing it, if any.
[[nodiscard]] QString keptUnreadableCopy(const QString& dataFilePath);

[[nodiscard]] bool isUtf8(QByteArrayView bytes);

} // namespace CliFiles
