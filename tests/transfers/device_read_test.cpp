#include "transfers/device_read.h"
#include "wren_flash_map.h"

#include <gtest/gtest.h>

#include "transfers/transfer_rig.h"

namespace varnel {
namespace {

using testing::TransferRig;
using Lines = std::vector<std::string>;

// With the embedded images a mouse of either variant is read: a Lark switches the window to the
// Lark's default image (its layout, its expected signature) before the variant check.
TEST(ReadDevInfo, IdentifiesTheMouseAndReadsItsSensorTable) {
    struct Case {
        const char* model;
        bool lark;
        OptionalLighting lighting;
        const char* sensor;
        int steps;
    };
    const Case cases[] = {
        {"lark-rgb-a5050", true, LightingKind::Rgb, "A5050", 17},
        {"lark-color-6520", true, LightingKind::Color, "6520", 10},
        {"wren-rgb-3330", false, LightingKind::Rgb, "3330", 20},
        {"wren-color-a3050", false, LightingKind::Color, "A3050", 9},
        {"wren-rgb-3310", false, LightingKind::Rgb, "3310", 20},
    };
    for (const auto& c : cases) {
        const ChipModel chip = c.lark ? ChipModel::Lark : ChipModel::Wren;
        TransferRig t(testing::mouseOptions(c.model));
        SearchOutcome o = t.plugIn();
        ASSERT_TRUE(o.found) << c.model;
        EXPECT_TRUE(o.read.ok()) << c.model << ": " << o.read.error.message;
        EXPECT_EQ(t.state.DeviceChip, chip) << c.model;
        EXPECT_EQ(t.state.DefaultChip, chip) << c.model;
        EXPECT_EQ(t.state.EditCopy.chip, chip) << c.model;
        EXPECT_EQ(t.state.LightingKind, c.lighting) << c.model;
        EXPECT_EQ(t.state.SensorModel, c.sensor) << c.model;
        EXPECT_EQ(t.state.StepCount, c.steps) << c.model;
        EXPECT_FALSE(t.state.NoDeviceMode) << c.model;
    }
}

TEST(ReadDevInfo, Refusals) {
    struct Case {
        const char* name;
        const char* model;
        Bytes defaultImage;
        Bytes signatureArea;  // 5 bytes at the signature address; empty = factory
        const char* key;
    };
    const Case cases[] = {
        {"Wren mouse, Lark image", "wren-rgb-3330", testing::larkDefaultImage(), {}, "Str102"},
        {"Lark mouse, Wren image", "lark-rgb-a3050", testing::embeddedBytes("VarnelData"), {}, "Str102"},
        {"foreign signature", "wren-rgb-3330", testing::embeddedBytes("VarnelData"), {0x12, 0x34, 0, 0, 0}, "Str103"},
        {"zero signature passes the layout pair",
         "wren-rgb-3330",
         testing::embeddedBytes("VarnelData"),
         {0x00, 0x00, 9, 9, 9},
         ""},
        {"one byte off", "wren-rgb-3330", testing::embeddedBytes("VarnelData"), {0xFF, 0x00, 0, 0, 0}, "Str103"},
    };
    for (const auto& c : cases) {
        TransferRig t(testing::mouseOptions(c.model), c.defaultImage);
        if (!c.signatureArea.empty()) {
            Bytes m = t.rig.mouse->memory();
            std::copy(c.signatureArea.begin(), c.signatureArea.end(), m.begin() + kFlashSignature);
            ASSERT_TRUE(t.rig.mouse->loadMemory(m).ok());
        }
        const DataBuf before = t.state.DataBuf;
        PollStep first = t.model.ReFindDev();
        t.rig.trace.clear();
        SearchOutcome o = t.model.runSearch(first);
        ASSERT_TRUE(o.found) << c.name;
        if (*c.key == 0) {
            EXPECT_TRUE(o.read.ok()) << c.name;
            continue;
        }
        EXPECT_EQ(o.read.code, TransferCode::Refused) << c.name;
        EXPECT_EQ(o.read.error.languageKey, c.key) << c.name;
        EXPECT_TRUE(t.state.NoDeviceMode) << c.name;
        EXPECT_TRUE(t.state.DeviceChip.has_value()) << "the reported variant is kept: " << c.name;
        EXPECT_EQ(t.state.DataBuf, before) << "nothing was read: " << c.name;
        EXPECT_LE(testing::commandsOf(t.rig.trace).size(), 4u) << c.name;
    }
}

TEST(ReadDevInfo, MouseThatDoesNotAnswerChangesNothing) {
    VirtualMouseOptions o = testing::mouseOptions("wren-rgb-3330");
    o.refuseReport = 3;  // command 14, right after the two probes
    TransferRig t(o);
    SearchOutcome s = t.model.runSearch(t.model.ReFindDev());
    EXPECT_TRUE(s.found);
    EXPECT_EQ(s.read.code, TransferCode::DeviceFailed);
    EXPECT_FALSE(t.state.DeviceChip);
    EXPECT_FALSE(t.state.NoDeviceMode);
}

// Answers command 14 with another variant byte than the mouse's (a device we do not know).
class VariantByteBus final : public HidBus {
public:
    VariantByteBus(HidBus& inner, std::uint8_t variant) : inner_(inner), variant_(variant) {}
    std::vector<HidInterfaceInfo> enumerate() override { return inner_.enumerate(); }
    OpenResult open(const std::string& path) override {
        OpenResult r = inner_.open(path);
        if (r.channel) r.channel = std::make_shared<Channel>(r.channel, *this);
        return r;
    }

private:
    struct Channel final : HidChannel {
        Channel(std::shared_ptr<HidChannel> inner, VariantByteBus& bus) : inner(std::move(inner)), bus(bus) {}
        ReportStatus sendFeatureReport(const FeatureReport& r) override {
            bus.infoNext = r[0] == 0x40 && r[1] == kCmdDeviceInfo;
            return inner->sendFeatureReport(r);
        }
        ReportStatus getFeatureReport(FeatureReport& r) override {
            const ReportStatus s = inner->getFeatureReport(r);
            if (s == ReportStatus::Ok && bus.infoNext) r[1 + kInfoChipByte] = bus.variant_;
            bus.infoNext = false;
            return s;
        }
        std::shared_ptr<HidChannel> inner;
        VariantByteBus& bus;
    };
    HidBus& inner_;
    std::uint8_t variant_;
    bool infoNext = false;
};

TEST(ReadDevInfo, UnknownVariantByteIsRefused) {
    for (std::uint8_t variant : {1, 100, 199, 201, 255}) {
        testing::VirtualRig rig("wren-rgb-3330");
        VariantByteBus bus(rig.bus, variant);
        AppState state;
        AppModel model(state, bus, *rig.clock);
        ASSERT_TRUE(model.start({testing::embeddedBytes("VarnelData"), testing::embeddedBytes("DefaultFW"), {}}).ok());
        const DataBuf before = state.DataBuf;
        SearchOutcome o = model.runSearch(model.ReFindDev());
        ASSERT_TRUE(o.found) << int(variant);
        EXPECT_EQ(o.read.code, TransferCode::Refused) << int(variant);
        EXPECT_EQ(o.read.error.languageKey, "Str102") << int(variant);
        EXPECT_TRUE(state.NoDeviceMode) << int(variant);
        EXPECT_FALSE(state.DeviceChip) << int(variant);
        EXPECT_EQ(state.DataBuf, before) << "nothing was read: " << int(variant);
        EXPECT_FALSE(identifiedMouse(state));
    }
}

TEST(ReadDevInfo, FailedInformationFetchStopsLikeARefusedCommand) {
    VirtualMouseOptions o = testing::mouseOptions("wren-rgb-3330");
    o.refuseReport = 4;  // the fetch after command 14 (two probes, the command, then the fetch)
    TransferRig t(o);
    SearchOutcome s = t.model.runSearch(t.model.ReFindDev());
    EXPECT_TRUE(s.found);
    EXPECT_EQ(s.read.code, TransferCode::DeviceFailed);
    EXPECT_FALSE(t.state.DeviceChip);
    EXPECT_FALSE(t.state.LightingKind) << "the 0xFF fill is not read as RGB";
    EXPECT_TRUE(t.state.SensorModel.empty());
    EXPECT_FALSE(t.state.NoDeviceMode);
}

// The 0xFF fill of a refused signature read is the factory pair the default images accept: the
// mouse is not taken on it.
TEST(ReadDevInfo, SignatureThatDidNotArriveAcceptsNothing) {
    struct Case {
        const char* model;
        std::uint64_t refused;  // two probes, command 14 and its fetch, then the signature's read
    };
    for (const Case c :
         {Case{"wren-rgb-3330", 5}, Case{"wren-rgb-3330", 6}, Case{"lark-rgb-a5050", 5}, Case{"lark-rgb-a5050", 6}}) {
        VirtualMouseOptions o = testing::mouseOptions(c.model);
        o.refuseReport = c.refused;
        const bool lark = o.model.chip == ChipModel::Lark;
        TransferRig t(o, lark ? testing::larkDefaultImage() : testing::embeddedBytes("VarnelData"));
        const DataBuf before = t.state.DataBuf;
        SearchOutcome s = t.model.runSearch(t.model.ReFindDev());
        EXPECT_EQ(s.read.code, TransferCode::DeviceFailed) << c.model << " " << c.refused;
        EXPECT_FALSE(identifiedMouse(t.state)) << c.model << " " << c.refused;
        EXPECT_EQ(t.state.DataBuf, before) << "nothing was read: " << c.model << " " << c.refused;
    }
}

TEST(BtnRead, WrenReadFollowsTheTransferTable) {
    TransferRig t("wren-rgb-3330");
    // Distinct content at every place read.
    Bytes m = t.rig.mouse->memory();
    for (std::size_t i = 0; i < 9; ++i) m[kFlashExtraBytes + i] = static_cast<std::uint8_t>(0xE0 + i);
    for (std::size_t i = 2; i < 5; ++i) m[kFlashSignature + i] = static_cast<std::uint8_t>(0xC0 + i);
    for (std::size_t i = 0; i < kMacroAreaSize; ++i) m[kFlashMacroBlocks + i] = static_cast<std::uint8_t>(i / 1024);
    ASSERT_TRUE(t.rig.mouse->loadMemory(m).ok());
    SearchOutcome o = t.model.runSearch(t.model.ReFindDev());
    ASSERT_TRUE(o.read.ok()) << o.read.error.message;

    Lines expected{"0E 00 00 00 00", "09 5C 00 00 05", "09 50 00 00 B6", "09 60 00 00 09", "09 5C 00 00 05"};
    for (int i = 0; i < 32; ++i) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "09 %02X 00 04 00", 0x80 + 4 * i);
        expected.push_back(buf);
    }
    expected.push_back("09 74 00 04 00");
    Lines commands = testing::commandsOf(t.rig.trace);
    // Probes first.
    ASSERT_EQ(commands.front(), "02 00 11 00 01");
    commands.erase(commands.begin());
    EXPECT_EQ(commands, expected);
    EXPECT_EQ(t.rig.trace.size(), 2 + 4 + fullReadCost(ChipModel::Wren));
    EXPECT_EQ(fullReadCost(ChipModel::Wren), 4916u);

    const auto& block = t.state.DataBuf.parameter;
    EXPECT_EQ(Bytes(block.begin() + 38, block.begin() + 47), t.memory(kFlashExtraBytes, 9)) << "mirror over 38..46";
    EXPECT_EQ(Bytes(t.state.SignatureBuffer.begin(), t.state.SignatureBuffer.end()), t.memory(kFlashSignature, 5));
    EXPECT_EQ(t.state.DataBuf.macroBlock(31)[0], 31);
    EXPECT_EQ(Bytes(t.state.DataBuf.macroNameTable.begin(), t.state.DataBuf.macroNameTable.end()),
              t.memory(kFlashMacroNames, kMacroNameTableSize));
}

TEST(BtnRead, RefusedMacroBlockKeepsItsPreviousContent) {
    // Reports before the command of block 5: probes 2, identification 4, then 27 + 3 + 2 and
    // five blocks of 148.
    const std::uint64_t block5Command = 2 + 4 + 27 + 3 + 2 + 5 * 148 + 1;
    VirtualMouseOptions o = testing::mouseOptions("wren-rgb-3330");
    o.refuseReport = block5Command;
    TransferRig t(o);
    Bytes m = t.rig.mouse->memory();
    std::fill(m.begin() + kFlashMacroBlocks, m.end(), 0x42);
    ASSERT_TRUE(t.rig.mouse->loadMemory(m).ok());
    const DataBuf before = t.state.DataBuf;  // the default image's macros
    SearchOutcome s = t.model.runSearch(t.model.ReFindDev());
    EXPECT_EQ(s.read.code, TransferCode::DeviceFailed) << "the read says it was incomplete";
    EXPECT_EQ(t.rig.trace[block5Command - 1], "S0! 40 09 94 00 04 00 00 00");
    for (std::size_t i = 0; i < kMacroCount; ++i) {
        auto got = t.state.DataBuf.macroBlock(i);
        if (i == 5) {
            EXPECT_TRUE(std::equal(got.begin(), got.end(), before.macroBlock(5).begin()));
        } else {
            EXPECT_EQ(std::count(got.begin(), got.end(), 0x42), 1024) << i;
        }
    }
}

TEST(BtnRead, LarkReadsOneBlock) {
    TransferRig t(testing::mouseOptions("lark-rgb-a3050"), testing::larkDefaultImage());
    SearchOutcome s = t.model.runSearch(t.model.ReFindDev());
    ASSERT_TRUE(s.read.ok());
    Lines commands = testing::commandsOf(t.rig.trace);
    EXPECT_EQ(commands, (Lines{"02 00 11 00 01", "0E 00 00 00 00", "04 00 2B 00 05", "04 00 00 00 9A"}));
    EXPECT_EQ(Bytes(t.state.DataBuf.parameter.begin(), t.state.DataBuf.parameter.begin() + 154), t.memory(0, 154));
}

TEST(BtnRead, UnplugDuringTheReadStopsAtOnce) {
    for (std::uint64_t k : {10u, 40u, 800u, 4900u}) {
        VirtualMouseOptions o = testing::mouseOptions("wren-rgb-3330");
        o.vanishAfterReport = k;
        TransferRig t(o);
        SearchOutcome s = t.model.runSearch(t.model.ReFindDev());
        EXPECT_EQ(s.read.code, TransferCode::DeviceGone) << k;
        EXPECT_EQ(t.rig.trace.size(), k + 1) << "one failed report, then nothing: " << k;
    }
}

}  // namespace
}  // namespace varnel
