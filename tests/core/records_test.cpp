#include "core/records/payimage.h"
#include "core/util/rounding.h"
#include "core/util/sjis.h"

#include <gtest/gtest.h>
#include <memory>

namespace orv {
namespace {

TEST(Codec, RoundTripsJapaneseText)
{
    auto s = utf8ToSjis("山田　太郎");
    ASSERT_TRUE(s.has_value());
    EXPECT_EQ(s->size(), 10u);
    EXPECT_EQ(sjisToUtf8(*s), "山田　太郎");
    EXPECT_FALSE(utf8ToSjis("\xF0\x9F\x98\x80").has_value()); // emoji: not in CP932
}

TEST(Rounding, WorksOnTheTrueValue)
{
    struct Case {
        RoundRule rule;
        double x;
        std::int64_t want;
    } cases[] = {
        {RoundRule::Up, 10.2 * 1990, 20298},
        {RoundRule::HalfUp, 10.2 * 1990, 20298},
        {RoundRule::Truncate, 10.2 * 1990, 20298},
        {RoundRule::Up, 1029 * 291.69, 300150},
        {RoundRule::Truncate, 21119 * 0.4084, 8624},
        {RoundRule::Up, (10 + 20.0 / 60) * 1990, 20564},
        {RoundRule::Up, 1234.2, 1235},
        {RoundRule::HalfUp, -2.5, -3},
        {RoundRule::Truncate, -2.7, -2},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.x);
        EXPECT_EQ(roundYen(c.rule, c.x), c.want);
    }
    EXPECT_EQ(SyahoHasuu(100.50), 100);
    EXPECT_EQ(SyahoHasuu(100.51), 101);
    EXPECT_EQ(KoyouHasuu(100.5), 100);
    EXPECT_EQ(KoyouHasuu(100.501), 101);
    EXPECT_FALSE(fitInt32(3000000000LL).has_value());
}

TEST(Slots, AddDeleteAndSequenceNumbers)
{
    auto img = std::make_unique<PayImage>();
    img->KikanNo = 4;
    img->Kihon.Nissu = 21;
    img->Kihon.Jikan = 168;
    TSyainRec rec{};
    for (int i = 0; i < kSlots; ++i) {
        clearRecord(rec);
        rec.UniqueKey.set("k" + std::to_string(i));
        rec.Keitai = i % 2 ? 2 : 1;
        rec.SeqNo = static_cast<std::uint16_t>(i == 0 ? 1 : 0);
        ASSERT_EQ(addEmployee(*img, rec), i + 1);
    }
    EXPECT_EQ(addEmployee(*img, rec), 0); // the 91st cannot be added
    EXPECT_EQ(img->Kintai[1].SyukkinNissu, 21);
    EXPECT_EQ(img->Kintai[2].SyukkinNissu, 0); // daily pay: days worked stay to be typed
    EXPECT_EQ(img->Kintai[2].SyoteiJikan, 168);
    EXPECT_EQ(img->Syain[3].SeqNo, 3);

    deleteEmployee(*img, 2);
    EXPECT_EQ(img->Syain[2].UniqueKey.str(), "k2");
    EXPECT_FALSE(SlotInUse(*img, 90));
    EXPECT_EQ(FirstFreeSlot(*img), 90);
    EXPECT_EQ(img->Syain[2].SeqNo, 2);
    EXPECT_EQ(SlotBySeqNo(*img, 2), 2);
    EXPECT_EQ(SlotBySeqNo(*img, 999), -1);
}

TEST(Slots, KubunTextOutsideTheListShowsTheText)
{
    TSyainRec rec{};
    rec.KubunMei.set(sjis("嘱託"));
    for (int k : {0, -1, 6, 1000}) {
        rec.Kubun = k;
        EXPECT_EQ(KubunText(rec), "嘱託");
    }
    rec.Kubun = 4;
    EXPECT_EQ(KubunText(rec), "パート");
}

TEST(Slots, NewKeysAreUniqueWithinTheSameSecond)
{
    auto img = std::make_unique<PayImage>();
    for (int i = 1; i <= 3; ++i) {
        TSyainRec rec;
        createMasterRecord(*img, rec);
        ASSERT_EQ(rec.UniqueKey.view().size(), 13u);
        for (int j = 1; j < i; ++j)
            EXPECT_NE(img->Syain[j].UniqueKey.view(), rec.UniqueKey.view());
        img->Syain[i] = rec;
    }
}

} // namespace
} // namespace orv
