// Feeds arbitrary bytes as record.ini to both macro encoders and checks that nothing outside
// the mouse's part of the slots is ever written.

#include "macros/MacroEncoding.h"
#include "macros/MacroSlotText.h"
#include "profile/ProfileRecord.h"
#include "platform/PrivateProfile.h"
#include "../support/TempDir.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

const std::string& FuzzFilePath()
{
    // Removed when libFuzzer ends the run through exit().
    static const zentro::test::CTempDir dir("fuzz-macros");
    static const std::string path = dir.Path("record.ini");
    return path;
}

#pragma pack(push, 1)
struct GuardedRecord {
    uint8_t before[64];
    zentro::ProfileRecord record;
    uint8_t after[256];
};
struct GuardedSlots {
    uint8_t before[64];
    zentro::MacroSlotArray slots;
    uint8_t after[256];
};
#pragma pack(pop)

constexpr uint8_t GUARD = 0xC5;

void CheckGuard(const uint8_t* bytes, size_t size)
{
    for (size_t i = 0; i < size; ++i) {
        if (bytes[i] != GUARD) {
            std::abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string& path = FuzzFilePath();
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return 0;
    }
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    zentro::FlushPrivateProfileCache();

    GuardedRecord guarded;
    std::memset(&guarded, GUARD, sizeof guarded);
    (void)zentro::BuildMacroSlotsReport(guarded.record.MacroSlot, path);
    CheckGuard(guarded.before, sizeof guarded.before);
    CheckGuard(guarded.after, sizeof guarded.after);
    CheckGuard(guarded.record.Bytes(), offsetof(zentro::ProfileRecord, MacroSlot));
    for (const auto& slot : guarded.record.MacroSlot) {
        CheckGuard(slot + zentro::MACRO_BLOCK_SIZE,
                   zentro::MACRO_SLOT_SIZE - zentro::MACRO_BLOCK_SIZE);
    }

    GuardedSlots working;
    std::memset(&working, GUARD, sizeof working);
    for (const auto& overflow :
         zentro::EncodeMacroSaveSlots(working.slots, path, 1 + static_cast<int>(size % 12), 0)) {
        (void)zentro::FormatMacroOverflow(overflow);
    }
    CheckGuard(working.before, sizeof working.before);
    CheckGuard(working.after, sizeof working.after);
    for (const auto& slot : working.slots) {
        CheckGuard(slot + zentro::MACRO_BLOCK_SIZE,
                   zentro::MACRO_SLOT_SIZE - zentro::MACRO_BLOCK_SIZE);
    }
    return 0;
}
