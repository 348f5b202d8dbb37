#include <gtest/gtest.h>

#include "platform/hid/fake_sysfs.h"
#include "platform/hid/linux_hidraw/report_descriptor.h"

namespace zep {
namespace {

using test::HexBytes;

struct Expected {
    std::uint16_t page, usage, input, output, feature;
};

void ExpectCollections(const test::Descriptor& bytes, const std::vector<Expected>& expected,
                       const char* name) {
    const DescriptorParse parsed = ParseReportDescriptor(bytes);
    ASSERT_TRUE(parsed.descriptor.has_value()) << name << ": " << parsed.error;
    const auto& got = parsed.descriptor->collections;
    ASSERT_EQ(got.size(), expected.size()) << name;
    for (std::size_t i = 0; i < got.size(); ++i) {
        EXPECT_EQ(got[i].usagePage, expected[i].page) << name << " #" << i;
        EXPECT_EQ(got[i].usage, expected[i].usage) << name << " #" << i;
        EXPECT_EQ(got[i].Length(ReportKind::Input), expected[i].input) << name << " #" << i;
        EXPECT_EQ(got[i].Length(ReportKind::Output), expected[i].output) << name << " #" << i;
        EXPECT_EQ(got[i].Length(ReportKind::Feature), expected[i].feature) << name << " #" << i;
    }
}

TEST(ReportDescriptor, TheTestDevicesInterfaces) {
    // Without report ids the id byte still counts: 7 data bytes give 8.
    ExpectCollections(test::BootMouseDescriptor(), {{0x01, 0x02, 8, 0, 0}}, "boot mouse");
    const test::Descriptor vendor = test::VendorInterfaceDescriptor();
    ExpectCollections(
        vendor,
        {{0x01, 0x06, 9, 2, 0}, {0x0C, 0x01, 3, 0, 0}, {0xFF00, 1, 9, 0, 0}, {0xFF01, 1, 0, 0, 9}},
        "keyboard, consumer, vendor");
    const auto parsed = ParseReportDescriptor(vendor);
    EXPECT_TRUE(parsed.descriptor->usesReportIds);
    EXPECT_TRUE(parsed.descriptor->collections[2].HasReport(ReportKind::Input, 6));
    EXPECT_FALSE(parsed.descriptor->collections[2].HasReport(ReportKind::Input, 1));
    EXPECT_EQ(parsed.descriptor->collections[3].ReportLength(ReportKind::Feature, 7), 9);
    EXPECT_TRUE(parsed.descriptor->sharedReportIds.empty());
}

TEST(ReportDescriptor, TrickyButValidDescriptors) {
    const struct {
        const char* name;
        const char* hex;
        std::vector<Expected> expected;
    } cases[] = {
        {"Push/Pop restores size, count and report id",
         "06 00 FF 09 01 A1 01 85 03 75 08 95 04 A4 85 04 75 10 95 01 B1 02 B4 81 02 C0",
         {{0xFF00, 1, 5, 0, 3}}},
        {"4-byte usage carries its own page",
         "05 01 0B 01 00 0C 00 A1 01 75 08 95 02 81 02 C0",
         {{0x000C, 1, 3, 0, 0}}},
        {"nested collections stay in their top-level collection",
         "05 01 09 02 A1 01 09 01 A1 00 75 08 95 01 81 02 A1 02 95 02 81 02 C0 C0 C0",
         {{0x01, 2, 4, 0, 0}}},
        {"page and sizes carry into the next collection",
         "06 00 FF 09 01 A1 01 75 08 95 03 81 02 C0 09 02 A1 01 B1 02 C0",
         {{0xFF00, 1, 4, 0, 0}, {0xFF00, 2, 0, 0, 4}}},
        {"bits of one report summed before rounding",
         "05 01 09 02 A1 01 75 01 95 03 81 02 75 01 95 05 81 02 C0",
         {{0x01, 2, 2, 0, 0}}},
        {"a short usage takes the page in force at the collection item",
         "05 01 09 06 05 07 A1 01 75 08 95 01 81 02 C0",
         {{0x07, 6, 2, 0, 0}}},
        {"long items are skipped", "FE 02 10 AA BB 05 01 09 02 A1 01 C0", {{0x01, 2, 0, 0, 0}}},
        {"largest report of the kind wins",
         "06 00 FF 09 01 A1 01 85 01 75 08 95 02 81 02 85 02 95 10 81 02 C0",
         {{0xFF00, 1, 17, 0, 0}}},
    };
    for (const auto& c : cases) ExpectCollections(HexBytes(c.hex), c.expected, c.name);
}

TEST(ReportDescriptor, RejectsMalformedInput) {
    const struct {
        const char* name;
        test::Descriptor bytes;
    } cases[] = {
        {"truncated item", HexBytes("05 01 09 02 A1 01 26 FF")},
        {"truncated long item", HexBytes("FE 05 10 AA")},
        {"report id 0", HexBytes("05 01 09 02 A1 01 85 00 C0")},
        {"report id above 255", HexBytes("05 01 09 02 A1 01 86 00 01 C0")},
        {"pop without push", HexBytes("05 01 B4")},
        {"end collection without collection", HexBytes("05 01 C0")},
        {"collection left open", HexBytes("05 01 09 02 A1 01")},
        {"report over 16 KiB", HexBytes("05 01 09 02 A1 01 75 08 96 01 40 81 02 C0")},
        {"descriptor over 4096 bytes", test::Descriptor(4097, 0x00)},
    };
    for (const auto& c : cases) {
        const DescriptorParse parsed = ParseReportDescriptor(c.bytes);
        EXPECT_FALSE(parsed.descriptor.has_value()) << c.name;
        EXPECT_FALSE(parsed.error.empty()) << c.name;
    }
    // Exactly 16 KiB of data is still a report.
    EXPECT_TRUE(
        ParseReportDescriptor(HexBytes("05 01 09 02 A1 01 75 08 96 00 40 81 02 C0")).descriptor);
}

TEST(ReportDescriptor, FlagsAReportIdUsedByTwoCollections) {
    const auto parsed = ParseReportDescriptor(
        HexBytes("06 00 FF 09 01 A1 01 85 05 75 08 95 01 81 02 C0 09 02 A1 01 B1 02 C0"));
    ASSERT_TRUE(parsed.descriptor);
    EXPECT_EQ(parsed.descriptor->sharedReportIds, (std::vector<std::uint8_t>{5}));
}

}  // namespace
}  // namespace zep
