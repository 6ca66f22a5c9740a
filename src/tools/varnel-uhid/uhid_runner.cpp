#include "uhid_runner.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "common/file_io.h"

namespace varnel::uhid {

namespace {

constexpr int kSaveAfterQuietMs = 200;
constexpr int kRestartCheckMs = 10;
constexpr int kStartTimeoutMs = 5000;

bool writeEvent(int fd, const uhid_event& ev) {
    ssize_t n;
    do n = ::write(fd, &ev, sizeof ev);
    while (n < 0 && errno == EINTR);
    return n == static_cast<ssize_t>(sizeof ev);
}

int stopSignals() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGHUP);
    if (sigprocmask(SIG_BLOCK, &set, nullptr) != 0) return -1;
    return signalfd(-1, &set, SFD_CLOEXEC);
}

}  // namespace

Runner::Runner(std::shared_ptr<VirtualMouse> mouse, RunnerOptions options, std::ostream& log)
    : mouse_(std::move(mouse)), options_(std::move(options)), log_(log) {}

Runner::~Runner() {
    unplugMouse();
    for (auto& d : neighbour_) ::close(d.fd);
}

bool Runner::plug(const DeviceSpec& spec, std::vector<Device>& into) {
    auto create = createEvent(spec);
    if (!create) {
        log_ << "varnel-uhid: " << create.error().message << '\n';
        return false;
    }
    int fd = ::open("/dev/uhid", O_RDWR | O_CLOEXEC);
    if (fd < 0) {
        log_ << "varnel-uhid: cannot open /dev/uhid: " << std::strerror(errno) << '\n';
        return false;
    }
    if (!writeEvent(fd, *create)) {
        log_ << "varnel-uhid: cannot create " << spec.name << ": " << std::strerror(errno) << '\n';
        ::close(fd);
        return false;
    }
    into.push_back({spec, fd});
    return awaitStart(into.back());
}

bool Runner::awaitStart(const Device& device) {
    // The kernel adds uhid devices from a work queue; waiting for each one's driver to start it
    // makes the interfaces appear (and enumerate) in their order, as a USB device's do.
    pollfd p{device.fd, POLLIN, 0};
    while (::poll(&p, 1, kStartTimeoutMs) > 0 && (p.revents & POLLIN)) {
        uhid_event ev{};
        if (::read(device.fd, &ev, sizeof ev) < static_cast<ssize_t>(sizeof ev.type)) break;
        if (ev.type == UHID_START) return true;
    }
    log_ << "varnel-uhid: no HID driver started " << device.spec.name << " (is hid-generic loaded?)\n";
    return false;
}

bool Runner::plugMouse() {
    generation_ = mouse_->generation();
    for (const auto& spec : mouseDevices(*mouse_, generation_))
        if (!plug(spec, mouseDevices_)) return false;
    return true;
}

void Runner::unplugMouse() {
    // Closing the uhid file destroys the device: its hidraw node goes at once.
    for (auto& d : mouseDevices_) ::close(d.fd);
    mouseDevices_.clear();
}

bool Runner::serve(Device& device, bool neighbour) {
    uhid_event ev{};
    ssize_t n = ::read(device.fd, &ev, sizeof ev);
    if (n < 0 && (errno == EINTR || errno == EAGAIN)) return true;
    if (n < static_cast<ssize_t>(sizeof ev.type)) {
        log_ << "varnel-uhid: reading " << device.spec.name << " failed: " << std::strerror(errno) << '\n';
        return false;
    }
    const bool report = ev.type == UHID_GET_REPORT || ev.type == UHID_SET_REPORT;
    if (neighbour && report) ++neighbourReports_;
    if (ev.type == UHID_SET_REPORT) dirty_ = true;
    auto reply =
        answer(neighbour ? nullptr : mouse_.get(), device.spec.interfaceIndex, generation_, ev, options_.shortReply);
    if (reply && !writeEvent(device.fd, *reply)) {
        log_ << "varnel-uhid: answering on " << device.spec.name << " failed: " << std::strerror(errno) << '\n';
        return false;
    }
    return true;
}

bool Runner::save() {
    if (!options_.save) return true;
    dirty_ = false;
    if (auto s = writeFileAtomic(*options_.save, mouse_->memory()); !s) {
        log_ << "varnel-uhid: " << s.error().message << '\n';
        return false;
    }
    return true;
}

int Runner::run() {
    int signals = stopSignals();
    if (signals < 0) {
        log_ << "varnel-uhid: cannot take the stop signals: " << std::strerror(errno) << '\n';
        return kRunnerFailed;
    }
    bool ok = !options_.neighbour || plug(neighbourDevice(), neighbour_);
    bool stop = false;
    while (ok && !stop) {
        if (mouseDevices_.empty() && mouse_->online() && !(ok = plugMouse())) break;

        std::vector<pollfd> fds{{signals, POLLIN, 0}};
        std::vector<std::pair<Device*, bool>> sources;  // device, is the neighbour
        for (auto& d : mouseDevices_) sources.push_back({&d, false});
        for (auto& d : neighbour_) sources.push_back({&d, true});
        for (auto& [d, _] : sources) fds.push_back({d->fd, POLLIN, 0});
        const int timeout = mouseDevices_.empty() ? kRestartCheckMs : dirty_ ? kSaveAfterQuietMs : -1;

        int ready = ::poll(fds.data(), fds.size(), timeout);
        if (ready < 0 && errno != EINTR) {
            log_ << "varnel-uhid: poll failed: " << std::strerror(errno) << '\n';
            ok = false;
            break;
        }
        if (ready == 0 && dirty_ && !mouseDevices_.empty()) ok = save();
        if (ready <= 0) continue;
        if (fds[0].revents & POLLIN) stop = true;
        for (std::size_t i = 0; i < sources.size() && ok; ++i) {
            if (fds[i + 1].revents & (POLLERR | POLLHUP | POLLNVAL))
                ok = false;
            else if (fds[i + 1].revents & POLLIN)
                ok = serve(*sources[i].first, sources[i].second);
        }
        // The mouse left the bus (command 18, or a vanish fault): so do its devices.
        if (ok && !mouseDevices_.empty() && mouse_->generation() != generation_) {
            unplugMouse();
            ok = save();
        }
    }
    unplugMouse();
    ::close(signals);
    if (!save()) ok = false;
    if (!ok) return kRunnerFailed;
    if (neighbourReports_ > 0) {
        log_ << "varnel-uhid: " << neighbourReports_ << " report(s) reached the other vendor's device\n";
        return kRunnerNeighbourReached;
    }
    return kRunnerDone;
}

}  // namespace varnel::uhid
