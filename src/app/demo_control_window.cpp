#include "app/demo_control_window.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "config/variant.h"
#include "device/device_info.h"
#include "transfers/virtual_factory.h"

namespace varnel {

namespace {

std::string mouseKey(const VirtualMouseOptions& o) {
    return virtualModelName(o.model) + "/" + std::to_string(o.vendorInterfaces);
}

QString describe(const VirtualMouseOptions& o) {
    const auto sensor = sensorByCode(o.model.sensorCode);
    return QStringLiteral("%1, %2, %3, %4")
        .arg(o.model.chip == ChipModel::Wren ? "Wren" : "Lark", o.model.rgb ? "RGB" : "Color",
             sensor ? QString::fromUtf8(sensor->model.data(), static_cast<qsizetype>(sensor->model.size())) : "?",
             o.vendorInterfaces == 1 ? "one interface" : "two interfaces");
}

QComboBox* choice(QWidget* parent, const char* name, const QStringList& items, int current) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->addItems(items);
    box->setCurrentIndex(current);
    return box;
}

}  // namespace

DemoMice::DemoMice(VirtualBus& bus, std::shared_ptr<Clock> clock, DefaultImages defaultImages, Bytes defaultFirmware)
    : bus_(bus),
      clock_(std::move(clock)),
      defaultImages_(std::move(defaultImages)),
      defaultFirmware_(std::move(defaultFirmware)) {}

void DemoMice::plug(const VirtualMouseOptions& options) {
    unplug();
    auto& mouse = mice_[mouseKey(options)];
    if (mouse) {
        mouse->plugIn();
    } else {
        mouse = std::make_shared<VirtualMouse>(options, clock_);
        // With no default image of its variant a mouse keeps its configuration erased.
        (void)mouse->loadMemory(factoryMemory(options.model.chip, defaultImages_.forMouse(options.model.chip),
                                              defaultFirmware_, FactoryContent::SampleMacros));
        bus_.addMouse(mouse);
    }
    current_ = mouse;
    last_ = mouse;
}

void DemoMice::unplug() {
    if (current_) current_->unplug();
    current_.reset();
}

DemoControlWindow::DemoControlWindow(std::shared_ptr<DemoMice> mice, const VirtualMouseOptions& initial, bool plugged,
                                     QWidget* parent)
    : QWidget(parent, Qt::Window), mice_(std::move(mice)), pluggedIn_(initial), plugged_(plugged) {
    setObjectName("DemoControl");
    setWindowTitle("Virtual mouse");

    QStringList sensors;
    int sensorIndex = 0;
    for (const auto& s : kSensorTable) {
        if (s.code == initial.model.sensorCode) sensorIndex = static_cast<int>(sensors.size());
        sensors << QString::fromUtf8(s.model.data(), static_cast<qsizetype>(s.model.size()));
    }
    variant_ = choice(this, "Variant", {"Wren", "Lark"}, initial.model.chip == ChipModel::Wren ? 0 : 1);
    lighting_ = choice(this, "Lighting", {"RGB", "Color"}, initial.model.rgb ? 0 : 1);
    sensor_ = choice(this, "Sensor", sensors, sensorIndex);
    interfaces_ = choice(this, "Interfaces", {"One", "Two"}, initial.vendorInterfaces == 1 ? 0 : 1);
    plug_ = new QPushButton(this);
    plug_->setObjectName("Plug");
    status_ = new QLabel(this);
    status_->setObjectName("Status");
    status_->setWordWrap(true);

    auto* form = new QFormLayout;
    form->addRow("Variant", variant_);
    form->addRow("Lighting", lighting_);
    form->addRow("Sensor", sensor_);
    form->addRow("Interfaces", interfaces_);
    auto* note = new QLabel("The choices apply when the mouse is plugged in.", this);
    note->setWordWrap(true);
    auto* column = new QVBoxLayout(this);
    column->addWidget(status_);
    column->addLayout(form);
    column->addWidget(note);
    column->addWidget(plug_);
    connect(plug_, &QPushButton::clicked, this, &DemoControlWindow::togglePlug);
    setFixedWidth(240);
    showState();
}

VirtualMouseOptions DemoControlWindow::chosen() const {
    VirtualMouseOptions o;
    o.model.chip = variant_->currentIndex() == 0 ? ChipModel::Wren : ChipModel::Lark;
    o.model.rgb = lighting_->currentIndex() == 0;
    o.model.sensorCode = kSensorTable[static_cast<std::size_t>(sensor_->currentIndex())].code;
    o.vendorInterfaces = interfaces_->currentIndex() + 1;
    o.latency = kDemoReportLatency;
    return o;
}

void DemoControlWindow::togglePlug() {
    // At once, not queued behind the worker's job: a transfer under way sees the mouse leave.
    if (plugged_) {
        mice_->unplug();
    } else {
        pluggedIn_ = chosen();
        mice_->plug(pluggedIn_);
    }
    plugged_ = !plugged_;
    showState();
}

void DemoControlWindow::showState() {
    plug_->setText(plugged_ ? "Unplug" : "Plug in");
    status_->setText(plugged_ ? "Plugged in: " + describe(pluggedIn_) : QStringLiteral("No mouse plugged in"));
}

}  // namespace varnel
