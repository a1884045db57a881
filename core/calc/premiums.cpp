#include "core/calc/premiums.h"

#include "core/util/fileio.h"
#include "core/util/rounding.h"
#include "core/util/sjis.h"

#include <cstdio>
#include <filesystem>

namespace orv {

const char kRateChangeInfo[] = "社員情報の編集画面で､保険料などの再設定が必要です。";
const char kRateChangeAsk[] = "社員情報の編集画面で､保険料などの再設定が必要です。\r"
                              "自動的に再設定を行いますか？";

PremiumRates ratesOf(const TKihonRec &k) { return {k.KenRitu, k.KaiRitu, k.NenRitu, k.KknRitu}; }

Result<Premiums> TokyuSettei(const GradeTable &grades, int g, const PremiumRates &r)
{
    if (g < 1 || g > grades.count())
        return Status::error("等級 " + std::to_string(g) + " は健康保険料額表にありません（1〜" +
                             std::to_string(grades.count()) + "）。");
    const double h = grades.grade(g).Hyojun;
    const double p = grades.grade(grades.pensionGrade(g)).Hyojun;
    auto fit = [](std::int64_t v) { return fitInt32(v).value_or(0); };
    Premiums out;
    out.KenhoRyo = fit(SyahoHasuu((r.KenRitu / 100.0) * h));
    out.KaigoRyo = fit(SyahoHasuu(((r.KenRitu + r.KaiRitu) / 100.0) * h) - out.KenhoRyo);
    out.KoseiRyo = fit(SyahoHasuu((r.NenRitu / 100.0) * p));
    out.Kakekin = fit(SyahoHasuu((r.KknRitu / 100.0) * p));
    return out;
}

RateChangePlan planRateChange(const PayImage &img)
{
    RateChangePlan plan;
    for (int i = 1; i <= kSlots; ++i)
        if (SlotInUse(img, i) && img.Syain[i].KenhoTokyu != 0)
            plan.anyGrade = true;
    return plan;
}

std::vector<std::string> applyRateChange(PayImage &img, const GradeTable &grades)
{
    std::vector<std::string> ungraded;
    const PremiumRates rates = ratesOf(img.Kihon);
    for (int i = 1; i <= kSlots; ++i) {
        if (!SlotInUse(img, i))
            continue;
        TSyainRec &s = img.Syain[i];
        auto p = s.KenhoTokyu ? TokyuSettei(grades, s.KenhoTokyu, rates)
                              : Result<Premiums>(Status::error("no grade"));
        if (!p) {
            ungraded.push_back(trim(sjisToUtf8(s.Simei.view())));
            continue;
        }
        s.KenhoRyo = p->KenhoRyo;
        s.KaigoRyo = p->KaigoRyo;
        s.KoseiRyo = p->KoseiRyo;
        s.Kakekin = p->Kakekin;
    }
    return ungraded;
}

std::string rateChangeUngradedMessage(const std::vector<std::string> &names)
{
    std::string m = "下記の社員は等級表が未選択なので自動設定されません。\r";
    for (std::size_t i = 0; i < names.size(); ++i)
        m += (i ? "、" : "") + names[i];
    return m;
}

namespace {

constexpr std::size_t kWithholdingMinSize = 135300;
constexpr std::size_t kWithholdingHead = 300;
constexpr std::size_t kWithholdingRecord = 1500;
constexpr std::size_t kBirthOffset = 1342;

std::string withholdingName(const char *era, int year)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "源泉徴収(%s%02d年).dat", era, year);
    return buf;
}

bool usable(const std::filesystem::path &p)
{
    std::error_code ec;
    auto size = std::filesystem::file_size(p, ec);
    return !ec && size >= kWithholdingMinSize;
}

} // namespace

std::string findWithholdingFile(const std::string &dataDir)
{
    std::string found;
    for (int y = 2; y <= 25; ++y) {
        auto p = std::filesystem::path(dataDir) / withholdingName("令和", y);
        if (usable(p))
            found = p.string();
    }
    if (!found.empty())
        return found;
    for (int y = 28; y <= 31; ++y) {
        auto p = std::filesystem::path(dataDir) / withholdingName("平成", y);
        if (usable(p))
            found = p.string();
    }
    return found;
}

void KaigoAgeCheck(PayImage &img, const std::string &dataDir, const Date &payDate,
                   Prompter &prompter)
{
    std::string file = findWithholdingFile(dataDir);
    if (file.empty())
        return;
    auto bytes = readWholeFile(file);
    if (!bytes || bytes->size() < kWithholdingMinSize)
        return;
    for (int i = 1; i <= kSlots; ++i) {
        if (!SlotInUse(img, i) || !img.Syain[i].Kenkou)
            continue;
        std::size_t at = kWithholdingHead + (i - 1) * kWithholdingRecord + kBirthOffset;
        if (at + 4 > bytes->size())
            break;
        auto byte = [&](std::size_t o) { return static_cast<unsigned char>((*bytes)[at + o]); };
        int era = static_cast<signed char>(byte(0));
        int month = byte(2), day = byte(3);
        if (month == 0 || day == 0)
            continue;
        Date birth{era > 0 ? SeirekiNen(era, byte(1)) : byte(1), month, day};
        if (!isValidDate(birth))
            continue;
        int age = Nenrei(payDate, addDays(birth, -1));
        TSyainRec &s = img.Syain[i];
        std::string name = trim(sjisToUtf8(s.Simei.view()));
        if (age > 64 && s.Kaigo) {
            if (prompter.ask(Prompter::Kind::Confirmation, Prompter::Buttons::YesNo,
                             "下記従業員は65歳以上で介護保険料を徴収しています。\r"
                             "介護保険料を徴収しない様に変更しますか？\r　【" +
                                 name + "】") == Prompter::Answer::Yes)
                s.Kaigo = false;
        } else if (age >= 40 && age <= 64 && !s.Kaigo) {
            if (prompter.ask(Prompter::Kind::Confirmation, Prompter::Buttons::YesNo,
                             "下記従業員は40歳以上で介護保険料を徴収していません。\r"
                             "介護保険料を徴収する様に変更しますか？\r　【" +
                                 name + "】") == Prompter::Answer::Yes)
                s.Kaigo = true;
        }
    }
}

} // namespace orv
