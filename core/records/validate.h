#pragma once

// Checks of the numbers typed into master records: the individual number (マイナンバー, 12
// digits) and the corporate number (法人番号, 13 digits) as digit strings of their exact
// length with their check digits, and integer fields with an optional refusal of negatives.

#include "core/util/status.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orv {

inline constexpr const char kNegativeValueMessage[] = "マイナスの値は入力出来ません。";

// Check digit of an individual number from its first 11 digits (0..9); -1 for other text.
int myNumberCheckDigit(std::string_view first11);
// Check digit of a corporate number (its first digit) from the following 12 digits; -1 for
// other text.
int corporateNumberCheckDigit(std::string_view last12);

// Exactly 12 ASCII digits whose last is the check digit.
bool isValidMyNumber(std::string_view text);
// Exactly 13 ASCII digits whose first is the check digit.
bool isValidCorporateNumber(std::string_view text);

// The field text to the stored integer: empty gives 0, a valid number its value, anything
// else (a sign, blanks inside, a wrong length or check digit) nullopt.
std::optional<std::int64_t> parseMyNo(std::string_view text);
std::optional<std::int64_t> parseHouNo(std::string_view text);
// The stored integer as the field shows it: "%.12lld" / "%.13lld", empty for 0.
std::string formatMyNo(std::int64_t value);
std::string formatHouNo(std::int64_t value);

// An integer master field as typed (UTF-8): "," and blanks removed; empty gives 0; an optional
// leading "-" only when `allowNegative`; otherwise digits only, within the 32-bit range. The
// error is the message to show: not a number, too large, or negative.
Result<std::int32_t> parseMasterInt(std::string_view text, bool allowNegative);

} // namespace orv
