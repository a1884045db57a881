#include "screens/entryitems.h"

#include "screens/session.h"

#include <algorithm>
#include <climits>
#include <map>
#include <tuple>

namespace orv {
namespace {

using MemberPtr = double TKintaiRec::*;
constexpr MemberPtr kKintaiFields[16] = {
    &TKintaiRec::SyoteiNissu,  &TKintaiRec::SyukkinNissu,   &TKintaiRec::YukyuNissu,
    &TKintaiRec::KekkinNissu,  &TKintaiRec::KyusyutuNissu,  &TKintaiRec::TokkyuNissu,
    &TKintaiRec::SyoteiJikan,  &TKintaiRec::JitudoJikan,    &TKintaiRec::ZangyoJikan,
    &TKintaiRec::SinyaJikan,   &TKintaiRec::KyuZangyoJikan, &TKintaiRec::KyuSinyaJikan,
    &TKintaiRec::ChisouKaisu,  &TKintaiRec::ChisouJikan,    &TKintaiRec::KintaiItem,
    &TKintaiRec::YukyuZan,
};

int lookup(const std::map<std::string_view, int> &fixed, std::string_view text,
           std::initializer_list<std::pair<const std::string *, int>> userNames)
{
    if (auto it = fixed.find(text); it != fixed.end())
        return it->second;
    for (const auto &[name, no] : userNames)
        if (!name->empty() && *name == text)
            return no;
    return 0;
}

} // namespace

std::string itemText(const TOption &opt, std::string_view entry)
{
    std::string name = ItemName(opt, entry);
    return name.size() > 1 ? name.substr(1) : std::string();
}

int kintaiNo(const TOption &opt, std::string_view text)
{
    static const std::map<std::string_view, int> fixed = {
        {"所定労働日数", 1}, {"出勤日数", 2},      {"有休日数", 3},      {"欠勤日数", 4},
        {"休日出勤日数", 5}, {"特別休暇日数", 6},  {"所定労働時間", 7},  {"実働時間", 8},
        {"普通残業時間", 9}, {"深夜残業時間", 10}, {"休日普通残業", 11}, {"休日深夜残業", 12},
        {"遅刻早退回数", 13}, {"遅刻早退時間", 14}, {"勤怠項目", 15},    {"有休残日数", 16},
    };
    return lookup(fixed, text, {{&opt.KintaiFre, 15}});
}

int payNo(const TOption &opt, std::string_view text)
{
    static const std::map<std::string_view, int> fixed = {
        {"基本給", 1},       {"日給計", 1},        {"時給計", 1},        {"賞与", 1},
        {"役職手当", 2},     {"役員報酬", 2},      {"家族手当", 3},      {"固定手当１", 4},
        {"固定手当２", 5},   {"固定手当３", 6},    {"普通残業手当", 7},  {"深夜残業手当", 8},
        {"休日普通残業", 9}, {"休日深夜残業", 10}, {"非課税通勤費", 11}, {"課税通勤費", 12},
        {"変動手当１", 13},  {"変動手当２", 14},   {"変動手当３", 15},   {"欠勤控除", 16},
        {"遅刻早退控除", 17}, {"課税支給合計", 18},
    };
    return lookup(fixed, text,
                  {{&opt.FixTeate1, 4}, {&opt.FixTeate2, 5}, {&opt.FixTeate3, 6},
                   {&opt.VarTeate1, 13}, {&opt.VarTeate2, 14}, {&opt.VarTeate3, 15}});
}

int deductNo(const TOption &opt, std::string_view text)
{
    static const std::map<std::string_view, int> fixed = {
        {"健康保険料", 1}, {"厚生年金保険", 2}, {"厚生年金基金", 3}, {"雇用保険料", 4},
        {"介護保険料", 5}, {"社会保険料計", 6}, {"社保控除後計", 7}, {"所得税", 8},
        {"住民税", 9},     {"固定控除１", 10},  {"固定控除２", 11},  {"固定控除３", 12},
        {"変動控除１", 13}, {"変動控除２", 14}, {"変動控除３", 15},
    };
    return lookup(fixed, text,
                  {{&opt.FixKoujo1, 10}, {&opt.FixKoujo2, 11}, {&opt.FixKoujo3, 12},
                   {&opt.VarKoujo1, 13}, {&opt.VarKoujo2, 14}, {&opt.VarKoujo3, 15}});
}

int sonotaNo(const TOption &opt, std::string_view text)
{
    static const std::map<std::string_view, int> fixed = {
        {"その他１", 1}, {"その他２", 2}, {"その他３", 3}};
    return lookup(fixed, text, {{&opt.Sonota1, 1}, {&opt.Sonota2, 2}, {&opt.Sonota3, 3}});
}

int itemNo(const TOption &opt, EntryGroup group, std::string_view text)
{
    switch (group) {
    case EntryGroup::Kintai:
        return kintaiNo(opt, text);
    case EntryGroup::Sikyu:
        return payNo(opt, text);
    case EntryGroup::Koujo:
        return deductNo(opt, text);
    case EntryGroup::Sonota:
        return sonotaNo(opt, text);
    }
    return 0;
}

double kintaiValue(const TKintaiRec &r, int no)
{
    return no >= 1 && no <= 16 ? r.*kKintaiFields[no - 1] : 0.0;
}

void setKintaiValue(TKintaiRec &r, int no, double value)
{
    if (no >= 1 && no <= 16)
        r.*kKintaiFields[no - 1] = value;
}

bool isDayItem(std::string_view text)
{
    return text == "出勤日数" || text == "有休日数" || text == "欠勤日数" || text == "休日出勤日数" ||
           text == "特別休暇日数" || text == "所定労働日数";
}

bool isTotalItem(std::string_view text)
{
    return text == "課税支給合計" || text == "社会保険料計" || text == "社保控除後計";
}

namespace {

bool anySeqNo(const PayImage &img)
{
    for (int a = 1; a <= kSlots; ++a)
        if (SlotInUse(img, a) && !IsRetired(img, a) && img.Syain[a].SeqNo > 0)
            return true;
    return false;
}

std::tuple<int, int> orderKey(const PayImage &img, int slot, bool bySeq)
{
    int seq = img.Syain[slot].SeqNo;
    return {bySeq ? (seq > 0 ? seq : INT_MAX) : 0, slot};
}

} // namespace

std::vector<int> orderedSlots(const PayImage &img)
{
    std::vector<int> slots;
    for (int a = 1; a <= kSlots; ++a)
        if (SlotInUse(img, a) && !IsRetired(img, a))
            slots.push_back(a);
    const bool bySeq = anySeqNo(img);
    std::stable_sort(slots.begin(), slots.end(), [&](int x, int y) {
        return orderKey(img, x, bySeq) < orderKey(img, y, bySeq);
    });
    return slots;
}

int previousSlot(const PayImage &img, int slot)
{
    if (slot < 1 || slot > kSlots)
        return 0;
    const bool bySeq = anySeqNo(img);
    const auto key = orderKey(img, slot, bySeq);
    int best = 0;
    for (int a : orderedSlots(img))
        if (orderKey(img, a, bySeq) < key)
            best = a;
    return best;
}

int nextSlot(const PayImage &img, int slot)
{
    if (slot < 1 || slot > kSlots)
        return 0;
    const bool bySeq = anySeqNo(img);
    const auto key = orderKey(img, slot, bySeq);
    for (int a : orderedSlots(img))
        if (key < orderKey(img, a, bySeq))
            return a;
    return 0;
}

ZenKeisanResult recalcAllAndAsk(Session &session)
{
    ZenKeisanResult r = session.recalcAll();
    for (const std::string &e : r.errors)
        session.ask().error(e);
    if (session.img->isBonus() && !r.exceptionSlots.empty()) {
        const std::string text = std::string(kTaxExceptionWarning) + kTaxExceptionAskAll;
        if (session.ask().ask(Prompter::Kind::Warning, Prompter::Buttons::YesNo, text) ==
            Prompter::Answer::Yes) {
            switchTaxToManual(*session.img, r);
            // A flagged tax is kept as typed and no longer counts as an exception.
            for (int a : r.exceptionSlots)
                session.zeiOk[a] = true;
            session.ask().information(kTaxSwitchedAll);
        }
    }
    return r;
}

bool askTaxExceptionOne(Session &session, int slot)
{
    const std::string text = std::string(kTaxExceptionWarning) + kTaxExceptionAskOne;
    if (session.ask().ask(Prompter::Kind::Warning, Prompter::Buttons::YesNo, text) !=
        Prompter::Answer::Yes)
        return false;
    session.img->Koujo[slot].Manual[7] = true;
    session.zeiOk[slot] = true;
    return true;
}

} // namespace orv
