#include "settings/slipitemsio.h"

#include "core/util/sjis.h"
#include "settings/inifile.h"
#include "settings/options.h"

#include <cstdio>

namespace orv {
namespace {

std::string namesSection(SlipKind kind)
{
    return kind == SlipKind::Kyuyo ? "KyuyoItemName" : "SyoyoItemName";
}

std::string flagsSection(SlipKind kind, int form)
{
    return (kind == SlipKind::Kyuyo ? "KyuyoKeitai" : "SyoyoKeitai") + std::to_string(form);
}

std::string itemKey(std::string_view stem, std::size_t k)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%.2zu", k);
    return std::string(stem) + buf;
}

template <std::size_t N>
void readNames(const IniFile &ini, const std::string &section, std::string_view stem,
               std::array<TEditItems, N> &list, const std::array<std::string_view, N> &defaults)
{
    for (std::size_t k = 0; k < N; ++k)
        list[k].Name = ini.readString(section, itemKey(stem, k), defaults[k]);
}

template <std::size_t N>
void readFlags(const IniFile &ini, SlipKind kind, std::string_view key,
               std::array<TEditItems, N> &list, std::string_view (*defaults)(SlipKind, int))
{
    for (int f = 1; f <= 3; ++f) {
        std::string flags = ini.readString(flagsSection(kind, f), key, defaults(kind, f));
        for (std::size_t k = 0; k < N; ++k)
            list[k].Use[f - 1] = k < flags.size() && flags[k] == '1';
    }
}

template <std::size_t N>
std::string flagString(const std::array<TEditItems, N> &list, int form)
{
    std::string s(N, '0');
    for (std::size_t k = 0; k < N; ++k)
        s[k] = list[k].Use[form - 1] ? '1' : '0';
    return s;
}

template <std::size_t N>
Status writeNames(IniFile &ini, const std::string &section, std::string_view stem,
                  const std::array<TEditItems, N> &list, const TOption &opt, ItemList which)
{
    Status s;
    for (std::size_t k = 0; s && k < N; ++k)
        s = ini.setString(section, itemKey(stem, k), StoredItemName(opt, which, list[k].Name));
    return s;
}

std::string_view kintaiFlags(SlipKind, int form) { return DefaultKintaiFlags(form); }
std::string_view sonotaFlags(SlipKind, int form) { return DefaultSonotaFlags(form); }

} // namespace

SlipItems LoadSlipItems(const std::filesystem::path &corpIni, SlipKind kind, bool derive)
{
    const IniFile ini = IniFile::load(corpIni);
    // Start from the defaults of the kind (the bonus attendance list stays blank).
    SlipItems items = SlipItems::defaults(kind);
    const std::string names = namesSection(kind);
    if (kind == SlipKind::Kyuyo) {
        readNames(ini, names, "Kintai", items.KintaiItems, DefaultKintaiNames());
        readFlags(ini, kind, "Kintai", items.KintaiItems, kintaiFlags);
        std::optional<std::size_t> freeSlot;
        for (std::size_t k = 0; k < kKintaiCount; ++k) {
            // Shorter than 2 bytes: no name after the prefix, the free attendance item's slot.
            const std::string &name = items.KintaiItems[k].Name;
            auto stored = utf8ToSjis(name);
            if ((stored ? stored->size() : name.size()) < 2) {
                items.KintaiItems[k].Name = "V勤怠項目";
                freeSlot = k;
            }
        }
        if (freeSlot)
            items.KintaiItems[*freeSlot].Use = {false, false, false};
    }
    readNames(ini, names, "Sikyu", items.SikyuItems, DefaultSikyuNames(kind));
    readNames(ini, names, "Koujo", items.KoujoItems, DefaultKoujoNames(kind));
    readNames(ini, names, "Sonota", items.SonotaItems, DefaultSonotaNames());
    readFlags(ini, kind, "Sikyu", items.SikyuItems, DefaultSikyuFlags);
    readFlags(ini, kind, "Koujo", items.KoujoItems, DefaultKoujoFlags);
    readFlags(ini, kind, "Sonota", items.SonotaItems, sonotaFlags);
    if (derive) {
        items.derive();
    } else {
        items.KintaiNames = {};
        items.SikyuNames = {};
        items.KoujoNames = {};
        items.SonotaNames = {};
    }
    return items;
}

Status SaveSlipItems(const std::filesystem::path &corpIni, SlipKind kind, const TOption &opt,
                     SlipItems &items, bool write)
{
    items.derive();
    if (!write)
        return Status::ok();
    auto ini = IniFile::open(corpIni);
    if (!ini)
        return ini.status();
    const std::string names = namesSection(kind);
    Status s;
    if (kind == SlipKind::Kyuyo)
        s = writeNames(*ini, names, "Kintai", items.KintaiItems, opt, ItemList::Kintai);
    if (s)
        s = writeNames(*ini, names, "Sikyu", items.SikyuItems, opt, ItemList::Sikyu);
    if (s)
        s = writeNames(*ini, names, "Koujo", items.KoujoItems, opt, ItemList::Koujo);
    if (s)
        s = writeNames(*ini, names, "Sonota", items.SonotaItems, opt, ItemList::Sonota);
    for (int f = 1; s && f <= 3; ++f) {
        const std::string section = flagsSection(kind, f);
        if (kind == SlipKind::Kyuyo)
            s = ini->setString(section, "Kintai", flagString(items.KintaiItems, f));
        if (s)
            s = ini->setString(section, "Sikyu", flagString(items.SikyuItems, f));
        if (s)
            s = ini->setString(section, "Koujo", flagString(items.KoujoItems, f));
        if (s)
            s = ini->setString(section, "Sonota", flagString(items.SonotaItems, f));
    }
    return s ? ini->save(corpIni) : s;
}

} // namespace orv
