#include "device/hid/ReportDescriptor.h"

#include <gtest/gtest.h>

#include <vector>

namespace zentro {
namespace {

using Bytes = std::vector<uint8_t>;

// The mouse's command collection: vendor page 0xFF00, unnumbered, 8-byte feature report and
// 32-byte input and output reports.
const Bytes kCommandCollection = {
    0x06, 0x00, 0xFF,                   // Usage Page (0xFF00)
    0x0A, 0x00, 0xFF,                   // Usage (0xFF00)
    0xA1, 0x01,                         // Collection (Application)
    0x15, 0x00, 0x26, 0xFF, 0x00,       //   Logical Minimum 0, Maximum 255
    0x75, 0x08, 0x95, 0x08,             //   Report Size 8, Count 8
    0x09, 0x01, 0xB1, 0x02,             //   Usage 1, Feature (Data, Var, Abs)
    0x95, 0x20, 0x09, 0x02, 0x81, 0x02, // Report Count 32, Usage 2, Input
    0x95, 0x20, 0x09, 0x03, 0x91, 0x02, // Report Count 32, Usage 3, Output
    0xC0,                               // End Collection
};

// The event collection: vendor page 0xFF01, report ID 6, 8 data bytes.
const Bytes kEventCollection = {
    0x06, 0x01, 0xFF, 0x0A, 0x01, 0xFF, 0xA1, 0x01, 0x85, 0x06,
    0x75, 0x08, 0x95, 0x08, 0x09, 0x01, 0x81, 0x02, 0xC0,
};

// A standard mouse (ID 1), consumer control (ID 2) and keyboard with LED output (ID 3).
const Bytes kMouseConsumerKeyboard = {
    // Mouse: 5 buttons + 3 padding bits + X, Y, wheel bytes = 4 bytes
    0x05,
    0x01,
    0x09,
    0x02,
    0xA1,
    0x01,
    0x85,
    0x01,
    0x09,
    0x01,
    0xA1,
    0x00,
    0x05,
    0x09,
    0x19,
    0x01,
    0x29,
    0x05,
    0x15,
    0x00,
    0x25,
    0x01,
    0x95,
    0x05,
    0x75,
    0x01,
    0x81,
    0x02,
    0x95,
    0x01,
    0x75,
    0x03,
    0x81,
    0x01,
    0x05,
    0x01,
    0x09,
    0x30,
    0x09,
    0x31,
    0x09,
    0x38,
    0x15,
    0x81,
    0x25,
    0x7F,
    0x75,
    0x08,
    0x95,
    0x03,
    0x81,
    0x06,
    0xC0,
    0xC0,
    // Consumer control: one 16-bit usage
    0x05,
    0x0C,
    0x09,
    0x01,
    0xA1,
    0x01,
    0x85,
    0x02,
    0x15,
    0x00,
    0x26,
    0xFF,
    0x03,
    0x19,
    0x00,
    0x2A,
    0xFF,
    0x03,
    0x75,
    0x10,
    0x95,
    0x01,
    0x81,
    0x00,
    0xC0,
    // Keyboard: modifiers + 6 keys in, 5 LED bits + 3 padding out
    0x05,
    0x01,
    0x09,
    0x06,
    0xA1,
    0x01,
    0x85,
    0x03,
    0x05,
    0x07,
    0x19,
    0xE0,
    0x29,
    0xE7,
    0x15,
    0x00,
    0x25,
    0x01,
    0x75,
    0x01,
    0x95,
    0x08,
    0x81,
    0x02,
    0x95,
    0x06,
    0x75,
    0x08,
    0x81,
    0x00,
    0x05,
    0x08,
    0x19,
    0x01,
    0x29,
    0x05,
    0x95,
    0x05,
    0x75,
    0x01,
    0x91,
    0x02,
    0x95,
    0x01,
    0x75,
    0x03,
    0x91,
    0x01,
    0xC0,
};

HidReportDescriptorInfo Parse(const Bytes& d)
{
    return ParseReportDescriptor(d.data(), d.size());
}

TEST(ReportDescriptorTest, ComputesUsagesAndWindowsReportLengths)
{
    struct Expected {
        uint16_t page, usage, in, out, feature;
        std::vector<uint8_t> inputIds;
    };
    struct Case {
        const char* name;
        Bytes descriptor;
        std::vector<Expected> collections;
    } cases[] = {
        {"command", kCommandCollection, {{0xFF00, 0xFF00, 33, 33, 9, {}}}},
        {"event", kEventCollection, {{0xFF01, 0xFF01, 9, 0, 0, {6}}}},
        {"several",
         kMouseConsumerKeyboard,
         {{0x0001, 0x0002, 5, 0, 0, {1}},
          {0x000C, 0x0001, 3, 0, 0, {2}},
          {0x0001, 0x0006, 8, 2, 0, {3}}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto info = Parse(c.descriptor);
        ASSERT_TRUE(info.Ok()) << info.error;
        ASSERT_EQ(info.collections.size(), c.collections.size());
        for (size_t i = 0; i < c.collections.size(); ++i) {
            const auto& got = info.collections[i];
            const auto& want = c.collections[i];
            EXPECT_EQ(got.usagePage, want.page) << i;
            EXPECT_EQ(got.usage, want.usage) << i;
            EXPECT_EQ(got.inputLen, want.in) << i;
            EXPECT_EQ(got.outputLen, want.out) << i;
            EXPECT_EQ(got.featureLen, want.feature) << i;
            EXPECT_EQ(got.inputReportIds, want.inputIds) << i;
        }
    }
}

TEST(ReportDescriptorTest, LongestReportOverIdsWins)
{
    // One collection, input report 1 of 2 bytes and input report 2 of 10 bytes.
    const Bytes d = {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x75, 0x08, 0x85, 0x01,
                     0x95, 0x02, 0x81, 0x02, 0x85, 0x02, 0x95, 0x0A, 0x81, 0x02, 0xC0};
    auto info = Parse(d);
    ASSERT_TRUE(info.Ok()) << info.error;
    EXPECT_EQ(info.collections[0].inputLen, 11);
    EXPECT_EQ(info.collections[0].inputReportIds, (std::vector<uint8_t>{1, 2}));
}

TEST(ReportDescriptorTest, HandlesExtendedUsagesPushPopAndLongItems)
{
    const Bytes d = {
        0x05, 0x01,                   // Usage Page (Generic Desktop)
        0x0B, 0x01, 0x00, 0x0C, 0x00, // Usage (Consumer:0x0001), extended
        0xA1, 0x01,                   // Collection
        0x75, 0x08, 0x95, 0x04,       //   Size 8, Count 4
        0xA4,                         //   Push
        0x75, 0x10, 0x95, 0x10,       //   Size 16, Count 16
        0xB4,                         //   Pop: back to 4 x 8 bits
        0xFE, 0x02, 0x10, 0xAA, 0xBB, //   Long item, skipped
        0xA1, 0x02,                   //   Nested logical collection
        0x81, 0x02,                   //     Input: 4 bytes
        0xC0,                         //   End
        0xC0,                         // End
    };
    auto info = Parse(d);
    ASSERT_TRUE(info.Ok()) << info.error;
    ASSERT_EQ(info.collections.size(), 1u);
    EXPECT_EQ(info.collections[0].usagePage, 0x000C);
    EXPECT_EQ(info.collections[0].usage, 0x0001);
    EXPECT_EQ(info.collections[0].inputLen, 5);
    EXPECT_FALSE(info.numbered);
}

TEST(ReportDescriptorTest, TruncationNeverYieldsACutCollection)
{
    for (const Bytes* d : {&kCommandCollection, &kEventCollection, &kMouseConsumerKeyboard}) {
        const size_t full = Parse(*d).collections.size();
        for (size_t n = 0; n < d->size(); ++n) {
            // Copied so that a read past n is caught by the sanitizer build.
            Bytes prefix(d->begin(), d->begin() + static_cast<ptrdiff_t>(n));
            auto info = ParseReportDescriptor(prefix.empty() ? nullptr : prefix.data(), n);
            // A cut between two complete top-level collections is a shorter valid descriptor;
            // a cut anywhere else is an error.
            if (info.Ok()) {
                EXPECT_LT(info.collections.size(), full) << "length " << n;
            }
            if (full == 1) {
                EXPECT_FALSE(info.Ok()) << "length " << n;
            }
        }
    }
}

TEST(ReportDescriptorTest, MalformedDescriptorsAreRejected)
{
    struct Case {
        const char* name;
        Bytes descriptor;
    } cases[] = {
        {"end collection first", {0xC0}},
        {"report ID zero", {0x09, 0x01, 0xA1, 0x01, 0x85, 0x00, 0xC0}},
        {"pop without push", {0xB4, 0x09, 0x01, 0xA1, 0x01, 0xC0}},
        {"reserved item type", {0x0C, 0x09, 0x01, 0xA1, 0x01, 0xC0}},
        {"unknown main item", {0x09, 0x01, 0xA1, 0x01, 0xD0, 0xC0}},
        {"truncated 4-byte item", {0x09, 0x01, 0xA1, 0x01, 0x27, 0xFF, 0xFF}},
        {"truncated long item", {0x09, 0x01, 0xA1, 0x01, 0xFE, 0x10, 0x00, 0x01}},
        {"huge report",
         {0x09, 0x01, 0xA1, 0x01, 0x77, 0xFF, 0xFF, 0xFF, 0xFF, 0x97, 0xFF, 0xFF, 0xFF, 0xFF, 0x81,
          0x02, 0xC0}},
        {"no collection", {0x05, 0x01, 0x75, 0x08}},
    };
    for (const auto& c : cases) {
        auto info = Parse(c.descriptor);
        EXPECT_FALSE(info.Ok()) << c.name;
        EXPECT_TRUE(info.collections.empty()) << c.name;
    }

    Bytes deep;
    for (int i = 0; i < 100; ++i)
        deep.insert(deep.end(), {0xA1, 0x00});
    for (int i = 0; i < 100; ++i)
        deep.push_back(0xC0);
    EXPECT_FALSE(Parse(deep).Ok());

    Bytes pushes(40, 0xA4);
    pushes.insert(pushes.end(), {0x09, 0x01, 0xA1, 0x01, 0xC0});
    EXPECT_FALSE(Parse(pushes).Ok());
}

} // namespace
} // namespace zentro
