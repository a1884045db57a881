#pragma once

#include "core/util/status.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

// A settings file of the Windows private-profile kind, held as its exact bytes.
//
// Reading: section and key names compare without regard to ASCII letter case; the first
// matching section and, in it, the first matching key win; a value is trimmed of surrounding
// blanks, a value inside one pair of double quotes comes back without them, and at most 2047
// bytes are returned. Keys before the first section header belong to no section.
//
// Changing a value rewrites only the line of that key (the key keeps its spelling and the line
// its line end); a new key goes after the last non-blank line of its section, a new section at
// the end of the file. Every other byte stays as it was. New lines use the file's line end
// (CRLF for a new file).
//
// The file text is Shift-JIS (CP932); the interface takes and returns UTF-8.
class IniFile {
public:
    IniFile() = default;

    // For reading: the file's image, or an empty image when it is missing or unreadable
    // (every key then takes the caller's default).
    static IniFile load(const std::filesystem::path &path);
    // For changing: an empty image for a missing file, an error when the file exists but
    // cannot be read (so that a write never replaces a file it could not see).
    static Result<IniFile> open(const std::filesystem::path &path);
    static IniFile fromBytes(std::string bytes);

    // The value as stored (trimmed, quotes removed, cut to 2047 bytes), UTF-8; nullopt when the
    // section or key is missing.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    // The caller's default for a missing key or an empty value.
    std::string readString(std::string_view section, std::string_view key,
                           std::string_view def = {}) const;
    // Decimal with optional sign, or hexadecimal after "0x"/"0X"; the default when the value
    // is missing, empty, not a number or beyond 32 bits.
    int readInt(std::string_view section, std::string_view key, int def) const;
    // Any integer other than 0 is true; the default as for readInt.
    bool readBool(std::string_view section, std::string_view key, bool def) const;
    // A decimal fraction ("8.00"); the default when missing, empty or not a number.
    double readDouble(std::string_view section, std::string_view key, double def) const;
    // The stored Shift-JIS bytes of a value (trimmed, quotes removed, cut to 2047 bytes), for
    // values that are bytes rather than text (a scrambled password).
    std::optional<std::string> valueBytes(std::string_view section, std::string_view key) const;
    // Keys of a section in file order (UTF-8), duplicates included.
    std::vector<std::string> keys(std::string_view section) const;

    // Change the image in memory. Refused (error status) when a text cannot be encoded in
    // Shift-JIS, or would break the file's structure (line breaks; "]" in a section name,
    // "=" in a key name; empty names).
    Status setString(std::string_view section, std::string_view key, std::string_view value);
    // Written as "\"%s\"" so that leading and trailing blanks survive.
    Status setQuoted(std::string_view section, std::string_view key, std::string_view value);
    Status setInt(std::string_view section, std::string_view key, long long value);
    Status setBool(std::string_view section, std::string_view key, bool value);
    // Stores the bytes as they are (no conversion); refused when they hold a line break.
    Status setBytes(std::string_view section, std::string_view key, std::string_view bytes);

    // Writes the image to the file: a temporary file beside it, flushed to disk, then renamed
    // over it, so that a crash leaves either the old or the new file. A read-only file is
    // refused. The error names the file.
    Status save(const std::filesystem::path &path) const;

    // One value written to the file at once (open, change, save).
    static Status writeString(const std::filesystem::path &path, std::string_view section,
                              std::string_view key, std::string_view value);
    static Status writeQuoted(const std::filesystem::path &path, std::string_view section,
                              std::string_view key, std::string_view value);
    static Status writeInt(const std::filesystem::path &path, std::string_view section,
                           std::string_view key, long long value);
    static Status writeBool(const std::filesystem::path &path, std::string_view section,
                            std::string_view key, bool value);

    // The file's bytes as they would be saved.
    std::string bytes() const;
    bool empty() const { return m_lines.empty(); }

private:
    struct Line {
        std::string text; // without the line end
        std::string eol;  // "\r\n", "\n" or "" (last line without one)
    };
    struct Found {
        bool sectionFound = false;
        std::size_t insertAt = 0; // line index for a new key of the section
        std::optional<std::size_t> keyLine;
    };

    Found find(std::string_view sjisSection, std::string_view sjisKey) const;
    std::string newLineEnd() const;
    Status setRaw(std::string_view section, std::string_view key, std::string_view value,
                  bool valueIsSjis);

    std::vector<Line> m_lines;
};

// Parses a private-profile integer ("-12", "+3", "0x1F"); nullopt when it is not one.
std::optional<int> parseProfileInt(std::string_view text);

} // namespace orv
