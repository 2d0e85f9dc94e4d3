#include "app/SingleInstance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QPointer>
#include <QStandardPaths>

#include "platform/DebugLog.h"

namespace zentro {

namespace {

constexpr char RESTORE_REQUEST[] = "restore\n";
// Bounds for talking to the running copy; it answers from its event loop at once, so these
// only matter when that copy hangs.
constexpr int CONNECT_TIMEOUT_MS = 2000;

QString DefaultDirectory()
{
    // The same folder zentroctl looks in (platform/InstanceSocket.h).
    return QString::fromStdString(SingleInstanceDirectory());
}

} // namespace

CSingleInstance::CSingleInstance(const QString& directory)
    : m_strDirectory(directory.isEmpty() ? DefaultDirectory() : directory)
{
}

CSingleInstance::~CSingleInstance()
{
    Release();
}

QString CSingleInstance::LockPath() const
{
    return m_strDirectory + "/" + SINGLE_INSTANCE_NAME + ".lock";
}

QString CSingleInstance::ServerName() const
{
    return m_strDirectory + "/" + SINGLE_INSTANCE_NAME;
}

bool CSingleInstance::Acquire()
{
    if (m_bOwner)
        return true;
    if (m_strDirectory.isEmpty()) {
        // No private folder for the lock and socket: run, but without finding other copies.
        DebugOutput("Single instance: no private folder for the lock; other copies are not "
                    "found.\n");
        m_bOwner = true;
        return true;
    }
    m_lock = std::make_unique<QLockFile>(LockPath());
    // Only a dead owner makes a lock stale, never its age.
    m_lock->setStaleLockTime(0);
    if (!m_lock->tryLock(0)) {
        m_lock.reset();
        if (!SignalRunningCopy())
            DebugOutput("The running copy could not be asked to show its window.\n");
        return false;
    }
    m_bOwner = true;
    m_server = std::make_unique<QLocalServer>();
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    QLocalServer::removeServer(ServerName()); // a socket file left by a crashed copy
    if (!m_server->listen(ServerName()))
        DebugPrintf("Single instance: cannot listen on %s\n", ServerName().toUtf8().constData());
    connect(m_server.get(), &QLocalServer::newConnection, this, &CSingleInstance::OnNewConnection);
    return true;
}

void CSingleInstance::Release()
{
    if (m_server) {
        m_server->close();
        m_server.reset();
    }
    if (m_lock) {
        m_lock->unlock();
        m_lock.reset();
    }
    m_bOwner = false;
}

bool CSingleInstance::SignalRunningCopy()
{
    QLocalSocket socket;
    socket.connectToServer(ServerName());
    if (!socket.waitForConnected(CONNECT_TIMEOUT_MS))
        return false;
    socket.write(RESTORE_REQUEST);
    const bool written = socket.waitForBytesWritten(CONNECT_TIMEOUT_MS);
    socket.disconnectFromServer();
    return written;
}

void CSingleInstance::OnNewConnection()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { OnReadyRead(socket); });
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] {
            // A request without its line break still counts once the caller hangs up.
            const QByteArray rest = m_pending.take(socket);
            if (rest.trimmed() == "restore")
                emit restoreRequested();
            socket->deleteLater();
        });
        if (socket->bytesAvailable() > 0)
            OnReadyRead(socket);
    }
}

void CSingleInstance::OnReadyRead(QLocalSocket* socket)
{
    // A handler may run a nested event loop (an apply); the socket can go meanwhile.
    QPointer<QLocalSocket> guard(socket);
    QByteArray buffer = m_pending.take(socket) + socket->readAll();
    qsizetype end;
    while ((end = buffer.indexOf('\n')) >= 0) {
        const QByteArray line = buffer.left(end);
        buffer.remove(0, end + 1);
        HandleLine(socket, line);
        if (!guard)
            return;
    }
    if (buffer.size() <= 4096) // no request is that long
        m_pending.insert(socket, buffer);
}

void CSingleInstance::HandleLine(QLocalSocket* socket, const QByteArray& line)
{
    if (line.trimmed() == "restore") {
        emit restoreRequested();
        return;
    }
    QPointer<QLocalSocket> guard(socket);
    auto reply = [guard](const QString& answer) {
        if (!guard)
            return; // the caller gave up waiting
        guard->write(answer.toUtf8() + "\n");
        guard->flush();
    };
    if (line.trimmed() == "folder") {
        reply(m_folderQuery ? "folder " + m_folderQuery() : QString("error no profile folder"));
        return;
    }
    ProfileSelectRequest request;
    if (!ParseProfileSelectRequest(line.toStdString(), request))
        reply("error unknown request");
    else if (!m_profileSelect)
        reply("error this window takes no profile requests");
    else
        m_profileSelect(request, reply);
}

} // namespace zentro
