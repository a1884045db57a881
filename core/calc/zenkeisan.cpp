#include "core/calc/calc.h"

namespace orv {

const char kTaxExceptionWarning[] =
    "下記の何れかの例外に該当する為、所得税が自動計算されません。\r"
    "ユーザーによる所得税の計算と入力が必要です。\r"
    "　１．前月中に給与の支払いが無い。\r"
    "　２．今回支給の｢社保控除後計｣の金額が、前月中の給与等の金額\r"
    "　　　(社会保険控除後)の10倍を超えている。\r\r";
const char kTaxExceptionAskAll[] = "該当する社員の所得税を手入力モードに変更しますか？";
const char kTaxExceptionAskOne[] = "この社員の所得税を手入力モードに変更しますか？";
const char kTaxSwitchedAll[] = "該当社員の所得税計算を手入力モードに変更しました。\r"
                               "明細入力画面にて該当社員の確認と入力を行って下さい。";
const char kTaxSwitchedOne[] = "所得税計算を手入力モードに変更しました。\r"
                               "所得税の計算と入力を行って下さい。";

ZenKeisanResult ZenKeisan(PayImage &img, const CalcContext &ctx)
{
    ZenKeisanResult r;
    r.ZeiOk.fill(true);
    // Old data is left exactly as it is.
    if (ctx.keisanStop)
        return r;
    const bool bonus = img.isBonus();
    for (int a = 1; a <= kSlots; ++a) {
        if (!SlotInUse(img, a)) {
            clearRecord(img.Kintai[a]);
            clearRecord(img.Sikyu[a]);
            clearRecord(img.Koujo[a]);
            continue;
        }
        if (!bonus) {
            if (Status s = KyuyoKeisan(img, a, ctx); !s)
                r.errors.push_back(s.message());
            continue;
        }
        auto res = SyoyoKeisan(img, a, ctx);
        if (!res) {
            r.errors.push_back(res.message());
            continue;
        }
        r.ZeiOk[a] = res->ok();
        if (!res->ok()) {
            r.exceptionSlots.push_back(a);
            r.exceptions.push_back(res->exception);
        }
    }
    return r;
}

void switchTaxToManual(PayImage &img, const ZenKeisanResult &r)
{
    for (int a : r.exceptionSlots)
        img.Koujo[a].Manual[7] = true;
}

} // namespace orv
