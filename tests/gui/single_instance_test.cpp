// One window per user: a second start reaches the first and leaves.
#include <sys/stat.h>
#include <QDir>
#include <QProcess>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUuid>
#include <QtTest>

#include <csignal>

#include "app/main_window.h"
#include "app/single_instance.h"
#include "gui_test_main.h"

using namespace varnel;
using Claim = SingleInstance::Claim;

class SingleInstanceTest : public QObject {
    Q_OBJECT

    static QString uniqueKey() { return "varnel-test-" + QUuid::createUuid().toString(QUuid::Id128); }

private slots:
    void secondStartActivatesTheFirst() {
        const QString key = uniqueKey();
        SingleInstance first(key);
        QCOMPARE(first.claim(), Claim::First);
        SingleInstance second(key);
        QCOMPARE(second.claim(), Claim::AlreadyRunning);
        QSignalSpy activated(&first, &SingleInstance::activated);
        QVERIFY(second.activateRunning());
        QTRY_COMPARE(activated.count(), 1);
    }

    void theWindowComesBackToTheFront() {
        const QString key = uniqueKey();
        AppState state;
        MainWindow window(state);
        SingleInstance first(key);
        QCOMPARE(first.claim(), Claim::First);
        connect(&first, &SingleInstance::activated, &window, &MainWindow::restoreAndRaise);
        window.showMinimized();
        QVERIFY(window.isMinimized());
        SingleInstance second(key);
        QCOMPARE(second.claim(), Claim::AlreadyRunning);
        QVERIFY(second.activateRunning());
        QTRY_VERIFY(!window.isMinimized());
        QVERIFY(window.isVisible());
    }

    void theKeyIsFreeAgainAfterTheFirstEnds() {
        const QString key = uniqueKey();
        {
            SingleInstance first(key);
            QCOMPARE(first.claim(), Claim::First);
        }
        SingleInstance again(key);
        QCOMPARE(again.claim(), Claim::First);
        SingleInstance nobody(uniqueKey());
        QVERIFY(!nobody.activateRunning(200));  // no first instance to answer
    }

    void aLockLeftByADeadProcessIsTakenOver() {
        const QString key = uniqueKey();
        qint64 deadPid = 0;
        QVERIFY(QProcess::startDetached("true", {}, {}, &deadPid));
        QTRY_VERIFY(::kill(static_cast<pid_t>(deadPid), 0) != 0);
        QFile lock(QDir(instanceFolder()).filePath(key + ".lock"));
        QVERIFY(lock.open(QIODevice::WriteOnly));
        lock.write(QByteArray::number(deadPid) + "\nvarnel-config\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        lock.close();
        SingleInstance first(key);
        QCOMPARE(first.claim(), Claim::First);
        SingleInstance second(key);
        QCOMPARE(second.claim(), Claim::AlreadyRunning);
    }

    // The guard lives in a folder of this user's alone: what another user put at the old names in
    // the shared temporary folder (a folder, a foreign file) no longer keeps the program from
    // starting.
    void theGuardLivesInThisUsersFolder_data() {
        QTest::addColumn<int>("runtimeMode");  // of XDG_RUNTIME_DIR; 0: unset
        QTest::addColumn<QString>("used");     // below the scratch folder
        QTest::newRow("runtime folder") << 0700 << "run";
        QTest::newRow("no runtime folder") << 0 << "home/.cache/varnel-config";
        QTest::newRow("a runtime folder others may enter") << 0755 << "home/.cache/varnel-config";
    }

    void theGuardLivesInThisUsersFolder() {
        QFETCH(int, runtimeMode);
        QFETCH(QString, used);
        const QByteArray home = qgetenv("HOME"), runtime = qgetenv("XDG_RUNTIME_DIR");
        QTemporaryDir scratch;
        const QString key = "vc" + QUuid::createUuid().toString(QUuid::Id128).left(6);
        const QString old = QDir(QDir::tempPath()).filePath(key);
        QFile foreign(old);
        const auto restore = qScopeGuard([&] {
            qputenv("HOME", home);
            qputenv("XDG_RUNTIME_DIR", runtime);
            if (runtime.isEmpty()) qunsetenv("XDG_RUNTIME_DIR");
            QDir().rmdir(old + ".lock");
            foreign.remove();
        });
        QVERIFY(QDir().mkdir(old + ".lock"));
        QVERIFY(foreign.open(QIODevice::WriteOnly));
        QVERIFY(QDir().mkdir(scratch.filePath("run")));
        QCOMPARE(::chmod(qPrintable(scratch.filePath("run")), static_cast<mode_t>(runtimeMode)), 0);
        qputenv("HOME", scratch.filePath("home").toUtf8());
        qputenv("XDG_RUNTIME_DIR", runtimeMode != 0 ? scratch.filePath("run").toUtf8() : QByteArray());

        const QDir folder(scratch.filePath(used));
        SingleInstance first(key);
        QCOMPARE(first.claim(), Claim::First);
        QCOMPARE(first.problem(), QString());
        QVERIFY(folder.exists(key + ".lock"));
        for (const QString& path : {folder.path(), folder.filePath(key + ".socket")}) {
            struct stat st {};
            QVERIFY(::stat(qPrintable(path), &st) == 0 && (st.st_mode & 077) == 0);  // this user's alone
        }
        SingleInstance second(key);
        QCOMPARE(second.claim(), Claim::AlreadyRunning);
        // Any other failure of the lock lets the program start, and says why.
        QVERIFY(folder.mkdir("blocked.lock"));
        SingleInstance blocked("blocked");
        QCOMPARE(blocked.claim(), Claim::Unguarded);
        QVERIFY(blocked.problem().contains("blocked.lock"));
    }
};

VARNEL_GUI_TEST_MAIN(SingleInstanceTest)
#include "single_instance_test.moc"
