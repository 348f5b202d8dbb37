#include "platform/hid/linux_hidraw/report_descriptor.h"

#include <algorithm>
#include <set>

namespace zep {
namespace {

// The item state that Push and Pop save and restore.
struct GlobalState {
    std::uint32_t usagePage = 0;
    std::uint32_t reportSize = 0;
    std::uint32_t reportCount = 0;
    std::uint32_t reportId = 0;
};

// The usage as the item gave it: a 4-byte usage carries its page, a shorter one takes the page in
// force at the Collection item.
struct LocalUsage {
    std::uint32_t value = 0;
    bool extended = false;
};

enum ItemType : std::uint8_t { Main = 0, Global = 1, Local = 2 };

class Parser {
  public:
    DescriptorParse Run(std::span<const std::uint8_t> bytes);

  private:
    bool Item(std::uint8_t type, std::uint8_t tag, std::uint32_t data, std::size_t size);
    bool MainItem(std::uint8_t tag, std::uint32_t data);
    bool GlobalItem(std::uint8_t tag, std::uint32_t data);
    bool AddBits(ReportKind kind);
    bool Fail(std::string message) {
        error_ = std::move(message);
        return false;
    }

    GlobalState global_;
    std::vector<GlobalState> stack_;
    std::optional<LocalUsage> usage_;
    int depth_ = 0;
    ReportDescriptor result_;
    std::string error_;
};

DescriptorParse Parser::Run(std::span<const std::uint8_t> bytes) {
    if (bytes.size() > MaxDescriptorSize) return {std::nullopt, "descriptor over 4096 bytes"};
    std::size_t at = 0;
    while (at < bytes.size()) {
        const std::uint8_t prefix = bytes[at];
        if (prefix == 0xFE) {  // long item: size, tag, data; nothing we need
            if (at + 2 >= bytes.size()) return {std::nullopt, "truncated long item"};
            const std::size_t next = at + 3 + bytes[at + 1];
            if (next > bytes.size()) return {std::nullopt, "truncated long item"};
            at = next;
            continue;
        }
        const std::size_t size = (prefix & 3u) == 3 ? 4 : (prefix & 3u);
        if (at + 1 + size > bytes.size()) return {std::nullopt, "truncated item"};
        std::uint32_t data = 0;
        for (std::size_t i = 0; i < size; ++i) data |= std::uint32_t{bytes[at + 1 + i]} << (8 * i);
        if (!Item(static_cast<std::uint8_t>((prefix >> 2) & 3u), prefix >> 4, data, size)) {
            return {std::nullopt, error_};
        }
        at += 1 + size;
    }
    if (depth_ != 0) return {std::nullopt, "collection not closed"};
    return {std::move(result_), {}};
}

bool Parser::Item(std::uint8_t type, std::uint8_t tag, std::uint32_t data, std::size_t size) {
    switch (type) {
        case Main: {
            const bool ok = MainItem(tag, data);
            usage_.reset();  // local items last until the next main item
            return ok;
        }
        case Global:
            return GlobalItem(tag, data);
        case Local:
            if (tag == 0) usage_ = LocalUsage{data, size == 4};
            return true;
        default:
            return true;  // reserved
    }
}

bool Parser::GlobalItem(std::uint8_t tag, std::uint32_t data) {
    switch (tag) {
        case 0:
            global_.usagePage = data;
            break;
        case 7:
            global_.reportSize = data;
            break;
        case 8:
            if (data == 0 || data > 255) return Fail("report id " + std::to_string(data));
            global_.reportId = data;
            result_.usesReportIds = true;
            break;
        case 9:
            global_.reportCount = data;
            break;
        case 10:
            if (stack_.size() >= 64) return Fail("push stack too deep");
            stack_.push_back(global_);
            break;
        case 11:
            if (stack_.empty()) return Fail("pop without push");
            global_ = stack_.back();
            stack_.pop_back();
            break;
        default:
            break;
    }
    return true;
}

bool Parser::MainItem(std::uint8_t tag, std::uint32_t data) {
    switch (tag) {
        case 8:
            return AddBits(ReportKind::Input);
        case 9:
            return AddBits(ReportKind::Output);
        case 11:
            return AddBits(ReportKind::Feature);
        case 10:  // Collection
            if (depth_++ == 0) {
                TopLevelCollection collection;
                const LocalUsage usage = usage_.value_or(LocalUsage{});
                collection.usagePage = static_cast<std::uint16_t>(
                    usage.extended ? usage.value >> 16 : global_.usagePage);
                collection.usage = static_cast<std::uint16_t>(usage.value & 0xFFFF);
                result_.collections.push_back(collection);
            }
            return true;
        case 12:  // End Collection
            if (depth_ == 0) return Fail("end collection without collection");
            --depth_;
            return true;
        default:
            (void)data;
            return true;
    }
}

bool Parser::AddBits(ReportKind kind) {
    if (depth_ == 0) return true;  // outside every collection: belongs to no interface
    const std::uint64_t bits = std::uint64_t{global_.reportSize} * global_.reportCount;
    auto& perId = result_.collections.back();
    auto& map = kind == ReportKind::Input    ? perId.inputBits
                : kind == ReportKind::Output ? perId.outputBits
                                             : perId.featureBits;
    const std::uint64_t total = map[static_cast<std::uint8_t>(global_.reportId)] + bits;
    if (total > std::uint64_t{MaxReportBytes} * 8) return Fail("report over 16 KiB");
    map[static_cast<std::uint8_t>(global_.reportId)] = static_cast<std::uint32_t>(total);
    return true;
}

void FindSharedIds(ReportDescriptor& d) {
    std::map<std::uint8_t, std::set<std::size_t>> owners;
    for (std::size_t i = 0; i < d.collections.size(); ++i) {
        for (auto kind : {ReportKind::Input, ReportKind::Output, ReportKind::Feature}) {
            for (auto& [id, bits] : d.collections[i].Bits(kind)) owners[id].insert(i);
        }
    }
    for (auto& [id, who] : owners) {
        if (who.size() > 1) d.sharedReportIds.push_back(id);
    }
}

}  // namespace

const std::map<std::uint8_t, std::uint32_t>& TopLevelCollection::Bits(ReportKind kind) const {
    switch (kind) {
        case ReportKind::Input:
            return inputBits;
        case ReportKind::Output:
            return outputBits;
        case ReportKind::Feature:
            break;
    }
    return featureBits;
}

std::uint16_t TopLevelCollection::ReportLength(ReportKind kind, std::uint8_t reportId) const {
    const auto& bits = Bits(kind);
    const auto it = bits.find(reportId);
    if (it == bits.end()) return 0;
    return static_cast<std::uint16_t>((it->second + 7) / 8 + 1);
}

std::uint16_t TopLevelCollection::Length(ReportKind kind) const {
    std::uint16_t longest = 0;
    for (auto& [id, bits] : Bits(kind)) longest = std::max(longest, ReportLength(kind, id));
    return longest;
}

DescriptorParse ParseReportDescriptor(std::span<const std::uint8_t> bytes) {
    DescriptorParse parsed = Parser().Run(bytes);
    if (parsed.descriptor) FindSharedIds(*parsed.descriptor);
    return parsed;
}

}  // namespace zep
