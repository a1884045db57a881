#pragma once

// The start-up password of the installation, kept in the global settings file.
//
// It is stored as a salted, deliberately slow hash (libsodium's crypto_pwhash_str, Argon2id) in
// [Option] PassHash. Older settings files kept the password reversibly in [Option] ListFile
// (every byte lowered by 16); such a value is read once, converted to the hash and removed.
// The password is compared as its Shift-JIS bytes, as the old form stored it.

#include "core/util/status.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace orv {

// The longest password accepted, in Shift-JIS bytes: what one settings value can hold
// (2047 bytes on reading) less the two quotes of the old form.
inline constexpr std::size_t kMaxPasswordBytes = 2045;

inline constexpr const char kPasswordHashKey[] = "PassHash";
inline constexpr const char kLegacyPasswordKey[] = "ListFile";

// The password state read at start.
struct StoredPassword {
    std::string hash;        // the crypto_pwhash_str text; empty: no password
    std::string legacyPlain; // only when an old value could not be hashed: its plain bytes
    bool converted = false;  // an old ListFile value was found and converted
    Status rewrite;          // outcome of writing the converted form back
    bool isSet() const { return !hash.empty() || !legacyPlain.empty(); }
};

// Reads the password of the global settings file. An old ListFile value (without a PassHash)
// is descrambled, hashed, and the file rewritten with PassHash and an empty ListFile; when that
// write fails the hash still serves this run and `rewrite` says why.
StoredPassword loadPassword(const std::filesystem::path &sysIni);

// Whether a typed password (UTF-8) matches the stored hash.
bool verifyPassword(const StoredPassword &stored, std::string_view typedUtf8);

// Why a password cannot be set (empty status: it can). Refuses text that Shift-JIS cannot
// hold and passwords longer than kMaxPasswordBytes.
Status checkNewPassword(std::string_view utf8);

// Sets the password (empty text removes it): PassHash := the hash (empty when removing) and
// ListFile := empty, in one replacement of the file.
Status savePassword(const std::filesystem::path &sysIni, std::string_view utf8);

// The hash of a password's Shift-JIS bytes; an error when libsodium cannot run or the text is
// refused by checkNewPassword.
Result<std::string> hashPassword(std::string_view utf8);

// The old reversible form (bytes minus 16, modulo 256) and back.
std::string legacyScramble(std::string_view bytes);
std::string legacyDescramble(std::string_view bytes);

// The raw bytes of [Option] ListFile (quotes removed, not converted from Shift-JIS), empty
// when missing.
std::string readLegacyPasswordBytes(const std::filesystem::path &sysIni);

} // namespace orv
