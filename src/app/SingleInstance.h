#pragma once

#include <QHash>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

#include "platform/InstanceSocket.h"

class QLocalServer;
class QLocalSocket;
class QLockFile;

// One running copy per user session. The first copy holds a lock file named after the mutex
// "ZENTRO_Mutex" in the user's runtime directory and listens on a local socket of the same
// name; a later copy fails to take the lock, asks the running copy over the socket to restore
// and raise its window, and ends without a window of its own.
//
// A copy that crashed leaves a stale lock behind; QLockFile recognises it by the process id it
// holds and the next start takes it over.
//
// The socket also takes the profile-select request of zentroctl (platform/InstanceSocket.h):
// the handler decides and acts, its answer line goes back to the caller.

namespace zentro {

class CSingleInstance final : public QObject {
    Q_OBJECT
public:
    // directory: where the lock and socket live; empty picks the user's runtime directory.
    explicit CSingleInstance(const QString& directory = QString());
    ~CSingleInstance() override;

    // True when this process is now the one running copy. False when another copy holds the
    // lock; that copy has then been asked to show its window (when it could be reached).
    bool Acquire();
    void Release();
    bool IsOwner() const { return m_bOwner; }

    QString LockPath() const;
    QString ServerName() const;

    // Asks the running copy to restore its window. True when the request was delivered.
    bool SignalRunningCopy();

    // Answers a "select N A DIR" request through `reply` ("ok", "other-folder DIR" or "error
    // TEXT"), once the work is done: the handler may reply at once or later (the caller
    // waits). Without a handler such requests are refused.
    using ProfileSelectReply = std::function<void(const QString& answer)>;
    using ProfileSelectHandler =
        std::function<void(const ProfileSelectRequest& request, ProfileSelectReply reply)>;
    void SetProfileSelectHandler(ProfileSelectHandler handler) { m_profileSelect = handler; }
    // Answers "folder": the profile folder this window owns (zentroctl leaves it alone).
    void SetFolderQuery(std::function<QString()> query) { m_folderQuery = std::move(query); }

signals:
    // A later start asked this copy to restore and raise its window.
    void restoreRequested();

private:
    void OnNewConnection();
    void OnReadyRead(QLocalSocket* socket);
    void HandleLine(QLocalSocket* socket, const QByteArray& line);

    QString m_strDirectory;
    std::unique_ptr<QLockFile> m_lock;
    std::unique_ptr<QLocalServer> m_server;
    bool m_bOwner = false;
    ProfileSelectHandler m_profileSelect;
    std::function<QString()> m_folderQuery;
    QHash<QLocalSocket*, QByteArray> m_pending; // partial request lines
};

} // namespace zentro
