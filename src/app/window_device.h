#pragma once
// The window's device side: the USB bus, or a virtual mouse as the demo program has it (its
// control window to unplug and plug included). The window goes virtual at start or when the user
// takes the no-device message's offer, and stays so until it closes; from then on the USB bus is
// never asked again, and a window that starts virtual never makes it.
#include <QObject>
#include <functional>
#include <memory>
#include <mutex>

#include "app/demo_control_window.h"
#include "app/device_worker.h"
#include "device/clock.h"
#include "device/hid_bus.h"
#include "device/virtual_bus.h"
#include "transfers/app_state.h"

namespace varnel {

class MainWindow;

// The USB bus, made when first asked for, until goVirtual(); the virtual bus from then on. Used
// by the worker; goVirtual() may come from another thread (a search under way ends on the bus it
// began on).
class SwitchableBus final : public HidBus {
public:
    using MakeBus = std::function<std::unique_ptr<HidBus>()>;
    explicit SwitchableBus(MakeBus makeReal) : makeReal_(std::move(makeReal)) {}

    VirtualBus& virtualBus() { return virtual_; }
    void goVirtual();

    std::vector<HidInterfaceInfo> enumerate() override { return current().enumerate(); }
    OpenResult open(const std::string& path) override { return current().open(path); }

private:
    HidBus& current();

    std::mutex mutex_;
    MakeBus makeReal_;
    std::unique_ptr<HidBus> real_;  // kept until the end: a search may still be on it
    VirtualBus virtual_;
    bool virtual_on_ = false;
};

class WindowDevice : public QObject {
    Q_OBJECT
public:
    enum class Start { RealBus, Virtual };
    // Starts the worker's thread for `window` (which outlives this) on the bus `makeRealBus` makes,
    // or on a virtual mouse; the window's offer of one switches to it.
    WindowDevice(AppState& state, MainWindow& window, SwitchableBus::MakeBus makeRealBus, Start start,
                 DeviceWorkerOptions options = {});
    // Ends the worker's thread first: the virtual mice are its until then.
    ~WindowDevice() override;

    DeviceWorker& worker() { return thread_->worker(); }
    // The demo's mice once virtual (none before).
    std::shared_ptr<DemoMice> mice() const { return mice_; }
    DemoControlWindow* controlWindow() const { return control_.get(); }
    // Ends the worker's thread now (the mice stay for a last look at their memory).
    void end();

public slots:
    // The virtual mouse plugged in, its control window beside the main window, the title saying it.
    void goVirtual();

private:
    MainWindow& window_;
    std::shared_ptr<Clock> clock_;
    SwitchableBus* bus_;  // owned by the worker
    std::shared_ptr<DemoMice> mice_;
    std::unique_ptr<DemoControlWindow> control_;
    std::unique_ptr<DeviceThread> thread_;
};

}  // namespace varnel
