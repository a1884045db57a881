#include "tools/tablegen/builders.h"

#include "core/calc/tax.h"
#include "core/tables/bonustable.h"
#include "core/tables/gradetable.h"
#include "core/tables/ratelist.h"
#include "core/tables/salarytable.h"
#include "tools/tablegen/csv.h"

#include <climits>
#include <memory>
#include <stdexcept>

namespace orv::tablegen
{
namespace
{

std::int32_t i32(std::int64_t v, const std::string &what)
{
    if (v < INT32_MIN || v > INT32_MAX)
        throw std::runtime_error(what + ": value out of range");
    return static_cast<std::int32_t>(v);
}

// Rates in 1/100,000 from a percent string with up to three decimals ("20.420").
std::int32_t rate100k(const Csv &csv, std::size_t row, const std::string &column)
{
    return i32(csv.decimal(row, column, 3), csv.file());
}

double fraction(std::int32_t per100k)
{
    return per100k / 100000.0;
}

template <typename T> void check(const Result<T> &r)
{
    if (!r)
        throw std::runtime_error(r.message());
}

// 乙欄 tax at amount a from its brackets (the last with threshold <= a), fractions dropped.
std::int64_t otsuAt(const std::vector<TopBracket> &otsu, std::int64_t a)
{
    const TopBracket *use = nullptr;
    for (const TopBracket &b : otsu)
        if (b.ijou <= a)
            use = &b;
    if (!use)
        throw std::runtime_error("kyuyo_top.csv: no 乙欄 bracket at " + std::to_string(a));
    return use->base[0] + applyRate(a - use->ijou, static_cast<std::int64_t>(use->rate), 0);
}

} // namespace

std::string buildSalaryTable(const std::filesystem::path &dir, int year)
{
    const Csv rows = Csv::read(dir / "kyuyo_getsugaku.csv");
    const Csv top = Csv::read(dir / "kyuyo_top.csv");
    const Csv rules = Csv::read(dir / "kyuyo_rules.csv");
    auto hyo = std::make_unique<TKyuyoZeiHyo>();
    *hyo = TKyuyoZeiHyo{};

    // The untaxed first band (甲 0 for everyone, 乙 by rate) is what "below row 1" means in the
    // file, so it is not a row; every other row is copied as it is.
    int n = 0;
    for (std::size_t r = 0; r < rows.rows(); ++r) {
        if (r == 0 && !rows.integer(r, "otsu")) {
            for (int d = 0; d < 8; ++d)
                if (rows.required(r, "kou" + std::to_string(d)) != 0)
                    throw std::runtime_error(rows.file() +
                                             ": the untaxed first row has a 甲欄 tax");
            continue;
        }
        if (n >= kKyuyoMaxRows - 4)
            throw std::runtime_error(rows.file() + ": more than 376 rows");
        TKyuyoZeiRec &row = hyo->Rows[n++];
        row.Ijou = i32(rows.required(r, "ijou"), rows.file());
        row.Miman = i32(rows.required(r, "miman"), rows.file());
        for (int d = 0; d < 8; ++d)
            row.Kou[d] = i32(rows.required(r, "kou" + std::to_string(d)), rows.file());
        row.Otsu = i32(rows.required(r, "otsu"), rows.file());
    }

    std::vector<TopBracket> all, kou, otsu;
    std::vector<std::int32_t> kouMiman;
    for (std::size_t r = 0; r < top.rows(); ++r) {
        TopBracket b;
        const std::string col = top.cell(r, "column");
        if (col != "kou" && col != "otsu")
            throw std::runtime_error(top.file() + ": unknown column " + col);
        b.column = col == "kou" ? 0 : 1;
        b.ijou = i32(top.required(r, "ijou"), top.file());
        b.rate = rate100k(top, r, "rate_percent");
        for (int d = 0; d < 8; ++d) {
            auto v = top.integer(r, "base" + std::to_string(d));
            if (!v && (b.column == 0 || d == 0))
                throw std::runtime_error(top.file() + ": a bracket lacks base" + std::to_string(d));
            b.base[d] = i32(v ? *v : top.required(r, "base0"), top.file());
        }
        all.push_back(b);
        (b.column == 0 ? kou : otsu).push_back(b);
        if (b.column == 0) {
            auto miman = top.integer(r, "miman");
            kouMiman.push_back(miman ? i32(*miman, top.file()) : INT32_MAX);
        }
    }
    if (kou.size() < 4 || otsu.empty())
        throw std::runtime_error(top.file() + ": needs at least four 甲欄 and one 乙欄 bracket");

    // The four fixed top-bracket rows: the first four 甲欄 brackets. Their 乙欄 cell is the 乙欄
    // tax at the threshold, so that the four-bracket rule of an old reader stays exact as far as it
    // can: 乙欄 from F1 at the first 乙欄 rate, from F3 at the rate in force at F3.
    for (int i = 0; i < 4; ++i) {
        TKyuyoZeiRec &row = hyo->Rows[n++];
        row.Ijou = kou[i].ijou;
        row.Miman = kouMiman[i];
        for (int d = 0; d < 8; ++d)
            row.Kou[d] = kou[i].base[d];
        row.Otsu = i32(otsuAt(otsu, kou[i].ijou), top.file());
    }
    hyo->Count = n;
    hyo->KouRitu1 = fraction(kou[0].rate);
    hyo->KouRitu2 = fraction(kou[1].rate);
    hyo->KouRitu3 = fraction(kou[2].rate);
    hyo->KouRitu4 = fraction(kou[3].rate);
    const std::int32_t rate0 = rate100k(rules, 0, "otsu_low_rate_percent");
    hyo->OtsuRitu0 = fraction(rate0);
    hyo->OtsuRitu1 = fraction(otsu.front().rate);
    std::int32_t atF3 = otsu.front().rate;
    for (const TopBracket &b : otsu)
        if (b.ijou <= kou[2].ijou)
            atF3 = b.rate;
    hyo->OtsuRitu2 = fraction(atF3);
    hyo->KouKoujo = i32(rules.required(0, "kou_over7_deduction_yen"), rules.file());
    hyo->OtsuKoujo = i32(rules.required(0, "otsu_deduction_yen"), rules.file());

    auto table = SalaryTable::fromParts(*hyo, all, year, rate0);
    check(table);
    return table->encode();
}

std::string buildBonusTable(const std::filesystem::path &dir)
{
    const Csv kou = Csv::read(dir / "syoyo_kou.csv");
    const Csv otsu = Csv::read(dir / "syoyo_otsu.csv");
    TSyoyoZeiHyo hyo{};
    if (kou.rows() < 1 || kou.rows() > kSyoyoKouMaxRows || otsu.rows() < 1 ||
        otsu.rows() > kSyoyoOtsuMaxRows)
        throw std::runtime_error(dir.string() + ": bonus table row counts out of range");
    // Bands are in thousands of yen; an empty bound is an open end.
    auto yen = [](const Csv &c, std::size_t r, const std::string &col, std::int32_t open) {
        auto v = c.integer(r, col);
        return v ? i32(*v * 1000, c.file()) : open;
    };
    hyo.KouCount = static_cast<std::int32_t>(kou.rows());
    for (std::size_t r = 0; r < kou.rows(); ++r) {
        TSyoyoKouRec &rec = hyo.KouRows[r];
        rec.Ritu = fraction(rate100k(kou, r, "rate_percent"));
        for (int d = 0; d < 8; ++d) {
            const std::string c = "kou" + std::to_string(d);
            rec.Band[d].Ijou = yen(kou, r, c + "_ijou", INT32_MIN);
            rec.Band[d].Miman = yen(kou, r, c + "_miman", INT32_MAX);
        }
    }
    hyo.OtsuCount = static_cast<std::int32_t>(otsu.rows());
    for (std::size_t r = 0; r < otsu.rows(); ++r) {
        hyo.OtsuRows[r].Ritu = fraction(rate100k(otsu, r, "rate_percent"));
        hyo.OtsuRows[r].Miman = yen(otsu, r, "miman", INT32_MAX);
        const std::int32_t ijou = yen(otsu, r, "ijou", INT32_MIN);
        if (r > 0 && ijou != hyo.OtsuRows[r - 1].Miman)
            throw std::runtime_error(otsu.file() + ": 乙欄 bands are not contiguous");
    }
    auto table = BonusTable::fromImage(hyo);
    check(table);
    return table->encode();
}

std::string buildGradeTable(const std::filesystem::path &dir)
{
    const Csv g = Csv::read(dir / "kenpo_grades.csv");
    TKenhoHyo hyo{};
    if (g.rows() < 1 || g.rows() > kKenhoMaxGrades)
        throw std::runtime_error(g.file() + ": grade count out of range");
    hyo.Count = static_cast<std::int32_t>(g.rows());
    for (std::size_t r = 0; r < g.rows(); ++r) {
        const std::int64_t grade = g.required(r, "kenpo_grade");
        if (grade != static_cast<std::int64_t>(r) + 1)
            throw std::runtime_error(g.file() + ": grades are not numbered 1, 2, ...");
        TKenhoRec &rec = hyo.Rows[r];
        rec.Ijou = i32(g.required(r, "remuneration_ijou"), g.file());
        auto miman = g.integer(r, "remuneration_miman");
        rec.Miman = miman ? i32(*miman, g.file()) : INT32_MAX;
        rec.Hyojun = i32(g.required(r, "standard_monthly"), g.file());
        // The pension range: the health grades that carry a pension grade of their own, which
        // must be numbered on from 1 without a gap.
        if (auto kosei = g.integer(r, "kosei_grade")) {
            if (hyo.NenMin == 0)
                hyo.NenMin = static_cast<std::int32_t>(grade);
            if (*kosei != grade - hyo.NenMin + 1 || (hyo.NenMax != 0 && hyo.NenMax != grade - 1))
                throw std::runtime_error(g.file() + ": pension grades are not contiguous");
            hyo.NenMax = static_cast<std::int32_t>(grade);
        }
    }
    auto table = GradeTable::fromImage(hyo);
    check(table);
    return table->encode();
}

std::string buildRateList(const std::filesystem::path &dir)
{
    const Csv c = Csv::read(dir / "kenpo_rates.csv");
    std::string out;
    for (std::size_t r = 0; r < c.rows(); ++r) {
        const std::int64_t h = c.decimal(r, "rate_percent", 2);
        if (h <= 0 || h >= 10000)
            throw std::runtime_error(c.file() + ": rate out of range");
        std::string line = formatRateLine(c.cell(r, "label"), static_cast<int>(h)) + "\r\n";
        out += line;
    }
    auto parsed = parseRateList(out, kKenhoRituFile);
    check(parsed);
    for (std::size_t r = 0; r < c.rows(); ++r)
        if ((*parsed)[r].label != c.cell(r, "label"))
            throw std::runtime_error(c.file() + ": label " + c.cell(r, "label") +
                                     " does not fit the rate list's ten bytes");
    return out;
}

} // namespace orv::tablegen
