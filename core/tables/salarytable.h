#pragma once

#include "core/tables/tablerecords.h"
#include "core/util/status.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace orv
{

// One bracket above the table: from Ijou (yen, inclusive) the tax is Base[column] plus the
// excess over Ijou times Rate (1/100,000).
struct TopBracket {
    int column = 0; // 0 甲欄, 1 乙欄
    std::int32_t ijou = 0;
    std::int32_t rate = 0;
    std::int32_t base[8] = {};
};

// The loaded 税額表(給与).dat: the fixed 16,788-byte image and, when the file carries it, the
// extension block listing every top bracket. Immutable and cheap to copy.
class SalaryTable
{
public:
    // Parses and validates a file image; name is used in messages. Bytes after the image are
    // ignored unless they start with the extension block's magic, which is then validated too.
    static Result<SalaryTable> fromBytes(std::string_view bytes, const std::string &name);
    static Result<SalaryTable> load(const std::filesystem::path &file);
    // A table built in memory (the generator); validated like a loaded one.
    static Result<SalaryTable> fromParts(const TKyuyoZeiHyo &hyo, std::vector<TopBracket> brackets,
                                         std::int32_t year, std::int32_t otsuRate0);

    // The file image: 16,788 bytes, then the extension block when there are brackets.
    std::string encode() const;

    const TKyuyoZeiHyo &hyo() const { return *m_hyo; }
    int count() const { return m_hyo->Count; }
    const TKyuyoZeiRec &row(int k) const { return m_hyo->Rows[k - 1]; } // 1-based
    bool hasBrackets() const { return !m_brackets.empty(); }
    // Brackets of one column, ascending by threshold (empty without the extension block).
    std::vector<TopBracket> brackets(int column) const;
    const std::vector<TopBracket> &allBrackets() const { return m_brackets; }
    std::int32_t year() const { return m_year; }
    // 乙欄 rate below row 1 in 1/100,000, from the extension block (0 without it).
    std::int32_t otsuRate0() const { return m_otsuRate0; }

    // The row search: the first of rows 1..N with Ijou <= a < Miman, nullptr when none.
    const TKyuyoZeiRec *findRow(std::int64_t a) const;

    // The file this table was read from; the tax is 0 once it no longer exists. Empty for a
    // table built in memory (never checked).
    const std::filesystem::path &path() const { return m_path; }
    void setPath(std::filesystem::path p) { m_path = std::move(p); }

private:
    static Result<SalaryTable> validated(SalaryTable t, const std::string &name);

    std::shared_ptr<const TKyuyoZeiHyo> m_hyo;
    std::vector<TopBracket> m_brackets;
    std::int32_t m_year = 0;
    std::int32_t m_otsuRate0 = 0;
    std::filesystem::path m_path;
};

} // namespace orv
