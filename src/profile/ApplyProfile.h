#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "profile/ProfileRecord.h"

// Turning a profile record into the command sequence that programs the whole mouse, and the
// save that follows. The sequence, in order (waits in brackets; every 32-byte chunk of a block
// adds 100 ms of its own):
//
//   01 ReportRate                      polling rate        [50]
//   0E x*20 y*20                       axis sensitivity    [50]
//   block 11 07 08, 8 bytes            DPI stages          [50]
//   block 10 01 18, 24 bytes           DPI colours         [50]
//   block 12 i 40, 64 bytes, i = 0..3  button table        [50 each]
//   block 13 k 80, 128 bytes, k = 1..12 macro slots        [50 each]
//   0D b1 b2 b3                        lighting
//
// 6.8 s of waits in all. No step stops the sequence: a mouse that goes away in the middle simply
// misses the rest, and the sequence still runs to the end; the sending reports whether every
// transfer arrived, so the caller can tell the person.
//
// The window runs the device traffic on a worker thread; the steps before and after it stay on
// the user-interface thread, in this order:
//
//   ProfileRecord snapshot = BeginApplyProfile();   // UI thread
//   SendProfileToDevice(snapshot);                  // worker
//   SaveAppliedProfile();                           // UI thread
//
// ApplyProfile() does the three in order on the calling thread; ApplyAndSaveProfile() is what
// Apply and Reset run: the three with the sending handed to the caller, and the applied copy.

namespace zentro {

constexpr size_t DPI_BLOCK_SIZE = 8;
constexpr size_t COLOR_BLOCK_SIZE = 24;
constexpr size_t BUTTON_TABLE_SLOTS = 16;
constexpr size_t BUTTON_TABLE_SIZE = BUTTON_TABLE_SLOTS * 4;
constexpr size_t BUTTON_TABLE_BLOCKS = 4;
constexpr uint32_t APPLY_STEP_WAIT_MS = 50;

using ButtonCodeBytes = std::array<uint8_t, 4>;

// Slot of the device button table for each button index.
extern const std::array<uint8_t, BUTTON_COUNT> g_byButtonSlotMap;

// The stage byte of one DPI stage: the index (0-49, or 0x59-0x5D for 50-54) with bit 7 set
// when the stage is off; 0 for an index above 54.
uint8_t DpiStageByte(uint8_t value, uint8_t enable);
// Stages 1-7 and a trailing 0.
std::array<uint8_t, DPI_BLOCK_SIZE> BuildDpiBlock(const ProfileRecord& record);
// DPIColor (21 bytes) and three zeros.
std::array<uint8_t, COLOR_BLOCK_SIZE> BuildColorBlock(const ProfileRecord& record);
// The 4-byte device code of button b (0-11).
ButtonCodeBytes ButtonCode(const ProfileRecord& record, size_t b);
// The 16 slots: the 12 buttons through the slot map, slots 12-13 zero, slots 14 and 15 fixed.
std::array<uint8_t, BUTTON_TABLE_SIZE> BuildButtonTable(const ProfileRecord& record);
// Byte 1 of the polling-rate command: ReportRate, with 0 taken as 2.
uint8_t PollingRateByte(const ProfileRecord& record);
// Bytes 1-2 of the axis-sensitivity command: each step (taken into 1-11) times 20.
std::array<uint8_t, 2> AxisSensitivityBytes(const ProfileRecord& record);
// Bytes 1-3 of the lighting command; a parameter outside 1-6 counts as the nearest end.
std::array<uint8_t, 3> LightingBytes(const ProfileRecord& record);

// Step 1 of an apply: clears g_byDeviceState, sets ProfileSlot of `record` to 0 and returns
// a copy of it to send.
ProfileRecord BeginApplyProfile(ProfileRecord& record);
ProfileRecord BeginApplyProfile();
// Sends `record` through the command channel in the order above. Keeps no state. True when
// every transfer reached the mouse.
bool SendProfileToDevice(const ProfileRecord& record);
// Saves the live record and the button labels (section `labelSection`) of the current profile,
// once each. True when both files were written.
bool SaveAppliedProfile(const std::string& labelSection);
// The same in the label section of the current UI language.
void SaveAppliedProfile();
// All of it on the live record. Meant for the user-interface thread with the mouse connected.
void ApplyProfile();

// Sends a snapshot of the record to the mouse; the window runs the traffic on a worker and
// returns when it is done. Empty: SendProfileToDevice on the calling thread.
using SendProfileFunc = std::function<void(const ProfileRecord& snapshot)>;

// The one apply used by Apply and by the factory reset: with the mouse connected, begins the
// apply on the live record, sends the snapshot through `send`, saves the record and the labels
// once and takes the applied copy. Without a mouse nothing is sent, saved or copied. True when
// the profile was sent and both files were written.
bool ApplyAndSaveProfile(const std::string& labelSection, const SendProfileFunc& send);
// The same in the label section of the current UI language.
bool ApplyAndSaveProfile(const SendProfileFunc& send);

} // namespace zentro
