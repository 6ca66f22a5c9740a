// Macro files (one macro) and macro set files (all 32) imported over the default image, then the
// names and every block decoded as the Macro page shows them. After an import every macro is
// consistent: making it so again changes nothing. Byte 0: bit 7 picks the set file,
// the low five bits the macro a single file goes to.
#include "common/resources.h"
#include "config/data_buf.h"
#include "macros/macro_file.h"
#include "macros/macro_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace varnel;
    if (size == 0) return 0;
    static const Bytes kImage = resourceCopy("VarnelData");
    DataBuf buf;
    if (!fromStoredImage(buf, ChipModel::Wren, kImage)) __builtin_trap();
    const ByteSpan file(data + 1, size - 1);
    const auto imported =
        (data[0] & 0x80) ? importMacroSetFile(buf, file) : importMacroFile(buf, data[0] & 0x1F, file);
    if (!imported) return 0;
    (void)repairedMacroNumbers(*imported);
    if (!makeMacrosConsistent(buf).empty()) __builtin_trap();
    (void)RefreshMacroName(buf.macroNameTable);
    for (std::size_t i = 0; i < kMacroCount; ++i) (void)MacroBlockToScript(buf.nameRecord(i), buf.macroBlock(i));
    return 0;
}
