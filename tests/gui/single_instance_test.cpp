// One window per user: a second start reaches the first and leaves.
#include <QDir>
#include <QProcess>
#include <QSignalSpy>
#include <QUuid>
#include <QtTest>
#include <csignal>

#include "app/main_window.h"
#include "app/single_instance.h"
#include "gui_test_main.h"

using namespace varnel;

class SingleInstanceTest : public QObject {
    Q_OBJECT

    static QString uniqueKey() { return "varnel-test-" + QUuid::createUuid().toString(QUuid::Id128); }

private slots:
    void secondStartActivatesTheFirst() {
        const QString key = uniqueKey();
        SingleInstance first(key);
        QVERIFY(first.claim());
        SingleInstance second(key);
        QVERIFY(!second.claim());
        QSignalSpy activated(&first, &SingleInstance::activated);
        QVERIFY(second.activateRunning());
        QTRY_COMPARE(activated.count(), 1);
    }

    void theWindowComesBackToTheFront() {
        const QString key = uniqueKey();
        AppState state;
        MainWindow window(state);
        SingleInstance first(key);
        QVERIFY(first.claim());
        connect(&first, &SingleInstance::activated, &window, &MainWindow::restoreAndRaise);
        window.showMinimized();
        QVERIFY(window.isMinimized());
        SingleInstance second(key);
        QVERIFY(!second.claim());
        QVERIFY(second.activateRunning());
        QTRY_VERIFY(!window.isMinimized());
        QVERIFY(window.isVisible());
    }

    void theKeyIsFreeAgainAfterTheFirstEnds() {
        const QString key = uniqueKey();
        {
            SingleInstance first(key);
            QVERIFY(first.claim());
        }
        SingleInstance again(key);
        QVERIFY(again.claim());
        SingleInstance nobody(uniqueKey());
        QVERIFY(!nobody.activateRunning(200));  // no first instance to answer
    }

    void aLockLeftByADeadProcessIsTakenOver() {
        const QString key = uniqueKey();
        qint64 deadPid = 0;
        QVERIFY(QProcess::startDetached("true", {}, {}, &deadPid));
        QTRY_VERIFY(::kill(static_cast<pid_t>(deadPid), 0) != 0);
        QFile lock(QDir(QDir::tempPath()).filePath(key + ".lock"));
        QVERIFY(lock.open(QIODevice::WriteOnly));
        lock.write(QByteArray::number(deadPid) + "\nvarnel-config\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        lock.close();
        SingleInstance first(key);
        QVERIFY(first.claim());
        SingleInstance second(key);
        QVERIFY(!second.claim());
    }
};

VARNEL_GUI_TEST_MAIN(SingleInstanceTest)
#include "single_instance_test.moc"
