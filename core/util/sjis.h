#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orv {

// The one codec between the Shift-JIS (CP932) bytes kept in records and settings files
// and the UTF-8 text of screens, reports, CSV and JSON.

// CP932 bytes to UTF-8. Invalid sequences become U+FFFD so that damaged data still shows.
std::string sjisToUtf8(std::string_view sjis);
// UTF-8 to CP932 bytes; nullopt when the text holds a character CP932 cannot represent
// or is not valid UTF-8.
std::optional<std::string> utf8ToSjis(std::string_view utf8);
// Convenience for program literals known to be representable.
std::string sjis(std::string_view utf8);

// First byte of a double-byte CP932 character (0x81..0x9F, 0xE0..0xFC).
constexpr bool IsLeadByte(unsigned char b) { return (b > 128 && b < 160) || (b > 223 && b < 253); }

// Cut CP932 text to at most maxBytes without splitting a double-byte character.
std::string CutBytes(std::string_view sjisText, std::size_t maxBytes);

// Trimmed, then every half-width and full-width blank removed (CP932 in and out).
std::string NoSpaces(std::string_view sjisText);

// Surrounding half-width blanks and control characters removed.
std::string_view trimView(std::string_view text);
std::string trim(std::string_view text);

} // namespace orv
