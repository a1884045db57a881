#include "settings/password.h"

#include "core/util/sjis.h"
#include "settings/inifile.h"

#include <sodium.h>

#include <optional>

namespace orv {
namespace {

constexpr const char kOption[] = "Option";

bool sameNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

bool sodiumReady()
{
    static const bool ready = sodium_init() >= 0;
    return ready;
}

} // namespace

std::string legacyScramble(std::string_view bytes)
{
    std::string out(bytes);
    for (char &c : out)
        c = static_cast<char>(static_cast<unsigned char>(c) - 16);
    return out;
}

std::string legacyDescramble(std::string_view bytes)
{
    std::string out(bytes);
    for (char &c : out)
        c = static_cast<char>(static_cast<unsigned char>(c) + 16);
    return out;
}

std::string readLegacyPasswordBytes(const std::filesystem::path &sysIni)
{
    // The scrambled bytes are not Shift-JIS text, so the value is taken from the raw file
    // rather than through the text interface, which would replace invalid sequences.
    const std::string bytes = IniFile::load(sysIni).bytes();
    bool inOption = false;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = bytes.find('\n', pos);
        if (end == std::string::npos)
            end = bytes.size();
        std::string_view line(bytes.data() + pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        std::string_view t = trimView(line);
        if (!t.empty() && t.front() == '[') {
            std::size_t close = t.find(']');
            if (close != std::string_view::npos) {
                if (inOption)
                    break; // only the first [Option] section counts
                inOption = sameNoCase(trimView(t.substr(1, close - 1)), kOption);
                continue;
            }
        }
        if (!inOption)
            continue;
        std::size_t eq = line.find('=');
        if (eq == std::string_view::npos || !sameNoCase(trimView(line.substr(0, eq)), kLegacyPasswordKey))
            continue;
        std::string_view v = trimView(line.substr(eq + 1));
        if (v.size() >= 2 && v.front() == '"' && v.back() == '"')
            v = v.substr(1, v.size() - 2);
        return std::string(v);
    }
    return {};
}

Status checkNewPassword(std::string_view utf8)
{
    auto sjisBytes = utf8ToSjis(utf8);
    if (!sjisBytes)
        return Status::error("パスワードに使用出来ない文字が含まれています。");
    if (sjisBytes->size() > kMaxPasswordBytes)
        return Status::error("パスワードが長すぎます。(" + std::to_string(kMaxPasswordBytes) +
                             "バイト以内で入力して下さい。)");
    return Status::ok();
}

static Result<std::string> hashBytes(std::string_view bytes)
{
    if (!sodiumReady())
        return Status::error("パスワードの暗号化機能を初期化出来ません。");
    char out[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(out, bytes.data(), bytes.size(), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                          crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0)
        return Status::error("パスワードの暗号化に必要なメモリが足りません。");
    return std::string(out);
}

Result<std::string> hashPassword(std::string_view utf8)
{
    if (Status s = checkNewPassword(utf8); !s)
        return s;
    return hashBytes(*utf8ToSjis(utf8));
}

bool verifyPassword(const StoredPassword &stored, std::string_view typedUtf8)
{
    if (!stored.isSet())
        return true;
    auto bytes = utf8ToSjis(typedUtf8);
    if (!bytes)
        return false;
    if (stored.hash.empty())
        return *bytes == stored.legacyPlain;
    if (!sodiumReady())
        return false;
    return crypto_pwhash_str_verify(stored.hash.c_str(), bytes->data(), bytes->size()) == 0;
}

static Status writeForm(const std::filesystem::path &sysIni, const std::string &hash)
{
    auto ini = IniFile::open(sysIni);
    if (!ini)
        return ini.status();
    Status s = ini->setQuoted(kOption, kPasswordHashKey, hash);
    if (s)
        s = ini->setString(kOption, kLegacyPasswordKey, "");
    return s ? ini->save(sysIni) : s;
}

StoredPassword loadPassword(const std::filesystem::path &sysIni)
{
    StoredPassword out;
    out.hash = IniFile::load(sysIni).readString(kOption, kPasswordHashKey);
    if (out.isSet())
        return out;
    const std::string legacy = readLegacyPasswordBytes(sysIni);
    if (legacy.empty())
        return out;
    auto hash = hashBytes(legacyDescramble(legacy));
    if (!hash) {
        // Never let a failure to hash open the program: compare with the old value this run.
        out.legacyPlain = legacyDescramble(legacy);
        out.rewrite = hash.status();
        return out;
    }
    out.hash = *hash;
    out.converted = true;
    out.rewrite = writeForm(sysIni, out.hash);
    return out;
}

Status savePassword(const std::filesystem::path &sysIni, std::string_view utf8)
{
    if (utf8.empty())
        return writeForm(sysIni, "");
    auto hash = hashPassword(utf8);
    if (!hash)
        return hash.status();
    return writeForm(sysIni, *hash);
}

} // namespace orv
