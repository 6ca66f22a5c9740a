#pragma once
// One window per user: the first start holds a lock file and listens on a local socket; a later
// start finds the lock taken, asks the first to restore and raise its window, and exits.
#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

namespace varnel {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // `key` names the lock file and the socket (one per user for the program).
    explicit SingleInstance(const QString& key, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when this process is the first: it then answers later starts.
    bool claim();
    // Asks the running first instance to come to the front; true when the message went out.
    bool activateRunning(int timeoutMs = 2000);

signals:
    // A later start asked for the window.
    void activated();

private:
    void readRequest();

    QString key_;
    QLockFile lock_;
    QLocalServer server_;
};

// The key of this program for the current user.
QString defaultInstanceKey();

}  // namespace varnel
