#include "settings_commands.h"

#include <cstdio>

#include "common/file_io.h"
#include "config/variant.h"
#include "device/device_info.h"
#include "device/virtual_mouse.h"
#include "macros/macro_format.h"
#include "macros/macro_script.h"
#include "profiles/profile_file.h"
#include "run.h"
#include "skin/png_image.h"

namespace varnel::ctl {

namespace {

// The screen the window model is laid out for; nothing here depends on it.
constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;

std::string jsonString(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(c));
            out += buf;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string hex2(unsigned v) {
    char buf[4];
    std::snprintf(buf, sizeof buf, "%02x", v);
    return buf;
}

// One macro as show lists it.
struct MacroSummary {
    std::string name;
    unsigned bytes = 0;
    unsigned events = 0;
};

MacroSummary macroSummary(const AppState& state, std::size_t i) {
    const ByteSpan record = state.DataBuf.nameRecord(i);
    MacroSummary m{i < state.MacroNameList.size() ? state.MacroNameList[i] : std::string{}, usedLength(record), 0};
    const DecodedMacro decoded = MacroBlockToScript(record, state.DataBuf.macroBlock(i));
    for (std::size_t line = 1; line < decoded.script.size(); ++line)
        if (lineKind(decoded.script[line]) != ScriptLineKind::Delay) ++m.events;
    return m;
}

std::string lightingName(const AppState& s) { return s.LightingKind == LightingKind::Rgb ? "RGB" : "Color"; }

}  // namespace

SettingsCommand::SettingsCommand(const Options& options, AppState& state, const AppModelConfig& config)
    : o_(options), state_(state), config_(config), layout_(IniDocument::parse("")) {}

std::optional<CommandFailure> SettingsCommand::start() {
    for (const auto& text : o_.settings) {
        auto a = parseAssignment(text);
        if (!a) return CommandFailure{kExitUsage, a.error().message};
        assignments_.push_back(std::move(*a));
    }
    auto doc = embeddedLayoutDocument();
    if (!doc) return CommandFailure{kExitBadFile, "layout file: " + doc.error().message};
    layout_ = std::move(*doc);
    auto languages = LanguageSet::loadEmbedded();
    if (!languages) return CommandFailure{kExitBadFile, "language files: " + languages.error().message};
    window_ = std::make_unique<MainWindowModel>(state_, std::move(*languages), embeddedPictureSize);
    const IniSection* org = layout_.section(kLayoutSection);
    if (org == nullptr) return CommandFailure{kExitBadFile, "layout file: no section [org]"};
    window_->formCreate(kScreenWidth, kScreenHeight, *org, config_.defaultImages.start());
    window_->languageClick(o_.language);
    return std::nullopt;
}

std::optional<CommandFailure> SettingsCommand::loadProfile() {
    const VirtualMouseModel& m = *o_.fileModel;
    if (auto s = state_.useDefaultImage(config_.defaultImages.forMouse(m.chip)); !s)
        return CommandFailure{kExitBadFile, "default image: " + s.error().message};
    if (state_.DefaultChip != m.chip)
        return CommandFailure{kExitUsage, "--model " + virtualModelName(m) + " is not of the default image's variant"};
    state_.DeviceChip = m.chip;
    state_.LightingKind = m.rgb ? LightingKind::Rgb : LightingKind::Color;
    for (const auto& sensor : kSensorTable)
        if (sensor.code == m.sensorCode) {
            state_.SensorModel = std::string(sensor.model);
            state_.StepCount = sensor.stepCount;
        }
    auto loaded = loadProfileFile(state_.DataBuf, state_.DeviceChip, state_.acceptedSignatures(), *o_.profile);
    if (!loaded) return CommandFailure{kExitBadFile, *o_.profile + ": " + loaded.error().message};
    state_.RefreshMacroName();
    state_.DataBufToUI();
    showRead();
    return std::nullopt;
}

void SettingsCommand::showRead() {
    window_->appearance().setChannelsOpen(true);
    window_->RefreshUI();
    window_->mouseIdentified();
    window_->showReadMouse();
}

std::optional<CommandFailure> SettingsCommand::run(AppModel* model, std::ostream& out, const ProgressSink& writing) {
    if (o_.command.command == Command::Set) return set(model, out, writing);
    if (o_.json)
        showJson(out);
    else
        show(out);
    return std::nullopt;
}

void SettingsCommand::show(std::ostream& out) const {
    out << "variant: " << (state_.DeviceChip ? chipName(*state_.DeviceChip) : "unknown") << '\n'
        << "lighting: " << lightingName(state_) << '\n'
        << "sensor: " << (state_.SensorModel.empty() ? "unknown" : state_.SensorModel) << '\n';
    for (const auto& s : settingNames(&state_)) {
        const SettingRow& row = *s.row;
        out << s.name << " = " << (row.words ? row.words(*window_, s.at) : row.print(*window_, s.at)) << '\n';
    }
    if (!hasMacros(state_.DeviceChip)) return;
    for (std::size_t i = 0; i < kMacroCount; ++i) {
        const MacroSummary m = macroSummary(state_, i);
        out << "macro." << i + 1 << " = " << jsonString(m.name) << ", " << m.bytes << " bytes, " << m.events
            << " events\n";
    }
}

void SettingsCommand::showJson(std::ostream& out) const {
    out << "{\n  \"schema\": 1,\n"
        << "  \"variant\": " << jsonString(state_.DeviceChip ? chipName(*state_.DeviceChip) : "unknown") << ",\n"
        << "  \"lighting\": " << jsonString(lightingName(state_)) << ",\n"
        << "  \"sensor\": " << jsonString(state_.SensorModel) << ",\n  \"settings\": {";
    const char* sep = "\n";
    for (const auto& s : settingNames(&state_)) {
        out << sep << "    " << jsonString(s.name) << ": " << jsonString(s.row->print(*window_, s.at));
        sep = ",\n";
    }
    out << "\n  },\n  \"macros\": [";
    sep = "\n";
    for (std::size_t i = 0; hasMacros(state_.DeviceChip) && i < kMacroCount; ++i) {
        const MacroSummary m = macroSummary(state_, i);
        out << sep << "    {\"number\": " << i + 1 << ", \"name\": " << jsonString(m.name) << ", \"bytes\": " << m.bytes
            << ", \"events\": " << m.events << "}";
        sep = ",\n";
    }
    out << "\n  ]\n}\n";
}

std::optional<CommandFailure> SettingsCommand::set(AppModel* model, std::ostream& out, const ProgressSink& writing) {
    if (auto s = applySettings(*window_, assignments_); !s) return CommandFailure{kExitUsage, s.error().message};
    window_->UIToDataBuf();
    if (o_.dryRun) {
        const DataBuf before = state_.DataBuf;
        const auto path = o_.profile ? WriteBackPath::ProfileSave : WriteBackPath::Apply;
        if (auto s = state_.writeBack(path); !s) return CommandFailure{kExitBadFile, s.error().message};
        const ByteSpan now = state_.DataBuf.parameterBlock(*state_.DeviceChip);
        bool any = false;
        for (std::size_t i = 0; i < now.size(); ++i) {
            if (before.parameter[i] == now[i]) continue;
            out << "parameter byte " << i << ": " << hex2(before.parameter[i]) << " -> " << hex2(now[i]) << '\n';
            any = true;
        }
        if (!any) out << "no byte would change\n";
        return std::nullopt;
    }
    if (model) {
        const TransferStatus s = model->Apply(writing);
        if (!s) return CommandFailure{exitFor(s.code), s.error.message};
        return std::nullopt;
    }
    if (auto s = state_.writeBack(WriteBackPath::ProfileSave); !s) return CommandFailure{kExitBadFile, s.error().message};
    auto bytes = profileFileBytes(state_.DataBuf, state_.DeviceChip);
    if (!bytes) return CommandFailure{kExitBadFile, bytes.error().message};
    if (auto s = writeFileAtomic(*o_.profile, *bytes); !s) return CommandFailure{kExitBadFile, s.error().message};
    return std::nullopt;
}

}  // namespace varnel::ctl
