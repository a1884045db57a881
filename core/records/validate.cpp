#include "core/records/validate.h"

#include "core/util/numtext.h"

#include <cstdio>

namespace orv {
namespace {

bool allDigits(std::string_view s)
{
    for (char c : s)
        if (c < '0' || c > '9')
            return false;
    return true;
}

std::optional<std::int64_t> digitsValue(std::string_view s)
{
    std::int64_t v = 0;
    for (char c : s)
        v = v * 10 + (c - '0');
    return v;
}

} // namespace

int myNumberCheckDigit(std::string_view first11)
{
    if (first11.size() != 11 || !allDigits(first11))
        return -1;
    // P(n) is the n-th digit counted from the right; weights n+1 for n = 1..6, n-5 for 7..11.
    int sum = 0;
    for (int n = 1; n <= 11; ++n) {
        int p = first11[11 - n] - '0';
        int q = n <= 6 ? n + 1 : n - 5;
        sum += p * q;
    }
    int r = sum % 11;
    return r <= 1 ? 0 : 11 - r;
}

int corporateNumberCheckDigit(std::string_view last12)
{
    if (last12.size() != 12 || !allDigits(last12))
        return -1;
    // P(n) is the n-th digit from the right; weight 1 for odd n, 2 for even n.
    int sum = 0;
    for (int n = 1; n <= 12; ++n)
        sum += (last12[12 - n] - '0') * (n % 2 == 1 ? 1 : 2);
    return 9 - sum % 9;
}

bool isValidMyNumber(std::string_view text)
{
    return text.size() == 12 && allDigits(text) &&
           myNumberCheckDigit(text.substr(0, 11)) == text[11] - '0';
}

bool isValidCorporateNumber(std::string_view text)
{
    return text.size() == 13 && allDigits(text) &&
           corporateNumberCheckDigit(text.substr(1)) == text[0] - '0';
}

std::optional<std::int64_t> parseMyNo(std::string_view text)
{
    if (text.empty())
        return 0;
    if (!isValidMyNumber(text))
        return std::nullopt;
    return digitsValue(text);
}

std::optional<std::int64_t> parseHouNo(std::string_view text)
{
    if (text.empty())
        return 0;
    if (!isValidCorporateNumber(text))
        return std::nullopt;
    return digitsValue(text);
}

std::string formatMyNo(std::int64_t value)
{
    if (value == 0)
        return {};
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.12lld", static_cast<long long>(value));
    return buf;
}

std::string formatHouNo(std::int64_t value)
{
    if (value == 0)
        return {};
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.13lld", static_cast<long long>(value));
    return buf;
}

Result<std::int32_t> parseMasterInt(std::string_view text, bool allowNegative)
{
    std::string t;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == ',' || c == ' ' || c == '\t')
            continue;
        // The full-width blank (U+3000) is dropped as well.
        if (text.substr(i, 3) == "\xE3\x80\x80") {
            i += 2;
            continue;
        }
        t += c;
    }
    if (t.empty())
        return 0;
    bool negative = t[0] == '-';
    std::string_view digits = negative ? std::string_view(t).substr(1) : std::string_view(t);
    if (digits.empty() || !allDigits(digits))
        return Status::error(notANumberMessage(text));
    if (negative && !allowNegative)
        return Status::error(kNegativeValueMessage);
    std::int64_t v = 0;
    for (char c : digits) {
        v = v * 10 + (c - '0');
        if (v > 2147483648LL)
            return Status::error(kNumberTooLargeMessage);
    }
    if (negative)
        v = -v;
    if (v > 2147483647LL)
        return Status::error(kNumberTooLargeMessage);
    return static_cast<std::int32_t>(v);
}

} // namespace orv
