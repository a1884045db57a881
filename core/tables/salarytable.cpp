#include "core/tables/salarytable.h"

#include "core/tables/tablefile.h"

#include <cmath>
#include <cstring>

namespace orv
{
namespace
{

std::string rowName(int k)
{
    return "row " + std::to_string(k);
}

bool rateOk(double r)
{
    return std::isfinite(r) && r >= 0.0 && r <= 1.0;
}

Status checkImage(const TKyuyoZeiHyo &h, const std::string &name)
{
    const int n = h.Count;
    if (n < kKyuyoMinRows || n > kKyuyoMaxRows)
        return tableError(name, "row count " + std::to_string(n) + " is outside 4..380");
    for (int k = 1; k <= n; ++k) {
        const TKyuyoZeiRec &r = h.Rows[k - 1];
        if (r.Ijou >= r.Miman)
            return tableError(name, rowName(k) + " has Miman not above Ijou");
        for (std::int32_t t : r.Kou)
            if (t < 0)
                return tableError(name, rowName(k) + " has a negative tax");
        if (r.Otsu < 0)
            return tableError(name, rowName(k) + " has a negative tax");
        if (k == 1)
            continue;
        const TKyuyoZeiRec &prev = h.Rows[k - 2];
        // Ordinary rows and the first threshold are contiguous; the top brackets ascend.
        if (k <= n - 3 && r.Ijou != prev.Miman)
            return tableError(name, rowName(k) + " does not start where " + rowName(k - 1) +
                                        " ends (rows out of order or a gap)");
        if (k > n - 3 && r.Ijou <= prev.Ijou)
            return tableError(name, "top bracket " + rowName(k) + " is not above the one before");
    }
    for (double r :
         {h.KouRitu1, h.KouRitu2, h.KouRitu3, h.KouRitu4, h.OtsuRitu0, h.OtsuRitu1, h.OtsuRitu2})
        if (!rateOk(r))
            return tableError(name, "a top-bracket rate is outside 0..1");
    if (h.KouKoujo < 0 || h.OtsuKoujo < 0)
        return tableError(name, "a dependant deduction is negative");
    return Status::ok();
}

Status checkBrackets(const TKyuyoZeiHyo &h, const std::vector<TopBracket> &bs, std::int32_t rate0,
                     const std::string &name)
{
    if (rate0 < 0 || rate0 > 100000)
        return tableError(name, "extension: 乙欄 rate below the table is outside 0..100 %");
    // The brackets take over where the ordinary rows end.
    const std::int32_t start = h.Rows[h.Count - 4].Ijou;
    for (int col = 0; col < 2; ++col) {
        const TopBracket *prev = nullptr;
        for (const TopBracket &b : bs) {
            if (b.column != col)
                continue;
            if (b.rate < 0 || b.rate > 100000)
                return tableError(name, "extension: a bracket rate is outside 0..100 %");
            for (std::int32_t t : b.base)
                if (t < 0)
                    return tableError(name, "extension: a bracket has a negative base tax");
            if (!prev && b.ijou != start)
                return tableError(name, "extension: the first bracket of a column does not start "
                                        "at the first top threshold " +
                                            std::to_string(start));
            if (prev && b.ijou <= prev->ijou)
                return tableError(name, "extension: brackets are not in ascending order");
            prev = &b;
        }
        if (!prev)
            return tableError(name, std::string("extension: no bracket for the ") +
                                        (col == 0 ? "甲欄" : "乙欄"));
    }
    return Status::ok();
}

} // namespace

Result<SalaryTable> SalaryTable::validated(SalaryTable t, const std::string &name)
{
    Status s = checkImage(*t.m_hyo, name);
    if (s && t.hasBrackets())
        s = checkBrackets(*t.m_hyo, t.m_brackets, t.m_otsuRate0, name);
    if (!s)
        return s;
    return t;
}

Result<SalaryTable> SalaryTable::fromBytes(std::string_view bytes, const std::string &name)
{
    auto image = tableImage<TKyuyoZeiHyo>(bytes, name);
    if (!image)
        return image.status();
    SalaryTable t;
    t.m_hyo = *image;

    std::string_view ext = bytes.substr(kKyuyoZeiSize);
    if (ext.size() >= sizeof(kKyuyoTopMagic) &&
        std::memcmp(ext.data(), kKyuyoTopMagic, sizeof(kKyuyoTopMagic)) == 0) {
        TKyuyoTopHeader head;
        if (ext.size() < sizeof head)
            return tableError(name, "extension block is cut short");
        std::memcpy(&head, ext.data(), sizeof head);
        if (head.Version != kKyuyoTopVersion)
            return tableError(name, "extension block version " + std::to_string(head.Version) +
                                        " is not supported");
        if (head.BracketCount < 2 || head.BracketCount > kKyuyoTopMaxBrackets)
            return tableError(name, "extension bracket count " + std::to_string(head.BracketCount) +
                                        " is outside 2..64");
        const std::size_t need = sizeof head + sizeof(TKyuyoTopRec) * head.BracketCount;
        if (head.Size < 0 || static_cast<std::size_t>(head.Size) < need ||
            static_cast<std::size_t>(head.Size) > ext.size())
            return tableError(name, "extension block is cut short or its size is wrong");
        for (int i = 0; i < head.BracketCount; ++i) {
            TKyuyoTopRec rec;
            std::memcpy(&rec, ext.data() + sizeof head + sizeof rec * i, sizeof rec);
            if (rec.Column != 0 && rec.Column != 1)
                return tableError(name, "extension bracket " + std::to_string(i + 1) +
                                            " has an unknown column");
            TopBracket b;
            b.column = rec.Column;
            b.ijou = rec.Ijou;
            b.rate = rec.Rate;
            std::memcpy(b.base, rec.Base, sizeof b.base);
            t.m_brackets.push_back(b);
        }
        t.m_year = head.Year;
        t.m_otsuRate0 = head.OtsuRate0;
    }
    return validated(std::move(t), name);
}

Result<SalaryTable> SalaryTable::load(const std::filesystem::path &file)
{
    return loadTable<SalaryTable>(file, kKyuyoZeiSize);
}

Result<SalaryTable> SalaryTable::fromParts(const TKyuyoZeiHyo &hyo,
                                           std::vector<TopBracket> brackets, std::int32_t year,
                                           std::int32_t otsuRate0)
{
    SalaryTable t;
    t.m_hyo = std::make_shared<TKyuyoZeiHyo>(hyo);
    t.m_brackets = std::move(brackets);
    t.m_year = year;
    t.m_otsuRate0 = otsuRate0;
    return validated(std::move(t), kKyuyoZeiFile);
}

std::string SalaryTable::encode() const
{
    std::string out(reinterpret_cast<const char *>(m_hyo.get()), kKyuyoZeiSize);
    if (m_brackets.empty())
        return out;
    TKyuyoTopHeader head{};
    std::memcpy(head.Magic, kKyuyoTopMagic, sizeof head.Magic);
    head.Version = kKyuyoTopVersion;
    head.BracketCount = static_cast<std::int32_t>(m_brackets.size());
    head.Size = static_cast<std::int32_t>(sizeof head + sizeof(TKyuyoTopRec) * m_brackets.size());
    head.Year = m_year;
    head.OtsuRate0 = m_otsuRate0;
    out.append(reinterpret_cast<const char *>(&head), sizeof head);
    // Column 甲欄 first, each column ascending, as brackets() returns them.
    for (int col = 0; col < 2; ++col)
        for (const TopBracket &b : brackets(col)) {
            TKyuyoTopRec rec{};
            rec.Column = b.column;
            rec.Ijou = b.ijou;
            rec.Rate = b.rate;
            std::memcpy(rec.Base, b.base, sizeof rec.Base);
            out.append(reinterpret_cast<const char *>(&rec), sizeof rec);
        }
    return out;
}

std::vector<TopBracket> SalaryTable::brackets(int column) const
{
    std::vector<TopBracket> out;
    for (const TopBracket &b : m_brackets)
        if (b.column == column)
            out.push_back(b);
    return out;
}

const TKyuyoZeiRec *SalaryTable::findRow(std::int64_t a) const
{
    for (int k = 1; k <= m_hyo->Count; ++k) {
        const TKyuyoZeiRec &r = m_hyo->Rows[k - 1];
        if (r.Ijou <= a && a < r.Miman)
            return &r;
    }
    return nullptr;
}

} // namespace orv
