#include "core/options/slipitems.h"

namespace orv {
namespace {

using SV = std::string_view;

constexpr std::array<SV, kKintaiCount> kKintai = {
    "F所定労働日数", "V出勤日数",     "V有休日数",     "V欠勤日数",
    "V休日出勤日数", "V特別休暇日数", "F所定労働時間", "V実働時間",
    "V普通残業時間", "V深夜残業時間", "V休日普通残業", "V休日深夜残業",
    "V遅刻早退回数", "V遅刻早退時間", "V勤怠項目",     "V有休残日数",
};

constexpr std::array<SV, kSikyuCount> kSikyuKyuyo = {
    "F基本給",       "F役職手当",     "F家族手当",     "F固定手当１",   "F固定手当２",
    "F固定手当３",   "F普通残業手当", "F深夜残業手当", "F休日普通残業", "F休日深夜残業",
    "F非課税通勤費", "F課税通勤費",   "F欠勤控除",     "F遅刻早退控除", "V変動手当１",
    "V変動手当２",   "V変動手当３",   "F課税支給合計",
};

constexpr std::array<SV, kSikyuCount> kSikyuSyoyo = {
    "V賞与",       "V役員報酬",   "F",           "F固定手当１", "F固定手当２", "F固定手当３",
    "F",           "V変動手当１", "V変動手当２", "V変動手当３", "F",           "F課税支給合計",
    "F",           "F",           "F",           "F",           "F",           "F",
};

constexpr std::array<SV, kKoujoCount> kKoujoKyuyo = {
    "F健康保険料", "F介護保険料", "F厚生年金保険", "F厚生年金基金", "F雇用保険料", "F社会保険料計",
    "F社保控除後計", "F",         "F所得税",       "F住民税",       "F固定控除１", "F固定控除２",
    "F固定控除３", "F",           "V変動控除１",   "V変動控除２",   "V変動控除３", "F",
};

// As the salary list, without resident tax.
constexpr std::array<SV, kKoujoCount> kKoujoSyoyo = {
    "F健康保険料", "F介護保険料", "F厚生年金保険", "F厚生年金基金", "F雇用保険料", "F社会保険料計",
    "F社保控除後計", "F",         "F所得税",       "F",             "F固定控除１", "F固定控除２",
    "F固定控除３", "F",           "V変動控除１",   "V変動控除２",   "V変動控除３", "F",
};

constexpr std::array<SV, kSonotaCount> kSonota = {"Vその他１", "Vその他２", "Vその他３"};

constexpr SV kKintaiFlags[3] = {"1111011111101111", "0110010100001111", "0110010100000011"};
constexpr SV kSikyuFlagsKyuyo[3] = {"111000111011110001", "111000000011010001",
                                    "111000000011000001"};
constexpr SV kSikyuFlagsSyoyo = "111000100011111111";
constexpr SV kKoujoFlags = "111111111100010001";
constexpr SV kSonotaFlags = "000";

int formIndex(int form) { return form < 1 ? 0 : form > 3 ? 2 : form - 1; }

template <std::size_t N>
void fillList(std::array<TEditItems, N> &list, const std::array<SV, N> &names, SV flags[3])
{
    for (std::size_t k = 0; k < N; ++k) {
        list[k].Name = std::string(names[k]);
        for (int f = 0; f < 3; ++f)
            list[k].Use[f] = k < flags[f].size() && flags[f][k] == '1';
    }
}

template <std::size_t N>
void deriveNames(const std::array<TEditItems, N> &list, SlipItems::Names<N> &names)
{
    for (std::size_t k = 0; k < N; ++k)
        names[0][k] = std::string(kBlankItem);
    for (int f = 1; f <= 3; ++f) {
        for (std::size_t k = 0; k < N; ++k)
            names[f][k] = list[k].Use[f - 1] ? list[k].Name : std::string(kBlankItem);
    }
}

} // namespace

const std::array<SV, kKintaiCount> &DefaultKintaiNames() { return kKintai; }

const std::array<SV, kSikyuCount> &DefaultSikyuNames(SlipKind kind)
{
    return kind == SlipKind::Kyuyo ? kSikyuKyuyo : kSikyuSyoyo;
}

const std::array<SV, kKoujoCount> &DefaultKoujoNames(SlipKind kind)
{
    return kind == SlipKind::Kyuyo ? kKoujoKyuyo : kKoujoSyoyo;
}

const std::array<SV, kSonotaCount> &DefaultSonotaNames() { return kSonota; }

SV DefaultKintaiFlags(int form) { return kKintaiFlags[formIndex(form)]; }

SV DefaultSikyuFlags(SlipKind kind, int form)
{
    return kind == SlipKind::Kyuyo ? kSikyuFlagsKyuyo[formIndex(form)] : kSikyuFlagsSyoyo;
}

SV DefaultKoujoFlags(SlipKind, int) { return kKoujoFlags; }

SV DefaultSonotaFlags(int) { return kSonotaFlags; }

void SlipItems::derive()
{
    deriveNames(KintaiItems, KintaiNames);
    deriveNames(SikyuItems, SikyuNames);
    deriveNames(KoujoItems, KoujoNames);
    deriveNames(SonotaItems, SonotaNames);
}

SlipItems SlipItems::defaults(SlipKind kind)
{
    SlipItems s;
    s.kind = kind;
    SV kintai[3], sikyu[3], koujo[3], sonota[3];
    for (int f = 1; f <= 3; ++f) {
        kintai[f - 1] = DefaultKintaiFlags(f);
        sikyu[f - 1] = DefaultSikyuFlags(kind, f);
        koujo[f - 1] = DefaultKoujoFlags(kind, f);
        sonota[f - 1] = DefaultSonotaFlags(f);
    }
    if (kind == SlipKind::Kyuyo) {
        fillList(s.KintaiItems, kKintai, kintai);
    } else {
        for (auto &item : s.KintaiItems)
            item = TEditItems{std::string(kBlankItem), {}};
    }
    fillList(s.SikyuItems, DefaultSikyuNames(kind), sikyu);
    fillList(s.KoujoItems, DefaultKoujoNames(kind), koujo);
    fillList(s.SonotaItems, kSonota, sonota);
    s.derive();
    return s;
}

} // namespace orv
