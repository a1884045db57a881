#include "app/cli/clicommon.h"

#include "core/util/dates.h"

#include <charconv>

namespace orv::cli {

std::optional<std::string> Args::value(const std::string &name)
{
    for (std::size_t i = 0; i < m_args.size(); ++i) {
        if (m_used[i] || m_args[i] != name)
            continue;
        m_used[i] = true;
        if (i + 1 >= m_args.size()) {
            m_error = name + " needs a value";
            return std::nullopt;
        }
        m_used[i + 1] = true;
        return m_args[i + 1];
    }
    return std::nullopt;
}

bool Args::flag(const std::string &name)
{
    for (std::size_t i = 0; i < m_args.size(); ++i)
        if (!m_used[i] && m_args[i] == name) {
            m_used[i] = true;
            return true;
        }
    return false;
}

Result<int> Args::intValue(const std::string &name, int lo, int hi, std::optional<int> fallback)
{
    auto v = value(name);
    if (!v) {
        if (!m_error.empty())
            return Status::error(m_error);
        if (fallback)
            return *fallback;
        return Status::error(name + " is required");
    }
    int x = 0;
    auto [p, ec] = std::from_chars(v->data(), v->data() + v->size(), x);
    if (ec != std::errc() || p != v->data() + v->size())
        return Status::error(name + ": '" + *v + "' is not a whole number");
    if (x < lo || x > hi)
        return Status::error(name + ": " + *v + " is outside " + std::to_string(lo) + ".." +
                             std::to_string(hi));
    return x;
}

std::vector<std::string> Args::positional() const
{
    std::vector<std::string> out;
    for (std::size_t i = 0; i < m_args.size(); ++i)
        if (!m_used[i])
            out.push_back(m_args[i]);
    return out;
}

Status Args::finish() const
{
    if (!m_error.empty())
        return Status::error(m_error);
    for (std::size_t i = 0; i < m_args.size(); ++i)
        if (!m_used[i])
            return Status::error("unexpected argument: " + m_args[i]);
    return Status::ok();
}

std::string settingsDir(const Context &ctx)
{
    std::string d = ctx.baseDir.empty() ? ctx.progDir : ctx.baseDir;
    if (d.empty())
        d = "./";
    if (d.back() != '/')
        d += '/';
    return d;
}

std::string corpIni(const Context &ctx)
{
    return settingsDir(ctx) + (ctx.company.empty() ? "Orvane.ini" : "Orvane" + ctx.company + ".ini");
}

std::string dataDir(const Context &ctx) { return settingsDir(ctx) + "Data2" + ctx.company + "/"; }

std::string yearFilePath(const Context &ctx, int gregorianYear)
{
    return dataDir(ctx) + yearFileNameForYear(gregorianYear);
}

} // namespace orv::cli
