// The salary calculation of one employee slot.
#include "core/calc/calc.h"

#include "core/calc/calcsupport.h"
#include "core/calc/tax.h"
#include "core/util/rounding.h"
#include "core/util/sjis.h"

namespace orv {
namespace {

// Whether commuting is paid in month m for pay cycle unit (2..11).
bool commutingMonth(int unit, int m)
{
    switch (unit) {
    case 2:
        return true;
    case 3:
    case 4:
    case 5:
        return (m - (unit - 2)) % 3 == 0;
    case 6:
    case 7:
    case 8:
    case 9:
    case 10:
    case 11:
        return m == unit - 5 || m == unit + 1;
    default:
        return false;
    }
}

} // namespace

Status KyuyoKeisan(PayImage &img, int a, const CalcContext &ctx)
{
    if (ctx.keisanStop || a < 1 || a > kSlots)
        return Status::ok();
    if (IsRetired(img, a)) {
        clearRecord(img.Sikyu[a]);
        clearRecord(img.Koujo[a]);
        return Status::ok();
    }
    const TSyainRec &m = img.Syain[a];
    const TKintaiRec &t = img.Kintai[a];
    const TOption &opt = ctx.opt;
    const ItemUse use = itemUse(ctx, m.Keitai);
    SlotWork w(img, a);
    const int month = img.KikanNo;
    auto sik = [&](double q, double p) { return Hasuu(opt.HasuuSik, q * p); };
    auto gen = [&](double q, double p) { return Hasuu(opt.HasuuGen, q * p); };

    std::int64_t kazei = 0, sikyu = 0, notSyaho = 0;
    // A computed item: 0 when not in use; else the computed value unless entered by hand.
    auto payItem = [&](int k, std::int64_t value, bool taxable) {
        if (!use.pay[k]) {
            w.pay(k) = 0;
            return;
        }
        if (!w.payManual(k))
            w.pay(k) = value;
        if (taxable)
            kazei += w.pay(k);
        sikyu += w.pay(k);
    };

    std::int64_t base = m.Chingin1;
    if (m.Keitai == 2 || m.Keitai == 3) {
        base = sik(m.Keitai == 2 ? t.SyukkinNissu : t.JitudoJikan, m.Chingin1);
        base += sik(t.YukyuNissu, m.Yukyu);
    }
    payItem(1, base, true);
    payItem(2, m.Yakuin, true);
    payItem(3, m.Family, true);
    for (int i = 0; i < 3; ++i) {
        int k = 4 + i;
        payItem(k, m.Teate[i], opt.Kazei[i]);
        if (use.pay[k] && !opt.Syaho[i])
            notSyaho += w.pay(k);
    }
    payItem(7, sik(t.ZangyoJikan, m.Chingin2), true);
    payItem(8, sik(t.SinyaJikan, m.Chingin3), true);
    payItem(9, sik(t.KyuZangyoJikan, m.Chingin4), true);
    payItem(10, sik(t.KyuSinyaJikan, m.Chingin5), true);

    // Commuting.
    const bool perDay = m.SikUnit == 1;
    const bool paying = perDay || commutingMonth(m.SikUnit, month);
    const std::int32_t masterKoutuhi[] = {m.Koutuhi0, m.Koutuhi1};
    for (int i = 0; i < 2; ++i) {
        int k = 11 + i;
        std::int64_t value = perDay ? sik(t.SyukkinNissu, masterKoutuhi[i]) : masterKoutuhi[i];
        if (!paying) {
            if (!w.payManual(k))
                w.pay(k) = 0;
            if (!use.pay[k])
                continue;
            if (i == 1)
                kazei += w.pay(k);
            sikyu += w.pay(k);
            continue;
        }
        payItem(k, value, i == 1);
    }

    for (int i = 0; i < 3; ++i) {
        int k = 13 + i;
        if (!use.pay[k])
            continue; // keeps its value, counted nowhere
        if (opt.Kazei[3 + i])
            kazei += w.pay(k);
        if (!opt.Syaho[3 + i])
            notSyaho += w.pay(k);
        sikyu += w.pay(k);
    }
    payItem(16, gen(t.KekkinNissu, -static_cast<double>(m.Kekkin)), true);
    payItem(17, gen(t.ChisouJikan, -static_cast<double>(m.Chisou)), true);
    w.kazeiTotal() = kazei;
    w.sikyuTotal() = sikyu;

    // Deductions.
    DeductionRun run(w, use, sikyu - notSyaho);
    run.set(1, m.Kenkou ? m.KenhoRyo : 0, true);
    run.set(2, m.NenHoken ? m.KoseiRyo : 0, true);
    run.set(3, m.NenKikin ? m.Kakekin : 0, true);
    run.set(4, m.Koyou ? KoyouHasuu(static_cast<double>(sikyu) * (img.Kihon.KoyRitu / 100.0)) : 0,
            true);
    run.set(5, m.Kaigo ? m.KaigoRyo : 0, true);

    // Resident tax: the June amount in June, or in July when the slip of the input month is the
    // previous month's and the company shifts the June amount.
    const int juneMonth = (img.Kihon.SikyuKbn == -1 && img.Kihon.Juumin6 == 1) ? 7 : 6;
    run.set(9, month == juneMonth ? m.Juumin6 : m.Juumin, false);

    run.userNamedAndTotals(opt, DeductionRun::fixedOf(m), kazei);

    // Income tax.
    if (!use.deduct[8]) {
        w.deduct(8) = 0;
    } else {
        if (m.NoSyoto)
            w.deduct(8) = 0;
        else if (!w.deductManual(8))
            w.deduct(8) = KyuyoZei(ctx.tables, w.syahoGo(), m.Zeigaku, m.Sinzoku, opt.HasuuKou);
        run.add(8);
    }
    w.koujoTotal() = run.koujo();
    return w.commit();
}

} // namespace orv
