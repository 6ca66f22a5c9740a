#include "app/single_instance.h"

#include "app/application_id.h"

#include <unistd.h>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>

namespace varnel {

namespace {

constexpr char kActivate[] = "activate\n";
constexpr QFileDevice::Permissions kOwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                QFileDevice::ExeOwner | QFileDevice::ReadUser | QFileDevice::WriteUser |
                                                QFileDevice::ExeUser;

bool onlyMine(const QString& folder) {
    const QFileInfo info(folder);
    return info.isDir() && info.ownerId() == ::getuid() && (info.permissions() & ~kOwnerOnly) == 0;
}

}  // namespace

QString instanceFolder(QString* problem) {
    if (const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR"); !runtime.isEmpty() && onlyMine(runtime))
        return runtime;
    const QString cache = QDir::homePath() + "/.cache/varnel-config";
    QDir().mkpath(cache);
    if (QFileInfo(cache).ownerId() == ::getuid()) QFile::setPermissions(cache, kOwnerOnly);
    if (onlyMine(cache)) return cache;
    if (problem != nullptr) *problem = cache + " is not a folder of this user's alone";
    return {};
}

SingleInstance::SingleInstance(const QString& key, QObject* parent)
    : QObject(parent),
      folder_(instanceFolder(&problem_)),
      socket_(folder_.isEmpty() ? QString() : folder_ + "/" + key + ".socket"),
      lockPath_(folder_.isEmpty() ? QString() : folder_ + "/" + key + ".lock"),
      lock_(lockPath_) {
    // Only a lock whose owner process is gone is stale: the window may run for days.
    lock_.setStaleLockTime(0);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* s = server_.nextPendingConnection()) {
            connect(s, &QLocalSocket::readyRead, this, &SingleInstance::readRequest);
            connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
        }
    });
}

SingleInstance::~SingleInstance() {
    server_.close();
    if (lock_.isLocked()) lock_.unlock();
}

SingleInstance::Claim SingleInstance::claim() {
    if (folder_.isEmpty()) return Claim::Unguarded;
    if (!lock_.tryLock(0)) {
        // Taken, and by a process that says who it is: a running instance. Anything else in the
        // way (a folder, a file that is no lock) is no reason to stay away.
        qint64 pid = 0;
        QString host, application;
        if (lock_.error() == QLockFile::LockFailedError && lock_.getLockInfo(&pid, &host, &application))
            return Claim::AlreadyRunning;
        problem_ = "cannot take the lock file " + lockPath_ + ": a second start opens a window";
        return Claim::Unguarded;
    }
    // The lock proves no other instance runs, so a socket left behind by a crash is replaced.
    if (!server_.listen(socket_))
        problem_ = "cannot listen on " + socket_ + " (" + server_.errorString() + "): a second start opens a window";
    return Claim::First;
}

void SingleInstance::readRequest() {
    auto* s = qobject_cast<QLocalSocket*>(sender());
    if (s == nullptr) return;
    while (s->canReadLine()) {
        if (s->readLine() == kActivate) emit activated();
    }
}

bool SingleInstance::activateRunning(int timeoutMs) {
    if (socket_.isEmpty()) return false;
    QLocalSocket socket;
    socket.connectToServer(socket_);
    if (!socket.waitForConnected(timeoutMs)) return false;
    socket.write(kActivate);
    const bool sent = socket.waitForBytesWritten(timeoutMs);
    socket.disconnectFromServer();
    return sent;
}

// The folder is this user's own, so the program's id alone names its lock and socket.
QString defaultInstanceKey() { return QString::fromLatin1(kApplicationId); }

}  // namespace varnel
