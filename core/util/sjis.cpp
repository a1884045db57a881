#include "core/util/sjis.h"

#include <cerrno>
#include <iconv.h>

namespace orv {
namespace {

// iconv descriptors are not shareable across threads; the program is single-threaded but the
// tests may not be, so each conversion opens its own (cheap compared with file I/O).
class Iconv {
public:
    Iconv(const char *to, const char *from) : m_cd(iconv_open(to, from)) {}
    ~Iconv()
    {
        if (m_cd != reinterpret_cast<iconv_t>(-1))
            iconv_close(m_cd);
    }
    Iconv(const Iconv &) = delete;
    Iconv &operator=(const Iconv &) = delete;
    bool valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    // Converts the whole input; on an invalid sequence either fails or (lenient) emits the
    // replacement and skips `skip` bytes.
    std::optional<std::string> run(std::string_view in, bool lenient, std::string_view replacement)
    {
        if (!valid())
            return std::nullopt;
        std::string out;
        char buf[1024];
        char *src = const_cast<char *>(in.data());
        size_t srcLeft = in.size();
        while (srcLeft > 0) {
            char *dst = buf;
            size_t dstLeft = sizeof buf;
            size_t r = iconv(m_cd, &src, &srcLeft, &dst, &dstLeft);
            out.append(buf, dst - buf);
            if (r == static_cast<size_t>(-1)) {
                if (errno == E2BIG)
                    continue;
                if (!lenient)
                    return std::nullopt;
                out.append(replacement);
                ++src;
                --srcLeft;
                iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
            }
        }
        return out;
    }

private:
    iconv_t m_cd;
};

} // namespace

std::string sjisToUtf8(std::string_view sjisText)
{
    Iconv cd("UTF-8", "CP932");
    auto r = cd.run(sjisText, true, "\xEF\xBF\xBD");
    return r ? *r : std::string();
}

std::optional<std::string> utf8ToSjis(std::string_view utf8)
{
    Iconv cd("CP932", "UTF-8");
    return cd.run(utf8, false, {});
}

std::string sjis(std::string_view utf8)
{
    auto r = utf8ToSjis(utf8);
    return r ? *r : std::string();
}

std::string CutBytes(std::string_view text, std::size_t maxBytes)
{
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t len = IsLeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1;
        if (i + len > maxBytes)
            break;
        i += len;
    }
    return std::string(text.substr(0, std::min(i, text.size())));
}

std::string_view trimView(std::string_view text)
{
    std::size_t b = 0, e = text.size();
    while (b < e && static_cast<unsigned char>(text[b]) <= ' ')
        ++b;
    while (e > b && static_cast<unsigned char>(text[e - 1]) <= ' ')
        --e;
    return text.substr(b, e - b);
}

std::string trim(std::string_view text) { return std::string(trimView(text)); }

std::string NoSpaces(std::string_view text)
{
    std::string_view t = trimView(text);
    std::string out;
    for (std::size_t i = 0; i < t.size();) {
        unsigned char b = static_cast<unsigned char>(t[i]);
        if (IsLeadByte(b) && i + 1 < t.size()) {
            // Full-width blank is 0x81 0x40 in CP932.
            if (!(b == 0x81 && static_cast<unsigned char>(t[i + 1]) == 0x40))
                out.append(t.substr(i, 2));
            i += 2;
        } else {
            if (b != ' ')
                out.push_back(t[i]);
            ++i;
        }
    }
    return out;
}

} // namespace orv
