#include "core/tables/gradetable.h"

#include "core/tables/tablefile.h"

#include <algorithm>
#include <cstring>

namespace orv
{
namespace
{

Status check(const TKenhoHyo &h, const std::string &name)
{
    if (h.Count < 1 || h.Count > kKenhoMaxGrades)
        return tableError(name, "grade count " + std::to_string(h.Count) + " is outside 1..80");
    if (h.NenMin < 1 || h.NenMin > h.NenMax || h.NenMax > h.Count)
        return tableError(name, "pension grades NenMin " + std::to_string(h.NenMin) + ".." +
                                    "NenMax " + std::to_string(h.NenMax) +
                                    " do not lie inside grades 1.." + std::to_string(h.Count));
    for (int g = 1; g <= h.Count; ++g) {
        const TKenhoRec &r = h.Rows[g - 1];
        const std::string at = "grade " + std::to_string(g);
        if (r.Ijou >= r.Miman)
            return tableError(name, at + " has Miman not above Ijou");
        if (r.Hyojun <= 0)
            return tableError(name, at + " has no standard amount");
        if (g > 1 && r.Ijou != h.Rows[g - 2].Miman)
            return tableError(
                name, at + " does not start where the grade before ends (out of order or a gap)");
        if (g > 1 && r.Hyojun <= h.Rows[g - 2].Hyojun)
            return tableError(name, at + " has a standard amount not above the grade before");
    }
    return Status::ok();
}

} // namespace

Result<GradeTable> GradeTable::fromBytes(std::string_view bytes, const std::string &name)
{
    auto image = tableImage<TKenhoHyo>(bytes, name);
    if (!image)
        return image.status();
    std::shared_ptr<const TKenhoHyo> hyo = *image;
    if (Status s = check(*hyo, name); !s)
        return s;
    GradeTable t;
    t.m_hyo = hyo;
    return t;
}

Result<GradeTable> GradeTable::load(const std::filesystem::path &file)
{
    return loadTable<GradeTable>(file, kKenhoHyoSize);
}

Result<GradeTable> GradeTable::fromImage(const TKenhoHyo &hyo)
{
    return fromBytes(std::string_view(reinterpret_cast<const char *>(&hyo), sizeof hyo),
                     kKenhoHyoFile);
}

std::string GradeTable::encode() const
{
    return std::string(reinterpret_cast<const char *>(m_hyo.get()), kKenhoHyoSize);
}

int GradeTable::gradeFor(std::int64_t amount) const
{
    for (int g = 1; g <= m_hyo->Count; ++g) {
        const TKenhoRec &r = m_hyo->Rows[g - 1];
        if (r.Ijou <= amount && amount < r.Miman)
            return g;
    }
    return 0;
}

int GradeTable::pensionGrade(int g) const
{
    return std::clamp(g, m_hyo->NenMin, m_hyo->NenMax);
}

} // namespace orv
