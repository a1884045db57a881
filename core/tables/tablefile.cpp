#include "core/tables/tablefile.h"

#include <fstream>
#include <system_error>

namespace orv
{

Status tableError(const std::string &name, const std::string &fault)
{
    return Status::error(name + ": " + fault);
}

std::filesystem::path utf8Path(const std::string &utf8)
{
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string tableFileName(const std::filesystem::path &path)
{
    auto u8 = path.filename().u8string();
    return std::string(u8.begin(), u8.end());
}

Result<std::string> readTableFile(const std::filesystem::path &path, std::size_t maxBytes)
{
    const std::string name = tableFileName(path);
    std::error_code ec;
    auto size = std::filesystem::file_size(path, ec);
    if (ec)
        return tableError(name, "cannot be read (" + ec.message() + ")");
    if (size > maxBytes)
        return tableError(name, "file is too large (" + std::to_string(size) + " bytes)");
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return tableError(name, "cannot be opened");
    std::string bytes(static_cast<std::size_t>(size), '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (static_cast<std::size_t>(in.gcount()) != bytes.size())
        return tableError(name, "read failed");
    return bytes;
}

} // namespace orv
