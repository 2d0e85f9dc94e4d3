#pragma once

#include <cstddef>
#include <span>

// Names, offsets and widths of every field of ProfileRecord, in record order, covering all
// 1790 bytes without gap or overlap (the macro slots are one 1560-byte field). Used to decode
// settings files by name.

namespace zentro {

struct ProfileFieldInfo {
    const char* name;
    size_t offset;
    size_t width;
};

std::span<const ProfileFieldInfo> ProfileFields();

} // namespace zentro
