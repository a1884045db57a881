#pragma once

// The three fixed-layout table files, byte for byte. The files are raw images of these structs
// (little-endian int32 and IEEE-754 doubles, no header); docs/formats/tables.md describes them
// and the extension block that follows the salary table image.

#include <bit>
#include <cstddef>
#include <cstdint>

static_assert(std::endian::native == std::endian::little,
              "table files are raw little-endian images");

namespace orv
{

// File names in the program folder (UTF-8; the file system takes them as they are).
inline constexpr const char kKyuyoZeiFile[] = "税額表(給与).dat";
inline constexpr const char kSyoyoZeiFile[] = "税額表(賞与).dat";
inline constexpr const char kKenhoHyoFile[] = "健康保険料額表.dat";
inline constexpr const char kKenhoRituFile[] = "健康保険料率.dat";

inline constexpr int kKyuyoMaxRows = 380;
inline constexpr int kKyuyoMinRows = 4;
inline constexpr int kSyoyoKouMaxRows = 24;
inline constexpr int kSyoyoOtsuMaxRows = 10;
inline constexpr int kKenhoMaxGrades = 80;

#pragma pack(push, 1)

// One row of the monthly salary table: Ijou <= amount < Miman.
struct TKyuyoZeiRec {
    std::int32_t Ijou;
    std::int32_t Miman;
    std::int32_t Kou[8]; // 甲欄 tax for 0..7 dependants
    std::int32_t Otsu;   // 乙欄 tax
};

// 税額表(給与).dat. Rows[0] is row 1. Rows N-3..N are the four top brackets: Ijou the threshold,
// Kou/Otsu the tax at the threshold. Rates are fractions (0.2042 for 20.42 %).
struct TKyuyoZeiHyo {
    std::int32_t Count;
    TKyuyoZeiRec Rows[kKyuyoMaxRows];
    double KouRitu1;
    double KouRitu2;
    double KouRitu3;
    double KouRitu4;
    double OtsuRitu0;
    double OtsuRitu1;
    double OtsuRitu2;
    std::int32_t KouKoujo;  // yen per 甲欄 dependant beyond seven
    std::int32_t OtsuKoujo; // yen per 乙欄 dependant
};

// One 甲欄 rate of the bonus table with its band for each dependant count 0..7 (yen).
struct TSyoyoKouRec {
    double Ritu;
    struct Band {
        std::int32_t Ijou;
        std::int32_t Miman;
    } Band[8];
};

struct TSyoyoOtsuRec {
    double Ritu;
    std::int32_t Miman; // yen, exclusive
};

// 税額表(賞与).dat.
struct TSyoyoZeiHyo {
    std::int32_t KouCount;
    TSyoyoKouRec KouRows[kSyoyoKouMaxRows];
    std::int32_t OtsuCount;
    TSyoyoOtsuRec OtsuRows[kSyoyoOtsuMaxRows];
};

struct TKenhoRec {
    std::int32_t Ijou;   // monthly remuneration from (yen, inclusive)
    std::int32_t Miman;  // up to (yen, exclusive)
    std::int32_t Hyojun; // standard monthly remuneration (yen)
};

// 健康保険料額表.dat. Grade g is at offset 12 * g, so Rows[g - 1] is grade g.
struct TKenhoHyo {
    std::int32_t Count;
    std::int32_t NenMin;
    std::int32_t NenMax;
    TKenhoRec Rows[kKenhoMaxGrades];
};

// The extension block after the 16,788-byte salary image: every top bracket of both columns.
// Rates are exact, in units of 1/100,000 (0.001 %): 20420 is 20.420 %.
inline constexpr char kKyuyoTopMagic[4] = {'O', 'V', 'K', 'T'};
inline constexpr std::int32_t kKyuyoTopVersion = 1;
inline constexpr int kKyuyoTopMaxBrackets = 64;

struct TKyuyoTopHeader {
    char Magic[4];             // "OVKT"
    std::int32_t Version;      // 1
    std::int32_t Size;         // bytes of the whole block, header included
    std::int32_t Year;         // Gregorian year the table is first in force, 0 unknown
    std::int32_t OtsuRate0;    // 乙欄 rate below row 1, 1/100,000
    std::int32_t BracketCount; // number of TKyuyoTopRec that follow
    std::int32_t Reserved[2];  // zero
};

struct TKyuyoTopRec {
    std::int32_t Column;  // 0 甲欄, 1 乙欄
    std::int32_t Ijou;    // threshold (yen, inclusive)
    std::int32_t Rate;    // on the excess over Ijou, 1/100,000
    std::int32_t Base[8]; // tax at the threshold for 0..7 dependants (乙欄: all equal)
};

#pragma pack(pop)

inline constexpr std::size_t kKyuyoZeiSize = 16788;
inline constexpr std::size_t kSyoyoZeiSize = 1856;
inline constexpr std::size_t kKenhoHyoSize = 972;

static_assert(sizeof(TKyuyoZeiRec) == 44);
static_assert(sizeof(TKyuyoZeiHyo) == kKyuyoZeiSize);
static_assert(offsetof(TKyuyoZeiHyo, Rows) == 4);
static_assert(offsetof(TKyuyoZeiHyo, KouRitu1) == 16724);
static_assert(offsetof(TKyuyoZeiHyo, KouRitu4) == 16748);
static_assert(offsetof(TKyuyoZeiHyo, OtsuRitu0) == 16756);
static_assert(offsetof(TKyuyoZeiHyo, OtsuRitu2) == 16772);
static_assert(offsetof(TKyuyoZeiHyo, KouKoujo) == 16780);
static_assert(offsetof(TKyuyoZeiHyo, OtsuKoujo) == 16784);
static_assert(offsetof(TKyuyoZeiRec, Kou) == 8);
static_assert(offsetof(TKyuyoZeiRec, Otsu) == 40);

static_assert(sizeof(TSyoyoKouRec) == 72);
static_assert(sizeof(TSyoyoOtsuRec) == 12);
static_assert(sizeof(TSyoyoZeiHyo) == kSyoyoZeiSize);
static_assert(offsetof(TSyoyoZeiHyo, KouRows) == 4);
static_assert(offsetof(TSyoyoZeiHyo, OtsuCount) == 1732);
static_assert(offsetof(TSyoyoZeiHyo, OtsuRows) == 1736);
static_assert(offsetof(TSyoyoKouRec, Band) == 8);

static_assert(sizeof(TKenhoRec) == 12);
static_assert(sizeof(TKenhoHyo) == kKenhoHyoSize);
static_assert(offsetof(TKenhoHyo, Rows) == 12);

static_assert(sizeof(TKyuyoTopHeader) == 32);
static_assert(sizeof(TKyuyoTopRec) == 44);
static_assert(offsetof(TKyuyoTopRec, Base) == 12);

} // namespace orv
