#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace orv {

// One slip item: a name with its prefix letter ("F" computed or from the master, "V" entered
// per period; "F" alone is a blank slot; user-named items under their placeholders) and one
// use flag per pay form (index 0 monthly 月給, 1 daily 日給, 2 hourly 時間給).
struct TEditItems {
    std::string Name;
    std::array<bool, 3> Use{};
};

enum class SlipKind { Kyuyo, Syoyo }; // salary periods 1..12, bonus periods 13..15

constexpr std::size_t kKintaiCount = 16;
constexpr std::size_t kSikyuCount = 18;
constexpr std::size_t kKoujoCount = 18;
constexpr std::size_t kSonotaCount = 3;

// Name of a blank slot.
inline constexpr std::string_view kBlankItem = "F";

// The slip item lists of one kind and the per-pay-form name tables derived from them.
// The tables are indexed [Keitai][position] with Keitai 1..3 (index 0 is unused and blank).
// In the bonus set the attendance list is not used: it holds blank slots only.
struct SlipItems {
    template <std::size_t N>
    using Names = std::array<std::array<std::string, N>, 4>;

    SlipKind kind = SlipKind::Kyuyo;
    std::array<TEditItems, kKintaiCount> KintaiItems;
    std::array<TEditItems, kSikyuCount> SikyuItems;
    std::array<TEditItems, kKoujoCount> KoujoItems;
    std::array<TEditItems, kSonotaCount> SonotaItems;

    Names<kKintaiCount> KintaiNames;
    Names<kSikyuCount> SikyuNames;
    Names<kKoujoCount> KoujoNames;
    Names<kSonotaCount> SonotaNames;

    // Rebuilds the name tables: entry [f][k] is the name of position k when it is used in pay
    // form f, else a blank slot.
    void derive();

    // The default lists and flags of a kind (as a company without settings has them),
    // with the tables derived.
    static SlipItems defaults(SlipKind kind);
};

// Default stored names of the lists (placeholders for user-named items).
const std::array<std::string_view, kKintaiCount> &DefaultKintaiNames();
const std::array<std::string_view, kSikyuCount> &DefaultSikyuNames(SlipKind kind);
const std::array<std::string_view, kKoujoCount> &DefaultKoujoNames(SlipKind kind);
const std::array<std::string_view, kSonotaCount> &DefaultSonotaNames();

// Default use-flag strings of pay form 1..3 ("1" = used, one character per position).
std::string_view DefaultKintaiFlags(int form);
std::string_view DefaultSikyuFlags(SlipKind kind, int form);
std::string_view DefaultKoujoFlags(SlipKind kind, int form);
std::string_view DefaultSonotaFlags(int form);

} // namespace orv
