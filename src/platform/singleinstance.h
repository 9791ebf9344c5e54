#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class QLocalServer;

/// One running instance per data folder: the first start listens on a per-user local socket,
/// later starts hand their request to it instead of running a second store on the same file.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    /// Answers one request from a later start; runs on the main thread.
    using Handler = std::function<QByteArray(const QByteArray& request)>;

    explicit SingleInstance(const QString& dataDirectory, QObject* parent = nullptr);
    ~SingleInstance() override;

    /// Socket path for this user and data folder.
    [[nodiscard]] static QString socketPath(const QString& dataDirectory);

    /// Becomes the running instance; false when another one already answers on the socket.
    [[nodiscard]] bool listen(Handler handler);

    /// Sends `request` to the running instance and waits for its answer: nothing when none runs,
    /// an empty answer when one runs but did not answer.
    [[nodiscard]] static std::optional<QByteArray> send(
        const QString& dataDirectory, const QByteArray& request, int timeoutMs = 10000);
    /// The same, with the request made only once an instance answers: an import's request carries
    /// the whole file, which costs nothing to prepare when no app runs.
    [[nodiscard]] static std::optional<QByteArray> send(
        const QString& dataDirectory, const std::function<QByteArray()>& request, int timeoutMs = 10000);

private:
    void serve();

    QString m_path;
    Handler m_handler;
    QLocalServer* m_server = nullptr;
};
