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

// The loaded 税額表(賞与).dat (bonus withholding rate table). Immutable and cheap to copy.
class BonusTable
{
public:
    // Validates counts (甲欄 1..24, 乙欄 1..10), rates (0..1) and bands (each dependant column
    // contiguous, lower bound not above upper; 乙欄 upper bounds ascending). Bytes after the
    // 1,856-byte image are ignored.
    static Result<BonusTable> fromBytes(std::string_view bytes, const std::string &name);
    static Result<BonusTable> load(const std::filesystem::path &file);
    static Result<BonusTable> fromImage(const TSyoyoZeiHyo &hyo);

    std::string encode() const;
    const TSyoyoZeiHyo &hyo() const { return *m_hyo; }

    // The bonus rate search: the rate (a fraction) for previous-month pay after social insurance
    // p (yen). kind 0 甲欄 with dependants clamped to 0..7, otherwise 乙欄. The last row is the
    // catch-all and is never compared.
    double rate(std::int64_t p, int kind, int dependants) const;

    const std::filesystem::path &path() const { return m_path; }
    void setPath(std::filesystem::path p) { m_path = std::move(p); }

private:
    std::shared_ptr<const TSyoyoZeiHyo> m_hyo;
    std::filesystem::path m_path;
};

} // namespace orv
