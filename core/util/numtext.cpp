#include "core/util/numtext.h"

#include "core/util/sjis.h"

#include <charconv>
#include <cmath>
#include <optional>

namespace orv {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// An optional sign followed by digits only; nullopt when that is not what the text is or the
// value does not fit 32 bits.
std::optional<std::int32_t> parseInt32(std::string_view s)
{
    bool neg = false;
    if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
        neg = s[0] == '-';
        s.remove_prefix(1);
    }
    if (s.empty())
        return std::nullopt;
    std::int64_t v = 0;
    for (char c : s) {
        if (!isDigit(c))
            return std::nullopt;
        v = v * 10 + (c - '0');
        if (v > 2147483648LL)
            return std::nullopt;
    }
    if (neg)
        v = -v;
    if (v > INT32_MAX)
        return std::nullopt;
    return static_cast<std::int32_t>(v);
}

// An optional sign, digits with at most one ".", at least one digit. Locale-independent.
std::optional<double> parseDecimal(std::string_view s)
{
    bool neg = false;
    if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
        neg = s[0] == '-';
        s.remove_prefix(1);
    }
    int digits = 0, dots = 0;
    for (char c : s) {
        if (isDigit(c))
            ++digits;
        else if (c == '.')
            ++dots;
        else
            return std::nullopt;
    }
    if (digits == 0 || dots > 1)
        return std::nullopt;
    std::string t(s);
    if (t.front() == '.')
        t.insert(t.begin(), '0');
    double v = 0;
    auto r = std::from_chars(t.data(), t.data() + t.size(), v);
    if (r.ec != std::errc() || r.ptr != t.data() + t.size())
        return std::nullopt;
    return neg ? -v : v;
}

std::string padLeft(std::string s, int width)
{
    if (static_cast<int>(s.size()) < width)
        s.insert(0, static_cast<std::size_t>(width) - s.size(), ' ');
    return s;
}

std::string fixed2(double v)
{
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 2);
    if (r.ec != std::errc())
        return "0.00";
    return std::string(buf, r.ptr);
}

// The text cut to at most n UTF-8 characters.
std::string_view firstChars(std::string_view s, std::size_t n)
{
    std::size_t i = 0, count = 0;
    while (i < s.size() && count < n) {
        ++i;
        while (i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80)
            ++i;
        ++count;
    }
    return s.substr(0, i);
}

// The integer digits a field with format code f holds.
int integerDigitAllowance(int f)
{
    if (f == 70)
        return 6;
    if (f == 90)
        return 7;
    int decimals = f % 10;
    return f / 10 - decimals - (decimals > 0 ? 1 : 0);
}

} // namespace

std::string notANumberMessage(std::string_view text)
{
    std::string msg = kNotANumberMessage;
    msg.replace(msg.find("%s"), 2, text);
    return msg;
}

std::string FmtKingaku(int width, double value)
{
    if (!std::isfinite(value))
        value = 0;
    double r = std::round(value); // half away from zero
    bool neg = r < 0;
    std::string digits = std::to_string(static_cast<long long>(std::fabs(r)));
    std::string out;
    int n = static_cast<int>(digits.size());
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out.push_back(',');
        out.push_back(digits[static_cast<std::size_t>(i)]);
    }
    if (neg)
        out.insert(out.begin(), '-');
    return padLeft(out, width);
}

std::string FmtJikan(double hours, int timeStyle)
{
    if (!std::isfinite(hours))
        hours = 0;
    if (timeStyle != 1)
        return padLeft(fixed2(hours), 6);
    double whole = std::trunc(hours);
    long long h = static_cast<long long>(whole);
    long long m = std::llround(std::fabs(hours - whole) * 60);
    if (m >= 60) {
        m -= 60;
        h += hours < 0 ? -1 : 1;
    }
    std::string out;
    if (hours < 0 && h == 0)
        out = "-";
    out += std::to_string(h);
    out += ':';
    if (m < 10)
        out += '0';
    out += std::to_string(m);
    return padLeft(out, 6);
}

bool IsJikanItem(std::string_view name)
{
    return name.find("時間") != std::string_view::npos ||
           name.find("残業") != std::string_view::npos;
}

std::string NumText(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (c != ',' && c != ' ')
            out.push_back(c);
    return out;
}

std::int32_t TextToInt(std::string_view text, Prompter &prompter)
{
    std::string t = trim(NumText(text));
    if (t.empty())
        return 0;
    if (auto v = parseInt32(t))
        return *v;
    prompter.error(notANumberMessage(trimView(text)));
    return 0;
}

std::int32_t TextToIntZ(std::string_view text, Prompter &prompter)
{
    if (trimView(text).empty())
        return 0;
    std::string t = trim(NumText(text));
    if (auto v = parseInt32(t))
        return *v;
    prompter.error(notANumberMessage(trimView(text)));
    return 0;
}

double TextToNum(std::string_view text, Prompter &prompter)
{
    if (text.find(':') != std::string_view::npos)
        return TextToJikan(text, prompter);
    std::string collected;
    int signs = 0, dots = 0;
    for (char c : NumText(text)) {
        if (c == '+' || c == '-') {
            if (++signs > 1) {
                prompter.error(kInputErrorMessage);
                return 0;
            }
        } else if (c == '.') {
            if (++dots > 1) {
                prompter.error(kInputErrorMessage);
                return 0;
            }
        } else if (c == '\t') {
            continue;
        } else if (!isDigit(c)) {
            break;
        }
        collected.push_back(c);
    }
    if (collected.empty() || collected == "+" || collected == "-")
        return 0;
    if (collected.back() == '+' || collected.back() == '-')
        collected.pop_back();
    if (auto v = parseDecimal(collected))
        return *v;
    prompter.error(notANumberMessage(trimView(text)));
    return 0;
}

double TextToJikan(std::string_view text, Prompter &prompter)
{
    std::string_view t = trimView(text);
    std::size_t colon = t.find(':');
    if (colon == std::string_view::npos)
        return TextToNum(t, prompter);
    if (t.find(':', colon + 1) != std::string_view::npos) {
        prompter.error(kInputErrorMessage);
        return 0;
    }
    std::string hoursText = trim(NumText(t.substr(0, colon)));
    std::string_view minutesText = t.substr(colon + 1);
    if (trimView(minutesText).empty())
        minutesText = "0";
    // The sign belongs to the whole time: "-1:30" is minus one and a half hours.
    bool negative = !hoursText.empty() && hoursText[0] == '-';
    if (!hoursText.empty() && (hoursText[0] == '-' || hoursText[0] == '+'))
        hoursText.erase(0, 1);
    std::int32_t hours = 0;
    if (!hoursText.empty()) {
        auto h = parseInt32(hoursText);
        if (!h || hoursText[0] == '-' || hoursText[0] == '+') {
            prompter.error(notANumberMessage(t));
            return 0;
        }
        hours = *h;
    }
    double result = hours + TextToNum(minutesText, prompter) / 60.0;
    return negative ? -result : result;
}

std::string CheckNumText(std::string_view text, int formatCode, Prompter &prompter)
{
    std::string s(firstChars(trim(NumText(text)), 9));

    int separators = 0, minuses = 0;
    for (char c : s) {
        separators += c == '.' || c == ':';
        minuses += c == '-';
    }
    if (separators > 1 || minuses > 1) {
        prompter.error(kDuplicateSeparatorMessage);
        return {};
    }
    std::size_t colon = s.find(':');
    if (colon != std::string::npos) {
        std::string after(firstChars(s.substr(colon + 1), 9));
        std::string a = trim(NumText(after));
        if (!a.empty()) {
            auto minutes = parseInt32(a);
            if (!minutes) {
                prompter.error(notANumberMessage(s));
                return {};
            }
            if (*minutes > 59) {
                prompter.error(kMinutesOver59Message);
                return {};
            }
        }
    }
    std::size_t minus = s.find('-');
    if (minus != std::string::npos && minus != 0) {
        prompter.error(kSignPositionMessage);
        return {};
    }

    bool negative = minus == 0;
    std::string_view body(s);
    if (negative || (!body.empty() && body[0] == '+'))
        body.remove_prefix(1);
    std::string intDigits = "0", separator, fraction;
    for (char c : body) {
        if (c == '.' || c == ':') {
            separator.assign(1, c);
        } else if (!isDigit(c)) {
            prompter.error(notANumberMessage(s));
            return {};
        } else if (separator.empty()) {
            intDigits.push_back(c);
        } else {
            fraction.push_back(c);
        }
    }
    std::size_t decimals = static_cast<std::size_t>(formatCode % 10);
    if (fraction.size() > decimals)
        fraction.resize(decimals);

    // At most 9 characters, so the digits always fit 64 bits.
    long long value = std::stoll(intDigits);
    std::string intText = std::to_string(value);
    if (static_cast<int>(intText.size()) > integerDigitAllowance(formatCode)) {
        prompter.error(kNumberTooLargeMessage);
        return {};
    }
    // "-0.5" keeps its sign: the integer part alone would lose it.
    bool nonZero = value != 0 || fraction.find_first_not_of('0') != std::string::npos;
    if (negative && nonZero)
        intText.insert(intText.begin(), '-');
    return intText + separator + fraction;
}

} // namespace orv
