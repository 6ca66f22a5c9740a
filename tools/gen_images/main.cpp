// Writes the embedded images (VarnelData.bin, VarnelDataLark.bin, DefaultFW.bin) into the given resources folder.
#include <cstdio>
#include <filesystem>

#include "common/file_io.h"
#include "profiles/image_builder.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s RESOURCES_DIR\n", argv[0]);
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    const struct {
        const char* name;
        varnel::Bytes bytes;
    } outputs[] = {
        {"VarnelData.bin", varnel::buildDefaultImage(varnel::kOurVendorId, varnel::kOurProductId)},
        {"VarnelDataLark.bin",
         varnel::buildLarkDefaultImage(varnel::kOurVendorId, varnel::kOurProductId, varnel::kOurSignature)},
        {"DefaultFW.bin", varnel::buildDefaultFirmware()},
    };
    for (const auto& o : outputs) {
        if (auto s = varnel::writeFileAtomic(dir / o.name, o.bytes); !s) {
            std::fprintf(stderr, "%s\n", s.error().message.c_str());
            return 1;
        }
        std::printf("wrote %s (%zu bytes)\n", (dir / o.name).c_str(), o.bytes.size());
    }
    return 0;
}
