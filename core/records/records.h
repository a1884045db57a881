#pragma once

// The records of one pay period, laid out byte for byte as the yearly file stores them.
// All integers are little-endian; strings are a length byte followed by Shift-JIS bytes.
// Reserved bytes and alignment gaps are members so that they survive a round trip.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

static_assert(std::endian::native == std::endian::little, "records are raw little-endian images");

namespace orv {

#pragma pack(push, 1)

// Bool: one byte, 0 false, anything else true. Kept as a byte so that any value read from
// a file is valid and is written back unchanged.
struct Bool {
    std::uint8_t value;
    operator bool() const { return value != 0; }
    Bool &operator=(bool b)
    {
        value = b ? 1 : 0;
        return *this;
    }
};

// Int64 at an offset that is not a multiple of 8 (MyNo sits at 324): kept as bytes so that no
// misaligned 64-bit reference can ever be formed.
struct I64 {
    std::uint8_t bytes[8];
    operator std::int64_t() const
    {
        std::int64_t v;
        std::memcpy(&v, bytes, 8);
        return v;
    }
    I64 &operator=(std::int64_t v)
    {
        std::memcpy(bytes, &v, 8);
        return *this;
    }
};

// Str[N]: one length byte (0..N) and N bytes of Shift-JIS text.
template <std::size_t N>
struct Str {
    std::uint8_t len;
    char text[N];

    static constexpr std::size_t capacity = N;
    // The value: at most N bytes even when a damaged length byte says more.
    std::string_view view() const { return std::string_view(text, len <= N ? len : N); }
    std::string str() const { return std::string(view()); }
    bool empty() const { return view().empty(); }
    // Stores the Shift-JIS bytes; false (and nothing changed) when they do not fit.
    bool set(std::string_view sjisBytes)
    {
        if (sjisBytes.size() > N)
            return false;
        len = static_cast<std::uint8_t>(sjisBytes.size());
        std::memcpy(text, sjisBytes.data(), sjisBytes.size());
        return true;
    }
    // Clears the bytes after the value (they are not part of it).
    void normalize()
    {
        std::size_t n = view().size();
        std::memset(text + n, 0, N - n);
    }
};

struct THeadRec {
    std::uint8_t reserved0[8];
    Bool Sakusei[15]; // period k saved at least once, index k-1
    std::uint8_t pad23;
    std::int32_t SikyuM[3]; // pay month of bonus 1..3
    std::int32_t SikyuD[3]; // pay day of bonus 1..3
    std::uint8_t PrnSikyuM[15];
    std::uint8_t PrnSikyuD[15];
    std::uint8_t reserved78[50];
};

struct TKihonRec {
    Str<44> Syamei;
    std::uint8_t pad45[3];
    std::int32_t SikyuKbn;
    std::int32_t Juumin6;
    std::uint8_t reserved56[4];
    Bool Jigyo;
    Bool UseHyo;
    std::uint8_t pad62[2];
    std::int32_t Sikyubi;
    std::int32_t Nissu;
    double Jikan;
    std::uint8_t reserved80[16];
    double JikanD;
    double KoyRitu; // percent
    double KenRitu;
    double KaiRitu;
    double NenRitu;
    double KknRitu;
    std::uint8_t reserved144[216];
    I64 HouNo;
    std::uint8_t reserved368[1016];
};

struct TSyainRec {
    Str<20> Simei;
    Str<20> Busyo;
    Str<16> UniqueKey;
    std::uint8_t pad59;
    std::int32_t Kubun;
    std::int32_t Keitai; // 1 monthly, 2 daily, 3 hourly
    std::int32_t Zeigaku; // 0 kou, 1 otsu
    std::int32_t Fuyou;
    std::int32_t Sinzoku;
    std::int32_t Chingin1;
    std::int32_t Chingin2;
    std::int32_t Chingin3;
    std::int32_t Chingin4;
    std::int32_t Chingin5;
    std::int32_t Koutuhi0;
    std::int32_t Koutuhi1;
    std::int32_t SikUnit;
    std::int32_t Juumin6;
    std::int32_t Juumin;
    std::int32_t Yakuin;
    std::int32_t Family;
    std::int32_t Teate[3];
    std::int32_t Koujo[3];
    std::int32_t Yukyu;
    std::int32_t Kekkin;
    std::int32_t Chisou;
    std::uint8_t reserved164[8];
    Bool Koyou;
    std::uint8_t pad173;
    Bool Kenkou;
    std::uint8_t pad175;
    std::int32_t KenhoRyo;
    Bool Kaigo;
    std::uint8_t pad181[3];
    std::int32_t KaigoRyo;
    Bool NenHoken;
    std::uint8_t pad189[3];
    std::int32_t KoseiRyo;
    Bool NenKikin;
    std::uint8_t pad197[3];
    std::int32_t Kakekin;
    std::uint8_t reserved204[40];
    Bool Genkin;
    Str<50> MailAdrs;
    Str<8> TaiYMD;
    Str<12> KubunMei;
    std::uint16_t KenhoTokyu;
    std::uint16_t SeqNo;
    std::uint8_t pad322[2];
    I64 MyNo;
    Bool NoSyoto;
    Str<20> Chouson;
    std::uint8_t reserved354[143];
    std::uint8_t pad497[3];
};

struct TKintaiRec {
    double SyoteiNissu;
    double SyukkinNissu;
    double YukyuNissu;
    double KekkinNissu;
    double KyusyutuNissu;
    double TokkyuNissu;
    double SyoteiJikan;
    double JitudoJikan;
    double ZangyoJikan;
    double SinyaJikan;
    double KyuZangyoJikan;
    double KyuSinyaJikan;
    double ChisouKaisu;
    double ChisouJikan;
    double YukyuZan;
    double KintaiItem;
    double reserved[9];
};

struct TSikyuRec {
    std::int32_t Kihonkyu;
    std::int32_t Yakuin;
    std::int32_t Family;
    std::int32_t Teate[3];
    std::int32_t Zangyo;
    std::int32_t Sinya;
    std::int32_t KyuZangyo;
    std::int32_t KyuSinya;
    std::int32_t Koutuhi0;
    std::int32_t Koutuhi1;
    std::int32_t Hendo[3];
    std::int32_t Kekkin;
    std::int32_t Chisou;
    std::int32_t KazeiTotal;
    std::int32_t SikyuTotal;
    std::int32_t Sonota[3];
    std::uint8_t reserved88[28];
    Bool Manual[30]; // flag of pay item k at index k-1
    std::uint8_t pad146[2];
};

struct TKoujoRec {
    std::int32_t KenhoRyo;
    std::int32_t KoseiRyo;
    std::int32_t Kakekin;
    std::int32_t KoyouRyo;
    std::int32_t KaigoRyo;
    std::int32_t SyahoTotal;
    std::int32_t SyahoGo;
    std::int32_t Syotoku;
    std::int32_t Juumin;
    std::int32_t Koujo[3];
    std::int32_t HendoKoujo[3];
    std::int32_t KoujoTotal;
    std::int32_t SyahoSantei;
    std::int32_t Sonota[3];
    std::int32_t SyoyoRitu; // rate applied x 100000 (bonus periods)
    std::uint8_t reserved84[24];
    Bool Manual[25]; // flag of deduction item k at index k-1
    std::uint8_t pad133[3];
};

#pragma pack(pop)

constexpr int kSlots = 90;
constexpr int kPeriods = 15;

// Pay item k (1..30) / deduction item k (1..25) as the Int32 at offset 4(k-1).
// Items beyond the defined fields read 0 and ignore writes into reserved space.
std::int32_t payItem(const TSikyuRec &r, int k);
void setPayItem(TSikyuRec &r, int k, std::int32_t value);
std::int32_t deductItem(const TKoujoRec &r, int k);
void setDeductItem(TKoujoRec &r, int k, std::int32_t value);

// The record types are raw images: zero-initialise with this, never with field-wise init.
template <typename T>
void clearRecord(T &r)
{
    std::memset(static_cast<void *>(&r), 0, sizeof r);
}

} // namespace orv
