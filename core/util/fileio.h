#pragma once

#include "core/util/status.h"

#include <cstddef>
#include <string>

namespace orv {

// Reads exactly `size` bytes at `offset`; a short read is an error naming the file.
Status readAt(const std::string &path, std::size_t offset, void *dest, std::size_t size);
// Reads the whole file.
Result<std::string> readWholeFile(const std::string &path);
// Replaces the file's content as a whole: a temporary file beside it is written, synced and
// renamed over the old one, so a crash or a full disk never leaves a torn file.
Status writeFileAtomic(const std::string &path, const std::string &bytes);
bool fileExists(const std::string &path);

// The message for an input/output failure on a data file.
std::string ioErrorMessage(const std::string &path, const std::string &what, int err);

} // namespace orv
