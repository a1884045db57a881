#pragma once

#include <string>
#include <vector>

namespace orv::cli {

// What every command receives: the global options and its own arguments.
struct Context {
    std::string baseDir;  // --base: settings folder (default: the program's settings folder)
    std::string company;  // --company: two-character suffix of a company data set, empty = first
    std::string progDir;  // folder of the running binary, with the table files beside it
    std::vector<std::string> args; // arguments after the command name
};

// Exit codes: 0 success, 1 failure while working, 2 bad arguments or bad input.
constexpr int kExitOk = 0;
constexpr int kExitFail = 1;
constexpr int kExitUsage = 2;

int cmdPeriod(const Context &ctx);
int cmdTables(const Context &ctx);
int cmdTax(const Context &ctx);
int cmdCalc(const Context &ctx);
int cmdPremium(const Context &ctx);

// Prints "orvane2-cli: <message>" to stderr and returns the code.
int fail(int code, const std::string &message);

} // namespace orv::cli
