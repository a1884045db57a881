#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace orv::test {

// A fresh folder under the system temp folder, removed with everything in it.
class TempDir {
public:
    TempDir()
    {
        std::string tmpl = (std::filesystem::temp_directory_path() / "orv-platform-XXXXXX").string();
        if (::mkdtemp(tmpl.data()))
            m_path = tmpl;
    }
    ~TempDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    TempDir(const TempDir &) = delete;
    TempDir &operator=(const TempDir &) = delete;

    const std::filesystem::path &path() const { return m_path; }
    // The folder as the program spells folders: with a trailing "/".
    std::string dir(const std::string &sub = {}) const
    {
        return (sub.empty() ? m_path : m_path / sub).string() + "/";
    }

private:
    std::filesystem::path m_path;
};

inline void writeFile(const std::filesystem::path &p, const std::string &content)
{
    std::filesystem::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << content;
}

inline std::string readFile(const std::filesystem::path &p)
{
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace orv::test
