#pragma once

#include <array>
#include <string>
#include <string_view>

namespace orv {

// The company's settings record `SysOption`: item names and their tax and insurance flags,
// rounding choices, hour display, paper, print offsets, fonts and preferences. Strings are
// UTF-8. A default-constructed record is a company created with "新規作成" (no settings file).
struct TOption {
    std::string FixTeate1 = "固定手当１";
    std::string FixTeate2 = "固定手当２";
    std::string FixTeate3 = "固定手当３";
    std::string VarTeate1 = "変動手当１";
    std::string VarTeate2 = "変動手当２";
    std::string VarTeate3 = "変動手当３";
    std::string FixKoujo1 = "固定控除１";
    std::string FixKoujo2 = "固定控除２";
    std::string FixKoujo3 = "固定控除３";
    std::string VarKoujo1 = "変動控除１";
    std::string VarKoujo2 = "変動控除２";
    std::string VarKoujo3 = "変動控除３";
    std::string Sonota1 = "その他１";
    std::string Sonota2 = "その他２";
    std::string Sonota3 = "その他３";
    std::string TokuSyoyo = "特別賞与";
    std::string KintaiFre; // empty: the free attendance item is not used
    // Index 0..2 FixTeate1..3, 3..5 VarTeate1..3, 6..8 FixKoujo1..3, 9..11 VarKoujo1..3.
    // Allowances: taxable pay; deductions: counted in the social-insurance total.
    std::array<bool, 12> Kazei = {true, true, true, true, true, true};
    // Same order: part of the social-insurance base.
    std::array<bool, 12> Syaho = {true, true, true, true, true, true};
    bool Use2kSatu = false;
    // Fractions below one yen (kinds of `Hasuu`): pay items 1 up / 2 half up; reduction and
    // deduction items 0 truncate / 2 half up. In a bonus period these hold the bonus values.
    int HasuuSik = 1;
    int HasuuGen = 0;
    int HasuuKou = 0;
    int FormType = 1;  // 0 A4 one per sheet, 1 A4 two per sheet, 2 pre-printed form
    int TimeStyle = 1; // 0 decimal hours, 1 h:mm
    double PrAdjustV = 0.0; // print offset, millimetres
    double PrAdjustH = 0.0; // print offset, millimetres
    bool AutoSelect = true;
    bool InputOverN = true;
    bool PrnRuikei = true;
    bool NameWide = false;
    bool NoBakCol = false;
    bool ManualOn = false;
    bool PrnJuryo = true;
    bool OldIchiran = false;
    bool PrnFuyou = true;
    std::string JuryoStr = "　　受領印";
    std::string FontName = "ＭＳ 明朝";
    std::string FontNameM = "ＭＳ ゴシック";
    std::string FontNameS = "ＭＳ 明朝";
    std::string FontNameO = "ＭＳ 明朝";
    bool PrnSikyubi = true;
    bool NoticeChk = false;
    bool KaigoChk = true;
    bool SyoyoName = false;

    bool operator==(const TOption &) const = default;
};

// The four slip item lists, for rules that depend on the list a name belongs to.
enum class ItemList { Kintai, Sikyu, Koujo, Sonota };

// Display name (with its prefix letter) of a stored slip item name: the sixteen placeholders
// ("F固定手当１" … "V変動控除３", "Vその他１" … "Vその他３", "V勤怠項目") become their prefix
// plus the user's present name; every other name is returned unchanged.
std::string ItemName(const TOption &opt, std::string_view storedName);

// True for the sixteen placeholder names.
bool IsPlaceholderName(std::string_view name);

// The name to store for a list entry when the lists are written back: a name whose text after
// the prefix equals the user's present name of one of the list's user-named items is stored
// as that item's placeholder, so that the item keeps its slot after a rename. A name that
// already is a placeholder is stored as it is (never re-mapped to another item's placeholder),
// an empty user name matches nothing, and "other" names are stored unchanged.
std::string StoredItemName(const TOption &opt, ItemList list, std::string_view name);

} // namespace orv
