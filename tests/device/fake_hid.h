#pragma once
// A scripted HidBackend: a fixed list of interfaces, recorded feature reports, input reports fed
// by the test, and removal triggered by the test.

#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/hid/hid_backend.h"

namespace zep::test {

class FakeHidHandle : public HidHandle {
  public:
    HidReadResult ReadInputReport(std::span<std::uint8_t> buffer, std::stop_token stop) override;
    HidStatus SendFeatureReport(std::span<const std::uint8_t> report) override;

    // The next read returns these bytes (or status, when it is not Ok).
    void Feed(std::vector<std::uint8_t> report, HidStatus status = HidStatus::Ok);
    // Blocks until every fed report has been taken by a read that has come back for more.
    void WaitUntilDrained();
    [[nodiscard]] std::vector<std::vector<std::uint8_t>> Sent() const;

    HidStatus sendStatus = HidStatus::Ok;

  private:
    mutable std::mutex mutex_;
    std::condition_variable_any changed_;
    std::deque<std::pair<std::vector<std::uint8_t>, HidStatus>> input_;
    bool readerWaiting_ = false;
    std::vector<std::vector<std::uint8_t>> sent_;
};

class FakeHidBackend : public HidBackend {
  public:
    std::vector<HidInterfaceInfo> ListInterfaces() override { return interfaces; }
    HidOpenResult Open(const std::string& path, HidOpenMode mode) override;
    std::unique_ptr<HidRemovalWatch> WatchRemoval(const std::string& path,
                                                  std::function<void()> onRemoved) override;

    // Runs the removal notices armed for path.
    void Remove(const std::string& path);

    std::vector<HidInterfaceInfo> interfaces;
    std::map<std::string, HidStatus> openStatus;  // Ok unless listed
    std::vector<std::pair<std::string, HidOpenMode>> opened;
    std::map<std::string, std::shared_ptr<FakeHidHandle>> handles;  // the handle of each open
    std::vector<std::string> watched;

  private:
    std::multimap<std::string, std::function<void()>> watches_;
};

}  // namespace zep::test
