#pragma once
// The store of the desktop pointer settings for this session, chosen once at start.
#include <memory>

#include "platform/pointer_store.h"

namespace varnel {

// Needs the QGuiApplication. Never null: a desktop that offers nothing gets NoPointerSettings.
std::unique_ptr<PointerSettingsStore> desktopPointerStore();

}  // namespace varnel
