#include "core/records/payimage.h"

#include "core/util/sjis.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <map>

namespace orv {

void PayImage::clearPeriod()
{
    clearRecord(Kihon);
    clearEmployees();
}

void PayImage::clearEmployees()
{
    for (auto &r : Syain)
        clearRecord(r);
    clearVariable();
}

void PayImage::clearVariable()
{
    for (auto &r : Kintai)
        clearRecord(r);
    for (auto &r : Sikyu)
        clearRecord(r);
    for (auto &r : Koujo)
        clearRecord(r);
}

bool SlotInUse(const PayImage &img, int slot)
{
    return slot >= 1 && slot <= kSlots && !img.Syain[slot].UniqueKey.empty();
}

int FirstFreeSlot(const PayImage &img)
{
    for (int i = 1; i <= kSlots; ++i)
        if (!SlotInUse(img, i))
            return i;
    return 0;
}

int MaxSeqNo(const PayImage &img)
{
    int m = 0;
    for (int i = 1; i <= kSlots; ++i)
        m = std::max(m, static_cast<int>(img.Syain[i].SeqNo));
    return m;
}

int SlotBySeqNo(const PayImage &img, int seqNo)
{
    for (int i = kSlots; i >= 1; --i)
        if (img.Syain[i].SeqNo == seqNo)
            return i;
    return -1;
}

bool IsRetired(const PayImage &img, int slot)
{
    return !trimView(img.Syain[slot].TaiYMD.view()).empty();
}

std::string KubunText(const TSyainRec &rec)
{
    static const char *const names[] = {"役員", "一般社員", "臨時社員", "パート", "アルバイト"};
    if (rec.Kubun >= 1 && rec.Kubun <= 5)
        return names[rec.Kubun - 1];
    return sjisToUtf8(rec.KubunMei.view());
}

int addEmployee(PayImage &img, const TSyainRec &rec)
{
    int slot = FirstFreeSlot(img);
    if (slot == 0)
        return 0;
    int maxSeq = MaxSeqNo(img);
    img.Syain[slot] = rec;
    clearRecord(img.Kintai[slot]);
    clearRecord(img.Sikyu[slot]);
    clearRecord(img.Koujo[slot]);
    if (img.KikanNo <= 12) {
        TKintaiRec &k = img.Kintai[slot];
        k.SyoteiNissu = img.Kihon.Nissu;
        k.SyoteiJikan = img.Kihon.Jikan;
        if (rec.Keitai == 1) {
            k.SyukkinNissu = img.Kihon.Nissu;
            k.JitudoJikan = img.Kihon.Jikan;
        }
    }
    if (maxSeq > 0)
        img.Syain[slot].SeqNo = static_cast<std::uint16_t>(maxSeq + 1);
    return slot;
}

void createMasterRecord(const PayImage &img, TSyainRec &rec)
{
    clearRecord(rec);
    std::time_t now = std::time(nullptr);
    // Two employees created within one second would share the stamp; step the time on
    // until the key is unused so that every key stays unique within the file.
    for (int attempt = 0; attempt < 100000; ++attempt, ++now) {
        std::tm tm{};
        localtime_r(&now, &tm);
        char key[32];
        std::snprintf(key, sizeof key, "%02d%02d%02d_%02d%02d%02d", tm.tm_year % 100,
                      tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec);
        bool used = false;
        for (int i = 1; i <= kSlots && !used; ++i)
            used = img.Syain[i].UniqueKey.view() == key;
        if (!used) {
            rec.UniqueKey.set(key);
            return;
        }
    }
}

void deleteEmployee(PayImage &img, int slot)
{
    if (slot < 1 || slot > kSlots)
        return;
    int seq = img.Syain[slot].SeqNo;
    for (int i = slot; i < kSlots; ++i) {
        img.Syain[i] = img.Syain[i + 1];
        img.Kintai[i] = img.Kintai[i + 1];
        img.Sikyu[i] = img.Sikyu[i + 1];
        img.Koujo[i] = img.Koujo[i + 1];
    }
    clearRecord(img.Syain[kSlots]);
    clearRecord(img.Kintai[kSlots]);
    clearRecord(img.Sikyu[kSlots]);
    clearRecord(img.Koujo[kSlots]);
    for (int i = 1; i <= kSlots; ++i)
        if (img.Syain[i].SeqNo > seq)
            --img.Syain[i].SeqNo;
}

int PayItemNo(const std::string &name)
{
    static const std::map<std::string, int> items = {
        {"基本給", 1},       {"日給計", 1},       {"時給計", 1},       {"賞与", 1},
        {"役職手当", 2},     {"役員報酬", 2},     {"家族手当", 3},     {"固定手当１", 4},
        {"固定手当２", 5},   {"固定手当３", 6},   {"普通残業手当", 7}, {"深夜残業手当", 8},
        {"休日普通残業", 9}, {"休日深夜残業", 10}, {"非課税通勤費", 11}, {"課税通勤費", 12},
        {"欠勤控除", 16},    {"遅刻早退控除", 17},
    };
    auto it = items.find(name);
    return it == items.end() ? 0 : it->second;
}

int DeductItemNo(const std::string &name)
{
    static const std::map<std::string, int> items = {
        {"健康保険料", 1}, {"厚生年金保険", 2}, {"厚生年金基金", 3}, {"雇用保険料", 4},
        {"介護保険料", 5}, {"社会保険料計", 6}, {"社保控除後計", 7}, {"所得税", 8},
        {"住民税", 9},     {"固定控除１", 10},  {"固定控除２", 11},  {"固定控除３", 12},
    };
    auto it = items.find(name);
    return it == items.end() ? 0 : it->second;
}

} // namespace orv
