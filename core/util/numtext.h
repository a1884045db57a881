#pragma once

#include "core/util/prompter.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace orv {

// Formatting and parsing of the numbers and times the user types into entry fields and sees
// on screens and reports. Text is UTF-8. None of the parsers throws: a refusal is reported
// through the prompter (an error box with OK) and the documented zero or empty result returned.

// Messages the parsers show.
inline constexpr const char *kInputErrorMessage = "入力エラー";
inline constexpr const char *kDuplicateSeparatorMessage = "．や：又は符号(－)が重複しています。";
inline constexpr const char *kMinutesOver59Message = "分の入力が59を超えています。";
inline constexpr const char *kSignPositionMessage = "符号(－)の位置が不正です。";
inline constexpr const char *kNumberTooLargeMessage = "入力した数値が上限を超えました。";
// Text that is not a number at all; %s is the text as typed.
inline constexpr const char *kNotANumberMessage = "「%s」は正しい数値ではありません。";

// The message shown for text that cannot be converted to a number.
std::string notANumberMessage(std::string_view text);

// Amount in yen with thousands separators and no decimals (half away from zero), right-aligned
// in `width` characters; wider results are not cut. Widths in use: 7, 9, 10.
std::string FmtKingaku(int width, double value);

// Hours for display. timeStyle 0: "%6.2f" decimal hours. timeStyle 1: "h:mm" right-aligned in
// six characters; the minutes are the fraction times 60 rounded to the nearest minute, and a
// negative value below one hour carries its sign before the 0 ("-0:15"). A fraction that rounds
// to 60 minutes is carried into the hours ("2:00", never "1:60").
std::string FmtJikan(double hours, int timeStyle);

// True when an attendance item's name holds "時間" or "残業": its values are times (FmtJikan),
// the others are shown "%6.2f".
bool IsJikanItem(std::string_view name);

// The text without any "," and half-width " ".
std::string NumText(std::string_view text);

// Integer entry: NumText, trimmed; empty gives 0. Text that is not a 32-bit integer is reported
// with notANumberMessage() and gives 0.
std::int32_t TextToInt(std::string_view text, Prompter &prompter);
// As TextToInt, but the emptiness test is made on the trimmed text before NumText.
std::int32_t TextToIntZ(std::string_view text, Prompter &prompter);

// Decimal entry as the fields accept it: "1,234.5" gives 1234.5, "12-" gives 12, "12abc" gives
// 12, "-" gives 0; a second sign or a second "." shows "入力エラー" and gives 0. Text with ":"
// is read as a time (TextToJikan).
double TextToNum(std::string_view text, Prompter &prompter);

// Time entry "h:mm" in decimal hours: "3:30" gives 3.5, "-0:30" gives -0.5, "-1:30" gives -1.5.
// Without ":" it is TextToNum; a second ":" shows "入力エラー" and gives 0.
double TextToJikan(std::string_view text, Prompter &prompter);

// Normalises and validates the text of a numeric entry field with format code
// f = 10 x width + decimals (90: nine characters, no decimals; 52: five characters, two
// decimals). Returns the normalised text ("0012.345" with f = 52 gives "12.34"), or empty after
// showing the reason. Only digits, one leading sign and one "." or ":" are accepted.
std::string CheckNumText(std::string_view text, int formatCode, Prompter &prompter);

} // namespace orv
