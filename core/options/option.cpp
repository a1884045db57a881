#include "core/options/option.h"

namespace orv {
namespace {

struct Placeholder {
    std::string_view stored; // prefix letter + fixed text
    std::string TOption::*name;
    ItemList list;
};

constexpr Placeholder kPlaceholders[] = {
    {"F固定手当１", &TOption::FixTeate1, ItemList::Sikyu},
    {"F固定手当２", &TOption::FixTeate2, ItemList::Sikyu},
    {"F固定手当３", &TOption::FixTeate3, ItemList::Sikyu},
    {"V変動手当１", &TOption::VarTeate1, ItemList::Sikyu},
    {"V変動手当２", &TOption::VarTeate2, ItemList::Sikyu},
    {"V変動手当３", &TOption::VarTeate3, ItemList::Sikyu},
    {"F固定控除１", &TOption::FixKoujo1, ItemList::Koujo},
    {"F固定控除２", &TOption::FixKoujo2, ItemList::Koujo},
    {"F固定控除３", &TOption::FixKoujo3, ItemList::Koujo},
    {"V変動控除１", &TOption::VarKoujo1, ItemList::Koujo},
    {"V変動控除２", &TOption::VarKoujo2, ItemList::Koujo},
    {"V変動控除３", &TOption::VarKoujo3, ItemList::Koujo},
    {"Vその他１", &TOption::Sonota1, ItemList::Sonota},
    {"Vその他２", &TOption::Sonota2, ItemList::Sonota},
    {"Vその他３", &TOption::Sonota3, ItemList::Sonota},
    {"V勤怠項目", &TOption::KintaiFre, ItemList::Kintai},
};

} // namespace

std::string ItemName(const TOption &opt, std::string_view storedName)
{
    for (const auto &p : kPlaceholders) {
        if (storedName == p.stored)
            return std::string(1, p.stored[0]) + opt.*(p.name);
    }
    return std::string(storedName);
}

bool IsPlaceholderName(std::string_view name)
{
    for (const auto &p : kPlaceholders) {
        if (name == p.stored)
            return true;
    }
    return false;
}

std::string StoredItemName(const TOption &opt, ItemList list, std::string_view name)
{
    // The "other" names are stored as they are; a placeholder keeps its own slot even when the
    // user has given another item a name equal to this placeholder's text.
    if (list == ItemList::Sonota || name.empty() || IsPlaceholderName(name))
        return std::string(name);
    std::string_view text = name.substr(1);
    for (const auto &p : kPlaceholders) {
        const std::string &user = opt.*(p.name);
        if (p.list == list && !user.empty() && text == user)
            return std::string(p.stored);
    }
    return std::string(name);
}

} // namespace orv
