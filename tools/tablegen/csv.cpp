#include "tools/tablegen/csv.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace orv::tablegen
{
namespace
{

std::vector<std::string> split(const std::string &line)
{
    std::vector<std::string> cells;
    std::string cell;
    std::istringstream in(line);
    while (std::getline(in, cell, ','))
        cells.push_back(cell);
    if (!line.empty() && line.back() == ',')
        cells.emplace_back();
    return cells;
}

} // namespace

Csv Csv::read(const std::filesystem::path &file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw std::runtime_error(file.string() + ": cannot be opened");
    Csv csv;
    csv.m_file = file.string();
    std::string line;
    bool header = true;
    std::size_t width = 0;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            continue;
        auto cells = split(line);
        if (header) {
            for (std::size_t i = 0; i < cells.size(); ++i)
                csv.m_index[cells[i]] = i;
            width = cells.size();
            header = false;
            continue;
        }
        if (cells.size() != width)
            throw std::runtime_error(
                csv.m_file + ": line " + std::to_string(csv.m_rows.size() + 2) + " has " +
                std::to_string(cells.size()) + " cells, not " + std::to_string(width));
        csv.m_rows.push_back(std::move(cells));
    }
    if (header)
        throw std::runtime_error(csv.m_file + ": empty file");
    return csv;
}

void Csv::fail(std::size_t row, const std::string &column, const std::string &why) const
{
    throw std::runtime_error(m_file + ": line " + std::to_string(row + 2) + ", " + column + ": " +
                             why);
}

const std::string &Csv::cell(std::size_t row, const std::string &column) const
{
    auto it = m_index.find(column);
    if (it == m_index.end())
        throw std::runtime_error(m_file + ": no column " + column);
    return m_rows.at(row).at(it->second);
}

std::optional<std::int64_t> Csv::integer(std::size_t row, const std::string &column) const
{
    const std::string &s = cell(row, column);
    if (s.empty())
        return std::nullopt;
    std::size_t i = (s[0] == '-') ? 1 : 0;
    if (i == s.size() || s.size() > 12)
        fail(row, column, "not a whole number: " + s);
    std::int64_t v = 0;
    for (; i < s.size(); ++i) {
        if (s[i] < '0' || s[i] > '9')
            fail(row, column, "not a whole number: " + s);
        v = v * 10 + (s[i] - '0');
    }
    return s[0] == '-' ? -v : v;
}

std::int64_t Csv::required(std::size_t row, const std::string &column) const
{
    auto v = integer(row, column);
    if (!v)
        fail(row, column, "empty");
    return *v;
}

std::int64_t Csv::decimal(std::size_t row, const std::string &column, int places) const
{
    const std::string &s = cell(row, column);
    std::int64_t whole = 0, frac = 0;
    int digits = 0;
    bool dot = false, any = false;
    for (char c : s) {
        if (c == '.' && !dot) {
            dot = true;
        } else if (c >= '0' && c <= '9') {
            any = true;
            if (dot) {
                if (++digits > places)
                    fail(row, column, "more than " + std::to_string(places) + " decimals: " + s);
                frac = frac * 10 + (c - '0');
            } else {
                whole = whole * 10 + (c - '0');
                if (whole > 1000000)
                    fail(row, column, "too large: " + s);
            }
        } else {
            fail(row, column, "not a decimal: " + s);
        }
    }
    if (!any)
        fail(row, column, "empty");
    for (; digits < places; ++digits)
        frac *= 10;
    std::int64_t scale = 1;
    for (int i = 0; i < places; ++i)
        scale *= 10;
    return whole * scale + frac;
}

} // namespace orv::tablegen
