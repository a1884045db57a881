#pragma once

#include "core/util/sjis.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <stdlib.h>
#include <string>

namespace orv::test {

// A fresh temporary folder per test, removed afterwards.
class SettingsDir : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string tmpl = (std::filesystem::temp_directory_path() / "orvset-XXXXXX").string();
        ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
        m_dir = tmpl;
    }
    void TearDown() override
    {
        std::error_code ec;
        std::filesystem::permissions(m_dir, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(m_dir, ec);
    }

    std::filesystem::path path(const std::string &name) const { return m_dir / name; }

    // Writes UTF-8 text as Shift-JIS bytes, line ends as given.
    std::filesystem::path writeSjis(const std::string &name, const std::string &utf8) const
    {
        auto bytes = utf8ToSjis(utf8);
        EXPECT_TRUE(bytes.has_value());
        return writeBytes(name, bytes.value_or(std::string()));
    }
    std::filesystem::path writeBytes(const std::string &name, const std::string &bytes) const
    {
        std::ofstream out(path(name), std::ios::binary);
        out << bytes;
        return path(name);
    }
    static std::string readBytes(const std::filesystem::path &p)
    {
        std::ifstream in(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    std::filesystem::path m_dir;
};

} // namespace orv::test
