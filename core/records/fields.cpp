#include "core/records/fields.h"

#include "core/records/records.h"

namespace orv {

std::span<const FieldDesc> headFields()
{
    static const FieldDesc f[] = {
        {"Sakusei", FieldType::BoolArray, offsetof(THeadRec, Sakusei), 15},
        {"SikyuM", FieldType::Int32Array, offsetof(THeadRec, SikyuM), 3},
        {"SikyuD", FieldType::Int32Array, offsetof(THeadRec, SikyuD), 3},
        {"PrnSikyuM", FieldType::ByteArray, offsetof(THeadRec, PrnSikyuM), 15},
        {"PrnSikyuD", FieldType::ByteArray, offsetof(THeadRec, PrnSikyuD), 15},
    };
    return f;
}

std::span<const FieldDesc> kihonFields()
{
    static const FieldDesc f[] = {
        {"Syamei", FieldType::Str, offsetof(TKihonRec, Syamei), 44},
        {"SikyuKbn", FieldType::Int32, offsetof(TKihonRec, SikyuKbn), 1},
        {"Juumin6", FieldType::Int32, offsetof(TKihonRec, Juumin6), 1},
        {"Jigyo", FieldType::Bool, offsetof(TKihonRec, Jigyo), 1},
        {"UseHyo", FieldType::Bool, offsetof(TKihonRec, UseHyo), 1},
        {"Sikyubi", FieldType::Int32, offsetof(TKihonRec, Sikyubi), 1},
        {"Nissu", FieldType::Int32, offsetof(TKihonRec, Nissu), 1},
        {"Jikan", FieldType::Double, offsetof(TKihonRec, Jikan), 1},
        {"JikanD", FieldType::Double, offsetof(TKihonRec, JikanD), 1},
        {"KoyRitu", FieldType::Double, offsetof(TKihonRec, KoyRitu), 1},
        {"KenRitu", FieldType::Double, offsetof(TKihonRec, KenRitu), 1},
        {"KaiRitu", FieldType::Double, offsetof(TKihonRec, KaiRitu), 1},
        {"NenRitu", FieldType::Double, offsetof(TKihonRec, NenRitu), 1},
        {"KknRitu", FieldType::Double, offsetof(TKihonRec, KknRitu), 1},
        {"HouNo", FieldType::Int64, offsetof(TKihonRec, HouNo), 1},
    };
    return f;
}

std::span<const FieldDesc> syainFields()
{
    static const FieldDesc f[] = {
        {"Simei", FieldType::Str, offsetof(TSyainRec, Simei), 20},
        {"Busyo", FieldType::Str, offsetof(TSyainRec, Busyo), 20},
        {"UniqueKey", FieldType::Str, offsetof(TSyainRec, UniqueKey), 16},
        {"Kubun", FieldType::Int32, offsetof(TSyainRec, Kubun), 1},
        {"Keitai", FieldType::Int32, offsetof(TSyainRec, Keitai), 1},
        {"Zeigaku", FieldType::Int32, offsetof(TSyainRec, Zeigaku), 1},
        {"Fuyou", FieldType::Int32, offsetof(TSyainRec, Fuyou), 1},
        {"Sinzoku", FieldType::Int32, offsetof(TSyainRec, Sinzoku), 1},
        {"Chingin1", FieldType::Int32, offsetof(TSyainRec, Chingin1), 1},
        {"Chingin2", FieldType::Int32, offsetof(TSyainRec, Chingin2), 1},
        {"Chingin3", FieldType::Int32, offsetof(TSyainRec, Chingin3), 1},
        {"Chingin4", FieldType::Int32, offsetof(TSyainRec, Chingin4), 1},
        {"Chingin5", FieldType::Int32, offsetof(TSyainRec, Chingin5), 1},
        {"Koutuhi0", FieldType::Int32, offsetof(TSyainRec, Koutuhi0), 1},
        {"Koutuhi1", FieldType::Int32, offsetof(TSyainRec, Koutuhi1), 1},
        {"SikUnit", FieldType::Int32, offsetof(TSyainRec, SikUnit), 1},
        {"Juumin6", FieldType::Int32, offsetof(TSyainRec, Juumin6), 1},
        {"Juumin", FieldType::Int32, offsetof(TSyainRec, Juumin), 1},
        {"Yakuin", FieldType::Int32, offsetof(TSyainRec, Yakuin), 1},
        {"Family", FieldType::Int32, offsetof(TSyainRec, Family), 1},
        {"Teate1", FieldType::Int32, offsetof(TSyainRec, Teate) + 0, 1},
        {"Teate2", FieldType::Int32, offsetof(TSyainRec, Teate) + 4, 1},
        {"Teate3", FieldType::Int32, offsetof(TSyainRec, Teate) + 8, 1},
        {"Koujo1", FieldType::Int32, offsetof(TSyainRec, Koujo) + 0, 1},
        {"Koujo2", FieldType::Int32, offsetof(TSyainRec, Koujo) + 4, 1},
        {"Koujo3", FieldType::Int32, offsetof(TSyainRec, Koujo) + 8, 1},
        {"Yukyu", FieldType::Int32, offsetof(TSyainRec, Yukyu), 1},
        {"Kekkin", FieldType::Int32, offsetof(TSyainRec, Kekkin), 1},
        {"Chisou", FieldType::Int32, offsetof(TSyainRec, Chisou), 1},
        {"Koyou", FieldType::Bool, offsetof(TSyainRec, Koyou), 1},
        {"Kenkou", FieldType::Bool, offsetof(TSyainRec, Kenkou), 1},
        {"KenhoRyo", FieldType::Int32, offsetof(TSyainRec, KenhoRyo), 1},
        {"Kaigo", FieldType::Bool, offsetof(TSyainRec, Kaigo), 1},
        {"KaigoRyo", FieldType::Int32, offsetof(TSyainRec, KaigoRyo), 1},
        {"NenHoken", FieldType::Bool, offsetof(TSyainRec, NenHoken), 1},
        {"KoseiRyo", FieldType::Int32, offsetof(TSyainRec, KoseiRyo), 1},
        {"NenKikin", FieldType::Bool, offsetof(TSyainRec, NenKikin), 1},
        {"Kakekin", FieldType::Int32, offsetof(TSyainRec, Kakekin), 1},
        {"Genkin", FieldType::Bool, offsetof(TSyainRec, Genkin), 1},
        {"MailAdrs", FieldType::Str, offsetof(TSyainRec, MailAdrs), 50},
        {"TaiYMD", FieldType::Str, offsetof(TSyainRec, TaiYMD), 8},
        {"KubunMei", FieldType::Str, offsetof(TSyainRec, KubunMei), 12},
        {"KenhoTokyu", FieldType::Word, offsetof(TSyainRec, KenhoTokyu), 1},
        {"SeqNo", FieldType::Word, offsetof(TSyainRec, SeqNo), 1},
        {"MyNo", FieldType::Int64, offsetof(TSyainRec, MyNo), 1},
        {"NoSyoto", FieldType::Bool, offsetof(TSyainRec, NoSyoto), 1},
        {"Chouson", FieldType::Str, offsetof(TSyainRec, Chouson), 20},
    };
    return f;
}

std::span<const FieldDesc> kintaiFields()
{
    static const FieldDesc f[] = {
        {"SyoteiNissu", FieldType::Double, offsetof(TKintaiRec, SyoteiNissu), 1},
        {"SyukkinNissu", FieldType::Double, offsetof(TKintaiRec, SyukkinNissu), 1},
        {"YukyuNissu", FieldType::Double, offsetof(TKintaiRec, YukyuNissu), 1},
        {"KekkinNissu", FieldType::Double, offsetof(TKintaiRec, KekkinNissu), 1},
        {"KyusyutuNissu", FieldType::Double, offsetof(TKintaiRec, KyusyutuNissu), 1},
        {"TokkyuNissu", FieldType::Double, offsetof(TKintaiRec, TokkyuNissu), 1},
        {"SyoteiJikan", FieldType::Double, offsetof(TKintaiRec, SyoteiJikan), 1},
        {"JitudoJikan", FieldType::Double, offsetof(TKintaiRec, JitudoJikan), 1},
        {"ZangyoJikan", FieldType::Double, offsetof(TKintaiRec, ZangyoJikan), 1},
        {"SinyaJikan", FieldType::Double, offsetof(TKintaiRec, SinyaJikan), 1},
        {"KyuZangyoJikan", FieldType::Double, offsetof(TKintaiRec, KyuZangyoJikan), 1},
        {"KyuSinyaJikan", FieldType::Double, offsetof(TKintaiRec, KyuSinyaJikan), 1},
        {"ChisouKaisu", FieldType::Double, offsetof(TKintaiRec, ChisouKaisu), 1},
        {"ChisouJikan", FieldType::Double, offsetof(TKintaiRec, ChisouJikan), 1},
        {"YukyuZan", FieldType::Double, offsetof(TKintaiRec, YukyuZan), 1},
        {"KintaiItem", FieldType::Double, offsetof(TKintaiRec, KintaiItem), 1},
    };
    return f;
}

std::span<const FieldDesc> sikyuFields()
{
    static const FieldDesc f[] = {
        {"Kihonkyu", FieldType::Int32, offsetof(TSikyuRec, Kihonkyu), 1},
        {"Yakuin", FieldType::Int32, offsetof(TSikyuRec, Yakuin), 1},
        {"Family", FieldType::Int32, offsetof(TSikyuRec, Family), 1},
        {"Teate1", FieldType::Int32, offsetof(TSikyuRec, Teate) + 0, 1},
        {"Teate2", FieldType::Int32, offsetof(TSikyuRec, Teate) + 4, 1},
        {"Teate3", FieldType::Int32, offsetof(TSikyuRec, Teate) + 8, 1},
        {"Zangyo", FieldType::Int32, offsetof(TSikyuRec, Zangyo), 1},
        {"Sinya", FieldType::Int32, offsetof(TSikyuRec, Sinya), 1},
        {"KyuZangyo", FieldType::Int32, offsetof(TSikyuRec, KyuZangyo), 1},
        {"KyuSinya", FieldType::Int32, offsetof(TSikyuRec, KyuSinya), 1},
        {"Koutuhi0", FieldType::Int32, offsetof(TSikyuRec, Koutuhi0), 1},
        {"Koutuhi1", FieldType::Int32, offsetof(TSikyuRec, Koutuhi1), 1},
        {"Hendo1", FieldType::Int32, offsetof(TSikyuRec, Hendo) + 0, 1},
        {"Hendo2", FieldType::Int32, offsetof(TSikyuRec, Hendo) + 4, 1},
        {"Hendo3", FieldType::Int32, offsetof(TSikyuRec, Hendo) + 8, 1},
        {"Kekkin", FieldType::Int32, offsetof(TSikyuRec, Kekkin), 1},
        {"Chisou", FieldType::Int32, offsetof(TSikyuRec, Chisou), 1},
        {"KazeiTotal", FieldType::Int32, offsetof(TSikyuRec, KazeiTotal), 1},
        {"SikyuTotal", FieldType::Int32, offsetof(TSikyuRec, SikyuTotal), 1},
        {"Sonota1", FieldType::Int32, offsetof(TSikyuRec, Sonota) + 0, 1},
        {"Sonota2", FieldType::Int32, offsetof(TSikyuRec, Sonota) + 4, 1},
        {"Sonota3", FieldType::Int32, offsetof(TSikyuRec, Sonota) + 8, 1},
        {"Manual", FieldType::BoolArray, offsetof(TSikyuRec, Manual), 30},
    };
    return f;
}

std::span<const FieldDesc> koujoFields()
{
    static const FieldDesc f[] = {
        {"KenhoRyo", FieldType::Int32, offsetof(TKoujoRec, KenhoRyo), 1},
        {"KoseiRyo", FieldType::Int32, offsetof(TKoujoRec, KoseiRyo), 1},
        {"Kakekin", FieldType::Int32, offsetof(TKoujoRec, Kakekin), 1},
        {"KoyouRyo", FieldType::Int32, offsetof(TKoujoRec, KoyouRyo), 1},
        {"KaigoRyo", FieldType::Int32, offsetof(TKoujoRec, KaigoRyo), 1},
        {"SyahoTotal", FieldType::Int32, offsetof(TKoujoRec, SyahoTotal), 1},
        {"SyahoGo", FieldType::Int32, offsetof(TKoujoRec, SyahoGo), 1},
        {"Syotoku", FieldType::Int32, offsetof(TKoujoRec, Syotoku), 1},
        {"Juumin", FieldType::Int32, offsetof(TKoujoRec, Juumin), 1},
        {"Koujo1", FieldType::Int32, offsetof(TKoujoRec, Koujo) + 0, 1},
        {"Koujo2", FieldType::Int32, offsetof(TKoujoRec, Koujo) + 4, 1},
        {"Koujo3", FieldType::Int32, offsetof(TKoujoRec, Koujo) + 8, 1},
        {"HendoKoujo1", FieldType::Int32, offsetof(TKoujoRec, HendoKoujo) + 0, 1},
        {"HendoKoujo2", FieldType::Int32, offsetof(TKoujoRec, HendoKoujo) + 4, 1},
        {"HendoKoujo3", FieldType::Int32, offsetof(TKoujoRec, HendoKoujo) + 8, 1},
        {"KoujoTotal", FieldType::Int32, offsetof(TKoujoRec, KoujoTotal), 1},
        {"SyahoSantei", FieldType::Int32, offsetof(TKoujoRec, SyahoSantei), 1},
        {"Sonota1", FieldType::Int32, offsetof(TKoujoRec, Sonota) + 0, 1},
        {"Sonota2", FieldType::Int32, offsetof(TKoujoRec, Sonota) + 4, 1},
        {"Sonota3", FieldType::Int32, offsetof(TKoujoRec, Sonota) + 8, 1},
        {"SyoyoRitu", FieldType::Int32, offsetof(TKoujoRec, SyoyoRitu), 1},
        {"Manual", FieldType::BoolArray, offsetof(TKoujoRec, Manual), 25},
    };
    return f;
}

} // namespace orv
