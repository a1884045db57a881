#pragma once

// The new-employee template: one raw 500-byte employee master record, "社員情報.dat" in the
// company's data folder ("基本に設定"), or "社員情報(仮).dat" beside the program for the
// first-time set-up. A template never carries a name, identity key, individual number,
// retirement date, e-mail address, grade or sequence number: they are cleared when it is
// written and again when it is read, so an older file holding them passes none of them on.

#include "core/records/records.h"
#include "core/util/status.h"

#include <optional>
#include <string>

namespace orv {

inline constexpr const char kMemberTemplateFile[] = "社員情報.dat";
inline constexpr const char kProvisionalTemplateFile[] = "社員情報(仮).dat";

std::string memberTemplatePath(const std::string &dataDir);
std::string provisionalTemplatePath(const std::string &progDir);

// The record with every individual field cleared (see above); reserved bytes zeroed.
TSyainRec templateOf(const TSyainRec &rec);

// The template of a file: nullopt when it is missing or not exactly 500 bytes.
std::optional<TSyainRec> readMemberTemplate(const std::string &path);
// Writes templateOf(rec), replacing the file as a whole.
Status writeMemberTemplate(const std::string &path, const TSyainRec &rec);
// Removes the file; a missing file is no error.
Status deleteMemberTemplate(const std::string &path);

} // namespace orv
