#pragma once
// The whole window on a virtual bus behind the device worker: the state, the main window, the
// busy window and the worker thread, with a foreign keyboard on the bus, the window's message
// boxes captured and its questions answered. The bus can hold every report at a gate (so a test
// sees a job in progress) and can deny the opening of the mouse (as a missing udev rule does).
#include <QtTest>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <utility>

#include "app/device_worker.h"
#include "app/loading_window.h"
#include "app/main_window.h"
#include "app/message_box.h"
#include "common/resources.h"
#include "device/commands.h"
#include "device/virtual_bus.h"
#include "device/virtual_mouse.h"
#include "transfers/virtual_factory.h"

namespace varnel::testing {

inline Bytes resourceBytes(const char* name) { return resourceCopy(name); }

// A virtual bus with a gate in front of every report, a switch that denies opening mice and a
// filter that refuses reports.
class RigBus final : public HidBus {
public:
    VirtualBus& inner() { return inner_; }

    std::vector<HidInterfaceInfo> enumerate() override { return inner_.enumerate(); }
    OpenResult open(const std::string& path) override {
        if (denyMice && path.rfind("virtual/mouse", 0) == 0)
            return {OpenStatus::PermissionDenied, nullptr, "permission denied"};
        OpenResult r = inner_.open(path);
        if (r.channel) r.channel = std::make_shared<Channel>(r.channel, *this);
        return r;
    }

    // From the next report on, reports wait until openGate() is called.
    void closeGate() {
        std::lock_guard lock(mutex_);
        closed_ = true;
    }
    void openGate() {
        {
            std::lock_guard lock(mutex_);
            closed_ = false;
        }
        cv_.notify_all();
    }
    // A report is waiting at the closed gate.
    bool holding() const { return waiting_.load() > 0; }
    // Reports for which `refuse` is true are refused without reaching the mouse (empty: none).
    void refuseReports(std::function<bool(const FeatureReport&)> refuse) {
        std::lock_guard lock(mutex_);
        refuse_ = std::move(refuse);
    }

    std::atomic<bool> denyMice{false};

private:
    // Waits at the gate; false when the report is to be refused.
    bool pass(const FeatureReport& r) {
        std::unique_lock lock(mutex_);
        ++waiting_;
        cv_.wait(lock, [this] { return !closed_; });
        --waiting_;
        return !refuse_ || !refuse_(r);
    }
    struct Channel final : HidChannel {
        Channel(std::shared_ptr<HidChannel> inner, RigBus& bus) : inner(std::move(inner)), bus(bus) {}
        ReportStatus sendFeatureReport(const FeatureReport& r) override {
            return bus.pass(r) ? inner->sendFeatureReport(r) : ReportStatus::Refused;
        }
        ReportStatus getFeatureReport(FeatureReport& r) override {
            return bus.pass(r) ? inner->getFeatureReport(r) : ReportStatus::Refused;
        }
        std::shared_ptr<HidChannel> inner;
        RigBus& bus;
    };

    VirtualBus inner_;
    std::mutex mutex_;
    std::condition_variable cv_;
    bool closed_ = false;
    std::function<bool(const FeatureReport&)> refuse_;
    std::atomic<int> waiting_{0};
};

inline VirtualMouseOptions virtualOptions(const char* model, int interfaces = 1) {
    VirtualMouseOptions o;
    o.model = *parseVirtualModel(model);
    o.vendorInterfaces = interfaces;
    return o;
}

struct DeviceRig {
    // `settleWait`: the wait before a search opens the mouse (short, unless a test acts within it).
    // `pointerStore`: the desktop pointer settings (none: a desktop that offers none).
    explicit DeviceRig(Millis settleWait = Millis(5), std::unique_ptr<PointerSettingsStore> pointerStore = nullptr) {
        setMessageHandler([this](QWidget*, const QString& t) { messages << t; });
        setQuestionHandler([this](QWidget*, const QString& q) {
            questions << q;
            return answer;
        });
        setChoiceHandler([this](QWidget*, const QString& q, const QStringList&) {
            questions << q;
            return choice;
        });
        auto owned = std::make_unique<RigBus>();
        bus = owned.get();
        bus->inner().addForeignKeyboard();
        window = std::make_unique<MainWindow>(state, std::move(pointerStore));
        window->setBusyWindow(&busy);
        DeviceWorkerOptions options;
        options.settleWait = settleWait;
        thread = std::make_unique<DeviceThread>(state, std::move(owned), clock, window->deviceConfig(), options);
        window->attachDevice(&thread->worker());
        window->devTimer()->stop();  // ticks are driven by the tests
        window->devTimer()->setInterval(3600 * 1000);
        window->show();
    }
    ~DeviceRig() {
        bus->openGate();
        QTRY_VERIFY_WITH_TIMEOUT(!window->deviceBusy(), 20000);
        thread.reset();
        window.reset();
        setMessageHandler({});
        setQuestionHandler({});
        setChoiceHandler({});
    }

    // A mouse holding factory memory for the embedded images, on the bus from the next report.
    std::shared_ptr<VirtualMouse> addMouse(VirtualMouseOptions options) {
        auto mouse = std::make_shared<VirtualMouse>(options, clock);
        const Bytes memory =
            factoryMemory(options.model.chip, window->deviceConfig().defaultImages.forMouse(options.model.chip),
                          resourceBytes("DefaultFW"));
        if (!mouse->loadMemory(memory).ok()) qWarning() << "factory memory refused";
        errand([mouse](VirtualBus& b) { b.addMouse(mouse); });
        return mouse;
    }
    std::string addKeyboard() {
        std::string path;
        errand([&path](VirtualBus& b) { path = b.addForeignKeyboard(); });
        return path;
    }
    // Runs `f` on the worker thread with the virtual bus and waits for it.
    template <typename F>
    void errand(F f) {
        std::atomic<bool> done{false};
        thread->worker().requestBusErrand([&, f](HidBus&) {
            f(bus->inner());
            done = true;
        });
        QTRY_VERIFY_WITH_TIMEOUT(done.load(), 5000);
    }

    // The mouse misses its next answer to command 14, so a poll that sees the population change
    // searches for it again (on channels that still work).
    void missOneIdentification() {
        auto missed = std::make_shared<bool>(false);  // touched on the worker only
        bus->refuseReports([missed](const FeatureReport& r) {
            return r[0] == kCommandReportId && r[1] == kCmdDeviceInfo && !std::exchange(*missed, true);
        });
    }

    // One DevTimer tick and whatever search it starts, to the end.
    void tick() {
        window->pollForMouse();
        settle();
    }
    void settle() { QTRY_VERIFY_WITH_TIMEOUT(!window->deviceBusy(), 20000); }

    QString text(const char* key) const { return QString::fromStdString(window->model().text(key)); }
    // A message as the window words it (a missing mouse's goes on with what to do).
    QString message(const char* key) const { return QString::fromStdString(window->model().message(key)); }
    QString noDeviceMessage() const { return QString::fromStdString(window->model().noDeviceMessage()); }
    template <typename T = QWidget>
    T* child(const QString& name) const {
        T* w = window->findChild<T*>(name);
        if (w == nullptr) qWarning() << "no control" << name;
        return w;
    }
    QString pictureOf(const QString& name) const { return child(name)->property("picture").toString(); }
    void click(const QString& name) { QTest::mouseClick(child(name), Qt::LeftButton, {}, QPoint(3, 3)); }

    AppState state;
    std::shared_ptr<Clock> clock = std::make_shared<SteadyClock>();
    RigBus* bus = nullptr;  // owned by the worker; touched through errands or its thread-safe parts
    LoadingWindow busy;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<DeviceThread> thread;
    QStringList messages;
    QStringList questions;
    bool answer = true;  // to every question
    int choice = 1;      // to every question with more answers: Exit without applying
};

}  // namespace varnel::testing
