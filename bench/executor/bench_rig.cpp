#include "bench_rig.h"

#include <sys/vfs.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <stdexcept>

#include "device/input_listener.h"
#include "settings/storage.h"

namespace zep::bench {

using namespace std::chrono_literals;

ScratchDir::ScratchDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zep-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
    std::filesystem::copy_file(ZEP_SHIPPED_CONFIG, path_ / "config.ini");
}

ScratchDir::~ScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string FileSystemName(const std::filesystem::path& path) {
    struct statfs fs {};
    if (statfs(path.c_str(), &fs) != 0) return "unknown";
    switch (static_cast<unsigned long>(fs.f_type)) {
        case 0xEF53:
            return "ext4";
        case 0x01021994:
            return "tmpfs";
        case 0x794C7630:
            return "overlayfs";
        case 0x9123683E:
            return "btrfs";
        case 0x58465342:
            return "xfs";
        default:
            return "other";
    }
}

namespace {

class StampingWriteHandle : public HidHandle {
  public:
    StampingWriteHandle(std::unique_ptr<HidHandle> inner, StampingBackend& owner)
        : inner_(std::move(inner)), owner_(owner) {}
    HidReadResult ReadInputReport(std::span<std::uint8_t> buffer, std::stop_token stop) override {
        return inner_->ReadInputReport(buffer, std::move(stop));
    }
    HidStatus SendFeatureReport(std::span<const std::uint8_t> report) override {
        owner_.OnSend(Clock::now());  // the moment the report leaves for the mouse
        return inner_->SendFeatureReport(report);
    }

  private:
    std::unique_ptr<HidHandle> inner_;
    StampingBackend& owner_;
};

}  // namespace

HidOpenResult StampingBackend::Open(const std::string& path, HidOpenMode mode) {
    HidOpenResult result = inner_.Open(path, mode);
    if (mode == HidOpenMode::Write && result.handle) {
        result.handle = std::make_unique<StampingWriteHandle>(std::move(result.handle), *this);
    }
    return result;
}

void StampingBackend::Arm() {
    std::lock_guard lock(mutex_);
    armed_ = true;
    stamp_.reset();
}

std::optional<Clock::time_point> StampingBackend::WaitForStamp(Clock::time_point deadline) {
    std::unique_lock lock(mutex_);
    stamped_.wait_until(lock, deadline, [&] { return stamp_.has_value(); });
    return stamp_;
}

void StampingBackend::Record(bool on) {
    std::lock_guard lock(mutex_);
    recording_ = on;
    if (on) recorded_.clear();
}

std::vector<Clock::time_point> StampingBackend::Recorded() {
    std::lock_guard lock(mutex_);
    return recorded_;
}

void StampingBackend::OnSend(Clock::time_point t) {
    bool notify = false;
    {
        std::lock_guard lock(mutex_);
        if (recording_) recorded_.push_back(t);
        if (armed_) {
            armed_ = false;
            stamp_ = t;
            notify = true;
        }
    }
    if (notify) stamped_.notify_all();
}

Rig::Rig(bool plugged) {
    settings.With([](SettingsState& s) {
        s.session.profile = DefaultProfile();
        s.session.profileNumber = 1;
    });
    if (plugged) {
        if (!link.Discover(backend)) throw std::runtime_error("the simulated mouse was not found");
        channel.AttachWriter(link.Writer());
    }
}

ApplyServices Rig::ApplyWith() {
    return {ini, dir, channel, pointer, [this] { return link.Writer().state == HandleState::Open; },
            {}};
}

std::uint32_t Rig::MacroMode() const {
    return static_cast<std::uint32_t>(
        settings.With([](const SettingsState& s) { return s.session.profile.macroMode; }));
}

void PollingListener::Start() {
    thread_ = std::jthread([this](std::stop_token stop) { Run(stop); });
}

void PollingListener::Stop() {
    if (!thread_.joinable()) return;
    thread_.request_stop();
    thread_.join();
}

void PollingListener::Run(std::stop_token stop) {
    std::array<std::uint8_t, ReportBufferSize> report{};
    while (!stop.stop_requested()) {
        const MouseCollection reader = link_.Reader();
        if (reader.state == HandleState::Open) {
            const HidReadResult read = reader.handle->ReadInputReport(report, stop);
            if (read.status == HidStatus::Ok) {
                ApplyInputReport(std::span<const std::uint8_t>(report.data(), read.size),
                                 macroMode_(), handOver_);
            }
        }
        std::this_thread::sleep_for(2ms);
    }
}

void PollingExecutor::Start() {
    thread_ = std::jthread([this](std::stop_token stop) { Run(stop); });
}

void PollingExecutor::Stop() {
    if (!thread_.joinable()) return;
    thread_.request_stop();
    thread_.join();
}

void PollingExecutor::Run(std::stop_token stop) {
    while (!stop.stop_requested()) {
        if (!handOver_.PressPending()) {
            std::this_thread::sleep_for(2ms);
            continue;
        }
        handler_.Handle(handOver_.Press());
        handOver_.Clear();
        {
            std::lock_guard lock(mutex_);
            ++handled_;
        }
        changed_.notify_all();
        std::this_thread::sleep_for(2ms);
    }
}

bool PollingExecutor::WaitUntilHandled(std::uint64_t count, Clock::time_point deadline) {
    std::unique_lock lock(mutex_);
    return changed_.wait_until(lock, deadline, [&] { return handled_ >= count; });
}

void OriginalApplyProfile(SharedSettings& settings, ApplyServices& services) {
    const auto [session, applied] = settings.With([](SettingsState& s) {
        s.applied = AppliedStateOf(s.session.profile);
        return std::pair{s.session, s.applied};
    });
    const MouseProfile& p = session.profile;
    const auto config = services.dir.ConfigPath();
    // The same reports as ours; what differs is that every key is a file replacement of its own.
    auto writeKeyByKey = [&](const IniSectionEntries& section) {
        for (const IniEntry& e : section.entries) {
            (void)services.ini.Write(config, section.section, e.key, e.value);
        }
    };
    writeKeyByKey(CurrentNumberEntries(session.profileNumber));
    writeKeyByKey(ProfileSectionEntries(kAppliedSnapshotNumber, p));
    const ApplyCommands commands =
        ProfileCommands(p, applied, services.writerOpen && services.writerOpen());
    for (const Command& c : commands.beforePointer) (void)services.channel.Send(c);
    if (services.repaint) services.repaint();
    (void)services.pointer.SetPointerSpeed(PointerSpeedOfStep(p.pointerSpeed));
    (void)services.pointer.SetWheelLines(p.wheelSpeed + 1);
    (void)services.channel.Send(commands.fireInterval);
    writeKeyByKey(ProfileSectionEntries(session.profileNumber, p));
}

Summary Summarize(std::vector<double> values) {
    Summary s;
    s.n = values.size();
    if (values.empty()) return s;
    std::sort(values.begin(), values.end());
    auto rank = [&](double q) {
        const auto k = static_cast<std::size_t>(std::ceil(q * static_cast<double>(values.size())));
        return values[std::clamp<std::size_t>(k, 1, values.size()) - 1];
    };
    s.min = values.front();
    s.p50 = rank(0.50);
    s.p99 = rank(0.99);
    s.max = values.back();
    return s;
}

}  // namespace zep::bench
