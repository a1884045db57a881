// orvane2-cli tax salary|bonus: withholding income tax from the table set of a year.
#include "app/cli/clicommon.h"
#include "app/cli/commands.h"
#include "core/calc/tax.h"
#include "core/tables/tableset.h"

#include <charconv>
#include <cstdio>
#include <ctime>
#include <iostream>

namespace orv::cli
{
namespace
{

const char kTaxUsage[] = "usage: tax salary AMOUNT [--otsu] [--deps N] [--year YYYY]\n"
                         "       tax bonus PREV BONUS [--otsu] [--deps N] [--year YYYY] [--over6]";

// A yen amount after social insurance (may be negative), within the 32-bit range.
Result<std::int64_t> parseYen(const std::string &what, const std::string &text)
{
    std::int64_t v = 0;
    auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || p != text.data() + text.size() || text.empty())
        return Status::error(what + ": '" + text + "' is not a whole number of yen");
    if (v < INT32_MIN || v > INT32_MAX)
        return Status::error(what + ": " + text + " is outside the 32-bit yen range");
    return v;
}

int thisYear()
{
    std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    return tm.tm_year + 1900;
}

std::string percent(double rate)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.3f %%", rate * 100.0);
    return buf;
}

} // namespace

int cmdTax(const Context &ctx)
{
    auto usage = [](const std::string &why) {
        return fail(kExitUsage, "tax: " + why + "\n" + kTaxUsage);
    };
    Args args(ctx.args);
    const bool otsu = args.flag("--otsu");
    const bool over6 = args.flag("--over6");
    auto deps = args.intValue("--deps", 0, 99, 0);
    if (!deps)
        return usage(deps.message());
    auto year = args.intValue("--year", 1900, 9999, thisYear());
    if (!year)
        return usage(year.message());
    std::vector<std::string> pos = args.positional();
    for (const std::string &p : pos)
        if (p.size() > 2 && p.compare(0, 2, "--") == 0)
            return usage("unknown option " + p);
    if (pos.empty())
        return usage("salary or bonus expected");
    const std::string what = pos.front();
    const int kind = otsu ? kOtsu : kKou;

    if (what == "salary") {
        if (pos.size() != 2)
            return usage("salary takes one AMOUNT");
        auto a = parseYen("AMOUNT", pos[1]);
        if (!a)
            return usage(a.message());
        const TableSet set = TableSet::load(ctx.progDir, *year);
        if (!set.salary())
            return fail(kExitFail, "tax: " + set.info(TableKind::Kyuyo).name + " is not available" +
                                       (set.info(TableKind::Kyuyo).status.isOk()
                                            ? std::string()
                                            : ": " + set.info(TableKind::Kyuyo).status.message()));
        std::cout << KyuyoZei(set, *a, kind, *deps, 0) << "\n";
        return kExitOk;
    }
    if (what == "bonus") {
        if (pos.size() != 3)
            return usage("bonus takes PREV and BONUS");
        auto p = parseYen("PREV", pos[1]);
        if (!p)
            return usage(p.message());
        auto b = parseYen("BONUS", pos[2]);
        if (!b)
            return usage(b.message());
        const TableSet set = TableSet::load(ctx.progDir, *year);
        if (bonusNeedsMonthlyTable(*p, *b)) {
            if (!set.salary())
                return fail(kExitFail,
                            "tax: " + set.info(TableKind::Kyuyo).name + " is not available");
            std::cout << SyoyoZeiByMonthlyTable(set, *p, *b, *deps, kind, 0, over6)
                      << " (monthly table: " << (over6 ? "one twelfth" : "one sixth")
                      << " of the bonus, "
                      << (*p == 0 ? "no pay in the previous month"
                                  : "bonus above ten times the previous month's pay")
                      << ")\n";
            return kExitOk;
        }
        if (!set.bonus())
            return fail(kExitFail, "tax: " + set.info(TableKind::Syoyo).name + " is not available");
        const BonusTax t = SyoyoZei(set, *p, *b, *deps, kind, 0);
        std::cout << t.tax << " (rate " << percent(t.rate) << ")\n";
        for (const std::string &note : set.substitutionNotes())
            if (note.rfind(set.info(TableKind::Syoyo).name, 0) == 0)
                std::cerr << "orvane2-cli: note: " << note << "\n";
        return kExitOk;
    }
    return usage("unknown tax kind " + what);
}

} // namespace orv::cli
