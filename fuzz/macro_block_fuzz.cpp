// The macro block decoder on any record and block, and the round trip: whatever decodes can be
// encoded again (it fits the block) and decodes to the same script and delay mode; its text parses
// back to the same events unless it holds more presses or releases than a macro may.
#include <algorithm>
#include <array>

#include "macros/macro_format.h"
#include "macros/macro_script.h"
#include "macros/macro_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace varnel;
    std::array<std::uint8_t, kMacroNameRecordSize> record{};
    std::array<std::uint8_t, kMacroBlockSize> block{};
    block.fill(0xFF);
    const std::size_t inRecord = std::min(size, record.size());
    std::copy_n(data, inRecord, record.begin());
    std::copy_n(data + inRecord, std::min(size - inRecord, block.size()), block.begin());

    const DecodedMacro first = MacroBlockToScript(record, block);
    (void)readMacroName(record);
    auto record2 = record;
    auto block2 = block;
    const auto encoded = ScriptToMacroBlock(first.script, record2, block2);
    if (!encoded) __builtin_trap();  // a decoded script must fit again
    const DecodedMacro second = MacroBlockToScript(record2, block2);
    if (second.script != first.script || second.delayMode != first.delayMode) __builtin_trap();

    const auto parsed = parseMacroText(macroText(first.script));
    const EventCounts counts = countEvents(first.script);
    const bool withinLimits = counts.presses <= kFullEventCount && counts.releases <= kFullEventCount;
    if (parsed.ok() != withinLimits) __builtin_trap();
    if (parsed && !std::equal(first.script.begin() + 1, first.script.end(), parsed->begin() + 1, parsed->end()))
        __builtin_trap();
    return 0;
}
