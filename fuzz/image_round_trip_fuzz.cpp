// Load any profile image, show it, collect it and save it again without touching a control: no
// byte may change except those the table below documents. Byte 0 picks the mouse, the rest is the
// profile file. A byte changed outside the table is printed and the target stops.
#include <cstdio>
#include <iterator>

#include "config/layout.h"
#include "editors/lighting.h"
#include "fuzz_window.h"
#include "macros/macro_format.h"
#include "profiles/profile_file.h"

namespace {

using namespace varnel;

struct Loaded {
    ByteSpan in;   // the file, as long as a stored image
    ByteSpan out;  // the saved file
    const ParameterBlockLayout& layout;
    LightingKind lighting;
    const RepairedMacros& repaired;  // what the load made consistent
};

bool inSection(const Section& s, std::size_t at) { return at >= s.offset && at < s.end(); }

std::optional<Section> sectionAt(const ParameterBlockLayout& l, std::size_t at) {
    for (const auto& s : {std::optional<Section>(l.parameterA), std::optional<Section>(l.parameterB), l.rgbLock,
                          std::optional<Section>(l.profile)}) {
        if (s && inSection(*s, at)) return s;
    }
    return std::nullopt;
}

// ---- the documented changes ------------------------------------------------------------------

// A parameter or button-map section whose checksum does not match is replaced by its defaults
// when shown (the lock colour is carried as it is).
bool repairedSection(const Loaded& f, std::size_t at) {
    for (const Section& s : {f.layout.parameterA, f.layout.parameterB, f.layout.profile}) {
        if (inSection(s, at) && !sectionChecksumMatches(f.in, s)) return true;
    }
    return false;
}

// Every checksum is computed afresh over what is saved (the lock colour's only on a profile save).
bool freshChecksum(const Loaded& f, std::size_t at) {
    const auto s = sectionAt(f.layout, at);
    return s && at == s->checksumOffset() && sectionChecksumMatches(f.out, *s);
}

// Breathing times are stored as the code of the band they fall in.
bool breathingTime(const Loaded&, std::size_t at) {
    return at >= param_a::kBreathOffTime && at <= param_a::kBreathFallTime;
}

// An RGB mouse's LedMode that names no mode is shown, and saved, as one that does.
bool unknownLedMode(const Loaded& f, std::size_t at) {
    const auto& codes = kLedModeCodes;
    return at == param_b::kLedMode && f.lighting == LightingKind::Rgb &&
           std::find(codes.begin(), codes.end(), f.in[at]) == codes.end();
}

// Report rate codes other than 1 (1000 Hz) and 2 (500 Hz) are saved as one of them.
bool unknownReportRate(const Loaded& f, std::size_t at) {
    return at == param_b::kReportRateCode && f.in[at] != 1 && f.in[at] != 2;
}

// An ActiveMap above 2 names no map; the page shown is saved.
bool unknownActiveMap(const Loaded& f, std::size_t at) { return at == param_b::kActiveMap && f.in[at] > 2; }

// The Wren image's ten bytes between the parameter block and the name table are written 0xFF.
bool wrenPadding(const Loaded& f, std::size_t at) {
    return f.layout.chip == ChipModel::Wren && at >= kWrenParameterBlockSize && at < kWrenParameterBlockSize + 10;
}

// DPI codes of stages beyond the stage count are not shown, and take the code of a step when saved.
bool dpiCodeBeyondStageCount(const Loaded& f, std::size_t at) {
    return at >= param_a::kDpiCode && at < param_a::kDpiCode + 4 &&
           at - param_a::kDpiCode >= f.in[param_a::kDpiStageCount];
}

// A Wren macro made consistent on load: its UsedLength, and the end byte where its events stop.
bool macroMadeConsistent(const Loaded& f, std::size_t at) {
    for (const std::size_t i : f.repaired) {
        const std::size_t record = kWrenImageNameTableOffset + i * kMacroNameRecordSize;
        const std::size_t used = usedLength(f.out.subspan(record, kMacroNameRecordSize));
        if (at == record || at == record + 1) return true;
        if (used > 0 && at == kWrenImageMacroOffset + i * kMacroBlockSize + used - 1) return true;
    }
    return false;
}

struct DocumentedChange {
    const char* what;
    bool (*covers)(const Loaded&, std::size_t);
};

constexpr DocumentedChange kDocumentedChanges[] = {
    {"bad-checksum section repaired", repairedSection},
    {"checksum recomputed (lock colour's on a profile save)", freshChecksum},
    {"breathing time snapped to its band", breathingTime},
    {"unknown LedMode on an RGB mouse", unknownLedMode},
    {"ReportRateCode other than 1 or 2", unknownReportRate},
    {"ActiveMap above 2", unknownActiveMap},
    {"padding at 182..191", wrenPadding},
    {"DPI code of a stage beyond the stage count", dpiCodeBeyondStageCount},
    {"macro made consistent on load (whole events, end byte, UsedLength)", macroMadeConsistent},
};

bool documented(const Loaded& f, std::size_t at) {
    for (const auto& c : kDocumentedChanges) {
        if (c.covers(f, at)) return true;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const fuzz::FuzzMouse mouse = fuzz::mouseFromByte(data[0]);
    fuzz::FuzzWindow window(mouse);
    const ByteSpan file(data + 1, size - 1);
    const auto loaded = loadProfileBytes(window.state.DataBuf, mouse.chip, window.state.acceptedSignatures(), file);
    if (!loaded) return 0;
    window.display();
    window.model->UIToDataBuf();
    if (!window.state.writeBack(WriteBackPath::ProfileSave)) __builtin_trap();
    const auto saved = profileFileBytes(window.state.DataBuf, mouse.chip);
    if (!saved) __builtin_trap();

    const Loaded f{file.first(saved->size()), *saved, layoutFor(mouse.chip), mouse.lighting, *loaded};
    for (std::size_t at = 0; at < f.out.size(); ++at) {
        if (f.in[at] == f.out[at] || documented(f, at)) continue;
        std::fprintf(stderr, "byte %zu changed from %02X to %02X without a documented reason\n", at, f.in[at],
                     f.out[at]);
        __builtin_trap();
    }
    return 0;
}
