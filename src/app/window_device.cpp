#include "app/window_device.h"

#include <algorithm>

#include "app/main_window.h"
#include "common/resources.h"

namespace varnel {

void SwitchableBus::goVirtual() {
    std::lock_guard lock(mutex_);
    virtual_on_ = true;
}

HidBus& SwitchableBus::current() {
    std::lock_guard lock(mutex_);
    if (virtual_on_) return virtual_;
    if (!real_) real_ = makeReal_();
    return *real_;
}

WindowDevice::WindowDevice(AppState& state, MainWindow& window, SwitchableBus::MakeBus makeRealBus, Start start,
                           DeviceWorkerOptions options)
    : window_(window), clock_(std::make_shared<SteadyClock>()) {
    auto bus = std::make_unique<SwitchableBus>(std::move(makeRealBus));
    bus_ = bus.get();
    if (start == Start::Virtual) goVirtual();
    thread_ = std::make_unique<DeviceThread>(state, std::move(bus), clock_, window.deviceConfig(), options);
    window.attachDevice(&thread_->worker());
    connect(&window, &MainWindow::virtualMouseChosen, this, &WindowDevice::goVirtual);
}

WindowDevice::~WindowDevice() { end(); }

void WindowDevice::end() {
    if (!thread_) return;
    window_.attachDevice(nullptr);
    thread_.reset();
}

void WindowDevice::goVirtual() {
    if (mice_) return;
    bus_->goVirtual();
    window_.stopFollowingAnnouncements();
    // As the demo starts: a Wren RGB 3330 on one interface, its reports paced for the eye.
    mice_ = std::make_shared<DemoMice>(bus_->virtualBus(), clock_, window_.deviceConfig().defaultImages,
                                       resourceCopy("DefaultFW"));
    VirtualMouseOptions first;
    first.latency = kDemoReportLatency;
    mice_->plug(first);
    control_ = std::make_unique<DemoControlWindow>(mice_, first, true);
    control_->setAttribute(Qt::WA_QuitOnClose, false);  // closing the main window ends the program
    control_->adjustSize();
    const QRect main = window_.frameGeometry();
    control_->move(std::max(0, main.left() - control_->width() - 16), main.top());
    control_->show();
    window_.model().setVirtualMouse(true);
    window_.syncFromModel();
}

}  // namespace varnel
