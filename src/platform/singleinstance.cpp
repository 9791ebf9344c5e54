#include "singleinstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>

#include <unistd.h>

namespace {

// Requests and answers are one line each; a newline inside is escaped by the JSON that carries it.
constexpr char terminator = '\n';

bool isAnswering(const QString& path)
{
    QLocalSocket socket;
    socket.connectToServer(path);
    return socket.waitForConnected(1000);
}

} // namespace

SingleInstance::SingleInstance(const QString& dataDirectory, QObject* parent)
    : QObject(parent)
    , m_path(socketPath(dataDirectory))
{
}

SingleInstance::~SingleInstance()
{
    if (m_server)
        m_server->close();
}

QString SingleInstance::socketPath(const QString& dataDirectory)
{
    QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtime.isEmpty())
        runtime = QDir::tempPath();
    // One socket per data folder, so that a test's folder never talks to the user's running app.
    const QByteArray folder = QDir::cleanPath(QFileInfo(dataDirectory).absoluteFilePath()).toUtf8();
    const QString hash
        = QString::fromLatin1(QCryptographicHash::hash(folder, QCryptographicHash::Sha1).toHex().left(12));
    return QDir(runtime).filePath(QStringLiteral("zettelwerk-%1-%2.sock").arg(getuid()).arg(hash));
}

bool SingleInstance::listen(Handler handler)
{
    // The lock makes "is anyone there? then I am" one step for two starts at the same moment.
    QLockFile lock(m_path + QStringLiteral(".lock"));
    lock.tryLock(5000);
    if (isAnswering(m_path))
        return false;
    QLocalServer::removeServer(m_path); // a socket file left behind by a crashed instance
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_path))
        return true; // cannot listen: run anyway, only without the hand-over
    m_handler = std::move(handler);
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::serve);
    return true;
}

void SingleInstance::serve()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
            if (!socket->canReadLine())
                return;
            const QByteArray request = socket->readLine().chopped(1);
            socket->write(m_handler(request) + terminator);
            socket->disconnectFromServer();
        });
    }
}

std::optional<QByteArray> SingleInstance::send(
    const QString& dataDirectory, const QByteArray& request, int timeoutMs)
{
    return send(dataDirectory, std::function<QByteArray()>([&request] { return request; }), timeoutMs);
}

std::optional<QByteArray> SingleInstance::send(
    const QString& dataDirectory, const std::function<QByteArray()>& request, int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(socketPath(dataDirectory));
    if (!socket.waitForConnected(1000))
        return std::nullopt;
    // From here on an instance exists: a failure is an empty answer, never "nobody there".
    socket.write(request() + terminator);
    if (!socket.waitForBytesWritten(timeoutMs))
        return QByteArray();
    QByteArray answer;
    while (!answer.endsWith(terminator)) {
        if (!socket.waitForReadyRead(timeoutMs))
            break;
        answer += socket.readAll();
    }
    return answer.endsWith(terminator) ? answer.chopped(1) : QByteArray();
}
