#include "core/calc/calcsupport.h"

#include "core/util/rounding.h"
#include "core/util/sjis.h"

namespace orv {
namespace {

const char *const kPayNames[] = {"",           "基本給",     "役職手当",   "家族手当",
                                 "固定手当１", "固定手当２", "固定手当３", "普通残業手当",
                                 "深夜残業手当", "休日普通残業", "休日深夜残業", "非課税通勤費",
                                 "課税通勤費", "変動手当１", "変動手当２", "変動手当３",
                                 "欠勤控除",   "遅刻早退控除", "課税支給合計", "支給合計",
                                 "その他１",   "その他２",   "その他３"};
const char *const kDeductNames[] = {"",           "健康保険料", "厚生年金保険", "厚生年金基金",
                                    "雇用保険料", "介護保険料", "社会保険料計", "社保控除後計",
                                    "所得税",     "住民税",     "固定控除１",   "固定控除２",
                                    "固定控除３", "変動控除１", "変動控除２",   "変動控除３",
                                    "控除合計",   "社保算定合計", "その他１",   "その他２",
                                    "その他３",   "賞与の税率"};

} // namespace

SlotWork::SlotWork(PayImage &img, int slot)
    : m_img(img), m_slot(slot), m_sikyu(img.Sikyu[slot]), m_koujo(img.Koujo[slot])
{
    for (int k = 1; k <= 22; ++k)
        m_pay[k] = payItem(m_sikyu, k);
    for (int k = 1; k <= 21; ++k)
        m_deduct[k] = deductItem(m_koujo, k);
}

Status SlotWork::commit()
{
    for (int k = 1; k <= 22; ++k) {
        auto v = fitInt32(m_pay[k]);
        if (!v)
            return Status::error("【" + sjisToUtf8(m_img.Syain[m_slot].Simei.view()) + "】の" +
                                 kPayNames[k] + "が計算できる範囲を超えました。");
        setPayItem(m_sikyu, k, *v);
    }
    for (int k = 1; k <= 21; ++k) {
        auto v = fitInt32(m_deduct[k]);
        if (!v)
            return Status::error("【" + sjisToUtf8(m_img.Syain[m_slot].Simei.view()) + "】の" +
                                 kDeductNames[k] + "が計算できる範囲を超えました。");
        setDeductItem(m_koujo, k, *v);
    }
    m_img.Sikyu[m_slot] = m_sikyu;
    m_img.Koujo[m_slot] = m_koujo;
    return Status::ok();
}

void DeductionRun::set(int k, std::int64_t value, bool social)
{
    if (!m_use.deduct[k]) {
        m_w.deduct(k) = 0;
        return;
    }
    if (!m_w.deductManual(k))
        m_w.deduct(k) = value;
    if (social)
        m_syaho += m_w.deduct(k);
    m_koujo += m_w.deduct(k);
}

void DeductionRun::userNamedAndTotals(const TOption &opt, const std::array<std::int64_t, 3> &fixed,
                                      std::int64_t kazei)
{
    for (int i = 0; i < 3; ++i) {
        const int k = 10 + i;
        set(k, fixed[i], opt.Kazei[6 + i]);
        if (m_use.deduct[k] && opt.Syaho[6 + i])
            m_santei -= m_w.deduct(k);
    }
    for (int i = 0; i < 3; ++i) {
        const int k = 13 + i;
        if (!m_use.deduct[k])
            continue;
        if (opt.Kazei[9 + i])
            m_syaho += m_w.deduct(k);
        if (opt.Syaho[9 + i])
            m_santei -= m_w.deduct(k);
        m_koujo += m_w.deduct(k);
    }
    m_w.syahoSantei() = m_santei;
    m_w.syahoTotal() = m_syaho;
    m_w.syahoGo() = kazei - m_syaho;
}

} // namespace orv
