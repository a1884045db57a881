#include "settings/options.h"

#include "core/util/sjis.h"
#include "settings/inifile.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>

namespace orv {
namespace {

constexpr std::string_view kOption = "Option";

struct StringKey {
    std::string_view key;
    std::string TOption::*field;
};

// The quoted string keys in the order the settings screen writes them.
constexpr StringKey kStringKeys[] = {
    {"JuryoStr", &TOption::JuryoStr},   {"FontName", &TOption::FontName},
    {"FontNameM", &TOption::FontNameM}, {"FontNameS", &TOption::FontNameS},
    {"FontNameO", &TOption::FontNameO}, {"FixTeate1", &TOption::FixTeate1},
    {"FixTeate2", &TOption::FixTeate2}, {"FixTeate3", &TOption::FixTeate3},
    {"VarTeate1", &TOption::VarTeate1}, {"VarTeate2", &TOption::VarTeate2},
    {"VarTeate3", &TOption::VarTeate3}, {"FixKoujo1", &TOption::FixKoujo1},
    {"FixKoujo2", &TOption::FixKoujo2}, {"FixKoujo3", &TOption::FixKoujo3},
    {"VarKoujo1", &TOption::VarKoujo1}, {"VarKoujo2", &TOption::VarKoujo2},
    {"VarKoujo3", &TOption::VarKoujo3}, {"TokuSyoyo", &TOption::TokuSyoyo},
    {"KintaiFre", &TOption::KintaiFre}, {"Sonota1", &TOption::Sonota1},
    {"Sonota2", &TOption::Sonota2},     {"Sonota3", &TOption::Sonota3},
};

struct BoolKey {
    std::string_view key;
    bool TOption::*field;
};

// The Boolean keys in the order the settings screen writes them.
constexpr BoolKey kBoolKeys[] = {
    {"AutoSelect", &TOption::AutoSelect}, {"InputOverN", &TOption::InputOverN},
    {"PrnRuikei", &TOption::PrnRuikei},   {"NameWide", &TOption::NameWide},
    {"NoBakCol", &TOption::NoBakCol},     {"Use2kSatu", &TOption::Use2kSatu},
    {"ManualOn", &TOption::ManualOn},     {"PrnJuryo", &TOption::PrnJuryo},
    {"OldIchiran", &TOption::OldIchiran}, {"PrnFuyou", &TOption::PrnFuyou},
    {"PrnSikyubi", &TOption::PrnSikyubi}, {"NoticeChk", &TOption::NoticeChk},
    {"KaigoChk", &TOption::KaigoChk},     {"SyoyoName", &TOption::SyoyoName},
};

constexpr std::string_view kDefaultItemFlags = "111111000000";

// A value outside the known choices would index past a choice list; it takes the default.
int choice(const IniFile &ini, std::string_view key, int def, int lo, int hi)
{
    int v = ini.readInt(kOption, key, def);
    return v < lo || v > hi ? def : v;
}

// Applies setters in order and stops at the first refusal.
template <typename... Fs>
Status all(Fs &&...steps)
{
    Status s;
    ((s = s ? steps() : s), ...);
    return s;
}

Status saveWith(const SettingsPath &path, const std::function<Status(IniFile &)> &change)
{
    auto ini = IniFile::open(path);
    if (!ini)
        return ini.status();
    if (Status s = change(*ini); !s)
        return s;
    return ini->save(path);
}

std::vector<std::string> readLines(const SettingsPath &path, std::string_view section,
                                   bool stopAtNoData)
{
    IniFile ini = IniFile::load(path);
    int count = ini.readInt(section, "LineCount", 0);
    std::vector<std::string> lines;
    for (int i = 1; i <= count; ++i) {
        auto v = ini.value(section, "Line" + std::to_string(i));
        if (stopAtNoData && (!v || *v == "NoData"))
            break;
        lines.push_back(v.value_or(std::string()));
    }
    return lines;
}

Status writeLines(const SettingsPath &path, std::string_view section,
                  const std::vector<std::string> &lines)
{
    return saveWith(path, [&](IniFile &ini) {
        Status s = ini.setInt(section, "LineCount", static_cast<long long>(lines.size()));
        for (std::size_t i = 0; s && i < lines.size(); ++i)
            s = ini.setQuoted(section, "Line" + std::to_string(i + 1), lines[i]);
        return s;
    });
}

} // namespace

bool isBonusPeriod(int kikanNo) { return kikanNo >= 13 && kikanNo <= 15; }

TOption LoadOptions(const SettingsPath &corpIni, bool withholdingFileFound)
{
    const IniFile ini = IniFile::load(corpIni);
    TOption o;
    for (const auto &k : kStringKeys)
        o.*(k.field) = ini.readString(kOption, k.key, o.*(k.field));
    for (const auto &k : kBoolKeys)
        o.*(k.field) = ini.readBool(kOption, k.key, o.*(k.field));
    o.Kazei = flagsFromString<12>(ini.readString(kOption, "Kazei", kDefaultItemFlags));
    o.Syaho = flagsFromString<12>(ini.readString(kOption, "Syaho", kDefaultItemFlags));
    o.FormType = choice(ini, "FormType", o.FormType, 0, 2);
    o.TimeStyle = choice(ini, "TimeStyle", o.TimeStyle, 0, 1);
    o.PrAdjustH = ini.readInt(kOption, "PrAdjustH", 0) / 10.0;
    o.PrAdjustV = ini.readInt(kOption, "PrAdjustV", 0) / 10.0;
    if (!withholdingFileFound)
        o.KaigoChk = false;
    return o;
}

void readRounding(const SettingsPath &corpIni, int kikanNo, TOption &opt)
{
    const IniFile ini = IniFile::load(corpIni);
    opt.HasuuSik = ini.readInt(kOption, "HasuuSik", 1);
    opt.HasuuGen = ini.readInt(kOption, "HasuuGen", 0);
    opt.HasuuKou = ini.readInt(kOption, "HasuuKou", 0);
    if (isBonusPeriod(kikanNo)) {
        opt.HasuuSik = ini.readInt(kOption, "HasuuSikS", opt.HasuuSik);
        opt.HasuuGen = ini.readInt(kOption, "HasuuGenS", opt.HasuuGen);
        opt.HasuuKou = ini.readInt(kOption, "HasuuKouS", opt.HasuuKou);
    }
}

Status SaveOptions(const SettingsPath &corpIni, const TOption &o, int kikanNo)
{
    const std::string s = isBonusPeriod(kikanNo) ? "S" : "";
    return saveWith(corpIni, [&](IniFile &ini) {
        Status st = all([&] { return ini.setInt(kOption, "FormType", o.FormType); },
                        [&] { return ini.setInt(kOption, "TimeStyle", o.TimeStyle); },
                        [&] { return ini.setInt(kOption, "HasuuSik" + s, o.HasuuSik); },
                        [&] { return ini.setInt(kOption, "HasuuGen" + s, o.HasuuGen); },
                        [&] { return ini.setInt(kOption, "HasuuKou" + s, o.HasuuKou); },
                        [&] {
                            return ini.setInt(kOption, "PrAdjustH", std::llround(o.PrAdjustH * 10));
                        },
                        [&] {
                            return ini.setInt(kOption, "PrAdjustV", std::llround(o.PrAdjustV * 10));
                        });
        for (const auto &k : kBoolKeys) {
            if (st)
                st = ini.setBool(kOption, k.key, o.*(k.field));
        }
        for (const auto &k : kStringKeys) {
            if (st)
                st = ini.setQuoted(kOption, k.key, o.*(k.field));
        }
        if (st)
            st = ini.setString(kOption, "Kazei", flagsToString(o.Kazei));
        if (st)
            st = ini.setString(kOption, "Syaho", flagsToString(o.Syaho));
        return st;
    });
}

double readDefJikanD(const SettingsPath &corpIni)
{
    return IniFile::load(corpIni).readDouble(kOption, "DefJikanD", 0.0);
}

Status writeDefJikanD(const SettingsPath &corpIni, double hours)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.2f", hours);
    return IniFile::writeString(corpIni, kOption, "DefJikanD", buf);
}

std::array<bool, 17> readDaichoAdd(const SettingsPath &corpIni)
{
    return flagsFromString<17>(IniFile::load(corpIni).readString(kOption, "DaichoAdd"));
}

std::array<bool, 15> readDaichoDel(const SettingsPath &corpIni)
{
    return flagsFromString<15>(IniFile::load(corpIni).readString(kOption, "DaichoDel"));
}

Status writeDaichoFlags(const SettingsPath &corpIni, const std::array<bool, 17> &add,
                        const std::array<bool, 15> &del)
{
    return saveWith(corpIni, [&](IniFile &ini) {
        Status s = ini.setString(kOption, "DaichoAdd", flagsToString(add));
        return s ? ini.setString(kOption, "DaichoDel", flagsToString(del)) : s;
    });
}

std::string readBackupPath(const SettingsPath &corpIni, std::string_view dataDir)
{
    return IniFile::load(corpIni).readString(kOption, "BackupPath", dataDir.substr(0, 2));
}

Status writeBackupPath(const SettingsPath &corpIni, std::string_view folder)
{
    return IniFile::writeString(corpIni, kOption, "BackupPath", folder);
}

// ---- [CorpData] ----

int readCorpCount(const SettingsPath &sysIni, int def)
{
    return IniFile::load(sysIni).readInt("CorpData", "Count", def);
}

std::string formatCorpEntry(const CorpDataEntry &entry)
{
    // Padding counts Shift-JIS bytes; a name is cut so that the suffix stays at bytes 61-62.
    auto encoded = utf8ToSjis(entry.name);
    if (!encoded)
        return entry.name + entry.suffix; // refused by the writer
    std::string name = CutBytes(*encoded, 60);
    name.resize(60, ' ');
    return sjisToUtf8(name) + entry.suffix;
}

CorpDataEntry parseCorpEntry(std::string_view text, bool first)
{
    std::string_view t = trimView(text);
    CorpDataEntry e;
    // The suffix is the entry's last two characters ("_" and a letter), wherever blanks
    // before the name may have moved it.
    if (!first && t.size() >= 2 && t[t.size() - 2] == '_' && t.back() >= 'a' && t.back() <= 'z') {
        e.suffix = std::string(t.substr(t.size() - 2));
        t.remove_suffix(2);
    }
    e.name = trim(t);
    return e;
}

std::vector<CorpDataEntry> readCorpData(const SettingsPath &sysIni)
{
    const IniFile ini = IniFile::load(sysIni);
    int count = std::min(ini.readInt("CorpData", "Count", 0), kMaxCorpData);
    std::vector<CorpDataEntry> out;
    for (int i = 1; i <= count; ++i) {
        std::string v = ini.readString("CorpData", "Data" + std::to_string(i));
        if (trimView(v).empty())
            continue;
        out.push_back(parseCorpEntry(v, out.empty()));
    }
    return out;
}

Status writeCorpData(const SettingsPath &sysIni, const std::vector<CorpDataEntry> &entries)
{
    if (entries.size() > static_cast<std::size_t>(kMaxCorpData))
        return Status::error("管理できる会社データは10件までです。(" + sysIni.string() + ")");
    return saveWith(sysIni, [&](IniFile &ini) {
        Status s = ini.setInt("CorpData", "Count", static_cast<long long>(entries.size()));
        for (std::size_t i = 0; s && i < entries.size(); ++i)
            s = ini.setString("CorpData", "Data" + std::to_string(i + 1),
                              formatCorpEntry(entries[i]));
        return s;
    });
}

// ---- [PrintMemo], [MailText] ----

std::vector<std::string> readPrintMemo(const SettingsPath &corpIni)
{
    return readLines(corpIni, "PrintMemo", false);
}

std::vector<std::string> readMailText(const SettingsPath &corpIni)
{
    return readLines(corpIni, "MailText", true);
}

Status writePrintMemo(const SettingsPath &corpIni, const std::vector<std::string> &lines)
{
    return writeLines(corpIni, "PrintMemo", lines);
}

Status writeMailText(const SettingsPath &corpIni, const std::vector<std::string> &lines)
{
    return writeLines(corpIni, "MailText", lines);
}

// ---- [Window] ----

MainWindowGeometry readMainWindow(const SettingsPath &sysIni, const MainWindowGeometry &d)
{
    const IniFile ini = IniFile::load(sysIni);
    MainWindowGeometry g = d;
    g.height = ini.readInt("Window", "MainFormSY", d.height);
    g.left = ini.readInt("Window", "MainFormPX", d.left);
    g.top = ini.readInt("Window", "MainFormPY", d.top);
    g.screenWidth = ini.readInt("Window", "ScreenWidth", d.screenWidth);
    g.monitorCount = ini.readInt("Window", "MonitorCount", d.monitorCount);
    return g;
}

Status writeMainWindow(const SettingsPath &sysIni, const MainWindowGeometry &g)
{
    return saveWith(sysIni, [&](IniFile &ini) {
        return all([&] { return ini.setInt("Window", "MainFormSX", g.width); },
                   [&] { return ini.setInt("Window", "MainFormSY", g.height); },
                   [&] { return ini.setInt("Window", "MainFormPX", g.left); },
                   [&] { return ini.setInt("Window", "MainFormPY", g.top); },
                   [&] { return ini.setInt("Window", "ScreenWidth", g.screenWidth); },
                   [&] { return ini.setInt("Window", "MonitorCount", g.monitorCount); },
                   [&] { return ini.setBool(kOption, "PreViewBtn", g.previewBar); });
    });
}

bool readPreviewBar(const SettingsPath &sysIni)
{
    return IniFile::load(sysIni).readBool(kOption, "PreViewBtn", true);
}

ListWindowGeometry readListWindow(const SettingsPath &corpIni, std::string_view prefix)
{
    const IniFile ini = IniFile::load(corpIni);
    const std::string p(prefix);
    ListWindowGeometry g;
    g.state = ini.readString("Window", p + "Sts");
    g.left = ini.readInt("Window", p + "PX", g.left);
    g.top = ini.readInt("Window", p + "PY", g.top);
    g.width = ini.readInt("Window", p + "SX", g.width);
    g.height = ini.readInt("Window", p + "SY", g.height);
    return g;
}

Status writeListWindow(const SettingsPath &corpIni, std::string_view prefix,
                       const ListWindowGeometry &g)
{
    const std::string p(prefix);
    return saveWith(corpIni, [&](IniFile &ini) {
        return all([&] { return ini.setString("Window", p + "Sts", g.state); },
                   [&] { return ini.setInt("Window", p + "PX", g.left); },
                   [&] { return ini.setInt("Window", p + "PY", g.top); },
                   [&] { return ini.setInt("Window", p + "SX", g.width); },
                   [&] { return ini.setInt("Window", p + "SY", g.height); });
    });
}

// ---- [PrintInfo] ----

namespace {
struct IntKey {
    std::string_view key;
    int PrintInfo::*field;
};
constexpr IntKey kPrintInfoKeys[] = {
    {"PaperSize", &PrintInfo::PaperSize},         {"PaperWidth", &PrintInfo::PaperWidth},
    {"PaperLength", &PrintInfo::PaperLength},     {"Orientation", &PrintInfo::Orientation},
    {"DefaultSource", &PrintInfo::DefaultSource}, {"PrintQuality", &PrintInfo::PrintQuality},
    {"PrintColor", &PrintInfo::PrintColor},
};
} // namespace

PrintInfo readPrintInfo(const SettingsPath &corpIni)
{
    const IniFile ini = IniFile::load(corpIni);
    PrintInfo info;
    info.DeviceName = sjisToUtf8(CutBytes(sjis(ini.readString("PrintInfo", "DeviceName")), 31));
    for (const auto &k : kPrintInfoKeys)
        info.*(k.field) = ini.readInt("PrintInfo", k.key, 0);
    return info;
}

Status writePrintInfo(const SettingsPath &corpIni, const PrintInfo &info)
{
    // A printer name Shift-JIS cannot hold is stored empty: the printer is then not restored.
    return saveWith(corpIni, [&](IniFile &ini) {
        Status s = ini.setString("PrintInfo", "DeviceName",
                                 sjisToUtf8(CutBytes(sjis(info.DeviceName), 31)));
        for (const auto &k : kPrintInfoKeys) {
            if (s)
                s = ini.setInt("PrintInfo", k.key, info.*(k.field));
        }
        return s;
    });
}

} // namespace orv
