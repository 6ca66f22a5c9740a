#include "platform/hidapi_bus.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "device/discovery.h"
#include "unprivileged.h"

namespace varnel {
namespace {

namespace fs = std::filesystem;

TEST(HidapiBus, FeatureLengthComesFromTheSysfsDescriptor) {
    fs::path root = fs::temp_directory_path() / ("varnel-sysfs-" + std::to_string(::getpid()));
    fs::create_directories(root / "hidraw7" / "device");
    fs::copy_file(fs::path(VARNEL_TEST_DATA_DIR) / "hid" / "vendor_feature_40_41.bin",
                  root / "hidraw7" / "device" / "report_descriptor", fs::copy_options::overwrite_existing);
    fs::create_directories(root / "hidraw8" / "device");
    fs::copy_file(fs::path(VARNEL_TEST_DATA_DIR) / "hid" / "boot_mouse.bin",
                  root / "hidraw8" / "device" / "report_descriptor", fs::copy_options::overwrite_existing);
    HidapiBusOptions options;
    options.sysClassHidraw = root.string();
    HidapiBus bus(options);
    EXPECT_EQ(bus.featureReportLength("/dev/hidraw7"), 8u);
    EXPECT_EQ(bus.featureReportLength("/dev/hidraw8"), 0u);
    EXPECT_EQ(bus.featureReportLength("/dev/hidraw9"), 0u) << "no descriptor";
    fs::remove_all(root);
}

TEST(HidapiBus, MissingNodeAndMissingMouseAreCleanFailures) {
    HidapiBusOptions options;
    options.permissionRetries = 0;
    HidapiBus bus(options);
    OpenResult r = bus.open("/dev/hidraw-does-not-exist");
    EXPECT_EQ(r.status, OpenStatus::Failed);
    EXPECT_FALSE(r.channel);
    // Whatever this machine has, the mouse's ids are not among a fresh bus's answers here unless a
    // mouse is plugged in; either way this must not crash.
    (void)OpenDevice(bus, 0x1209, 0x0001);
}

TEST(HidapiBus, LastingPermissionFailureIsReportedAsSuch) {
    testing::runUnprivileged([](const fs::path& dir) {
        const fs::path node = dir / "hidraw-node";
        { std::ofstream(node.string()) << "x"; }
        fs::permissions(node, fs::perms::none);
        HidapiBusOptions options;
        options.permissionRetries = 2;
        auto clock = std::make_shared<ManualClock>();
        HidapiBus bus(options, clock);
        OpenResult r = bus.open(node.string());
        EXPECT_EQ(r.status, OpenStatus::PermissionDenied);
        EXPECT_EQ(clock->now(), Millis(200)) << "retried twice, 100 ms apart";
    });
}

}  // namespace
}  // namespace varnel
