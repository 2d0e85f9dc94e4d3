#include "app/SingleInstance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>

#include <unistd.h>

#include "platform/DebugLog.h"

namespace zentro {

namespace {

constexpr char RESTORE_REQUEST[] = "restore\n";
// Bounds for talking to the running copy; it answers from its event loop at once, so these
// only matter when that copy hangs.
constexpr int CONNECT_TIMEOUT_MS = 2000;

QString DefaultDirectory()
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath() + QString("/zentro-%1").arg(getuid());
    QDir().mkpath(dir);
    return dir;
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
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            const QByteArray data = socket->readAll();
            if (data.contains("restore"))
                emit restoreRequested();
        });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (socket->bytesAvailable() > 0 && socket->readAll().contains("restore"))
            emit restoreRequested();
    }
}

} // namespace zentro
