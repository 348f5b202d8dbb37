#pragma once
// A HidBackend that passes everything through and writes each feature report sent ("> 07 ...")
// and each input report received ("< 06 ...") to a sink, for the verbose mode.

#include <functional>
#include <memory>
#include <string>

#include "platform/hid/hid_backend.h"

namespace zep::cli {

class LoggingHidBackend : public HidBackend {
  public:
    using Sink = std::function<void(const std::string&)>;
    LoggingHidBackend(HidBackend& inner, Sink sink) : inner_(inner), sink_(std::move(sink)) {}

    std::vector<HidInterfaceInfo> ListInterfaces() override { return inner_.ListInterfaces(); }
    HidOpenResult Open(const std::string& path, HidOpenMode mode) override;
    std::unique_ptr<HidRemovalWatch> WatchRemoval(const std::string& path,
                                                  std::function<void()> onRemoved) override {
        return inner_.WatchRemoval(path, std::move(onRemoved));
    }

  private:
    HidBackend& inner_;
    Sink sink_;
};

// "07 10 01 01": bytes in upper-case hex, separated by blanks.
[[nodiscard]] std::string HexBytes(std::span<const std::uint8_t> bytes);

}  // namespace zep::cli
