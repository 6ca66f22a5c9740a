// varnel-uhid: the virtual mouse of the tests behind /dev/uhid, so that the real HID path (kernel,
// hidraw, hidapi) can be tried on any Linux machine with uhid: `varnelctl` without --virtual
// then talks to it like to a real mouse. Needs write access to /dev/uhid (usually root).
#include <charconv>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "common/file_io.h"
#include "common/resources.h"
#include "config/default_image.h"
#include "transfers/virtual_factory.h"
#include "uhid_runner.h"

namespace {

using namespace varnel;

const char* const kUsage =
    "usage: varnel-uhid [options] MODEL        (MODEL e.g. wren-rgb-3330, lark-color-a5050)\n"
    "options:\n"
    "  --interfaces 1|2         one vendor interface for both reports, or two\n"
    "  --default-image FILE     the default image (ids, factory memory); the embedded one otherwise\n"
    "  --load FILE              the mouse's memory to start with (256 bytes Lark, 65536 Wren)\n"
    "  --save FILE              its memory, written after changes and on exit\n"
    "  --restart-delay-ms N     how long the mouse is away after command 18 (default 1000)\n"
    "  --neighbour              also plug in another vendor's device with the same feature reports\n"
    "  --neighbour-only         plug in only that device, not the mouse\n"
    "  --refuse-report K        the mouse refuses its K-th report (counted from 1)\n"
    "  --short-reply K          the answer to its K-th report, a fetch, lacks the report id byte\n"
    "Runs until SIGTERM, SIGINT or SIGHUP. Exit status: 0 done, 1 failed, 2 usage,\n"
    "4 a report reached the other vendor's device.\n";

struct Options {
    VirtualMouseModel model;
    int interfaces = 1;
    std::string defaultImage, load;
    uhid::RunnerOptions runner;
    std::uint64_t restartDelayMs = 1000;
    std::uint64_t refuseReport = 0;
    bool help = false;
    bool mouseOnBus = true;
};

bool number(std::string_view text, std::uint64_t& out) {
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return ec == std::errc() && end == text.data() + text.size() && !text.empty();
}

Result<Options> parse(const std::vector<std::string_view>& args) {
    Options o;
    std::vector<std::string_view> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string_view a = args[i];
        if (a == "-h" || a == "--help") {
            o.help = true;
            continue;
        }
        if (a == "--neighbour" || a == "--neighbour-only") {
            o.runner.neighbour = true;
            o.mouseOnBus = a == "--neighbour";
            continue;
        }
        if (!a.starts_with("--")) {
            positional.push_back(a);
            continue;
        }
        std::string_view name = a, value;
        if (auto eq = a.find('='); eq != std::string_view::npos) {
            name = a.substr(0, eq);
            value = a.substr(eq + 1);
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            return makeError("option " + std::string(a) + " needs a value");
        }
        if (name == "--interfaces") {
            if (value != "1" && value != "2") return makeError("--interfaces takes 1 or 2");
            o.interfaces = value == "1" ? 1 : 2;
        } else if (name == "--default-image") {
            o.defaultImage = value;
        } else if (name == "--load") {
            o.load = value;
        } else if (name == "--save") {
            o.runner.save = std::string(value);
        } else if (name == "--restart-delay-ms") {
            if (!number(value, o.restartDelayMs)) return makeError("--restart-delay-ms takes a number of milliseconds");
        } else if (name == "--short-reply") {
            if (!number(value, o.runner.shortReply) || o.runner.shortReply == 0)
                return makeError("--short-reply takes a report number from 1");
        } else if (name == "--refuse-report") {
            if (!number(value, o.refuseReport) || o.refuseReport == 0)
                return makeError("--refuse-report takes a report number from 1");
        } else {
            return makeError("unknown option " + std::string(name));
        }
    }
    if (o.help) return o;
    if (positional.size() != 1) return makeError("give exactly one MODEL");
    auto model = parseVirtualModel(positional[0]);
    if (!model) return model.error();
    o.model = *model;
    return o;
}

// The mouse as varnelctl's --virtual builds it: the default image's ids, factory memory or a load.
Result<std::shared_ptr<VirtualMouse>> makeMouse(const Options& o) {
    auto images =
        loadDefaultImages(o.defaultImage.empty() ? std::nullopt : std::optional<std::filesystem::path>(o.defaultImage));
    if (!images) return images.error();
    auto header = decideImageHeader(images->start());
    if (!header) return makeError("default image: " + header.error().message);
    VirtualMouseOptions vo;
    vo.model = o.model;
    vo.vendorId = header->DefaultVid;
    vo.productId = header->DefaultPid;
    vo.vendorInterfaces = o.interfaces;
    vo.restartDelay = Millis(static_cast<Millis::rep>(o.restartDelayMs));
    vo.refuseReport = o.refuseReport;
    auto mouse = std::make_shared<VirtualMouse>(vo, std::make_shared<SteadyClock>());
    Status loaded =
        o.load.empty()
            ? mouse->loadMemory(factoryMemory(o.model.chip, images->forMouse(o.model.chip), resourceCopy("DefaultFW")))
            : loadMemoryFile(*mouse, o.load);
    if (!loaded) return loaded.error();
    return mouse;
}

}  // namespace

int main(int argc, char** argv) {
    auto options = parse(std::vector<std::string_view>(argv + 1, argv + argc));
    if (!options) {
        std::cerr << "varnel-uhid: " << options.error().message << '\n' << kUsage;
        return 2;
    }
    if (options->help) {
        std::cout << kUsage;
        return 0;
    }
    auto mouse = makeMouse(*options);
    if (!mouse) {
        std::cerr << "varnel-uhid: " << mouse.error().message << '\n';
        return uhid::kRunnerFailed;
    }
    if (!options->mouseOnBus) (*mouse)->unplug();
    uhid::Runner runner(*mouse, options->runner, std::cerr);
    return runner.run();
}
