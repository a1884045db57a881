#pragma once

// Working copy of one slot's pay and deduction records in 64-bit amounts. The calculation
// fills it and commit() stores it only when every amount fits its 32-bit field.

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

} // namespace orv
