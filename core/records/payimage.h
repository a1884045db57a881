#pragma once

#include "core/records/records.h"

#include <array>
#include <string>

namespace orv {

// One pay period in memory: the file header, the basic block and the four employee arrays.
// Slots are 1-based; element 0 of each array is never used and stays zero.
// The records are packed; aligning each array to 8 bytes keeps their doubles and 32-bit
// amounts on natural boundaries, so references to them (as tests take) are valid.
struct PayImage {
    alignas(8) THeadRec Head{};
    alignas(8) TKihonRec Kihon{};
    alignas(8) std::array<TSyainRec, kSlots + 1> Syain{};
    alignas(8) std::array<TKintaiRec, kSlots + 1> Kintai{};
    alignas(8) std::array<TSikyuRec, kSlots + 1> Sikyu{};
    alignas(8) std::array<TKoujoRec, kSlots + 1> Koujo{};
    int KikanNo = 1; // 1..12 months, 13 summer, 14 winter, 15 special bonus

    bool isBonus() const { return KikanNo > 12; }
    // Clears the basic block and all four arrays (the header stays).
    void clearPeriod();
    void clearEmployees();
    void clearVariable(); // attendance, pay and deductions
};

// Slot operations on the image. A slot is in use when its UniqueKey is not empty.
bool SlotInUse(const PayImage &img, int slot);
int FirstFreeSlot(const PayImage &img); // 0 when all 90 are used
int MaxSeqNo(const PayImage &img);
int SlotBySeqNo(const PayImage &img, int seqNo); // -1 when none
bool IsRetired(const PayImage &img, int slot);
// Class text in UTF-8: the class list entry for Kubun 1..5, otherwise KubunMei.
std::string KubunText(const TSyainRec &rec);

// Writes rec into the first free slot with the new-slot presets; returns the slot, or 0 when
// all 90 are in use (nothing changed).
int addEmployee(PayImage &img, const TSyainRec &rec);
// Prepares a record being saved for the first time: cleared, then a UniqueKey from the local
// time "yymmdd_hhnnss" that no slot of the image uses yet.
void createMasterRecord(const PayImage &img, TSyainRec &rec);
// Removes slot i: later slots move down, slot 90 is cleared, higher SeqNo values close the gap.
void deleteEmployee(PayImage &img, int slot);

// Item numbers by item name (UTF-8, without the F/V prefix); 0 for names without storage.
// Fixed allowances and deductions are recognised by their placeholder names.
int PayItemNo(const std::string &name);
int DeductItemNo(const std::string &name);

} // namespace orv
