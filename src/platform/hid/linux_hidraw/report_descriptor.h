#pragma once
// A HID report descriptor split into top-level collections, with the byte length of every report
// each collection declares. Enough to present each collection of a hidraw node as an interface of
// its own, as the HID class driver of other systems does, and to size and filter its reports.

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace zep {

enum class ReportKind : std::uint8_t { Input, Output, Feature };

struct TopLevelCollection {
    std::uint16_t usagePage = 0;
    std::uint16_t usage = 0;
    // Bits per report id (0 when the descriptor declares no ids), summed over the main items.
    std::map<std::uint8_t, std::uint32_t> inputBits, outputBits, featureBits;

    [[nodiscard]] const std::map<std::uint8_t, std::uint32_t>& Bits(ReportKind kind) const;
    // The largest report of the kind in bytes, counting the report-id byte (also when it is 0);
    // 0 when the collection has no report of the kind.
    [[nodiscard]] std::uint16_t Length(ReportKind kind) const;
    // The byte length of one report, id byte included; 0 when the collection has no such report.
    [[nodiscard]] std::uint16_t ReportLength(ReportKind kind, std::uint8_t reportId) const;
    [[nodiscard]] bool HasReport(ReportKind kind, std::uint8_t reportId) const {
        return Bits(kind).contains(reportId);
    }
};

struct ReportDescriptor {
    std::vector<TopLevelCollection> collections;
    bool usesReportIds = false;
    // Report ids that two top-level collections both use: their reports cannot be told apart.
    std::vector<std::uint8_t> sharedReportIds;
};

inline constexpr std::size_t MaxDescriptorSize = 4096;
inline constexpr std::uint32_t MaxReportBytes = 16 * 1024;

struct DescriptorParse {
    std::optional<ReportDescriptor> descriptor;
    std::string error;  // set when descriptor is not
};

// Rejects truncated items, a descriptor over MaxDescriptorSize, a report over MaxReportBytes,
// report id 0 or above 255, Pop without Push, End Collection without Collection, and a collection
// left open at the end.
[[nodiscard]] DescriptorParse ParseReportDescriptor(std::span<const std::uint8_t> bytes);

}  // namespace zep
