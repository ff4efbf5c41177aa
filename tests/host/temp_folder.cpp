#include "temp_folder.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

TempFolder::TempFolder(Mode mode)
{
    char name[] = "/tmp/pavon_test_XXXXXX";
    EXPECT_NE(mkdtemp(name), nullptr);
    path_ = name;
    if (mode == ENTER) {
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(path_);
    }
}

TempFolder::~TempFolder()
{
    if (!previous_.empty()) {
        std::filesystem::current_path(previous_);
    }
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string TempFolder::file(const char* name, std::size_t size) const
{
    const std::string path = path_ + "/" + name;
    std::ofstream(path, std::ios::binary) << std::string(size, 'x');
    return path;
}
