#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace orv::tablegen
{

// A source table: UTF-8, comma separated, a header line naming the columns, no quoting.
class Csv
{
public:
    // Throws std::runtime_error naming the file on a read or shape error.
    static Csv read(const std::filesystem::path &file);

    std::size_t rows() const { return m_rows.size(); }
    const std::string &cell(std::size_t row, const std::string &column) const;
    bool has(const std::string &column) const { return m_index.count(column) != 0; }

    // Whole yen; nullopt for an empty cell. Throws on anything but an optional sign and digits.
    std::optional<std::int64_t> integer(std::size_t row, const std::string &column) const;
    std::int64_t required(std::size_t row, const std::string &column) const;
    // A decimal string scaled exactly: decimal(r, c, 3) of "20.420" is 20420. Throws on more
    // decimals than places, or on an empty cell.
    std::int64_t decimal(std::size_t row, const std::string &column, int places) const;

    const std::string &file() const { return m_file; }

private:
    [[noreturn]] void fail(std::size_t row, const std::string &column,
                           const std::string &why) const;

    std::string m_file;
    std::map<std::string, std::size_t> m_index;
    std::vector<std::vector<std::string>> m_rows;
};

} // namespace orv::tablegen
