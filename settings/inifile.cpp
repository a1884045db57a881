#include "settings/inifile.h"

#include "core/util/sjis.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

namespace orv {
namespace fs = std::filesystem;

namespace {

constexpr std::size_t kMaxValueBytes = 2047;

unsigned char lowerAscii(unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + 32 : c; }

// Case-insensitive for single-byte letters only: the second byte of a double-byte character
// may fall in the letter range and must compare exactly.
bool equalsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto ca = static_cast<unsigned char>(a[i]);
        auto cb = static_cast<unsigned char>(b[i]);
        if (IsLeadByte(ca)) {
            if (ca != cb || (i + 1 < a.size() && a[i + 1] != b[i + 1]))
                return false;
            ++i;
        } else if (lowerAscii(ca) != lowerAscii(cb)) {
            return false;
        }
    }
    return true;
}

// Position of the first single-byte `c`, skipping double-byte characters.
std::size_t findByte(std::string_view s, char c)
{
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == c)
            return i;
        if (IsLeadByte(static_cast<unsigned char>(s[i])))
            ++i;
    }
    return std::string_view::npos;
}

// The section name of a header line, nullopt for any other line ("[" without "]" included).
std::optional<std::string_view> headerName(std::string_view line)
{
    std::string_view t = trimView(line);
    if (t.empty() || t.front() != '[')
        return std::nullopt;
    std::size_t close = findByte(t.substr(1), ']');
    if (close == std::string_view::npos)
        return std::nullopt;
    return trimView(t.substr(1, close));
}

// Key and raw value of a "key=value" line; nullopt for lines without "=" and header lines.
struct KeyValue {
    std::string_view key;
    std::string_view value;
};
std::optional<KeyValue> keyValue(std::string_view line)
{
    std::size_t eq = line.find('=');
    if (eq == std::string_view::npos || headerName(line))
        return std::nullopt;
    return KeyValue{trimView(line.substr(0, eq)), trimView(line.substr(eq + 1))};
}

std::string_view unquote(std::string_view v)
{
    if (v.size() >= 2 && v.front() == '"' && v.back() == '"')
        return v.substr(1, v.size() - 2);
    return v;
}

std::string fileError(const fs::path &path, const std::string &why)
{
    return "設定ファイルに書き込み出来ません。(" + path.string() + ": " + why + ")";
}

bool readAll(const fs::path &path, std::string &out)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

bool writeAll(int fd, std::string_view data)
{
    while (!data.empty()) {
        ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

} // namespace

std::optional<int> parseProfileInt(std::string_view t)
{
    t = trimView(t);
    bool negative = false;
    if (!t.empty() && (t.front() == '+' || t.front() == '-')) {
        negative = t.front() == '-';
        t.remove_prefix(1);
    }
    int base = 10;
    if (t.size() > 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) {
        base = 16;
        t.remove_prefix(2);
    }
    if (t.empty() || t.front() == '+' || t.front() == '-')
        return std::nullopt;
    unsigned long long v = 0;
    auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v, base);
    if (ec != std::errc() || end != t.data() + t.size())
        return std::nullopt;
    if (base == 16) {
        // Hexadecimal is a 32-bit pattern: 0xFFFFFFFF is -1.
        if (v > 0xFFFFFFFFull)
            return std::nullopt;
        auto bits = static_cast<std::uint32_t>(v);
        if (negative)
            bits = 0u - bits;
        return static_cast<int>(bits);
    }
    if (v > (negative ? 2147483648ull : 2147483647ull))
        return std::nullopt;
    return negative ? static_cast<int>(-static_cast<long long>(v)) : static_cast<int>(v);
}

IniFile IniFile::fromBytes(std::string bytes)
{
    IniFile ini;
    std::string_view rest(bytes);
    while (!rest.empty()) {
        std::size_t nl = rest.find('\n');
        Line line;
        if (nl == std::string_view::npos) {
            line.text = std::string(rest);
            rest = {};
        } else {
            std::string_view text = rest.substr(0, nl);
            if (!text.empty() && text.back() == '\r') {
                text.remove_suffix(1);
                line.eol = "\r\n";
            } else {
                line.eol = "\n";
            }
            line.text = std::string(text);
            rest.remove_prefix(nl + 1);
        }
        ini.m_lines.push_back(std::move(line));
    }
    return ini;
}

IniFile IniFile::load(const fs::path &path)
{
    std::error_code ec;
    std::string bytes;
    if (!fs::is_regular_file(path, ec) || !readAll(path, bytes))
        return IniFile();
    return fromBytes(std::move(bytes));
}

Result<IniFile> IniFile::open(const fs::path &path)
{
    std::error_code ec;
    auto st = fs::status(path, ec);
    if (!fs::exists(st))
        return IniFile();
    if (!fs::is_regular_file(st))
        return Status::error(fileError(path, "ファイルではありません"));
    std::string bytes;
    if (!readAll(path, bytes))
        return Status::error(fileError(path, "読み込めません"));
    return fromBytes(std::move(bytes));
}

std::string IniFile::bytes() const
{
    std::string out;
    for (const auto &l : m_lines) {
        out += l.text;
        out += l.eol;
    }
    return out;
}

IniFile::Found IniFile::find(std::string_view section, std::string_view key) const
{
    Found f;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        std::string_view text = m_lines[i].text;
        if (auto name = headerName(text)) {
            if (f.sectionFound)
                break; // only the first section of that name counts
            if (equalsNoCase(*name, section)) {
                f.sectionFound = true;
                f.insertAt = i + 1;
            }
            continue;
        }
        if (!f.sectionFound)
            continue;
        if (!trimView(text).empty())
            f.insertAt = i + 1;
        if (!f.keyLine) {
            if (auto kv = keyValue(text); kv && equalsNoCase(kv->key, key))
                f.keyLine = i;
        }
    }
    return f;
}

std::optional<std::string> IniFile::valueBytes(std::string_view section,
                                               std::string_view key) const
{
    auto s = utf8ToSjis(section);
    auto k = utf8ToSjis(key);
    if (!s || !k)
        return std::nullopt;
    Found f = find(*s, *k);
    if (!f.keyLine)
        return std::nullopt;
    auto kv = keyValue(m_lines[*f.keyLine].text);
    return CutBytes(unquote(kv->value), kMaxValueBytes);
}

std::optional<std::string> IniFile::value(std::string_view section, std::string_view key) const
{
    auto v = valueBytes(section, key);
    if (!v)
        return std::nullopt;
    return sjisToUtf8(*v);
}

std::string IniFile::readString(std::string_view section, std::string_view key,
                                std::string_view def) const
{
    auto v = value(section, key);
    if (!v || v->empty())
        return std::string(def);
    return *v;
}

int IniFile::readInt(std::string_view section, std::string_view key, int def) const
{
    auto v = value(section, key);
    if (!v)
        return def;
    return parseProfileInt(*v).value_or(def);
}

bool IniFile::readBool(std::string_view section, std::string_view key, bool def) const
{
    return readInt(section, key, def ? 1 : 0) != 0;
}

double IniFile::readDouble(std::string_view section, std::string_view key, double def) const
{
    auto v = value(section, key);
    if (!v)
        return def;
    std::string_view t = trimView(*v);
    if (!t.empty() && t.front() == '+')
        t.remove_prefix(1);
    double d = 0;
    auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), d);
    if (t.empty() || ec != std::errc() || end != t.data() + t.size())
        return def;
    return d;
}

std::vector<std::string> IniFile::keys(std::string_view section) const
{
    std::vector<std::string> out;
    auto s = utf8ToSjis(section);
    if (!s)
        return out;
    bool in = false;
    for (const auto &l : m_lines) {
        if (auto name = headerName(l.text)) {
            if (in)
                break;
            in = equalsNoCase(*name, *s);
        } else if (in) {
            if (auto kv = keyValue(l.text))
                out.push_back(sjisToUtf8(kv->key));
        }
    }
    return out;
}

std::string IniFile::newLineEnd() const
{
    for (const auto &l : m_lines) {
        if (!l.eol.empty())
            return l.eol;
    }
    return "\r\n";
}

Status IniFile::setRaw(std::string_view section, std::string_view key, std::string_view value,
                       bool valueIsSjis)
{
    auto s = utf8ToSjis(section);
    auto k = utf8ToSjis(key);
    auto v = valueIsSjis ? std::optional<std::string>(value) : utf8ToSjis(value);
    std::string where = "[" + std::string(section) + "] " + std::string(key);
    if (!s || !k || !v)
        return Status::error("Shift-JIS で表せない文字を含むため記憶できません。(" + where + ")");
    auto breaksLine = [](std::string_view t) { return t.find_first_of("\r\n") != t.npos; };
    if (breaksLine(*s) || breaksLine(*k) || breaksLine(*v) || trimView(*s).empty() ||
        trimView(*k).empty() || findByte(*s, ']') != std::string::npos ||
        k->find('=') != std::string::npos || trimView(*s) != *s || trimView(*k) != *k)
        return Status::error("設定ファイルに記憶できない名前か値です。(" + where + ")");

    Found f = find(*s, *k);
    const std::string eol = newLineEnd();
    if (f.keyLine) {
        std::string &text = m_lines[*f.keyLine].text;
        text = text.substr(0, text.find('=') + 1) + *v;
        return Status::ok();
    }
    Line line{*k + "=" + *v, eol};
    if (f.sectionFound) {
        if (f.insertAt > 0 && m_lines[f.insertAt - 1].eol.empty())
            m_lines[f.insertAt - 1].eol = eol;
        m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(f.insertAt),
                       std::move(line));
        return Status::ok();
    }
    if (!m_lines.empty()) {
        if (m_lines.back().eol.empty())
            m_lines.back().eol = eol;
        if (!trimView(m_lines.back().text).empty())
            m_lines.push_back(Line{std::string(), eol});
    }
    m_lines.push_back(Line{"[" + *s + "]", eol});
    m_lines.push_back(std::move(line));
    return Status::ok();
}

Status IniFile::setString(std::string_view section, std::string_view key, std::string_view value)
{
    return setRaw(section, key, value, false);
}

Status IniFile::setQuoted(std::string_view section, std::string_view key, std::string_view value)
{
    return setRaw(section, key, "\"" + std::string(value) + "\"", false);
}

Status IniFile::setInt(std::string_view section, std::string_view key, long long value)
{
    return setRaw(section, key, std::to_string(value), false);
}

Status IniFile::setBool(std::string_view section, std::string_view key, bool value)
{
    return setRaw(section, key, value ? "1" : "0", false);
}

Status IniFile::setBytes(std::string_view section, std::string_view key, std::string_view bytes)
{
    return setRaw(section, key, bytes, true);
}

Status IniFile::save(const fs::path &requested) const
{
    std::error_code ec;
    fs::path path = requested;
    if (fs::is_symlink(requested, ec)) {
        fs::path target = fs::canonical(requested, ec);
        if (!ec)
            path = target;
    }
    mode_t mode = 0644;
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode))
            return Status::error(fileError(path, "フォルダーです"));
        if (!(st.st_mode & S_IWUSR) || ::access(path.c_str(), W_OK) != 0)
            return Status::error(fileError(path, "読み取り専用です"));
        mode = st.st_mode & 07777;
    }

    std::string tmpl = path.string() + ".XXXXXX";
    int fd = ::mkstemp(tmpl.data());
    if (fd < 0)
        return Status::error(fileError(path, std::strerror(errno)));
    const std::string data = bytes();
    bool ok = writeAll(fd, data) && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
    int err = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        err = errno;
    }
    if (ok && ::rename(tmpl.c_str(), path.c_str()) != 0) {
        ok = false;
        err = errno;
    }
    if (!ok) {
        ::unlink(tmpl.c_str());
        return Status::error(fileError(path, std::strerror(err)));
    }
    // Make the rename itself durable.
    fs::path dir = path.parent_path().empty() ? fs::path(".") : path.parent_path();
    int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    return Status::ok();
}

namespace {
template <typename Set>
Status writeOne(const fs::path &path, Set &&set)
{
    auto ini = IniFile::open(path);
    if (!ini)
        return ini.status();
    if (Status s = set(*ini); !s)
        return s;
    return ini->save(path);
}
} // namespace

Status IniFile::writeString(const fs::path &path, std::string_view section, std::string_view key,
                            std::string_view value)
{
    return writeOne(path, [&](IniFile &ini) { return ini.setString(section, key, value); });
}

Status IniFile::writeQuoted(const fs::path &path, std::string_view section, std::string_view key,
                            std::string_view value)
{
    return writeOne(path, [&](IniFile &ini) { return ini.setQuoted(section, key, value); });
}

Status IniFile::writeInt(const fs::path &path, std::string_view section, std::string_view key,
                         long long value)
{
    return writeOne(path, [&](IniFile &ini) { return ini.setInt(section, key, value); });
}

Status IniFile::writeBool(const fs::path &path, std::string_view section, std::string_view key,
                          bool value)
{
    return writeOne(path, [&](IniFile &ini) { return ini.setBool(section, key, value); });
}

} // namespace orv
