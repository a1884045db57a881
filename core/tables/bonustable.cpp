#include "core/tables/bonustable.h"

#include "core/tables/tablefile.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace orv
{
namespace
{

bool rateOk(double r)
{
    return std::isfinite(r) && r >= 0.0 && r <= 1.0;
}

Status check(const TSyoyoZeiHyo &h, const std::string &name)
{
    if (h.KouCount < 1 || h.KouCount > kSyoyoKouMaxRows)
        return tableError(name,
                          "甲欄 row count " + std::to_string(h.KouCount) + " is outside 1..24");
    if (h.OtsuCount < 1 || h.OtsuCount > kSyoyoOtsuMaxRows)
        return tableError(name,
                          "乙欄 row count " + std::to_string(h.OtsuCount) + " is outside 1..10");
    for (int k = 1; k <= h.KouCount; ++k) {
        const TSyoyoKouRec &r = h.KouRows[k - 1];
        if (!rateOk(r.Ritu))
            return tableError(name, "甲欄 row " + std::to_string(k) + " has a rate outside 0..1");
        for (int d = 0; d < 8; ++d) {
            if (k < h.KouCount && r.Band[d].Ijou > r.Band[d].Miman)
                return tableError(name, "甲欄 row " + std::to_string(k) + " has Ijou above Miman");
            if (k > 1 && r.Band[d].Ijou != h.KouRows[k - 2].Band[d].Miman)
                return tableError(name, "甲欄 row " + std::to_string(k) +
                                            " does not start where the row before ends "
                                            "(rows out of order or a gap)");
        }
    }
    for (int k = 1; k <= h.OtsuCount; ++k) {
        const TSyoyoOtsuRec &r = h.OtsuRows[k - 1];
        if (!rateOk(r.Ritu))
            return tableError(name, "乙欄 row " + std::to_string(k) + " has a rate outside 0..1");
        if (k > 1 && k < h.OtsuCount && r.Miman <= h.OtsuRows[k - 2].Miman)
            return tableError(name, "乙欄 rows are not in ascending order");
    }
    return Status::ok();
}

} // namespace

Result<BonusTable> BonusTable::fromBytes(std::string_view bytes, const std::string &name)
{
    auto image = tableImage<TSyoyoZeiHyo>(bytes, name);
    if (!image)
        return image.status();
    std::shared_ptr<const TSyoyoZeiHyo> hyo = *image;
    if (Status s = check(*hyo, name); !s)
        return s;
    BonusTable t;
    t.m_hyo = hyo;
    return t;
}

Result<BonusTable> BonusTable::load(const std::filesystem::path &file)
{
    return loadTable<BonusTable>(file, kSyoyoZeiSize);
}

Result<BonusTable> BonusTable::fromImage(const TSyoyoZeiHyo &hyo)
{
    return fromBytes(std::string_view(reinterpret_cast<const char *>(&hyo), sizeof hyo),
                     kSyoyoZeiFile);
}

std::string BonusTable::encode() const
{
    return std::string(reinterpret_cast<const char *>(m_hyo.get()), kSyoyoZeiSize);
}

double BonusTable::rate(std::int64_t p, int kind, int dependants) const
{
    const TSyoyoZeiHyo &h = *m_hyo;
    if (kind == 0) {
        const int d = std::clamp(dependants, 0, 7);
        for (int k = 1; k < h.KouCount; ++k) {
            const auto &band = h.KouRows[k - 1].Band[d];
            if (band.Ijou <= p && p < band.Miman)
                return h.KouRows[k - 1].Ritu;
        }
        return h.KouRows[h.KouCount - 1].Ritu;
    }
    for (int k = 1; k < h.OtsuCount; ++k)
        if (p < h.OtsuRows[k - 1].Miman)
            return h.OtsuRows[k - 1].Ritu;
    return h.OtsuRows[h.OtsuCount - 1].Ritu;
}

} // namespace orv
