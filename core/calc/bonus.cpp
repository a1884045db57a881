// The bonus calculation of one employee slot and its look-ups in the saved yearly files.
#include "core/calc/calc.h"

#include "core/calc/calcsupport.h"
#include "core/calc/tax.h"
#include "core/util/fileio.h"
#include "core/util/rounding.h"
#include "core/yearfile/yearfile.h"

#include <memory>

namespace orv {
namespace {

constexpr std::int64_t kHealthBonusCap = 5730000;  // per fiscal year, cumulative
constexpr std::int64_t kPensionBonusCap = 1500000; // per payment

// The Syain and one amount array of a saved period, found by key: returns the slot's records.
struct SavedSlot {
    bool found = false;
    TSikyuRec sikyu{};
    TKoujoRec koujo{};
};

SavedSlot findSaved(const std::string &file, int period, std::string_view key)
{
    SavedSlot r;
    if (file.empty() || !fileExists(file))
        return r;
    auto img = std::make_unique<PayImage>();
    if (!OpenPeriod(file, period, *img))
        return r;
    for (int i = 1; i <= kSlots; ++i) {
        if (img->Syain[i].UniqueKey.view() == key) {
            r.found = true;
            r.sikyu = img->Sikyu[i];
            r.koujo = img->Koujo[i];
            return r;
        }
    }
    return r;
}

// The standard bonus amount of a saved bonus: its taxable total without the part below 1,000 yen.
std::int64_t savedStandardBonus(const std::string &file, int period, std::string_view key)
{
    SavedSlot s = findSaved(file, period, key);
    if (!s.found)
        return 0;
    std::int64_t total = s.sikyu.KazeiTotal;
    return total > 0 ? total / 1000 * 1000 : 0;
}

bool inJanToMar(int m) { return m >= 1 && m <= 3; }
bool inAprToDec(int m) { return m >= 4 && m <= 12; }

} // namespace

std::int64_t ZengetuSyahoGo(const std::string &curFile, int m, std::string_view uniqueKey)
{
    std::string file = m > 0 ? curFile : PrevYearFile(curFile);
    int period = m > 0 ? m : 12;
    if (period > 12)
        return 0;
    SavedSlot s = findSaved(file, period, uniqueKey);
    return s.found ? s.koujo.SyahoGo : 0;
}

std::int64_t SyoyoHyojunKen(const PayImage &img, const std::string &curFile, std::int64_t b,
                            std::string_view uniqueKey)
{
    const int k = img.KikanNo;
    const int mc = img.Head.SikyuM[k - 13];
    const int dc = img.Head.SikyuD[k - 13];
    auto earlier = [&](int mk, int dk) { return mk < mc || (mk == mc && dk <= dc); };
    std::int64_t sum = 0;
    if (!inJanToMar(mc)) {
        for (int other = 13; other <= 15; ++other) {
            if (other == k)
                continue;
            int mk = img.Head.SikyuM[other - 13], dk = img.Head.SikyuD[other - 13];
            if (!inJanToMar(mk) && earlier(mk, dk))
                sum += savedStandardBonus(curFile, other, uniqueKey);
        }
    } else {
        std::string prev = PrevYearFile(curFile);
        THeadRec prevHead;
        if (!prev.empty() && fileExists(prev) && readYearHead(prev, prevHead)) {
            for (int other = 13; other <= 15; ++other)
                if (!inJanToMar(prevHead.SikyuM[other - 13]))
                    sum += savedStandardBonus(prev, other, uniqueKey);
        }
        for (int other = 13; other <= 15; ++other) {
            if (other == k)
                continue;
            int mk = img.Head.SikyuM[other - 13], dk = img.Head.SikyuD[other - 13];
            if (!inAprToDec(mk) && earlier(mk, dk))
                sum += savedStandardBonus(curFile, other, uniqueKey);
        }
    }
    if (sum > kHealthBonusCap)
        return 0;
    if (sum + b <= kHealthBonusCap)
        return b;
    return kHealthBonusCap - sum;
}

Result<BonusResult> SyoyoKeisan(PayImage &img, int a, const CalcContext &ctx)
{
    BonusResult result;
    if (ctx.keisanStop || a < 1 || a > kSlots || img.KikanNo < 13 || img.KikanNo > 15)
        return result;
    if (IsRetired(img, a)) {
        clearRecord(img.Sikyu[a]);
        clearRecord(img.Koujo[a]);
        return result;
    }
    const TSyainRec &m = img.Syain[a];
    const TOption &opt = ctx.opt;
    const ItemUse use = itemUse(ctx, m.Keitai);
    SlotWork w(img, a);

    std::int64_t kazei = 0, sikyu = 0, notSyaho = 0;
    for (int k : {1, 2}) {
        if (use.pay[k]) {
            kazei += w.pay(k);
            sikyu += w.pay(k);
        }
    }
    for (int i = 0; i < 3; ++i) {
        int k = 4 + i;
        if (!use.pay[k]) {
            w.pay(k) = 0;
            continue;
        }
        if (!w.payManual(k))
            w.pay(k) = m.Teate[i];
        if (opt.Kazei[i])
            kazei += w.pay(k);
        if (!opt.Syaho[i])
            notSyaho += w.pay(k);
        sikyu += w.pay(k);
    }
    for (int i = 0; i < 3; ++i) {
        int k = 13 + i;
        if (!use.pay[k])
            continue;
        if (opt.Kazei[3 + i])
            kazei += w.pay(k);
        if (!opt.Syaho[3 + i])
            notSyaho += w.pay(k);
        sikyu += w.pay(k);
    }
    w.kazeiTotal() = kazei;
    w.sikyuTotal() = sikyu;
    DeductionRun run(w, use, sikyu - notSyaho);

    const std::int64_t b = kazei > 0 ? kazei / 1000 * 1000 : 0;
    const std::int64_t bh = SyoyoHyojunKen(img, ctx.curFile, b, m.UniqueKey.view());
    const std::int64_t bp = std::min(b, kPensionBonusCap);
    const TKihonRec &kh = img.Kihon;

    run.set(1, m.Kenkou ? SyahoHasuu(static_cast<double>(bh) * (kh.KenRitu / 100.0)) : 0, true);
    run.set(2, m.NenHoken ? SyahoHasuu(static_cast<double>(bp) * (kh.NenRitu / 100.0)) : 0, true);
    run.set(3, m.NenKikin ? SyahoHasuu(static_cast<double>(bp) * (kh.KknRitu / 100.0)) : 0, true);
    const std::int64_t koyouBase = sikyu - (use.pay[2] ? w.pay(2) : 0);
    run.set(4, m.Koyou ? KoyouHasuu(static_cast<double>(koyouBase) * (kh.KoyRitu / 100.0)) : 0,
            true);
    // Care is the combined health-and-care premium less the health premium; it exists only
    // for an employee with health insurance.
    std::int64_t care = 0;
    if (m.Kaigo && m.Kenkou)
        care =
            SyahoHasuu(((kh.KenRitu + kh.KaiRitu) / 100.0) * static_cast<double>(bh)) - w.deduct(1);
    run.set(5, care, true);

    run.userNamedAndTotals(opt, DeductionRun::fixedOf(m), kazei);

    if (!use.deduct[8]) {
        w.deduct(8) = 0;
    } else {
        if (!w.deductManual(8) && !m.NoSyoto) {
            const int payMonth = img.Head.SikyuM[img.KikanNo - 13];
            const std::int64_t p = ZengetuSyahoGo(ctx.curFile, payMonth - 1, m.UniqueKey.view());
            if (p == 0) {
                w.deduct(8) = 0;
                result.exception = TaxException::NoPreviousPay;
            } else if (w.syahoGo() > 10 * p) {
                w.deduct(8) = 0;
                result.exception = TaxException::OverTenTimes;
            } else {
                BonusTax tax =
                    SyoyoZei(ctx.tables, p, w.syahoGo(), m.Sinzoku, m.Zeigaku, opt.HasuuKou);
                w.deduct(8) = tax.tax;
                if (tax.rateApplied)
                    w.syoyoRitu() = Kirisute(tax.rate * 100000.0);
            }
        }
        run.add(8);
    }
    w.koujoTotal() = run.koujo();
    if (Status s = w.commit(); !s)
        return s;
    return result;
}

} // namespace orv
