#include "platform/file_identity.h"

#include <sys/stat.h>

#include <climits>
#include <cstdlib>

std::string resolved_path(const std::string& path)
{
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) != nullptr) {
        return resolved;
    }
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.empty() || name == "." || name == ".." || ::realpath(folder.c_str(), resolved) == nullptr) {
        return path;
    }
    return std::string(resolved) + (resolved[1] == '\0' ? "" : "/") + name;
}

bool same_file(const std::string& a, const std::string& b)
{
    struct stat about_a{};
    struct stat about_b{};
    if (::stat(a.c_str(), &about_a) == 0 && ::stat(b.c_str(), &about_b) == 0) {
        return about_a.st_dev == about_b.st_dev && about_a.st_ino == about_b.st_ino;
    }
    return resolved_path(a) == resolved_path(b);
}
