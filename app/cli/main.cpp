// orvane2-cli: the payroll core without screens.
#include "app/cli/commands.h"

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <map>
#include <unistd.h>

namespace orv::cli {

int fail(int code, const std::string &message)
{
    std::cerr << "orvane2-cli: " << message << "\n";
    return code;
}

namespace {

const char kUsage[] = R"(Usage: orvane2-cli [--base DIR] [--company SS] COMMAND [ARGS]

Global options:
  --base DIR       settings folder holding Orvane.ini and the Data2 folders
  --company SS     company data set suffix (for example _a); default the first data set
  --help           this text

Commands:
  period export --year YYYY --period K        print pay period K of year YYYY as JSON
  period import --year YYYY --period K        write the JSON on standard input as period K
  tables [--year YYYY]                        list the table files a year uses, substitutions
  tax salary AMOUNT | bonus PREV BONUS [--otsu] [--deps N] [--year YYYY]  withholding tax in yen
  calc --year YYYY --period K [--save]        recompute every employee of the period, print
                                              it as JSON (and save it with --save)
  premium --grade G --ken R --kai R --nen R [--kkn R] [--year YYYY]
                                              monthly premiums of a grade for rates in percent
)";

std::string programDir()
{
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        return "./";
    return exe.parent_path().string() + "/";
}

} // namespace
} // namespace orv::cli

int main(int argc, char **argv)
{
    using namespace orv::cli;
    Context ctx;
    ctx.progDir = programDir();
    std::vector<std::string> rest;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--help" || a == "-h") {
            std::cout << kUsage;
            return kExitOk;
        }
        if ((a == "--base" || a == "--company") && rest.empty()) {
            if (i + 1 >= argc)
                return fail(kExitUsage, a + " needs a value");
            (a == "--base" ? ctx.baseDir : ctx.company) = argv[++i];
            continue;
        }
        rest.push_back(a);
    }
    if (rest.empty()) {
        std::cerr << kUsage;
        return kExitUsage;
    }
    static const std::map<std::string, int (*)(const Context &)> commands = {
        {"period", cmdPeriod},
        {"tables", cmdTables},
        {"tax", cmdTax},
        {"calc", cmdCalc},
        {"premium", cmdPremium},
    };
    auto it = commands.find(rest.front());
    if (it == commands.end())
        return fail(kExitUsage, "unknown command: " + rest.front() + " (see --help)");
    ctx.args.assign(rest.begin() + 1, rest.end());
    return it->second(ctx);
}
