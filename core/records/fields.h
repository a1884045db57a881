#pragma once

// Named fields of every record with their byte offsets: the generic view that the JSON
// interchange of orvane2-cli and the format documents rely on.

#include <cstddef>
#include <span>

namespace orv {

enum class FieldType {
    Str,      // Str[count]: length byte + count bytes of Shift-JIS
    Int32,
    Word,     // unsigned 16 bit
    Int64,
    Double,
    Bool,
    Int32Array, // count elements
    ByteArray,  // count unsigned bytes
    BoolArray,  // count one-byte Booleans
};

struct FieldDesc {
    const char *name;
    FieldType type;
    std::size_t offset;
    std::size_t count; // capacity of a Str, elements of an array, else 1
};

std::span<const FieldDesc> headFields();
std::span<const FieldDesc> kihonFields();
std::span<const FieldDesc> syainFields();
std::span<const FieldDesc> kintaiFields();
std::span<const FieldDesc> sikyuFields();
std::span<const FieldDesc> koujoFields();

} // namespace orv
