#include "screens/session.h"

#include "core/calc/premiums.h"
#include "core/util/fileio.h"
#include "core/util/sjis.h"
#include "settings/options.h"
#include "settings/slipitemsio.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <tuple>

namespace orv {

std::string progVerStr()
{
    const std::string_view v = kFileVersion;
    return std::string{v[0], '.', v[2], v[4]};
}

Session::Session() : img(std::make_unique<PayImage>())
{
    today = [] {
        std::time_t t = std::time(nullptr);
        std::tm tm{};
        localtime_r(&t, &tm);
        return Date{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday};
    };
    now = [] {
        std::time_t t = std::time(nullptr);
        std::tm tm{};
        localtime_r(&t, &tm);
        return LogTime{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min};
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

Result<bool> Session::save(Prompter &answerer) { return SavePeriod(curFile, *img, answerer, run); }

Prompter::Answer Session::unsavedChanges(bool withQuestion, bool saveEnabled,
                                         Prompter &answerer) const
{
    return UnsavedChanges(curFile, *img, withQuestion, saveEnabled, answerer);
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

std::string Session::periodCaption() const
{
    std::string name = sjisToUtf8(trimView(img->Kihon.Syamei.view()));
    return "カナリエ 【" + name + " " + periodTitle() + "】";
}

bool Session::companyNameEmpty() const { return NoSpaces(img->Kihon.Syamei.view()).empty(); }

std::string Session::currentYearFile() const
{
    return dataDir + yearFileNameForYear(today().year);
}

Result<int> Session::prepareDataDir()
{
    namespace fs = std::filesystem;
    std::error_code ec;
    if (fs::is_directory(fs::path(dataDir), ec))
        return 0;
    fs::create_directories(fs::path(dataDir), ec);
    if (ec || !fs::is_directory(fs::path(dataDir), ec))
        return Status::error("データ用フォルダーが作成できません。");
    int migrated = 0;
    const std::string oldDir = loc.OldDataDir();
    if (fs::is_directory(fs::path(oldDir), ec)) {
        MigrationResult r = MigrateOldFiles(oldDir, dataDir);
        migrated = static_cast<int>(r.migrated.size());
        if (loc.MigratedToShared)
            fs::remove_all(fs::path(oldDir), ec);
    }
    return migrated;
}

Status Session::createYearFile() { return CreateYearFile(curFile, *img, run); }

Status Session::openRequestedPeriod(const PeriodRequest &req)
{
    const int k = req.k;
    if (k < 1 || k > kPeriods)
        return Status::error("period " + std::to_string(k) + " does not exist");
    THeadRec head;
    if (Status s = readYearHead(curFile, head); !s)
        return s;
    // Work on a copy so that a failure leaves the period in memory as it was.
    auto work = std::make_unique<PayImage>(*img);
    if (head.Sakusei[k - 1]) {
        if (Status s = OpenPeriod(curFile, k, *work); !s)
            return s;
    } else {
        work->Head = head;
        if (k > 12) {
            work->Head.SikyuM[k - 13] = req.sikyuM;
            work->Head.SikyuD[k - 13] = req.sikyuD;
        }
        NewPeriodInput in;
        in.curFile = curFile;
        in.k = k;
        in.defJikanD = readDefJikanD(corpIni);
        in.nissu = req.nissu;
        in.jikan = req.jikan;
        in.chooseReference = req.chooseReference;
        if (Status s = NewPeriod(in, *work, ask()); !s)
            return s;
    }
    if (k > 12) {
        work->Head.SikyuM[k - 13] = req.sikyuM;
        work->Head.SikyuD[k - 13] = req.sikyuD;
    }
    work->Kihon.Nissu = req.nissu;
    work->Kihon.Jikan = req.jikan;
    work->KikanNo = k;
    img = std::move(work);
    preparePeriod(curFile, k);
    setUpThisRun = true;

    if (keisanStop())
        ask().information("平成24年以前のデータは給与/賞与の計算を行いません。");
    if (k <= 12 && opt.KaigoChk) {
        PayDateResult pd =
            PayDate(fileEraCode(), fileEraYear(), k, img->Kihon.Sikyubi, img->Kihon.SikyuKbn);
        KaigoAgeCheck(*img, dataDir, Date{pd.gregorianYear, pd.month, pd.day}, ask());
    }
    return Status::ok();
}

std::vector<ReferenceEntry> Session::referenceEntries() const
{
    std::vector<ReferenceEntry> out;
    for (const std::string &file : YearFiles(dataDir)) {
        THeadRec head;
        if (!readYearHead(file, head))
            continue;
        std::string name = std::filesystem::path(file).filename().string();
        std::string yearText = name.substr(0, name.find("年") + std::string("年").size());
        for (int m = 1; m <= 12; ++m) {
            if (!head.Sakusei[m - 1])
                continue;
            char month[32];
            std::snprintf(month, sizeof month, "%2d月支給給与", m);
            out.push_back(ReferenceEntry{yearText + month, yearText, ReferenceChoice{file, m}});
        }
    }
    return out;
}

ZenKeisanResult Session::recalcAllAsk()
{
    ZenKeisanResult r = recalcAll();
    for (const std::string &e : r.errors)
        ask().error(e);
    if (img->isBonus() && !r.exceptionSlots.empty()) {
        auto a = ask().ask(Prompter::Kind::Warning, Prompter::Buttons::YesNo,
                           std::string(kTaxExceptionWarning) + kTaxExceptionAskAll);
        if (a == Prompter::Answer::Yes) {
            switchTaxToManual(*img, r);
            // The typed tax is kept from now on, so these slots are no longer exceptions.
            for (int slot : r.exceptionSlots)
                zeiOk[slot] = true;
            ask().information(kTaxSwitchedAll);
        }
    }
    return r;
}

bool Session::confirmLeavePeriod()
{
    for (;;) {
        Prompter::Answer a = unsavedChanges(true, true, ask());
        if (a == Prompter::Answer::Cancel)
            return false;
        if (a != Prompter::Answer::Yes)
            return true;
        Result<bool> saved = save(ask());
        if (!saved)
            ask().error(saved.message());
    }
}

void Session::offerRemoveCreatedFile()
{
    if (run.CreatedFile.empty() || run.CreatedSaved || !fileExists(run.CreatedFile))
        return;
    auto a = ask().ask(Prompter::Kind::Confirmation, Prompter::Buttons::YesNo,
                       "作成されて保存されていない下記ファイルを削除しますか？\r【" +
                           run.CreatedFile + "】");
    if (a != Prompter::Answer::Yes)
        return;
    std::error_code ec;
    std::filesystem::remove(std::filesystem::path(run.CreatedFile), ec);
    if (ec)
        ask().error(ioErrorMessage(run.CreatedFile, "delete", ec.value()));
    else
        run.CreatedFile.clear();
}

namespace {

// A name as the list sorts it: padded with blanks like "%-19s", ASCII letters in lower case.
std::string sortText(std::string_view sjisText, std::size_t width)
{
    std::string s(sjisText);
    if (s.size() < width)
        s.append(width - s.size(), ' ');
    for (std::size_t i = 0; i < s.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        if (IsLeadByte(c)) {
            ++i; // the trail byte of a double-byte character is never a letter
            continue;
        }
        s[i] = static_cast<char>(std::tolower(c));
    }
    return s;
}

} // namespace

std::vector<int> Session::listSlots(ListOrder order, bool showRetired) const
{
    std::vector<int> slots;
    bool anySeqNo = false;
    for (int i = 1; i <= kSlots; ++i) {
        if (!SlotInUse(*img, i))
            continue;
        anySeqNo = anySeqNo || img->Syain[i].SeqNo > 0;
        if (IsRetired(*img, i) && !showRetired)
            continue;
        slots.push_back(i);
    }
    if (order == ListOrder::Slot && anySeqNo)
        order = ListOrder::SeqNo;
    const auto &S = img->Syain;
    auto by = [&](auto key) {
        std::stable_sort(slots.begin(), slots.end(),
                         [&](int a, int b) { return key(a) < key(b); });
    };
    switch (order) {
    case ListOrder::Slot:
        break;
    case ListOrder::Name:
        by([&](int i) { return std::make_tuple(sortText(S[i].Simei.view(), 19), i); });
        break;
    case ListOrder::Busyo:
        by([&](int i) { return std::make_tuple(sortText(S[i].Busyo.view(), 19), i); });
        break;
    case ListOrder::Kubun:
        by([&](int i) {
            int kubun = S[i].Kubun == -1 ? 9 : S[i].Kubun;
            return std::make_tuple(kubun, sortText(sjis(KubunText(S[i])), 18), i);
        });
        break;
    case ListOrder::Keitai:
        // Pay forms 1, 2, 3; a damaged value goes last rather than out of the list.
        by([&](int i) {
            int k = S[i].Keitai >= 1 && S[i].Keitai <= 3 ? S[i].Keitai : 4;
            return std::make_tuple(k, i);
        });
        break;
    case ListOrder::SeqNo:
        by([&](int i) { return std::make_tuple(static_cast<int>(S[i].SeqNo), i); });
        break;
    }
    return slots;
}

int Session::namedSlots() const
{
    int n = 0;
    for (int i = 1; i <= kSlots; ++i)
        if (!trimView(img->Syain[i].Simei.view()).empty())
            ++n;
    return n;
}

bool Session::withholdingFileOfYearExists() const
{
    auto id = parseYearFileName(curFile);
    if (!id)
        return false;
    char year[8];
    std::snprintf(year, sizeof year, "%.2d", id->eraYear);
    return fileExists(dataDir + "源泉徴収(" + id->eraName + year + "年).dat");
}

Status Session::sysLog(int code) const { return SysLog(dataDir, code, now()); }

} // namespace orv
