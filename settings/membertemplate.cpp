#include "settings/membertemplate.h"

#include "core/util/fileio.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace orv {

std::string memberTemplatePath(const std::string &dataDir) { return dataDir + kMemberTemplateFile; }

std::string provisionalTemplatePath(const std::string &progDir)
{
    return progDir + kProvisionalTemplateFile;
}

TSyainRec templateOf(const TSyainRec &rec)
{
    TSyainRec t = rec;
    std::memset(&t.Simei, 0, sizeof t.Simei);
    std::memset(&t.UniqueKey, 0, sizeof t.UniqueKey);
    std::memset(&t.MailAdrs, 0, sizeof t.MailAdrs);
    std::memset(&t.TaiYMD, 0, sizeof t.TaiYMD);
    t.MyNo = 0;
    t.KenhoTokyu = 0;
    t.SeqNo = 0;
    std::memset(t.reserved164, 0, sizeof t.reserved164);
    std::memset(t.reserved204, 0, sizeof t.reserved204);
    std::memset(t.reserved354, 0, sizeof t.reserved354);
    return t;
}

std::optional<TSyainRec> readMemberTemplate(const std::string &path)
{
    if (!fileExists(path))
        return std::nullopt;
    auto bytes = readWholeFile(path);
    if (!bytes || bytes->size() != sizeof(TSyainRec))
        return std::nullopt;
    TSyainRec rec;
    std::memcpy(&rec, bytes->data(), sizeof rec);
    return templateOf(rec);
}

Status writeMemberTemplate(const std::string &path, const TSyainRec &rec)
{
    TSyainRec t = templateOf(rec);
    return writeFileAtomic(path, std::string(reinterpret_cast<const char *>(&t), sizeof t));
}

Status deleteMemberTemplate(const std::string &path)
{
    std::error_code ec;
    std::filesystem::remove(std::filesystem::path(path), ec);
    if (ec)
        return Status::error(ioErrorMessage(path, "ファイルを削除出来ません。", ec.value()));
    return Status::ok();
}

} // namespace orv
