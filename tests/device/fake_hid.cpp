#include "device/fake_hid.h"

namespace zep::test {
namespace {

// Forwards to a handle the test keeps, so it can feed and inspect it after discovery took it.
class SharedHandle : public HidHandle {
  public:
    explicit SharedHandle(std::shared_ptr<FakeHidHandle> h) : h_(std::move(h)) {}
    HidReadResult ReadInputReport(std::span<std::uint8_t> b, std::stop_token s) override {
        return h_->ReadInputReport(b, std::move(s));
    }
    HidStatus SendFeatureReport(std::span<const std::uint8_t> r) override {
        return h_->SendFeatureReport(r);
    }

  private:
    std::shared_ptr<FakeHidHandle> h_;
};

}  // namespace

HidReadResult FakeHidHandle::ReadInputReport(std::span<std::uint8_t> buffer, std::stop_token stop) {
    std::unique_lock lock(mutex_);
    readerWaiting_ = true;
    changed_.notify_all();
    changed_.wait(lock, stop, [&] { return !input_.empty(); });
    readerWaiting_ = false;
    if (input_.empty()) return {HidStatus::Interrupted, 0};
    auto [bytes, status] = std::move(input_.front());
    input_.pop_front();
    if (status != HidStatus::Ok) return {status, 0};
    const std::size_t size = std::min(bytes.size(), buffer.size());
    std::copy_n(bytes.begin(), size, buffer.begin());
    return {HidStatus::Ok, size};
}

HidStatus FakeHidHandle::SendFeatureReport(std::span<const std::uint8_t> report) {
    std::lock_guard lock(mutex_);
    sent_.emplace_back(report.begin(), report.end());
    return sendStatus;
}

void FakeHidHandle::Feed(std::vector<std::uint8_t> report, HidStatus status) {
    {
        std::lock_guard lock(mutex_);
        input_.emplace_back(std::move(report), status);
    }
    changed_.notify_all();
}

void FakeHidHandle::WaitUntilDrained() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return input_.empty() && readerWaiting_; });
}

std::vector<std::vector<std::uint8_t>> FakeHidHandle::Sent() const {
    std::lock_guard lock(mutex_);
    return sent_;
}

HidOpenResult FakeHidBackend::Open(const std::string& path, HidOpenMode mode) {
    opened.emplace_back(path, mode);
    const auto status = openStatus.find(path);
    if (status != openStatus.end() && status->second != HidStatus::Ok) return {status->second, {}};
    auto handle = std::make_shared<FakeHidHandle>();
    handles[path] = handle;
    return {HidStatus::Ok, std::make_unique<SharedHandle>(handle)};
}

std::unique_ptr<HidRemovalWatch> FakeHidBackend::WatchRemoval(const std::string& path,
                                                              std::function<void()> onRemoved) {
    watched.push_back(path);
    watches_.emplace(path, std::move(onRemoved));
    return std::make_unique<HidRemovalWatch>();
}

void FakeHidBackend::Remove(const std::string& path) {
    auto [first, last] = watches_.equal_range(path);
    for (auto it = first; it != last; ++it) it->second();
}

}  // namespace zep::test
