#pragma once

#include "core/util/status.h"

#include <cstddef>
#include <filesystem>
#include <string>

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

} // namespace orv
