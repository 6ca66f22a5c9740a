#pragma once
// The main window (TForm1): renders the window model's controls as widgets and forwards the
// user's clicks and pointer moves to it. Every rule lives in the model.
#include <QPoint>
#include <QPointer>
#include <QTimer>
#include <QUrl>
#include <QWidget>
#include <deque>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "app/device_worker.h"
#include "skin/main_window_model.h"
#include "skin/ui/pictures.h"
#include "transfers/app_state.h"

namespace varnel {

class LoadingWindow;

class MainWindow : public QWidget {
    Q_OBJECT
public:
    // Creates every control and runs FormCreate on the embedded default image.
    explicit MainWindow(AppState& state, QWidget* parent = nullptr);
    ~MainWindow() override;

    MainWindowModel& model() { return *model_; }
    QTimer* devTimer() { return &devTimer_; }
    QTimer* labelRun() { return &labelRun_; }
    void setBusyWindow(LoadingWindow* busy);
    LoadingWindow* busyWindow() const { return busy_; }
    // How the Web button opens its address (tests replace it).
    void setUrlOpener(std::function<void(const QUrl&)> opener) { openUrl_ = std::move(opener); }
    // Renders the controls the model changed and follows its timer states.
    void syncFromModel();

    // The device side: DevTimer ticks, searches and the action buttons run their device work on
    // `worker` (which outlives the window's last job). Without a worker there is no device.
    void attachDevice(DeviceWorker* worker);
    // What the worker's model needs from the window's start-up: the embedded images and the
    // layout file's alternative signature.
    AppModelConfig deviceConfig() const;
    // A device job holds the state (see device_worker.h), or a poll tick is out.
    bool deviceBusy() const { return jobRunning_ || tickInFlight_ || actionPending_ || resultShowing_; }
    // Runs `job` on the worker with the pages locked and the busy window showing its progress,
    // once the device is idle; `done` gets the outcome on this thread with the state handed back
    // (for Save Macro, profiles and firmware). Without a worker nothing runs.
    void runDeviceJob(TransferJob job, std::function<void(const DeviceJobOutcome&)> done);

public slots:
    void restoreAndRaise();
    void LabelRunTimer();
    void DevTimerTick();
    void Btn_Web_0Click();
    void Btn_Exit_0Click();
    void DisableAllPages();
    void EnableAllPages();
    void Btn_Apply_0Click();
    void Btn_Confirm_0Click();
    void Btn_Reset_0Click();
    void ReFindDev();

signals:
    // DevTimer fired: the device link watches the HID population here.
    void devTimerTicked();
    // A device job's result has been shown and the window is live again.
    void deviceJobDone();

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void createWidgets();
    QWidget* createWidget(const Control& c, QWidget* parent);
    void render(const Control& c);
    void updateMask(const std::string& background);
    void onLabelEntered(const QString& name);
    void onLabelLeft(const QString& name);
    void onLabelClicked(const QString& name);
    void onPicturePressed(const QString& name, const QPoint& globalPos);
    void onPictureDragged(const QPoint& globalPos);
    void reportProblem(const std::string& line);
    // The fire-key boxes' texts into the state and the model, corrected as when left or as typed.
    void storeFireKeyBoxes(bool corrected);

    // Device jobs (main_window_device.cpp).
    enum class DeviceAction { Apply, Confirm, Reset };
    void actionClick(DeviceAction action);
    void proceedAction(DeviceAction action);
    void finishAction();
    bool deviceReady() const;
    void runWhenIdle(std::function<void()> step);
    void runQueued();
    void onTickDone(bool searchPending);
    void startSearch();
    void startTransfer(TransferJob job);
    void beginJob(bool showBusyWindow);
    void endJob();
    void onJobProgress(int done, int total);
    void onJobFinished(const DeviceJobOutcome& outcome);
    void showSearchOutcome(const DeviceJobOutcome& outcome);
    void showTransferOutcome(const DeviceJobOutcome& outcome);
    void updateBusy();

    AppState& state_;
    std::unique_ptr<MainWindowModel> model_;
    Pictures pictures_;
    std::unordered_map<std::string, QWidget*> widgets_;
    std::string maskedBackground_;
    QTimer devTimer_;
    QTimer labelRun_;
    LoadingWindow* busy_ = nullptr;
    std::function<void(const QUrl&)> openUrl_;
    std::set<std::string> reported_;
    QPoint dragOffset_;
    bool dragging_ = false;

    DeviceWorker* worker_ = nullptr;
    bool jobRunning_ = false;     // the worker holds the state
    bool tickInFlight_ = false;   // a poll tick is out (it touches the bus only)
    bool actionPending_ = false;  // an action button was pressed and has not finished
    bool resultShowing_ = false;  // a finished job's message is open
    bool closePending_ = false;   // a close request waits for the job to end
    std::optional<DeviceAction> runningAction_;
    std::function<void(const DeviceJobOutcome&)> jobDone_;  // of the running runDeviceJob
    std::deque<std::function<void()>> queued_;              // steps waiting for the device to be idle
    std::vector<QPointer<QWidget>> inertDialogs_;
};

}  // namespace varnel
