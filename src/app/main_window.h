#pragma once
// The main window (TForm1): renders the window model's controls as widgets and forwards the
// user's clicks and pointer moves to its models. Every rule lives in the models; which device job
// runs when is the JobScheduler's, whose orders this window carries out.
#include <QPoint>
#include <QPointer>
#include <QTimer>
#include <QUrl>
#include <QWidget>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "app/control_painters.h"
#include "app/device_worker.h"
#include "app/qt_translations.h"
#include "app/status_note.h"
#include "platform/language_choice_file.h"
#include "platform/pointer_store.h"
#include "shell/job_scheduler.h"
#include "shell/main_window_model.h"
#include "shell/window_jobs.h"
#include "skin/ui/pictures.h"
#include "transfers/app_state.h"

namespace varnel {

class HotplugNotifier;
class LoadingWindow;
class MacroPageView;

class MainWindow : public QWidget {
    Q_OBJECT
public:
    // Creates every control and runs FormCreate on the embedded default image. The desktop pointer
    // settings are read from and written to `pointerStore` (none: the desktop offers none).
    explicit MainWindow(AppState& state, std::unique_ptr<PointerSettingsStore> pointerStore = nullptr,
                        QWidget* parent = nullptr);
    ~MainWindow() override;

    MainWindowModel& model() { return *model_; }
    MacroPageView* macroView() const { return macroView_; }
    const Pictures& pictures() const { return pictures_; }  // which pictures were decoded
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
    // Where the kernel's announcements are heard: DevTimer no longer polls, and the search at start
    // and every announcement of a node with the searched ids go through deviceAnnounced().
    void followAnnouncements(HotplugNotifier* notifier);
    // Back to DevTimer's count (the virtual mouse is plugged and unplugged where no kernel hears it).
    void stopFollowingAnnouncements();
    // Switches to the language the user wants at start (main_window_language.cpp): `commandLine`
    // for this run, else the choice kept in `memory`, else the desktop's; from then on every
    // choice made with the language buttons is kept in `memory` (none: nothing is kept).
    void startInUsersLanguage(std::optional<int> commandLine, std::optional<LanguageChoiceFile> memory);
    // What the worker's model needs from the window's start-up: the embedded images and the
    // layout file's alternative signature.
    AppModelConfig deviceConfig() const;
    // Something holds the device: a poll tick is out, a search waits or runs, a job runs or its
    // message shows, an action button is pressed.
    bool deviceBusy() const { return jobs_->scheduler().busy(); }
    // Runs `job` on the worker with the pages locked and the busy window showing its progress,
    // once the device is free; `done` gets the outcome on this thread with the state handed back
    // (for Save Macro, profiles and firmware). Without a worker nothing runs.
    void runDeviceJob(TransferJob job, std::function<void(const DeviceJobOutcome&)> done) {
        scheduleJob({std::move(job), std::move(done)});
    }

public slots:
    void restoreAndRaise();
    // LabelRunTimer: the caption under the pointer scrolls one step.
    void scrollCaption();
    // DevTimerTimer: a poll tick for the mouse, when the scheduler lets one out.
    void pollForMouse();
    // A node with the searched ids came or went: a search after the settle wait.
    void deviceAnnounced();
    void Btn_Web_0Click();
    void Btn_Exit_0Click();
    void Btn_Min_0Click();
    void DisableAllPages();
    void EnableAllPages();
    void Btn_Apply_0Click();
    void Btn_Confirm_0Click();
    void Btn_Reset_0Click();
    // Save Macro: the names and all macro blocks to a Wren mouse, as a device job.
    void Btn_SaveMacroClick();
    void ReFindDev();
    // Save Profile / Load Profile (main_window_profiles.cpp).
    void Btn_Save_0Click();
    void Btn_Load_0Click();

signals:
    // DevTimer fired: the device link watches the HID population here.
    void devTimerTicked();
    // A device job's result has been shown and the window is live again.
    void deviceJobDone();
    // The user took the no-device message's offer of a virtual mouse (queued: the message's job
    // has ended when it arrives).
    void virtualMouseChosen();

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    // The close may go ahead: asks about edits closing would lose; false keeps the window.
    bool askBeforeClosing();
    void createWidgets();
    void connectControl(QWidget* w, const Control& c);
    void createPageViews();
    void render(const Control& c);
    void updateMask(const std::string& background);
    void onLabelEntered(const QString& name);
    void onLabelLeft(const QString& name);
    void onLabelClicked(const QString& name);
    void onPicturePressed(const QString& name, const QPointF& windowPos);
    void onPictureDragged(const QPointF& globalPos);
    void reportProblem(const std::string& line);
    void languageClick(int n);

    // Device jobs (main_window_device.cpp).
    void actionClick(DeviceAction action);
    void proceedAction(DeviceAction action);
    void endAction(const TransferStatus& status);
    void releaseAction();
    bool deviceReady() const;
    // Hands `work` to the scheduler; it runs in its `turn` and ends with a job or with
    // requestDone().
    void submit(std::function<void()> work, JobScheduler::Turn turn = JobScheduler::Turn::BeforeSearch);
    // A planned job, in its turn once the device is free. Without a worker nothing runs.
    void scheduleJob(WindowJobs::PlannedJob planned);
    void requestDone();
    void carryOut(JobScheduler::Order order);
    void onTickDone(bool searchPending, bool forKeptMouse);
    void startTransfer(TransferJob job, bool showBusyWindow = true);
    void beginJob(bool showBusyWindow);
    void onJobProgress(int done, int total);
    void onJobFinished(const DeviceJobOutcome& outcome);
    void showSearchOutcome(const DeviceJobOutcome& outcome);
    void showMessages(const std::vector<Shown>& shown);
    void updateBusy();
    JobScheduler& scheduler() { return jobs_->scheduler(); }

    // Profiles (main_window_profiles.cpp).
    void profileClick(ProfileAction action);
    // A profile or macro file chosen in its dialog (filtered by the text of `filterKey`), after the
    // question about replacing the file that will be written; nullopt when cancelled.
    std::optional<std::filesystem::path> chooseBinFile(bool save, std::string_view filterKey);
    // Runs `work` with the window held (no poll, no job starts meanwhile); nothing while a job or
    // another action holds it.
    void whileHeld(const std::function<void()>& work);

    // Firmware (main_window_firmware.cpp): the Update page's jobs, the restart wait after command
    // 18 and the search for the restarted mouse.
    void loadFirmwareFile(const std::filesystem::path& file);
    void programFirmware();
    void beginRestartWait(const TransferStatus& status);
    void showRestartCountdown();
    void findRestartedMouse();

    AppState& state_;
    std::unique_ptr<MainWindowModel> model_;
    MacroPageView* macroView_ = nullptr;  // a child of this window
    Pictures pictures_;
    QtTranslations qtTranslations_;
    PaintContext paint_{pictures_, [this](const std::string& line) { reportProblem(line); }};
    std::unordered_map<std::string, QWidget*> widgets_;
    std::string maskedBackground_;
    QTimer devTimer_;
    bool countPolls_ = true;  // DevTimer polls (no announcements are heard)
    QPointer<HotplugNotifier> announcer_;
    QTimer labelRun_;
    QTimer settleTimer_;   // the wait before a poll's search opens the mouse
    QTimer restartTimer_;  // the wait for the mouse to restart after a firmware update
    QTimer restartCountdown_;  // the busy window's count of that wait
    LoadingWindow* busy_ = nullptr;
    std::function<void(const QUrl&)> openUrl_;
    std::set<std::string> reported_;
    std::optional<LanguageChoiceFile> languageMemory_;
    StatusNote* statusNote_ = nullptr;
    QPointF dragOffset_;
    bool dragging_ = false;

    DeviceWorker* worker_ = nullptr;
    std::unique_ptr<WindowJobs> jobs_;             // made with the model
    std::vector<QPointer<QWidget>> inertDialogs_;  // the dialogs beginJob() disabled
};

}  // namespace varnel
