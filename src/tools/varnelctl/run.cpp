#include "run.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>

#include "common/file_io.h"
#include "common/resources.h"
#include "config/default_image.h"
#include "config/variant.h"
#include "device/trace.h"
#include "device/virtual_bus.h"
#include "macros/macro_file.h"
#include "macros/macro_script.h"
#include "macros/macro_text.h"
#include "platform/hidapi_bus.h"
#include "platform/udev_rule.h"
#include "profiles/profile_file.h"
#include "progress.h"
#include "settings_commands.h"
#include "skin/layout.h"
#include "transfers/app_model.h"
#include "transfers/app_state.h"
#include "transfers/virtual_factory.h"

namespace varnel::ctl {

int exitFor(TransferCode code) {
    switch (code) {
        case TransferCode::Done: return kExitDone;
        case TransferCode::NoDevice: return kExitNoDevice;
        case TransferCode::Refused: return kExitRefused;
        case TransferCode::BadFile: return kExitBadFile;
        case TransferCode::DeviceFailed:
        case TransferCode::DeviceGone: break;
    }
    return kExitDeviceFailed;
}

namespace {

// A failure on the way: the exit status and what to tell the user.
struct Failure {
    int code;
    std::string message;
};

Failure fromTransfer(const TransferStatus& s) { return {exitFor(s.code), s.error.message}; }

// The layout file's alternative signature pair.
AlternativeSignature layoutSignature() {
    auto doc = embeddedLayoutDocument();
    const IniSection* org = doc ? doc->section(kLayoutSection) : nullptr;
    return org ? layoutAlternativeSignature(*org) : AlternativeSignature{};
}

std::string hex4(unsigned v) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%04x", v);
    return buf;
}

// Everything after the bus exists: the command itself.
class Session {
public:
    Session(const Options& o, HidBus& bus, Clock& clock, AppModelConfig config, std::ostream& out, std::ostream& err)
        : o_(o),
          bus_(bus),
          clock_(clock),
          config_(std::move(config)),
          model_(state_, bus, clock),
          out_(out),
          progress_(err, o.errorIsTerminal && !o.quiet) {}

    std::optional<Failure> run() {
        std::optional<Failure> f = runCommand();
        progress_.end();
        return f;
    }

    // What the finished command did, in one line (empty when what it printed says it).
    const std::string& summary() const { return summary_; }

private:
    std::optional<Failure> runCommand() {
        if (o_.command.command == Command::List) return list();
        if (o_.command.command == Command::Show || o_.command.command == Command::Set) return settingsCommand();
        if (auto s = model_.start(config_); !s) return Failure{kExitBadFile, "default image: " + s.error().message};
        model_.setWriteCheck(o_.verify ? WriteCheck::ReadBack : WriteCheck::Skip);
        if (auto f = loadInputs()) return f;
        if (auto f = open()) return f;
        if (auto s = identifyMouse(state_, model_.link(), config_.defaultImages); !s) return fromTransfer(s);
        if (o_.command.command == Command::Info) return info();
        if (!offers(o_.command.needs)) {
            // A macro asked of a Lark is a request the mouse cannot take, like a bad value.
            const int code = o_.command.command == Command::Macro ? kExitUsage : kExitDeviceFailed;
            return Failure{code, std::string(o_.command.name) + " needs a Wren mouse"};
        }
        if (auto f = checkProfile()) return f;
        if (auto s = readConfiguration(state_, model_.link(), progress_.phase("Reading the mouse")); !s)
            return fromTransfer(s);
        return command();
    }

    bool offers(Needs needs) const {
        if (needs == Needs::Nothing) return true;
        if (!state_.DeviceChip) return false;
        const Variant& v = variantOf(*state_.DeviceChip);
        return needs == Needs::Macros ? v.hasMacros : v.hasFirmwareUpdate;
    }

    std::optional<Failure> list() {
        const auto interfaces = bus_.enumerate();
        for (const auto& i : interfaces)
            out_ << i.path << ' ' << hex4(i.vendorId) << ':' << hex4(i.productId) << ' ' << i.featureReportLength
                 << '\n';
        if (interfaces.empty()) summary_ = "No HID interface found";
        return std::nullopt;
    }

    // Input files, and the file a command writes, are checked before anything goes to the mouse.
    std::optional<Failure> loadInputs() {
        const Command c = o_.command.command;
        if (c == Command::Backup || c == Command::ExportMacros) {
            if (auto t = writableTarget(o_.file); !t) return Failure{kExitBadFile, t.error().message};
        } else if (c == Command::Flash) {
            if (auto s = model_.LoadFirmware(o_.file); !s) return Failure{kExitBadFile, s.error().message};
        } else if (o_.command.command == Command::Restore || o_.command.command == Command::ImportMacros) {
            // Only whether it can be read: its size is checked against the format once the mouse is known.
            if (auto r = readFileAtMost(o_.file, 0); !r) return Failure{kExitBadFile, r.error().message};
        } else if (c == Command::Macro) {
            return macroInput();
        }
        return std::nullopt;
    }

    // The text of `macro set` and the name of `macro rename`, refused before the mouse is opened.
    std::optional<Failure> macroInput() {
        if (o_.macro.action == MacroAction::Set) {
            auto text = readMacroText(o_.macro, o_.standardInput);
            if (!text) return Failure{kExitBadFile, text.error().message};
            auto script = parseMacroText(*text);
            if (!script) return Failure{kExitUsage, "macro " + macroNumber() + ": " + script.error().message};
            macroScript_ = std::move(*script);
        } else if (o_.macro.action == MacroAction::Rename) {
            // The name must fit a name record; the window leaves an empty name unapplied.
            std::array<std::uint8_t, kMacroNameRecordSize> scratch{};
            if (o_.macro.argument.empty()) return Failure{kExitUsage, "a macro name is not empty"};
            if (auto s = writeMacroName(scratch, o_.macro.argument); !s) return Failure{kExitUsage, s.error().message};
        }
        return std::nullopt;
    }

    std::string macroNumber() const { return std::to_string(o_.macro.index + 1); }

    std::optional<Failure> macro() {
        const std::size_t n = o_.macro.index;
        switch (o_.macro.action) {
            case MacroAction::Show:
                out_ << macroText(
                    MacroBlockToScript(state_.DataBuf.nameRecord(n), state_.DataBuf.macroBlock(n)).script);
                return std::nullopt;
            case MacroAction::Set: {
                // The events the macro shows already: its bytes stay as they are, even where the
                // decoder passed over bytes that are no event, so a set of what show printed
                // changes nothing.
                const MacroScript now =
                    MacroBlockToScript(state_.DataBuf.nameRecord(n), state_.DataBuf.macroBlock(n)).script;
                if (std::equal(now.begin() + 1, now.end(), macroScript_.begin() + 1, macroScript_.end())) {
                    summary_ = "Macro " + macroNumber() + " already holds these events: nothing was written";
                    return std::nullopt;
                }
                auto encoded =
                    ScriptToMacroBlock(macroScript_, state_.DataBuf.nameRecord(n), state_.DataBuf.macroBlock(n));
                if (!encoded) return Failure{kExitUsage, "macro " + macroNumber() + ": " + encoded.error().message};
                const EventCounts counts = countEvents(macroScript_);
                summary_ = "Wrote macro " + macroNumber() + " to the mouse (" + withThousands(encoded->usedLength) +
                           " bytes, " + std::to_string(counts.presses) + " presses, " +
                           std::to_string(counts.releases) + " releases)";
                break;
            }
            case MacroAction::Rename:
                state_.MacroNameList[n] = o_.macro.argument;
                summary_ = "Renamed macro " + macroNumber() + " to \"" + o_.macro.argument + "\" on the mouse";
                break;
        }
        return transfer(model_.SaveMacro(writing()));
    }

    ProgressSink writing() { return progress_.phase("Writing to the mouse"); }

    // A profile to restore is checked against the identified mouse before its full read, so a file
    // that is no profile for it is refused without a read of thousands of reports.
    std::optional<Failure> checkProfile() {
        if (o_.command.command != Command::Restore) return std::nullopt;
        DataBuf scratch;
        if (auto s = loadProfileFile(scratch, state_.DeviceChip, state_.acceptedSignatures(), o_.file); !s)
            return Failure{kExitBadFile, s.error().message};
        return std::nullopt;
    }

    std::optional<Failure> open() {
        const auto& ids = state_.DeviceIdTable[0];
        OpenOutcome o;
        if (!ids.empty()) o = OpenDevice(bus_, ids.vendorId, ids.productId);
        if (!o.found) {
            std::string message = noDeviceFoundStatus().error.message;
            const std::string advice = udevRuleAdvice(findUdevRule());
            for (const auto& path : o.permissionDenied) message += "\npermission denied on " + path + ": " + advice;
            if (o.permissionDenied.empty())
                message +=
                    "\ncheck the USB cable; if the mouse is plugged in, you may lack the permission to open it: " +
                    advice;
            return Failure{kExitNoDevice, message};
        }
        model_.link().setChannels(o.channels);
        if (!model_.link().hasBothChannels()) return fromTransfer(noDeviceStatus());
        return std::nullopt;
    }

    std::optional<Failure> info() {
        out_ << "variant: " << (state_.DeviceChip ? chipName(*state_.DeviceChip) : "unknown") << '\n'
             << "lighting: " << (state_.LightingKind == LightingKind::Rgb ? "RGB" : "Color") << '\n'
             << "sensor: " << (state_.SensorModel.empty() ? "unknown" : state_.SensorModel) << '\n'
             << "steps: " << state_.StepCount << '\n';
        return std::nullopt;
    }

    std::optional<Failure> writeFile(const Result<Bytes>& bytes, const std::string& what) {
        if (!bytes) return Failure{kExitBadFile, bytes.error().message};
        if (auto s = writeFileAtomic(o_.file, *bytes); !s) return Failure{kExitBadFile, s.error().message};
        summary_ = "Saved " + what + " to " + o_.file + " (" + withThousands(bytes->size()) + " bytes)";
        return std::nullopt;
    }

    // A read whose answers make no profile this program would load again is no backup: a mouse
    // answering garbage must not leave a file that restore refuses, reported as saved.
    std::optional<Failure> backup() {
        const Result<Bytes> bytes = model_.ProfileBytes();
        if (bytes) {
            DataBuf scratch;
            if (auto s = loadProfileBytes(scratch, state_.DeviceChip, state_.acceptedSignatures(), *bytes); !s)
                return Failure{kExitDeviceFailed,
                               "backup failed: what the mouse sent is not a profile: " + s.error().message};
        }
        return writeFile(bytes, "the configuration");
    }

    // A write's outcome; on success the summary says what was written.
    std::optional<Failure> transfer(const TransferStatus& s, std::string done = {}) {
        if (!s) {
            summary_.clear();
            return fromTransfer(s);
        }
        if (!done.empty()) summary_ = std::move(done);
        return std::nullopt;
    }

    // A file read into the macros: its failure, or what it said about the macros it had to repair.
    std::optional<Failure> tell(const Result<RepairedMacros>& read) {
        if (!read) return Failure{kExitBadFile, read.error().message};
        if (!read->empty()) out_ << repairedMacrosNote(*read) << '\n';
        return std::nullopt;
    }

    std::optional<Failure> command() {
        switch (o_.command.command) {
            case Command::Backup: return backup();
            case Command::Restore:
                if (auto f = tell(model_.LoadProfile(o_.file))) return f;
                return transfer(model_.Apply(writing()), "Wrote the profile " + o_.file + " to the mouse");
            case Command::Reset:
                return transfer(model_.Reset(writing()), "Wrote the default configuration to the mouse");
            case Command::Flash: return flash();
            case Command::ExportMacros: return writeFile(macroSetFileBytes(state_.DataBuf), "the macros");
            case Command::ImportMacros:
                if (auto f = tell(model_.ImportMacros(o_.file))) return f;
                return transfer(model_.SaveMacro(writing()), "Wrote the macros of " + o_.file + " to the mouse");
            case Command::Macro: return macro();
            case Command::List:
            case Command::Info:
            case Command::Show:
            case Command::Set: break;
        }
        return std::nullopt;
    }

    // show and set run on the window's page models: they start the state as the window does.
    std::optional<Failure> settingsCommand() {
        auto failed = [](const CommandFailure& f) { return Failure{f.code, f.message}; };
        SettingsCommand settings(o_, state_, config_);
        if (auto f = settings.start()) return failed(*f);
        model_.adopt(config_);
        model_.setWriteCheck(o_.verify ? WriteCheck::ReadBack : WriteCheck::Skip);
        const bool writes = o_.command.command == Command::Set && !o_.dryRun;
        if (o_.profile) {
            if (auto f = settings.loadProfile()) return failed(*f);
            if (auto f = settings.run(nullptr, out_)) return failed(*f);
            if (writes) summary_ = "Wrote the settings to the profile " + *o_.profile;
            return std::nullopt;
        }
        if (auto f = open()) return f;
        if (auto s = identifyMouse(state_, model_.link(), config_.defaultImages); !s) return fromTransfer(s);
        if (auto s = readConfiguration(state_, model_.link(), progress_.phase("Reading the mouse")); !s)
            return fromTransfer(s);
        settings.showRead();
        if (auto f = settings.run(&model_, out_, writing())) return failed(*f);
        if (writes) summary_ = "Wrote the settings to the mouse";
        return std::nullopt;
    }

    std::optional<Failure> flash() {
        if (auto o = model_.Program(progress_.phase("Programming the firmware")); !o.status)
            return fromTransfer(o.status);
        clock_.sleepFor(kFirmwareRestartWait);
        SearchOutcome found = model_.runSearch(model_.ReFindDev(), progress_.phase("Reading the mouse"));
        if (!found.found) return fromTransfer(noDeviceFoundStatus());
        return transfer(found.read,
                        "Programmed the firmware of " + o_.file + "; the mouse restarted and was read again");
    }

    const Options& o_;
    HidBus& bus_;
    Clock& clock_;
    AppModelConfig config_;
    AppState state_;
    AppModel model_;
    std::ostream& out_;
    TerminalProgress progress_;
    std::string summary_;
    MacroScript macroScript_;  // what `macro set` read
};

struct VirtualSetup {
    std::shared_ptr<VirtualMouse> mouse;
    std::unique_ptr<VirtualBus> bus;
};

Result<VirtualSetup> makeVirtual(const Options& o, const ImageHeader& header, const AppModelConfig& config,
                                 std::shared_ptr<Clock> clock) {
    VirtualMouseOptions vo;
    vo.model = *o.virtualModel;
    vo.vendorId = header.DefaultVid;
    vo.productId = header.DefaultPid;
    vo.vendorInterfaces = o.virtualInterfaces;
    static_cast<VirtualFaults&>(vo) = o.faults;
    vo.latency = std::chrono::microseconds(o.latencyUs);
    VirtualSetup v{std::make_shared<VirtualMouse>(vo, std::move(clock)), std::make_unique<VirtualBus>()};
    Status loaded = o.virtualLoad
                        ? loadMemoryFile(*v.mouse, *o.virtualLoad)
                        : v.mouse->loadMemory(factoryMemory(vo.model.chip, config.defaultImages.forMouse(vo.model.chip),
                                                            config.defaultFirmware));
    if (!loaded) return loaded.error();
    v.bus->addMouse(v.mouse);
    v.bus->addForeignKeyboard();
    return v;
}

}  // namespace

int run(const Options& o, std::ostream& out, std::ostream& err, VirtualWorld* world) {
    auto fail = [&](int code, const std::string& message) {
        err << "varnelctl: " << message << '\n';
        return code;
    };
    auto images =
        loadDefaultImages(o.defaultImage ? std::optional<std::filesystem::path>(*o.defaultImage) : std::nullopt);
    if (!images) return fail(kExitBadFile, images.error().message);
    AppModelConfig config{std::move(*images), resourceCopy("DefaultFW"), layoutSignature()};
    auto header = decideImageHeader(config.defaultImages.start());
    if (!header) return fail(kExitBadFile, "default image: " + header.error().message);

    std::shared_ptr<Clock> clock;
    std::unique_ptr<HidBus> realBus;
    VirtualSetup virt;
    if (o.virtualModel) {
        // Waits of the virtual mouse's world pass at once; only the report latency is real.
        auto manual = std::make_shared<ManualClock>();
        clock = manual;
        auto v = makeVirtual(o, *header, config, clock);
        if (!v) return fail(kExitBadFile, v.error().message);
        virt = std::move(*v);
        if (world) *world = {manual, virt.mouse};
    } else {
        clock = std::make_shared<SteadyClock>();
        realBus = std::make_unique<HidapiBus>();
    }
    HidBus& base = virt.bus ? static_cast<HidBus&>(*virt.bus) : *realBus;

    // The files the run writes are written whole at its end, through the atomic write, over
    // targets checked now: a run is not done for a file that could not be kept.
    for (const auto& output : {o.virtualSave, o.trace}) {
        if (!output) continue;
        if (auto t = writableTarget(*output); !t) return fail(kExitBadFile, t.error().message);
    }
    std::string trace;
    std::unique_ptr<TracingBus> traced;
    if (o.trace) {
        traced = std::make_unique<TracingBus>(base, header->DefaultVid, header->DefaultPid, [&](std::string_view line) {
            trace += line;
            trace += '\n';
        });
    }
    HidBus& bus = traced ? static_cast<HidBus&>(*traced) : base;

    Session session(o, bus, *clock, std::move(config), out, err);
    std::optional<Failure> failure = session.run();

    // A file asked for and not written is a failure of the run, whatever the mouse did.
    auto save = [&](const std::string& path, ByteSpan bytes, const std::string& what) {
        const Status s = writeFileAtomic(path, bytes);
        if (s) return;
        const std::string lost = "writing " + what + " " + path + " failed: " + s.error().message;
        if (failure)
            failure->message += "\n" + lost;
        else
            failure = Failure{kExitBadFile, lost};
    };
    if (virt.mouse && o.virtualSave) save(*o.virtualSave, virt.mouse->memory(), "the virtual mouse's memory");
    if (o.trace)
        save(*o.trace, ByteSpan(reinterpret_cast<const std::uint8_t*>(trace.data()), trace.size()), "the trace file");
    if (failure) return fail(failure->code, failure->message);
    if (!o.quiet && !session.summary().empty()) err << session.summary() << '\n';
    return kExitDone;
}

}  // namespace varnel::ctl
