#include "platform/ui/x11_pointer_store.h"

#include <QGuiApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QStyleHints>

namespace varnel {

namespace {

QString keyOf(PointerSetting s) {
    return s == PointerSetting::DoubleClick ? QStringLiteral("Pointer/DoubleClickTime")
                                            : QStringLiteral("Pointer/WheelScrollLines");
}

void applyToThisProgram(PointerSetting s, int value) {
    QStyleHints* hints = QGuiApplication::styleHints();
    if (s == PointerSetting::DoubleClick) hints->setMouseDoubleClickInterval(value);
    if (s == PointerSetting::WheelLines) hints->setWheelScrollLines(value);
}

}  // namespace

X11PointerStore::X11PointerStore(std::unique_ptr<X11PointerSpeed> speed, QString settingsFile)
    : speed_(std::move(speed)), settingsFile_(std::move(settingsFile)) {
    for (const PointerSetting s : {PointerSetting::DoubleClick, PointerSetting::WheelLines}) {
        if (const PointerReading r = read(s); r.number) applyToThisProgram(s, *r.number);
    }
}

QString X11PointerStore::defaultSettingsFile() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/varnel-config/pointer.conf");
}

bool X11PointerStore::keeps(PointerSetting s) const { return s != PointerSetting::Speed || speed_ != nullptr; }

PointerReach X11PointerStore::reach(PointerSetting s) const {
    return s == PointerSetting::Speed ? PointerReach::Desktop : PointerReach::ThisProgram;
}

PointerReading X11PointerStore::read(PointerSetting s) {
    if (s == PointerSetting::Speed) return speed_ ? speed_->read() : PointerReading::missing();
    const QSettings file(settingsFile_, QSettings::IniFormat);
    const QVariant stored = file.value(keyOf(s));
    if (!stored.isValid()) return PointerReading::missing();
    return readingFromText(s, stored.toString().toStdString());
}

Status X11PointerStore::write(PointerSetting s, int value) {
    if (s == PointerSetting::Speed) {
        if (!speed_) return makeError("no X server to set the pointer speed on");
        return speed_->write(value);
    }
    QSettings file(settingsFile_, QSettings::IniFormat);
    file.setValue(keyOf(s), QString::number(value));
    file.sync();
    if (file.status() != QSettings::NoError) return makeError(settingsFile_.toStdString() + ": cannot be written");
    return Status::success();
}

Status X11PointerStore::apply(const PointerNumbers& current) {
    // The server took the speed when it was written.
    for (const PointerSetting s : {PointerSetting::DoubleClick, PointerSetting::WheelLines}) {
        if (const auto& number = current[indexOf(s)]) applyToThisProgram(s, *number);
    }
    return Status::success();
}

}  // namespace varnel
