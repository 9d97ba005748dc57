#include "program_paths.h"

#include <cstdio>
#include <cstring>

namespace {

struct PathParts {
    char drive[DRIVE_PART_LIMIT + 1];
    char directory[DIRECTORY_PART_LIMIT + 1];
};

void copy_limited(char* target, std::size_t limit, const char* from, std::size_t length)
{
    const std::size_t n = length < limit ? length : limit;
    std::memcpy(target, from, n);
    target[n] = '\0';
}

// Splits "C:\Tools\QMACTL.EXE" into "C:" and "\Tools\"; the file name is dropped.
PathParts split_module_path(const char* path)
{
    PathParts parts{};
    const char* rest = path;
    if (path[0] != '\0' && path[1] == ':') {
        copy_limited(parts.drive, DRIVE_PART_LIMIT, path, 2);
        rest = path + 2;
    }
    const char* last_separator = nullptr;
    for (const char* p = rest; *p != '\0'; ++p) {
        if (*p == '\\' || *p == '/') {
            last_separator = p;
        }
    }
    if (last_separator != nullptr) {
        copy_limited(parts.directory, DIRECTORY_PART_LIMIT, rest,
                     static_cast<std::size_t>(last_separator - rest + 1));
    }
    return parts;
}

void join(char (&target)[PROGRAM_PATH_SIZE], const PathParts& parts, const char* base,
          const char* extension)
{
    if (extension != nullptr) {
        std::snprintf(target, sizeof target, "%s%s%s.%s", parts.drive, parts.directory, base,
                      extension);
    } else {
        std::snprintf(target, sizeof target, "%s%s%s", parts.drive, parts.directory, base);
    }
}

}  // namespace

void compose_program_paths(const char* module_path, ProgramPaths* paths)
{
    char bounded[MODULE_PATH_LIMIT + 1];
    copy_limited(bounded, MODULE_PATH_LIMIT, module_path, std::strlen(module_path));
    const PathParts parts = split_module_path(bounded);
    join(paths->HelpFile, parts, "QMHLP_A", "HLP");
    join(paths->SettingsFile, parts, "QMACTL", "INI");
    join(paths->MediaDirectory, parts, "Media", nullptr);
    join(paths->AnimationProgram, parts, "CIC_DMAN", "EXE");
}
