#pragma once

// Working copy of one slot's pay and deduction records in 64-bit amounts. The calculation
// fills it and commit() stores it only when every amount fits its 32-bit field.

#include "core/calc/calc.h"
#include "core/records/payimage.h"
#include "core/util/status.h"

#include <array>
#include <cstdint>

namespace orv {

class SlotWork {
public:
    SlotWork(PayImage &img, int slot);

    std::int64_t &pay(int k) { return m_pay[k]; }             // 1..22
    std::int64_t &deduct(int k) { return m_deduct[k]; }       // 1..21
    bool payManual(int k) const { return m_sikyu.Manual[k - 1]; }
    bool deductManual(int k) const { return m_koujo.Manual[k - 1]; }

    std::int64_t &kazeiTotal() { return m_pay[18]; }
    std::int64_t &sikyuTotal() { return m_pay[19]; }
    std::int64_t &syahoTotal() { return m_deduct[6]; }
    std::int64_t &syahoGo() { return m_deduct[7]; }
    std::int64_t &koujoTotal() { return m_deduct[16]; }
    std::int64_t &syahoSantei() { return m_deduct[17]; }
    std::int64_t &syoyoRitu() { return m_deduct[21]; }

    // Stores the amounts; an error naming the employee and the first item that does not fit
    // leaves the records unchanged.
    Status commit();

private:
    PayImage &m_img;
    int m_slot;
    TSikyuRec m_sikyu;
    TKoujoRec m_koujo;
    std::array<std::int64_t, 23> m_pay{};
    std::array<std::int64_t, 22> m_deduct{};
};

// The deductions of a slot as they are set, with the sums the totals need: the social
// insurance total, the deduction total and the base of the standard-remuneration check.
class DeductionRun {
public:
    DeductionRun(SlotWork &w, const ItemUse &use, std::int64_t santei)
        : m_w(w), m_use(use), m_santei(santei)
    {
    }

    // Deduction k: 0 when the pay form has no such item, else `value` unless it is entered by
    // hand. social: it counts to the social-insurance total.
    void set(int k, std::int64_t value, bool social);
    // The user-named deductions, fixed 10..12 (from the master's amounts) and variable 13..15
    // (as entered), then the social-insurance totals of the slot (kazei: the taxable pay).
    void userNamedAndTotals(const TOption &opt, const std::array<std::int64_t, 3> &fixed,
                            std::int64_t kazei);
    // The fixed user-named amounts of an employee's master, copied out of the packed record.
    static std::array<std::int64_t, 3> fixedOf(const TSyainRec &m)
    {
        return {m.Koujo[0], m.Koujo[1], m.Koujo[2]};
    }
    // Adds deduction k, set elsewhere, to the deduction total.
    void add(int k) { m_koujo += m_w.deduct(k); }
    std::int64_t koujo() const { return m_koujo; }

private:
    SlotWork &m_w;
    const ItemUse &m_use;
    std::int64_t m_santei;
    std::int64_t m_syaho = 0;
    std::int64_t m_koujo = 0;
};

} // namespace orv
