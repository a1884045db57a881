#pragma once

// What the two entry screens share: where each slip item is stored in the records of a slot,
// the order in which employees are stepped through, and the recomputation of all slots with
// its questions. Plain C++ over Session.

#include "core/calc/calc.h"
#include "core/options/option.h"
#include "core/records/payimage.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

class Session;

// The lists a slip item can come from.
enum class EntryGroup { Kintai, Sikyu, Koujo, Sonota };

// Display text of a stored slip item entry: the user's name for placeholders, without the
// prefix letter ("F固定手当１" with FixTeate1 = 皆勤手当 gives 皆勤手当; "F" gives "").
std::string itemText(const TOption &opt, std::string_view entry);

// Storage numbers of an item text (without prefix; present user names are recognised as well
// as the placeholders); 0 for a text without storage.
//  attendance: 1..16 in record order (所定労働日数 .. 有休残日数)
//  pay: pay item k of TSikyuRec (1..17, 課税支給合計 18)
//  deduction: deduction item k of TKoujoRec (1..15)
//  other: 1..3 (stored in TSikyuRec.Sonota)
int kintaiNo(const TOption &opt, std::string_view text);
int payNo(const TOption &opt, std::string_view text);
int deductNo(const TOption &opt, std::string_view text);
int sonotaNo(const TOption &opt, std::string_view text);
int itemNo(const TOption &opt, EntryGroup group, std::string_view text);

double kintaiValue(const TKintaiRec &r, int no);
void setKintaiValue(TKintaiRec &r, int no, double value);

// Attendance day counts that may not exceed 31.
bool isDayItem(std::string_view text);
// Totals that can never be entered by hand.
bool isTotalItem(std::string_view text);

// The message for a day count above 31.
inline constexpr const char *kDaysOver31Message = "日数の入力は31までです。";
// A calculator result that cannot go into the field.
inline constexpr const char *kCalcResultRefusedMessage = "計算結果が入力欄の範囲を超えているため設定できません。";

// Employees in use and not retired, by sequence number when any employee has one (employees
// without a number after those with one; equal numbers by slot), otherwise by slot.
std::vector<int> orderedSlots(const PayImage &img);
// The employee before / after `slot` in that order; 0 when there is none. `slot` itself need
// not be in the list.
int previousSlot(const PayImage &img, int slot);
int nextSlot(const PayImage &img, int slot);

// Recomputes every slot (session.recalcAll()), reports overflow errors, and in a bonus period
// with exception slots asks whether their income tax is switched to entry by hand.
ZenKeisanResult recalcAllAndAsk(Session &session);

// Asks the bonus exception question for one slot after its calculation; true when the user
// switched its income tax to entry by hand.
bool askTaxExceptionOne(Session &session, int slot);

} // namespace orv
