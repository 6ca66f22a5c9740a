// Writes the inputs of the kernel run into a folder: a Lark default image, a firmware file other
// than the default one, and for each variant a start memory whose configuration differs from the
// defaults, so that reset, restore and flash each have something to change.
#include <cstdio>
#include <filesystem>

#include <gtest/gtest.h>  // the rig checks its own set-up with gtest

#include "common/file_io.h"
#include "device/commands.h"
#include "profiles/image_builder.h"
#include "transfers/transfer_rig.h"
#include "wren_flash_map.h"

namespace {

using namespace varnel;

constexpr std::size_t kDpiCodeOffset = 6;  // a DPI code in the parameter block

bool put(const std::filesystem::path& path, const Bytes& bytes) {
    if (auto s = writeFileAtomic(path, bytes); !s) {
        std::fprintf(stderr, "kernel fixtures: %s\n", s.error().message.c_str());
        return false;
    }
    return true;
}

Bytes firmware() {
    Bytes fw(kFirmwareSize);
    for (std::size_t i = 0; i < fw.size(); ++i) fw[i] = static_cast<std::uint8_t>(i * 13);
    return fw;
}

Bytes wrenStart() {
    Bytes memory = factoryMemory(ChipModel::Wren, varnel::testing::embeddedBytes("VarnelData"),
                                 varnel::testing::embeddedBytes("DefaultFW"));
    memory[kFlashParameterBlock + kDpiCodeOffset] = 0x01;
    auto macro3 = memory.begin() + kFlashMacroBlocks + 3 * 1024;
    std::fill(macro3, macro3 + 1024, 0x00);
    return memory;
}

Bytes larkStart(const Bytes& larkImage) {
    Bytes memory = factoryMemory(ChipModel::Lark, larkImage, varnel::testing::embeddedBytes("DefaultFW"));
    memory[kDpiCodeOffset] = 0x01;
    return memory;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    const Bytes lark = varnel::testing::larkDefaultImage();
    const bool ok = put(dir / "lark-image.bin", lark) && put(dir / "firmware.bin", firmware()) &&
                    put(dir / "wren-start.mem", wrenStart()) && put(dir / "lark-start.mem", larkStart(lark));
    return ok ? 0 : 1;
}
