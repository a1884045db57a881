#pragma once

#include "core/tables/tablerecords.h"
#include "core/util/status.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace orv
{

// The loaded 健康保険料額表.dat (standard monthly remuneration grades). Immutable, cheap to copy.
class GradeTable
{
public:
    // Validates Count (1..80), 1 <= NenMin <= NenMax <= Count, and grades 1..Count: Ijou below
    // Miman, each grade starting where the one before ends, standard amounts ascending.
    static Result<GradeTable> fromBytes(std::string_view bytes, const std::string &name);
    static Result<GradeTable> load(const std::filesystem::path &file);
    static Result<GradeTable> fromImage(const TKenhoHyo &hyo);

    std::string encode() const;
    const TKenhoHyo &hyo() const { return *m_hyo; }
    int count() const { return m_hyo->Count; }
    const TKenhoRec &grade(int g) const { return m_hyo->Rows[g - 1]; } // 1..count()

    // The grade search by amount: the first grade with Ijou <= amount < Miman, 0 when none.
    int gradeFor(std::int64_t amount) const;
    // The grade welfare pension and pension fund use for health grade g: g clamped into
    // NenMin..NenMax.
    int pensionGrade(int g) const;

    const std::filesystem::path &path() const { return m_path; }
    void setPath(std::filesystem::path p) { m_path = std::move(p); }

private:
    std::shared_ptr<const TKenhoHyo> m_hyo;
    std::filesystem::path m_path;
};

} // namespace orv
