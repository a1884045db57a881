#include "platform/locations.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace orv {
namespace {

std::string withSlash(std::string dir)
{
    if (dir.empty() || dir.back() != '/')
        dir.push_back('/');
    return dir;
}

std::string lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

std::string envAbsolute(const char *name)
{
    const char *v = std::getenv(name);
    if (!v || v[0] != '/')
        return {};
    return v;
}

void seedFromProgramFolder(const Locations &loc)
{
    std::error_code ec;
    fs::create_directories(fs::path(loc.BaseDir), ec);
    // The old-format data folder is "DATA" in the program folder and "Data" where the program
    // looks for it (OldDataDir); names are case-sensitive here, so it is copied under that name.
    for (fs::directory_iterator it(fs::path(loc.ProgDir), ec), end; !ec && it != end;
         it.increment(ec)) {
        if (lower(it->path().filename().string()) == "data" && !it->is_symlink(ec) &&
            it->is_directory(ec))
            copyTree(it->path(), fs::path(loc.OldDataDir()));
    }
    fs::copy_file(fs::path(loc.ProgDir) / "Orvane.ini", fs::path(loc.SysIni),
                  fs::copy_options::overwrite_existing, ec);
}

} // namespace

std::string Locations::CorpIni(std::string_view suffix) const
{
    if (suffix.empty())
        return SysIni;
    return BaseDir + "Orvane" + std::string(suffix) + ".ini";
}

std::string Locations::DataDir(std::string_view suffix) const
{
    return BaseDir + "Data2" + std::string(suffix) + "/";
}

std::string Locations::OldDataDir() const { return BaseDir + "Data/"; }

bool isSafeCompanySuffix(std::string_view suffix)
{
    return suffix.find_first_of(std::string_view("/\\\0", 3)) == std::string_view::npos &&
           suffix.find("..") == std::string_view::npos;
}

std::string programDir()
{
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec)
        exe = fs::current_path(ec) / "orvane2";
    return withSlash(exe.parent_path().string());
}

std::string userDataDir()
{
    std::string base = envAbsolute("XDG_DATA_HOME");
    if (base.empty()) {
        std::string home = envAbsolute("HOME");
        if (home.empty())
            return {};
        base = withSlash(home) + ".local/share";
    }
    return withSlash(base) + "orvane2/";
}

bool isWritableDir(const fs::path &dir) { return ::access(dir.c_str(), W_OK) == 0; }

Locations resolveLocations(const LocationOptions &options)
{
    Locations loc;
    loc.ProgDir = withSlash(options.progDir.empty() ? programDir() : options.progDir);
    loc.BaseDir = loc.ProgDir;
    if (!options.baseOverride.empty()) {
        loc.BaseDir = withSlash(options.baseOverride);
    } else {
        auto writable = options.isWritable ? options.isWritable : isWritableDir;
        if (!writable(fs::path(loc.ProgDir))) {
            std::string user = options.userDataDir.empty() ? userDataDir() : options.userDataDir;
            if (!user.empty())
                loc.BaseDir = withSlash(user);
        }
    }
    loc.SysIni = loc.BaseDir + "Orvane.ini";
    if (loc.BaseDir != loc.ProgDir && options.baseOverride.empty()) {
        std::error_code ec;
        if (!fs::exists(fs::path(loc.SysIni), ec)) {
            seedFromProgramFolder(loc);
            loc.MigratedToShared = true;
        }
    }
    return loc;
}

void copyTree(const fs::path &from, const fs::path &to)
{
    std::error_code ec;
    if (!fs::is_directory(to, ec))
        fs::create_directories(to, ec);
    for (fs::directory_iterator it(from, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code ec2;
        const fs::path &src = it->path();
        if (it->is_symlink(ec2))
            continue;
        if (it->is_directory(ec2)) {
            copyTree(src, to / src.filename());
        } else if (it->is_regular_file(ec2)) {
            std::string ext = lower(src.extension().string());
            if (ext == ".exe" || ext == ".chm")
                continue;
            fs::copy_file(src, to / src.filename(), fs::copy_options::overwrite_existing, ec2);
        }
    }
}

} // namespace orv
