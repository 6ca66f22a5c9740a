#pragma once
// Plain X11 without a desktop settings service: the pointer speed is the X server's
// (X11PointerSpeed); the double-click time and wheel lines are this program's own settings, kept in
// a file under the XDG configuration folder and applied to this program through QStyleHints (no
// desktop service would carry them further).
#include <QString>
#include <memory>

#include "platform/pointer_store.h"
#include "platform/x11_pointer_speed.h"

namespace varnel {

class X11PointerStore final : public PointerSettingsStore {
public:
    // `speed` may be null (no server to reach): the speed is then not kept. `settingsFile` is the
    // INI file of the two others. What the file holds is applied to this program at once, as a
    // desktop applies its settings when a session starts.
    X11PointerStore(std::unique_ptr<X11PointerSpeed> speed, QString settingsFile);

    // $XDG_CONFIG_HOME/varnel-config/pointer.conf (or under ~/.config).
    static QString defaultSettingsFile();

    bool keeps(PointerSetting s) const override;
    PointerReach reach(PointerSetting s) const override;
    PointerReading read(PointerSetting s) override;
    Status write(PointerSetting s, int value) override;
    Status apply(const PointerNumbers& current) override;

private:
    std::unique_ptr<X11PointerSpeed> speed_;
    QString settingsFile_;
};

}  // namespace varnel
