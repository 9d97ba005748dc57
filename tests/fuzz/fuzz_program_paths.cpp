// Feeds random executable paths (any bytes, any length, in a buffer of exactly their size) to
// the composition of the program's paths. Checked: all four paths are terminated within their
// buffers and are the executable's drive and folder (each within its limit) followed by their
// own file names, cut to the buffer.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/program_paths.h"

namespace {

void check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "property violated: %s\n", what);
        std::abort();
    }
}

std::string held(const char (&path)[PROGRAM_PATH_SIZE])
{
    const void* end = std::memchr(path, '\0', sizeof path);
    check(end != nullptr, "path terminated within its buffer");
    return std::string(path, static_cast<const char*>(end));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<char> module(data, data + size);
    module.push_back('\0');
    ProgramPaths paths;
    std::memset(&paths, '#', sizeof paths);
    compose_program_paths(module.data(), &paths);

    const std::string help = held(paths.HelpFile);
    const std::string settings = held(paths.SettingsFile);
    const std::string media = held(paths.MediaDirectory);
    const std::string animation = held(paths.AnimationProgram);

    // The folder part as the rules state it: the first 512 characters of the path, the drive
    // ("X:") and the directory up to its last separator, each cut to its limit.
    const std::string path = std::string(module.data()).substr(0, MODULE_PATH_LIMIT);
    std::string drive;
    std::string rest = path;
    if (path.size() >= 2 && path[1] == ':') {
        drive = path.substr(0, 2);
        rest = path.substr(2);
    }
    const std::size_t separator = rest.find_last_of("\\/");
    const std::string directory =
        separator == std::string::npos ? std::string() : rest.substr(0, std::min<std::size_t>(separator + 1, DIRECTORY_PART_LIMIT));
    const std::string folder = drive + directory;

    const std::string names[] = {"QMHLP_A.HLP", "QMACTL.INI", "Media", "CIC_DMAN.EXE"};
    const std::string* composed[] = {&help, &settings, &media, &animation};
    for (int i = 0; i < 4; ++i) {
        check(*composed[i] == (folder + names[i]).substr(0, PROGRAM_PATH_SIZE - 1),
              "a path is the folder and its own name, cut to the buffer");
    }
    return 0;
}
