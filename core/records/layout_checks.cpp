// Compile-time checks that every record matches the file layout byte for byte.
#include "core/records/records.h"

namespace orv {

#define ORV_AT(T, field, off) static_assert(offsetof(T, field) == (off), #T "." #field)

static_assert(sizeof(THeadRec) == 128);
ORV_AT(THeadRec, Sakusei, 8);
ORV_AT(THeadRec, SikyuM, 24);
ORV_AT(THeadRec, SikyuD, 36);
ORV_AT(THeadRec, PrnSikyuM, 48);
ORV_AT(THeadRec, PrnSikyuD, 63);
ORV_AT(THeadRec, reserved78, 78);

static_assert(sizeof(TKihonRec) == 1384);
ORV_AT(TKihonRec, Syamei, 0);
ORV_AT(TKihonRec, SikyuKbn, 48);
ORV_AT(TKihonRec, Juumin6, 52);
ORV_AT(TKihonRec, Jigyo, 60);
ORV_AT(TKihonRec, UseHyo, 61);
ORV_AT(TKihonRec, Sikyubi, 64);
ORV_AT(TKihonRec, Nissu, 68);
ORV_AT(TKihonRec, Jikan, 72);
ORV_AT(TKihonRec, JikanD, 96);
ORV_AT(TKihonRec, KoyRitu, 104);
ORV_AT(TKihonRec, KenRitu, 112);
ORV_AT(TKihonRec, KaiRitu, 120);
ORV_AT(TKihonRec, NenRitu, 128);
ORV_AT(TKihonRec, KknRitu, 136);
ORV_AT(TKihonRec, HouNo, 360);
ORV_AT(TKihonRec, reserved368, 368);

static_assert(sizeof(TSyainRec) == 500);
ORV_AT(TSyainRec, Simei, 0);
ORV_AT(TSyainRec, Busyo, 21);
ORV_AT(TSyainRec, UniqueKey, 42);
ORV_AT(TSyainRec, Kubun, 60);
ORV_AT(TSyainRec, Keitai, 64);
ORV_AT(TSyainRec, Zeigaku, 68);
ORV_AT(TSyainRec, Fuyou, 72);
ORV_AT(TSyainRec, Sinzoku, 76);
ORV_AT(TSyainRec, Chingin1, 80);
ORV_AT(TSyainRec, Chingin5, 96);
ORV_AT(TSyainRec, Koutuhi0, 100);
ORV_AT(TSyainRec, Koutuhi1, 104);
ORV_AT(TSyainRec, SikUnit, 108);
ORV_AT(TSyainRec, Juumin6, 112);
ORV_AT(TSyainRec, Juumin, 116);
ORV_AT(TSyainRec, Yakuin, 120);
ORV_AT(TSyainRec, Family, 124);
ORV_AT(TSyainRec, Teate, 128);
ORV_AT(TSyainRec, Koujo, 140);
ORV_AT(TSyainRec, Yukyu, 152);
ORV_AT(TSyainRec, Kekkin, 156);
ORV_AT(TSyainRec, Chisou, 160);
ORV_AT(TSyainRec, reserved164, 164);
ORV_AT(TSyainRec, Koyou, 172);
ORV_AT(TSyainRec, Kenkou, 174);
ORV_AT(TSyainRec, KenhoRyo, 176);
ORV_AT(TSyainRec, Kaigo, 180);
ORV_AT(TSyainRec, KaigoRyo, 184);
ORV_AT(TSyainRec, NenHoken, 188);
ORV_AT(TSyainRec, KoseiRyo, 192);
ORV_AT(TSyainRec, NenKikin, 196);
ORV_AT(TSyainRec, Kakekin, 200);
ORV_AT(TSyainRec, reserved204, 204);
ORV_AT(TSyainRec, Genkin, 244);
ORV_AT(TSyainRec, MailAdrs, 245);
ORV_AT(TSyainRec, TaiYMD, 296);
ORV_AT(TSyainRec, KubunMei, 305);
ORV_AT(TSyainRec, KenhoTokyu, 318);
ORV_AT(TSyainRec, SeqNo, 320);
ORV_AT(TSyainRec, MyNo, 324);
ORV_AT(TSyainRec, NoSyoto, 332);
ORV_AT(TSyainRec, Chouson, 333);
ORV_AT(TSyainRec, reserved354, 354);
ORV_AT(TSyainRec, pad497, 497);

static_assert(sizeof(TKintaiRec) == 200);
ORV_AT(TKintaiRec, SyukkinNissu, 8);
ORV_AT(TKintaiRec, SyoteiJikan, 48);
ORV_AT(TKintaiRec, ChisouJikan, 104);
ORV_AT(TKintaiRec, YukyuZan, 112);
ORV_AT(TKintaiRec, KintaiItem, 120);
ORV_AT(TKintaiRec, reserved, 128);

static_assert(sizeof(TSikyuRec) == 148);
ORV_AT(TSikyuRec, Teate, 12);
ORV_AT(TSikyuRec, Zangyo, 24);
ORV_AT(TSikyuRec, Koutuhi0, 40);
ORV_AT(TSikyuRec, Hendo, 48);
ORV_AT(TSikyuRec, Kekkin, 60);
ORV_AT(TSikyuRec, Chisou, 64);
ORV_AT(TSikyuRec, KazeiTotal, 68);
ORV_AT(TSikyuRec, SikyuTotal, 72);
ORV_AT(TSikyuRec, Sonota, 76);
ORV_AT(TSikyuRec, reserved88, 88);
ORV_AT(TSikyuRec, Manual, 116);
ORV_AT(TSikyuRec, pad146, 146);

static_assert(sizeof(TKoujoRec) == 136);
ORV_AT(TKoujoRec, KoyouRyo, 12);
ORV_AT(TKoujoRec, KaigoRyo, 16);
ORV_AT(TKoujoRec, SyahoTotal, 20);
ORV_AT(TKoujoRec, SyahoGo, 24);
ORV_AT(TKoujoRec, Syotoku, 28);
ORV_AT(TKoujoRec, Juumin, 32);
ORV_AT(TKoujoRec, Koujo, 36);
ORV_AT(TKoujoRec, HendoKoujo, 48);
ORV_AT(TKoujoRec, KoujoTotal, 60);
ORV_AT(TKoujoRec, SyahoSantei, 64);
ORV_AT(TKoujoRec, Sonota, 68);
ORV_AT(TKoujoRec, SyoyoRitu, 80);
ORV_AT(TKoujoRec, reserved84, 84);
ORV_AT(TKoujoRec, Manual, 108);
ORV_AT(TKoujoRec, pad133, 133);

#undef ORV_AT

namespace {
// Number of Int32 amount fields at the head of each record.
constexpr int kPayFields = 22;
constexpr int kDeductFields = 21;
} // namespace

std::int32_t payItem(const TSikyuRec &r, int k)
{
    if (k < 1 || k > kPayFields)
        return 0;
    std::int32_t v;
    std::memcpy(&v, reinterpret_cast<const unsigned char *>(&r) + 4 * (k - 1), 4);
    return v;
}

void setPayItem(TSikyuRec &r, int k, std::int32_t value)
{
    if (k < 1 || k > kPayFields)
        return;
    std::memcpy(reinterpret_cast<unsigned char *>(&r) + 4 * (k - 1), &value, 4);
}

std::int32_t deductItem(const TKoujoRec &r, int k)
{
    if (k < 1 || k > kDeductFields)
        return 0;
    std::int32_t v;
    std::memcpy(&v, reinterpret_cast<const unsigned char *>(&r) + 4 * (k - 1), 4);
    return v;
}

void setDeductItem(TKoujoRec &r, int k, std::int32_t value)
{
    if (k < 1 || k > kDeductFields)
        return;
    std::memcpy(reinterpret_cast<unsigned char *>(&r) + 4 * (k - 1), &value, 4);
}

} // namespace orv
