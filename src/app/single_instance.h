#pragma once
// One window per user: the first start holds a lock file and, only while it holds it, listens on
// a local socket; a later start finds the lock taken, asks the first to restore and raise its
// window, and exits. Both live in a folder only this user may enter, never in the shared
// temporary folder, where another user could take the names first and keep the program from ever
// starting.
#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

namespace varnel {

// The folder for the lock and the socket: $XDG_RUNTIME_DIR when it is this user's alone, else
// ~/.cache/varnel-config, created 0700. Empty, with `problem` saying why, when neither is.
QString instanceFolder(QString* problem = nullptr);

class SingleInstance : public QObject {
    Q_OBJECT
public:
    enum class Claim {
        First,           // this start holds the lock and answers later starts
        AlreadyRunning,  // another running instance holds it
        Unguarded,       // the lock could not be taken for another reason: start anyway
    };

    // `key` names the lock file and the socket (one per user for the program).
    explicit SingleInstance(const QString& key, QObject* parent = nullptr);
    ~SingleInstance() override;

    Claim claim();
    // What went wrong with the folder, the lock or the socket, for the user; empty when nothing.
    const QString& problem() const { return problem_; }
    // Asks the running first instance to come to the front; true when the message went out.
    bool activateRunning(int timeoutMs = 2000);

signals:
    // A later start asked for the window.
    void activated();

private:
    void readRequest();

    QString problem_;  // before folder_, which fills it
    QString folder_;
    QString socket_;
    QString lockPath_;
    QLockFile lock_;
    QLocalServer server_;
};

// The key of this program for the current user.
QString defaultInstanceKey();

}  // namespace varnel
