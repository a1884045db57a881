// orvane2-cli tables [--year YYYY]: the table set a year's calculation uses.
#include "app/cli/clicommon.h"
#include "app/cli/commands.h"
#include "core/tables/tableset.h"

#include <ctime>
#include <iostream>
#include <sstream>

namespace orv::cli
{
namespace
{

int currentYear()
{
    std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    return tm.tm_year + 1900;
}

std::string folderOf(const TableFileInfo &info)
{
    return info.folderYear ? "tables/" + std::to_string(info.folderYear) : "program folder";
}

std::string contents(const TableSet &set, TableKind kind)
{
    std::ostringstream s;
    switch (kind) {
    case TableKind::Kyuyo: {
        const SalaryTable &t = *set.salary();
        s << "rows " << t.count() - 4 << " + 4 top brackets";
        if (t.hasBrackets())
            s << ", extension: 甲欄 " << t.brackets(0).size() << " brackets, 乙欄 "
              << t.brackets(1).size() << " brackets";
        else
            s << ", no extension block";
        break;
    }
    case TableKind::Syoyo:
        s << "甲欄 " << set.bonus()->hyo().KouCount << " rates, 乙欄 "
          << set.bonus()->hyo().OtsuCount << " rates";
        break;
    case TableKind::Kenho:
        s << "grades " << set.grades()->count() << ", pension grades " << set.grades()->hyo().NenMin
          << ".." << set.grades()->hyo().NenMax;
        break;
    case TableKind::KenhoRitu:
        s << set.rates()->size() << " regions";
        break;
    }
    return s.str();
}

// The name padded to its Shift-JIS width of 20, as the about box shows it.
std::string padded(const std::string &name)
{
    std::size_t width = 0;
    for (unsigned char c : name)
        width += (c < 0x80) ? 1 : ((c & 0xC0) == 0x80 ? 0 : 2);
    return name + std::string(width < 20 ? 20 - width : 0, ' ');
}

} // namespace

int cmdTables(const Context &ctx)
{
    Args args(ctx.args);
    auto year = args.intValue("--year", 1900, 9999, currentYear());
    if (!year)
        return fail(kExitUsage, "tables: " + year.message());
    if (Status s = args.finish(); !s)
        return fail(kExitUsage, "tables: " + s.message() + " (usage: tables [--year YYYY])");

    const TableSet set = TableSet::load(ctx.progDir, *year);
    std::cout << "Table set for " << *year << ": "
              << (set.setYear() ? "tables/" + std::to_string(set.setYear()) : "program folder")
              << "\n";
    for (int k = 0; k < kTableKinds; ++k) {
        auto kind = static_cast<TableKind>(k);
        const TableFileInfo &info = set.info(kind);
        std::cout << "  " << padded(info.name);
        if (info.path.empty()) {
            std::cout << "missing\n";
            continue;
        }
        std::cout << folderOf(info);
        if (info.sourceYear)
            std::cout << ", source " << info.sourceYear;
        if (info.loaded)
            std::cout << ", " << contents(set, kind);
        else
            std::cout << ", refused: " << info.status.message();
        if (info.substituted)
            std::cout << "  [substituted]";
        std::cout << "\n";
    }
    for (const std::string &note : set.substitutionNotes())
        std::cout << "Note: " << note << "\n";
    if (Status s = set.startCheck(); !s) {
        std::cout << s.message() << "\n";
        return kExitFail;
    }
    return kExitOk;
}

} // namespace orv::cli
