// period export / period import: one pay period of a yearly file as JSON.
#include "app/cli/clicommon.h"
#include "app/cli/periodjson.h"
#include "core/util/fileio.h"
#include "core/yearfile/yearfile.h"

#include <filesystem>
#include <iostream>
#include <iterator>
#include <memory>

namespace orv::cli {
namespace {

struct Target {
    int year = 0;
    int period = 0;
};

Result<Target> parseTarget(Args &args)
{
    auto year = args.intValue("--year", 2004, 2038, std::nullopt);
    if (!year)
        return year.status();
    auto period = args.intValue("--period", 1, 15, std::nullopt);
    if (!period)
        return period.status();
    if (Status s = args.finish(); !s)
        return s;
    return Target{*year, *period};
}

int exportPeriod(const Context &ctx, Args &args)
{
    auto t = parseTarget(args);
    if (!t)
        return fail(kExitUsage, "period export: " + t.message());
    std::string path = yearFilePath(ctx, t->year);
    auto img = std::make_unique<PayImage>();
    if (Status s = OpenPeriod(path, t->period, *img); !s)
        return fail(kExitFail, s.message());
    std::cout << periodToJson(*img).dump(2) << "\n";
    return kExitOk;
}

int importPeriod(const Context &ctx, Args &args)
{
    auto t = parseTarget(args);
    if (!t)
        return fail(kExitUsage, "period import: " + t.message());
    std::string text((std::istreambuf_iterator<char>(std::cin)), std::istreambuf_iterator<char>());
    nlohmann::json j = nlohmann::json::parse(text, nullptr, false);
    if (j.is_discarded())
        return fail(kExitUsage, "period import: standard input is not valid JSON");

    std::string path = yearFilePath(ctx, t->year);
    auto img = std::make_unique<PayImage>();
    img->KikanNo = t->period;
    if (fileExists(path)) {
        if (Status s = readYearHead(path, img->Head); !s)
            return fail(kExitFail, s.message());
    }
    if (Status s = periodFromJson(j, *img); !s)
        return fail(kExitUsage, "period import: " + s.message());

    std::error_code ec;
    std::filesystem::create_directories(dataDir(ctx), ec);
    YearFileRun run;
    if (Status s = CreateYearFile(path, *img, run); !s)
        return fail(kExitFail, s.message());
    // The image was validated; CreateYearFile clears it only for a new file, so fill again.
    if (!run.CreatedFile.empty()) {
        clearRecord(img->Head);
        img->KikanNo = t->period;
        periodFromJson(j, *img);
    }
    SilentPrompter yes(Prompter::Answer::Yes);
    auto saved = SavePeriod(path, *img, yes, run);
    if (!saved)
        return fail(kExitFail, saved.message());
    return kExitOk;
}

} // namespace

int cmdPeriod(const Context &ctx)
{
    if (ctx.args.empty())
        return fail(kExitUsage, "period: expected 'export' or 'import'");
    Args args(std::vector<std::string>(ctx.args.begin() + 1, ctx.args.end()));
    if (ctx.args[0] == "export")
        return exportPeriod(ctx, args);
    if (ctx.args[0] == "import")
        return importPeriod(ctx, args);
    return fail(kExitUsage, "period: unknown subcommand '" + ctx.args[0] + "'");
}

} // namespace orv::cli
