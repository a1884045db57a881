#include "core/calc/tax.h"

#include "core/util/rounding.h"

#include <algorithm>
#include <cmath>
#include <system_error>

namespace orv
{
namespace
{

bool fileStillThere(const std::filesystem::path &p)
{
    if (p.empty())
        return true;
    std::error_code ec;
    return std::filesystem::exists(p, ec);
}

// The tax at a bracket: its base plus the excess over its threshold at its rate.
std::int64_t bracketTax(const TopBracket &b, std::int64_t a, int column, int hasuuKou)
{
    return b.base[column] + applyRate(a - b.ijou, static_cast<std::int64_t>(b.rate), hasuuKou);
}

std::int64_t baseTaxExtended(const SalaryTable &t, std::int64_t a, int kind, int c, int hasuuKou)
{
    const int column = kind == kKou ? 0 : 1;
    const TopBracket *use = nullptr;
    for (const TopBracket &b : t.allBrackets())
        if (b.column == column && b.ijou <= a && (!use || b.ijou > use->ijou))
            use = &b;
    if (use)
        return bracketTax(*use, a, kind == kKou ? c : 0, hasuuKou);
    if (a < t.row(1).Ijou)
        return kind == kKou ? 0 : applyRate(a, static_cast<std::int64_t>(t.otsuRate0()), hasuuKou);
    const TKyuyoZeiRec *r = t.findRow(a);
    return r ? (kind == kKou ? r->Kou[c] : r->Otsu) : 0;
}

// The four-bracket rule of a table without the extension block.
std::int64_t baseTaxFourBrackets(const SalaryTable &t, std::int64_t a, int kind, int c,
                                 int hasuuKou)
{
    const TKyuyoZeiHyo &h = t.hyo();
    const int n = h.Count;
    const TKyuyoZeiRec &t1 = t.row(n - 3), &t2 = t.row(n - 2), &t3 = t.row(n - 1), &t4 = t.row(n);
    const std::int64_t f1 = t1.Ijou, f2 = t2.Ijou, f3 = t3.Ijou, f4 = t4.Ijou;
    const bool kou = kind == kKou;
    auto otsuLow = [&] { return applyRate(a - f1, h.OtsuRitu1, hasuuKou) + t1.Otsu; };
    auto otsuHigh = [&] { return applyRate(a - f3, h.OtsuRitu2, hasuuKou) + t3.Otsu; };
    if (a < t.row(1).Ijou)
        return kou ? 0 : applyRate(a, h.OtsuRitu0, hasuuKou);
    if (f1 < a && a < f2)
        return kou ? applyRate(a - f1, h.KouRitu1, hasuuKou) + t1.Kou[c] : otsuLow();
    if (f2 < a && a < f3)
        return kou ? applyRate(a - f2, h.KouRitu2, hasuuKou) + t2.Kou[c] : otsuLow();
    if (f3 < a && a < f4)
        return kou ? applyRate(a - f3, h.KouRitu3, hasuuKou) + t3.Kou[c] : otsuHigh();
    if (a > f4)
        return kou ? applyRate(a - f4, h.KouRitu4, hasuuKou) + t4.Kou[c] : otsuHigh();
    const TKyuyoZeiRec *r = t.findRow(a);
    return r ? (kou ? r->Kou[c] : r->Otsu) : 0;
}

} // namespace

std::int64_t applyRate(std::int64_t amount, std::int64_t ratePer100k, int hasuuKou)
{
    if (amount < 0)
        return -applyRate(-amount, ratePer100k, hasuuKou);
    // amount * rate / 100000 split into its whole yen and an exact fraction of 1/100,000 yen,
    // so that neither the product overflows nor a float step moves it across a yen.
    const std::int64_t q = amount / 100000, r = amount % 100000;
    const std::int64_t part = r * ratePer100k;
    const std::int64_t whole = q * ratePer100k + part / 100000;
    const double fraction = static_cast<double>(part % 100000) / 100000.0;
    return whole + Hasuu(hasuuKou, fraction);
}

std::int64_t applyRate(std::int64_t amount, double rate, int hasuuKou)
{
    const double scaled = rate * 100000.0;
    const double whole = std::round(scaled);
    if (std::fabs(scaled - whole) < 1e-6 && whole >= 0 && whole <= 1e9)
        return applyRate(amount, static_cast<std::int64_t>(whole), hasuuKou);
    return Hasuu(hasuuKou, static_cast<double>(amount) * rate);
}

std::int64_t KyuyoZei(const SalaryTable &table, std::int64_t a, int kind, int deps, int hasuuKou)
{
    if (!fileStillThere(table.path()))
        return 0;
    const std::int64_t d = std::max(deps, 0);
    const int c = static_cast<int>(std::min<std::int64_t>(d, 7));
    std::int64_t t = table.hasBrackets() ? baseTaxExtended(table, a, kind, c, hasuuKou)
                                         : baseTaxFourBrackets(table, a, kind, c, hasuuKou);
    if (kind == kKou) {
        if (d > 7)
            t -= (d - 7) * table.hyo().KouKoujo;
    } else {
        t -= d * table.hyo().OtsuKoujo;
    }
    return std::max<std::int64_t>(t, 0);
}

std::int64_t KyuyoZei(const TableSet &set, std::int64_t a, int kind, int deps, int hasuuKou)
{
    return set.salary() ? KyuyoZei(*set.salary(), a, kind, deps, hasuuKou) : 0;
}

BonusTax SyoyoZei(const BonusTable &table, std::int64_t p, std::int64_t b, int deps, int kind,
                  int hasuuKou)
{
    BonusTax r;
    if (!fileStillThere(table.path()))
        return r;
    r.rate = table.rate(p, kind == kKou ? kKou : kOtsu, deps);
    r.rateApplied = true;
    r.ratePer100k = static_cast<std::int32_t>(std::lround(r.rate * 100000.0));
    r.tax = std::max<std::int64_t>(applyRate(b, r.rate, hasuuKou), 0);
    return r;
}

BonusTax SyoyoZei(const TableSet &set, std::int64_t p, std::int64_t b, int deps, int kind,
                  int hasuuKou)
{
    return set.bonus() ? SyoyoZei(*set.bonus(), p, b, deps, kind, hasuuKou) : BonusTax{};
}

bool bonusNeedsMonthlyTable(std::int64_t p, std::int64_t b)
{
    return p == 0 || b > 10 * p;
}

std::int64_t SyoyoZeiByMonthlyTable(const TableSet &set, std::int64_t p, std::int64_t b, int deps,
                                    int kind, int hasuuKou, bool overSixMonths)
{
    const std::int64_t months = overSixMonths ? 12 : 6;
    const std::int64_t q = std::max<std::int64_t>(b, 0) / months;
    const std::int64_t diff =
        KyuyoZei(set, p + q, kind, deps, hasuuKou) - KyuyoZei(set, p, kind, deps, hasuuKou);
    return std::max<std::int64_t>(diff * months, 0);
}

} // namespace orv
