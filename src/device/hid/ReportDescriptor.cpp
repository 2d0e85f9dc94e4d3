#include "device/hid/ReportDescriptor.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>

namespace zentro {

namespace {

enum ItemType { TYPE_MAIN = 0, TYPE_GLOBAL = 1, TYPE_LOCAL = 2, TYPE_RESERVED = 3 };

enum MainTag {
    MAIN_INPUT = 0x8,
    MAIN_OUTPUT = 0x9,
    MAIN_COLLECTION = 0xA,
    MAIN_FEATURE = 0xB,
    MAIN_END_COLLECTION = 0xC
};

enum GlobalTag {
    GLOBAL_USAGE_PAGE = 0x0,
    GLOBAL_REPORT_SIZE = 0x7,
    GLOBAL_REPORT_ID = 0x8,
    GLOBAL_REPORT_COUNT = 0x9,
    GLOBAL_PUSH = 0xA,
    GLOBAL_POP = 0xB
};

enum LocalTag { LOCAL_USAGE = 0x0 };

constexpr uint8_t LONG_ITEM_PREFIX = 0xFE;
constexpr size_t MAX_PUSH_DEPTH = 32;
constexpr size_t MAX_COLLECTION_DEPTH = 64;
// Report lengths are 16-bit with one byte for the ID.
constexpr uint64_t MAX_REPORT_BITS = (0xFFFFull - 1) * 8;

struct GlobalState {
    uint32_t usagePage = 0;
    uint32_t reportSize = 0;
    uint32_t reportCount = 0;
    uint32_t reportId = 0;
};

struct PendingUsage {
    uint32_t value = 0;
    bool extended = false; // 4-byte usage carrying its own page in the high 16 bits
};

struct CollectionBits {
    HidTopLevelCollection info;
    // Bits per report ID, per type (input, output, feature).
    std::array<std::map<uint32_t, uint64_t>, 3> bits;
};

uint32_t ItemValue(const uint8_t* p, size_t size)
{
    uint32_t value = 0;
    for (size_t i = 0; i < size; ++i)
        value |= static_cast<uint32_t>(p[i]) << (8 * i);
    return value;
}

std::string Describe(const char* what, size_t offset)
{
    char text[96];
    std::snprintf(text, sizeof text, "%s at offset %zu", what, offset);
    return text;
}

uint16_t ByteLength(const std::map<uint32_t, uint64_t>& reports)
{
    uint64_t longest = 0;
    bool any = false;
    for (const auto& [id, bits] : reports) {
        any = true;
        longest = std::max(longest, (bits + 7) / 8);
    }
    return any ? static_cast<uint16_t>(longest + 1) : 0;
}

} // namespace

HidReportDescriptorInfo ParseReportDescriptor(const uint8_t* data, size_t length)
{
    HidReportDescriptorInfo result;
    if (!data || length == 0) {
        result.error = "empty report descriptor";
        return result;
    }

    GlobalState global;
    std::vector<GlobalState> globalStack;
    std::vector<PendingUsage> usages;
    std::vector<CollectionBits> collections;
    size_t depth = 0;

    size_t pos = 0;
    while (pos < length) {
        const size_t itemStart = pos;
        const uint8_t prefix = data[pos++];
        if (prefix == LONG_ITEM_PREFIX) {
            // Long item: size byte, tag byte, data. No long item tags are defined; skip it.
            if (length - pos < 2) {
                result.error = Describe("truncated long item", itemStart);
                return result;
            }
            size_t size = data[pos];
            pos += 2;
            if (length - pos < size) {
                result.error = Describe("truncated long item", itemStart);
                return result;
            }
            pos += size;
            continue;
        }
        const size_t size = (prefix & 3) == 3 ? 4 : (prefix & 3);
        const int type = (prefix >> 2) & 3;
        const int tag = prefix >> 4;
        if (length - pos < size) {
            result.error = Describe("truncated item", itemStart);
            return result;
        }
        const uint32_t value = ItemValue(data + pos, size);
        pos += size;

        switch (type) {
        case TYPE_MAIN:
            switch (tag) {
            case MAIN_COLLECTION:
                if (depth == 0) {
                    CollectionBits top;
                    uint32_t usage = 0;
                    uint32_t page = global.usagePage;
                    if (!usages.empty()) {
                        usage = usages.front().value;
                        if (usages.front().extended) {
                            page = usage >> 16;
                            usage &= 0xFFFF;
                        }
                    }
                    top.info.usagePage = static_cast<uint16_t>(page);
                    top.info.usage = static_cast<uint16_t>(usage);
                    collections.push_back(std::move(top));
                }
                if (++depth > MAX_COLLECTION_DEPTH) {
                    result.error = Describe("collections nested too deeply", itemStart);
                    return result;
                }
                break;
            case MAIN_END_COLLECTION:
                if (depth == 0) {
                    result.error = Describe("end collection without collection", itemStart);
                    return result;
                }
                --depth;
                break;
            case MAIN_INPUT:
            case MAIN_OUTPUT:
            case MAIN_FEATURE: {
                // Items outside every collection belong to no interface and are not counted.
                if (depth == 0)
                    break;
                const int kind = tag == MAIN_INPUT ? 0 : tag == MAIN_OUTPUT ? 1 : 2;
                uint64_t& bits = collections.back().bits[kind][global.reportId];
                bits += static_cast<uint64_t>(global.reportSize) * global.reportCount;
                if (bits > MAX_REPORT_BITS) {
                    result.error = Describe("report too long", itemStart);
                    return result;
                }
                break;
            }
            default:
                result.error = Describe("unknown main item", itemStart);
                return result;
            }
            usages.clear(); // local items end with each main item
            break;

        case TYPE_GLOBAL:
            switch (tag) {
            case GLOBAL_USAGE_PAGE:
                global.usagePage = value & 0xFFFF;
                break;
            case GLOBAL_REPORT_SIZE:
                global.reportSize = value;
                break;
            case GLOBAL_REPORT_COUNT:
                global.reportCount = value;
                break;
            case GLOBAL_REPORT_ID:
                if (value == 0 || value > 0xFF) {
                    result.error = Describe("invalid report ID", itemStart);
                    return result;
                }
                global.reportId = value;
                result.numbered = true;
                break;
            case GLOBAL_PUSH:
                if (globalStack.size() >= MAX_PUSH_DEPTH) {
                    result.error = Describe("push stack overflow", itemStart);
                    return result;
                }
                globalStack.push_back(global);
                break;
            case GLOBAL_POP:
                if (globalStack.empty()) {
                    result.error = Describe("pop without push", itemStart);
                    return result;
                }
                global = globalStack.back();
                globalStack.pop_back();
                break;
            default:
                break; // logical/physical ranges and units do not change the report layout
            }
            break;

        case TYPE_LOCAL:
            if (tag == LOCAL_USAGE)
                usages.push_back({value, size == 4});
            break; // usage ranges, designators, strings, delimiters: not needed

        case TYPE_RESERVED:
        default:
            result.error = Describe("reserved item type", itemStart);
            return result;
        }
    }
    if (depth != 0) {
        result.error = "report descriptor ends inside a collection";
        return result;
    }
    if (collections.empty()) {
        result.error = "report descriptor has no collection";
        return result;
    }

    for (auto& top : collections) {
        top.info.inputLen = ByteLength(top.bits[0]);
        top.info.outputLen = ByteLength(top.bits[1]);
        top.info.featureLen = ByteLength(top.bits[2]);
        if (result.numbered)
            for (const auto& [id, bits] : top.bits[0])
                if (id != 0)
                    top.info.inputReportIds.push_back(static_cast<uint8_t>(id));
        result.collections.push_back(std::move(top.info));
    }
    return result;
}

} // namespace zentro
