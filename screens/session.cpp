#include "screens/session.h"

#include "core/calc/premiums.h"
#include "settings/options.h"
#include "settings/slipitemsio.h"

#include <ctime>

namespace orv {

Session::Session() : img(std::make_unique<PayImage>())
{
    today = [] {
        std::time_t now = std::time(nullptr);
        std::tm tm{};
        localtime_r(&now, &tm);
        return Date{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday};
    };
    zeiOk.fill(true);
}

void Session::selectCompany(const std::string &suffix)
{
    corpSuffix = suffix;
    corpIni = loc.CorpIni(suffix);
    dataDir = loc.DataDir(suffix);
}

void Session::loadOptions()
{
    opt = LoadOptions(corpIni, !findWithholdingFile(dataDir).empty());
}

int Session::fileYear() const
{
    auto id = parseYearFileName(curFile);
    return id ? id->gregorianYear : 0;
}

int Session::fileEraCode() const
{
    auto id = parseYearFileName(curFile);
    return id ? id->eraCode : 0;
}

int Session::fileEraYear() const
{
    auto id = parseYearFileName(curFile);
    return id ? id->eraYear : 0;
}

bool Session::keisanStop() const { return KeisanStop(today().year, fileEraCode(), fileEraYear()); }

void Session::preparePeriod(const std::string &file, int k)
{
    curFile = file;
    img->KikanNo = k;
    readRounding(corpIni, k, opt);
    items = LoadSlipItems(corpIni, k > 12 ? SlipKind::Syoyo : SlipKind::Kyuyo, true);
    int year = fileYear();
    if (year == 0 || tables.year() != year)
        tables = TableSet::load(loc.ProgDir, year ? year : today().year);
    zeiOk.fill(true);
    periodOpen = true;
}

Status Session::openPeriod(const std::string &file, int k)
{
    if (Status s = OpenPeriod(file, k, *img); !s)
        return s;
    preparePeriod(file, k);
    return Status::ok();
}

CalcContext Session::calcContext() const
{
    return CalcContext{opt, items, tables, curFile, keisanStop()};
}

ZenKeisanResult Session::recalcAll()
{
    ZenKeisanResult r = ZenKeisan(*img, calcContext());
    zeiOk = r.ZeiOk;
    return r;
}

Result<BonusResult> Session::recalc(int slot)
{
    CalcContext ctx = calcContext();
    if (img->isBonus())
        return SyoyoKeisan(*img, slot, ctx);
    if (Status s = KyuyoKeisan(*img, slot, ctx); !s)
        return s;
    return BonusResult{};
}

Result<bool> Session::save(Prompter &prompter) { return SavePeriod(curFile, *img, prompter, run); }

Prompter::Answer Session::unsavedChanges(bool ask, bool saveEnabled, Prompter &prompter) const
{
    return UnsavedChanges(curFile, *img, ask, saveEnabled, prompter);
}

std::string Session::periodTitle() const
{
    auto id = parseYearFileName(curFile);
    std::string era = id ? id->eraName : "";
    int year = id ? id->eraYear : 0;
    const int k = img->KikanNo;
    const int month = k <= 12 ? k : img->Head.SikyuM[k - 13];
    // The Heisei 31 file holds 2019, whose months from May on belong to Reiwa 1.
    if (id && id->eraCode == kEraHeisei && year == 31 && month > 4) {
        era = eraName(kEraReiwa);
        year = 1;
    }
    std::string title = era + std::to_string(year) + "年";
    const char *season = opt.SyoyoName ? "季" : "期";
    if (k <= 12)
        title += std::to_string(k) + "月支給給与";
    else if (k == 13)
        title += std::string("・夏") + season + "賞与";
    else if (k == 14)
        title += std::string("・冬") + season + "賞与";
    else
        title += "・" + opt.TokuSyoyo;
    return title;
}

} // namespace orv
