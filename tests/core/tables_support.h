#pragma once

// Shared by the table tests: the source CSV files read independently of the generator, the
// generated files in the build's bin folder, and exact-size buffers for damaged images.

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace orv::testing
{

inline std::filesystem::path binDir()
{
    return std::filesystem::path(ORV_BIN_DIR);
}
inline std::filesystem::path dataDir(int year)
{
    return std::filesystem::path(ORV_SOURCE_DIR) / "data" / "tables" / std::to_string(year);
}
inline std::filesystem::path u8(const char *s)
{
    return std::filesystem::path(std::u8string(reinterpret_cast<const char8_t *>(s)));
}

inline std::string readBytes(const std::filesystem::path &p)
{
    std::ifstream in(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline void writeBytes(const std::filesystem::path &p, const std::string &bytes)
{
    std::filesystem::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A CSV file as rows of named cells.
struct CsvRows {
    std::vector<std::map<std::string, std::string>> rows;
    std::int64_t num(std::size_t r, const std::string &c) const
    {
        return std::stoll(rows.at(r).at(c));
    }
    bool empty(std::size_t r, const std::string &c) const { return rows.at(r).at(c).empty(); }
    const std::string &str(std::size_t r, const std::string &c) const { return rows.at(r).at(c); }
    std::size_t size() const { return rows.size(); }
};

inline CsvRows readCsv(const std::filesystem::path &p)
{
    std::ifstream in(p);
    std::string line;
    std::vector<std::string> head;
    CsvRows out;
    auto split = [](const std::string &l) {
        std::vector<std::string> cells;
        std::size_t start = 0;
        for (;;) {
            std::size_t comma = l.find(',', start);
            cells.push_back(l.substr(start, comma - start));
            if (comma == std::string::npos)
                return cells;
            start = comma + 1;
        }
    };
    while (std::getline(in, line)) {
        if (line.empty())
            continue;
        auto cells = split(line);
        if (head.empty()) {
            head = cells;
            continue;
        }
        std::map<std::string, std::string> row;
        for (std::size_t i = 0; i < head.size() && i < cells.size(); ++i)
            row[head[i]] = cells[i];
        out.rows.push_back(row);
    }
    return out;
}

// "20.420" -> 20420 (thousandths of a percent).
inline std::int64_t per100k(const std::string &percent)
{
    std::size_t dot = percent.find('.');
    std::string whole = percent.substr(0, dot);
    std::string frac = dot == std::string::npos ? "" : percent.substr(dot + 1);
    frac.resize(3, '0');
    return std::stoll(whole) * 1000 + std::stoll(frac);
}

// A fresh temporary folder, removed with its contents at the end of the test.
struct TempDir {
    explicit TempDir(const std::string &name)
        : path(std::filesystem::temp_directory_path() /
               ("orv_tables_" + name + "_" + std::to_string(::getpid())))
    {
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
    }
    ~TempDir() { std::filesystem::remove_all(path); }
    std::filesystem::path path;
};

// An exact-size heap copy, so that the sanitizer catches any read past its end.
struct ExactBuffer {
    explicit ExactBuffer(const std::string &bytes)
        : data(new char[bytes.size() ? bytes.size() : 1]), size(bytes.size())
    {
        std::memcpy(data.get(), bytes.data(), bytes.size());
    }
    std::string_view view() const { return std::string_view(data.get(), size); }
    std::unique_ptr<char[]> data;
    std::size_t size;
};

} // namespace orv::testing
