// calc: recompute every employee of a period; premium: the four premiums of a grade.
#include "app/cli/clicommon.h"
#include "app/cli/periodjson.h"
#include "core/calc/calc.h"
#include "core/calc/premiums.h"
#include "core/util/dates.h"
#include "core/util/sjis.h"
#include "core/yearfile/yearfile.h"
#include "settings/options.h"
#include "settings/slipitemsio.h"

#include <charconv>
#include <ctime>
#include <iostream>
#include <memory>

namespace orv::cli {
namespace {

int todayYear()
{
    std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    return tm.tm_year + 1900;
}

const char *exceptionText(TaxException e)
{
    switch (e) {
    case TaxException::NoPreviousPay:
        return "前月中に給与の支払いが無い";
    case TaxException::OverTenTimes:
        return "今回支給の｢社保控除後計｣の金額が、前月中の給与等の金額(社会保険控除後)の10倍を超えている";
    case TaxException::None:
        break;
    }
    return "";
}

Result<double> parseRate(const std::string &option, const std::string &text)
{
    double v = 0;
    auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || p != text.data() + text.size() || !(v >= 0 && v < 100))
        return Status::error(option + ": '" + text + "' is not a rate in percent (0 to 100)");
    return v;
}

} // namespace

int cmdCalc(const Context &ctx)
{
    Args args(ctx.args);
    auto year = args.intValue("--year", 2004, 2038, std::nullopt);
    if (!year)
        return fail(kExitUsage, "calc: " + year.message());
    auto period = args.intValue("--period", 1, 15, std::nullopt);
    if (!period)
        return fail(kExitUsage, "calc: " + period.message());
    bool save = args.flag("--save");
    if (Status s = args.finish(); !s)
        return fail(kExitUsage, "calc: " + s.message());

    std::string path = yearFilePath(ctx, *year);
    auto img = std::make_unique<PayImage>();
    if (Status s = OpenPeriod(path, *period, *img); !s)
        return fail(kExitFail, s.message());

    std::string ini = corpIni(ctx);
    TOption opt = LoadOptions(ini, !findWithholdingFile(dataDir(ctx)).empty());
    readRounding(ini, *period, opt);
    SlipKind kind = *period > 12 ? SlipKind::Syoyo : SlipKind::Kyuyo;
    SlipItems items = LoadSlipItems(ini, kind, true);
    TableSet tables = TableSet::load(ctx.progDir, *year);
    if (Status s = tables.startCheck(); !s)
        return fail(kExitFail, s.message());

    auto id = parseYearFileName(path);
    bool stop = id && KeisanStop(todayYear(), id->eraCode, id->eraYear);
    CalcContext cc{opt, items, tables, path, stop};
    ZenKeisanResult r = ZenKeisan(*img, cc);
    for (const std::string &e : r.errors)
        std::cerr << "orvane2-cli: " << e << "\n";

    auto out = periodToJson(*img);
    if (img->isBonus() && !r.exceptionSlots.empty()) {
        auto list = nlohmann::ordered_json::array();
        for (std::size_t i = 0; i < r.exceptionSlots.size(); ++i) {
            int a = r.exceptionSlots[i];
            list.push_back({{"slot", a},
                            {"Simei", trim(sjisToUtf8(img->Syain[a].Simei.view()))},
                            {"exception", static_cast<int>(r.exceptions[i])},
                            {"reason", exceptionText(r.exceptions[i])}});
        }
        out["TaxExceptions"] = list;
    }
    std::cout << out.dump(2) << "\n";
    if (stop)
        std::cerr << "orvane2-cli: 平成24年以前のデータは給与/賞与の計算を行いません。\n";
    if (!r.errors.empty())
        return kExitFail;
    if (save) {
        SilentPrompter yes(Prompter::Answer::Yes);
        YearFileRun run;
        auto saved = SavePeriod(path, *img, yes, run);
        if (!saved)
            return fail(kExitFail, saved.message());
    }
    return kExitOk;
}

int cmdPremium(const Context &ctx)
{
    Args args(ctx.args);
    auto grade = args.intValue("--grade", 1, 80, std::nullopt);
    if (!grade)
        return fail(kExitUsage, "premium: " + grade.message());
    auto year = args.intValue("--year", 2004, 2038, 2026);
    if (!year)
        return fail(kExitUsage, "premium: " + year.message());
    PremiumRates rates;
    struct RateOption {
        const char *name;
        double *target;
        bool required;
    } options[] = {{"--ken", &rates.KenRitu, true},
                   {"--kai", &rates.KaiRitu, true},
                   {"--nen", &rates.NenRitu, true},
                   {"--kkn", &rates.KknRitu, false}};
    for (const RateOption &o : options) {
        auto v = args.value(o.name);
        if (!v) {
            if (o.required)
                return fail(kExitUsage, std::string("premium: ") + o.name + " is required");
            continue;
        }
        auto rate = parseRate(o.name, *v);
        if (!rate)
            return fail(kExitUsage, "premium: " + rate.message());
        *o.target = *rate;
    }
    if (Status s = args.finish(); !s)
        return fail(kExitUsage, "premium: " + s.message());

    TableSet tables = TableSet::load(ctx.progDir, *year);
    if (!tables.grades())
        return fail(kExitFail, "premium: " + tables.info(TableKind::Kenho).status.message());
    auto p = TokyuSettei(*tables.grades(), *grade, rates);
    if (!p)
        return fail(kExitUsage, "premium: " + p.message());
    nlohmann::ordered_json j = {{"grade", *grade},
                                {"Hyojun", tables.grades()->grade(*grade).Hyojun},
                                {"KenhoRyo", p->KenhoRyo},
                                {"KaigoRyo", p->KaigoRyo},
                                {"KoseiRyo", p->KoseiRyo},
                                {"Kakekin", p->Kakekin}};
    std::cout << j.dump(2) << "\n";
    return kExitOk;
}

} // namespace orv::cli
