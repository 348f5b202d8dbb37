#include "cli/logging_hid_backend.h"

namespace zep::cli {

namespace {

class LoggingHandle : public HidHandle {
  public:
    LoggingHandle(std::unique_ptr<HidHandle> inner, LoggingHidBackend::Sink& sink)
        : inner_(std::move(inner)), sink_(sink) {}

    HidReadResult ReadInputReport(std::span<std::uint8_t> buffer, std::stop_token stop) override {
        const HidReadResult r = inner_->ReadInputReport(buffer, stop);
        if (r.status == HidStatus::Ok) sink_("< " + HexBytes(buffer.first(r.size)));
        return r;
    }
    HidStatus SendFeatureReport(std::span<const std::uint8_t> report) override {
        const HidStatus status = inner_->SendFeatureReport(report);
        sink_("> " + HexBytes(report) +
              (status == HidStatus::Ok ? "" : "  (" + std::string(HidStatusName(status)) + ")"));
        return status;
    }

  private:
    std::unique_ptr<HidHandle> inner_;
    LoggingHidBackend::Sink& sink_;
};

}  // namespace

std::string HexBytes(std::span<const std::uint8_t> bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i) out.push_back(' ');
        out.push_back(kDigits[bytes[i] >> 4]);
        out.push_back(kDigits[bytes[i] & 0xF]);
    }
    return out;
}

HidOpenResult LoggingHidBackend::Open(const std::string& path, HidOpenMode mode) {
    HidOpenResult r = inner_.Open(path, mode);
    if (r.handle) r.handle = std::make_unique<LoggingHandle>(std::move(r.handle), sink_);
    return r;
}

}  // namespace zep::cli
