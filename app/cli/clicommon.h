#pragma once

#include "app/cli/commands.h"
#include "core/util/status.h"

#include <optional>
#include <string>
#include <vector>

namespace orv::cli {

// Options of the form "--name VALUE" and flags "--name" among a command's arguments.
class Args {
public:
    explicit Args(std::vector<std::string> args) : m_args(std::move(args)) {}
    // The value after `name`; nullopt when absent. A missing value is recorded as an error.
    std::optional<std::string> value(const std::string &name);
    bool flag(const std::string &name);
    // An integer option within lo..hi; errors name the option.
    Result<int> intValue(const std::string &name, int lo, int hi, std::optional<int> fallback);
    // What is left after the options were taken; errors when something is unrecognised.
    std::vector<std::string> positional() const;
    Status finish() const; // reports options nobody asked for

private:
    std::vector<std::string> m_args;
    std::vector<bool> m_used = std::vector<bool>(m_args.size(), false);
    std::string m_error;
};

// Folders and files of the company data set the global options name.
std::string settingsDir(const Context &ctx);   // with trailing "/"
std::string corpIni(const Context &ctx);
std::string dataDir(const Context &ctx);       // with trailing "/"
std::string yearFilePath(const Context &ctx, int gregorianYear);

} // namespace orv::cli
