#include "app/single_instance.h"

#include <unistd.h>
#include <QDir>
#include <QLocalSocket>

namespace varnel {

namespace {
constexpr char kActivate[] = "activate\n";

QString lockPath(const QString& key) { return QDir(QDir::tempPath()).filePath(key + ".lock"); }
}  // namespace

SingleInstance::SingleInstance(const QString& key, QObject* parent) : QObject(parent), key_(key), lock_(lockPath(key)) {
    // Only a lock whose owner process is gone is stale: the window may run for days.
    lock_.setStaleLockTime(0);
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

bool SingleInstance::claim() {
    if (!lock_.tryLock(0)) return false;
    // The lock proves no other instance runs, so a socket file left behind by a crash is removed.
    QLocalServer::removeServer(key_);
    server_.listen(key_);
    return true;
}

void SingleInstance::readRequest() {
    auto* s = qobject_cast<QLocalSocket*>(sender());
    if (s == nullptr) return;
    while (s->canReadLine()) {
        if (s->readLine() == kActivate) emit activated();
    }
}

bool SingleInstance::activateRunning(int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(key_);
    if (!socket.waitForConnected(timeoutMs)) return false;
    socket.write(kActivate);
    const bool sent = socket.waitForBytesWritten(timeoutMs);
    socket.disconnectFromServer();
    return sent;
}

QString defaultInstanceKey() { return QStringLiteral("varnel-config-%1").arg(::getuid()); }

}  // namespace varnel
