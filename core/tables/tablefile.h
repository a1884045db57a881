#pragma once

#include "core/util/status.h"

#include <cstddef>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace orv
{

// Reads a whole table file (at most maxBytes; a larger file is refused as damaged).
// The message names the file: "<name>: <fault>".
Result<std::string> readTableFile(const std::filesystem::path &path, std::size_t maxBytes);

// "<file name>: <fault>", the form of every table loading message.
Status tableError(const std::string &name, const std::string &fault);

// A path from UTF-8 text, and the file name of a path as UTF-8 text.
std::filesystem::path utf8Path(const std::string &utf8);
std::string tableFileName(const std::filesystem::path &path);

// The fixed-layout image at the start of a table's bytes; refused when the bytes are shorter.
template <typename Rec>
Result<std::shared_ptr<Rec>> tableImage(std::string_view bytes, const std::string &name)
{
    if (bytes.size() < sizeof(Rec))
        return tableError(name, "file is short (" + std::to_string(bytes.size()) +
                                    " bytes, the table needs " + std::to_string(sizeof(Rec)) +
                                    ")");
    auto hyo = std::make_shared<Rec>();
    std::memcpy(hyo.get(), bytes.data(), sizeof(Rec));
    return hyo;
}

// A table read from its file by Table::fromBytes, remembering the file. The file may hold up
// to 64 KiB after the image (an extension block and room for later additions).
template <typename Table>
Result<Table> loadTable(const std::filesystem::path &file, std::size_t imageSize)
{
    auto bytes = readTableFile(file, imageSize + 65536);
    if (!bytes)
        return bytes.status();
    auto t = Table::fromBytes(*bytes, tableFileName(file));
    if (t)
        t->setPath(file);
    return t;
}

} // namespace orv
