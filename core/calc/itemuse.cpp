#include "core/calc/calc.h"

#include <map>

namespace orv {
namespace {

// Storage of a name (without its prefix) in each list; user-named items by placeholder.
int payNumber(const TOption &opt, const std::string &text)
{
    static const std::map<std::string, int> fixed = {
        {"基本給", 1},       {"日給計", 1},        {"時給計", 1},       {"賞与", 1},
        {"役職手当", 2},     {"役員報酬", 2},      {"家族手当", 3},     {"固定手当１", 4},
        {"固定手当２", 5},   {"固定手当３", 6},    {"普通残業手当", 7}, {"深夜残業手当", 8},
        {"休日普通残業", 9}, {"休日深夜残業", 10}, {"非課税通勤費", 11}, {"課税通勤費", 12},
        {"変動手当１", 13},  {"変動手当２", 14},   {"変動手当３", 15},  {"欠勤控除", 16},
        {"遅刻早退控除", 17},
    };
    if (auto it = fixed.find(text); it != fixed.end())
        return it->second;
    // A list written with the present name instead of the placeholder.
    const std::string *names[] = {&opt.FixTeate1, &opt.FixTeate2, &opt.FixTeate3,
                                  &opt.VarTeate1, &opt.VarTeate2, &opt.VarTeate3};
    static const int numbers[] = {4, 5, 6, 13, 14, 15};
    for (int i = 0; i < 6; ++i)
        if (!names[i]->empty() && *names[i] == text)
            return numbers[i];
    return 0;
}

int deductNumber(const TOption &opt, const std::string &text)
{
    static const std::map<std::string, int> fixed = {
        {"健康保険料", 1}, {"厚生年金保険", 2}, {"厚生年金基金", 3}, {"雇用保険料", 4},
        {"介護保険料", 5}, {"社会保険料計", 6}, {"社保控除後計", 7}, {"所得税", 8},
        {"住民税", 9},     {"固定控除１", 10},  {"固定控除２", 11},  {"固定控除３", 12},
        {"変動控除１", 13}, {"変動控除２", 14}, {"変動控除３", 15},
    };
    if (auto it = fixed.find(text); it != fixed.end())
        return it->second;
    const std::string *names[] = {&opt.FixKoujo1, &opt.FixKoujo2, &opt.FixKoujo3,
                                  &opt.VarKoujo1, &opt.VarKoujo2, &opt.VarKoujo3};
    for (int i = 0; i < 6; ++i)
        if (!names[i]->empty() && *names[i] == text)
            return 10 + i;
    return 0;
}

int sonotaNumber(const TOption &opt, const std::string &text)
{
    static const std::map<std::string, int> fixed = {{"その他１", 1}, {"その他２", 2}, {"その他３", 3}};
    if (auto it = fixed.find(text); it != fixed.end())
        return it->second;
    const std::string *names[] = {&opt.Sonota1, &opt.Sonota2, &opt.Sonota3};
    for (int i = 0; i < 3; ++i)
        if (!names[i]->empty() && *names[i] == text)
            return 1 + i;
    return 0;
}

std::string withoutPrefix(const std::string &entry)
{
    return entry.size() > 1 ? entry.substr(1) : std::string();
}

} // namespace

ItemUse itemUse(const CalcContext &ctx, int keitai)
{
    ItemUse use;
    if (keitai < 1 || keitai > 3)
        return use; // an unknown pay form has no items
    for (const std::string &e : ctx.items.SikyuNames[keitai])
        if (int k = payNumber(ctx.opt, withoutPrefix(e)))
            use.pay[k] = true;
    for (const std::string &e : ctx.items.KoujoNames[keitai])
        if (int k = deductNumber(ctx.opt, withoutPrefix(e)))
            use.deduct[k] = true;
    for (const std::string &e : ctx.items.SonotaNames[keitai])
        if (int k = sonotaNumber(ctx.opt, withoutPrefix(e)))
            use.sonota[k] = true;
    return use;
}

std::int64_t SasihikiSikyu(const PayImage &img, int a, const SlipItems &items)
{
    const TSikyuRec &s = img.Sikyu[a];
    std::int64_t net = static_cast<std::int64_t>(s.SikyuTotal) - img.Koujo[a].KoujoTotal;
    int f = img.Syain[a].Keitai;
    if (f < 1 || f > 3)
        return net;
    static const TOption placeholdersOnly;
    std::array<bool, 4> used{};
    for (const std::string &e : items.SonotaNames[f])
        used[sonotaNumber(placeholdersOnly, withoutPrefix(e))] = true;
    for (int i = 1; i <= 3; ++i)
        if (used[i])
            net += s.Sonota[i - 1];
    return net;
}

} // namespace orv
