#pragma once
// The demo program's second window: unplugs and plugs the virtual mouse the main window talks
// to, and chooses variant, lighting, sensor and interfaces of the mouse plugged in next.
#include <QWidget>
#include <map>
#include <memory>
#include <string>

#include "common/bytes.h"
#include "config/default_image.h"
#include "device/clock.h"
#include "device/virtual_bus.h"
#include "device/virtual_mouse.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace varnel {

// Every report of a demo mouse takes this long, so the busy window's progress can be followed.
constexpr std::chrono::microseconds kDemoReportLatency{1000};

// The demo's virtual mice, one per model and interface count, kept so that what Apply wrote is
// still there at the next plug-in. Used on the window thread only: plugging and unplugging take
// effect at once, as at a real USB port, even during a transfer (the bus and each mouse lock
// themselves, so the worker sees the mouse leave between two reports).
class DemoMice {
public:
    DemoMice(VirtualBus& bus, std::shared_ptr<Clock> clock, DefaultImages defaultImages, Bytes defaultFirmware);
    // Unplugs the current mouse and plugs in the one `options` describe (new ones hold factory
    // memory from the default image of their variant; a new Wren also two sample macros, "Copy"
    // and "Double click", as macros 1 and 2).
    void plug(const VirtualMouseOptions& options);
    void unplug();
    // The mouse plugged in last, whether it is still in or not; none before the first plug-in.
    std::shared_ptr<VirtualMouse> lastPlugged() const { return last_; }
    // The mouse plugged in last, if it is in.
    std::shared_ptr<VirtualMouse> current() const { return current_; }

private:
    VirtualBus& bus_;
    std::shared_ptr<Clock> clock_;
    DefaultImages defaultImages_;
    Bytes defaultFirmware_;
    std::map<std::string, std::shared_ptr<VirtualMouse>> mice_;
    std::shared_ptr<VirtualMouse> current_;
    std::shared_ptr<VirtualMouse> last_;
};

class DemoControlWindow : public QWidget {
    Q_OBJECT
public:
    // `plugged` says whether `initial` is in.
    DemoControlWindow(std::shared_ptr<DemoMice> mice, const VirtualMouseOptions& initial, bool plugged,
                      QWidget* parent = nullptr);

    // The mouse the choices describe.
    VirtualMouseOptions chosen() const;
    bool plugged() const { return plugged_; }

public slots:
    void togglePlug();

private:
    void showState();

    std::shared_ptr<DemoMice> mice_;
    QComboBox* variant_;
    QComboBox* lighting_;
    QComboBox* sensor_;
    QComboBox* interfaces_;
    QPushButton* plug_;
    QLabel* status_;
    VirtualMouseOptions pluggedIn_;
    bool plugged_;
};

}  // namespace varnel
