// Feeds random executable paths (any bytes, any length, in a buffer of exactly their size) to
// the composition of the program's paths. Checked: all four paths are terminated within their
// buffers and are the executable's drive and folder (each within its limit) followed by their
// own file names, cut to the buffer.
#include <algorithm>
#include <cstring>

#include "common/program_paths.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<char> module = exact_buffer(std::string(reinterpret_cast<const char*>(data), size));
    ProgramPaths paths;
    std::memset(&paths, '#', sizeof paths);
    compose_program_paths(module.data(), &paths);

    // The folder: the first 512 characters of the path, the drive ("X:") and the directory up to
    // its last separator, cut to its limit.
    const std::string path = std::string(module.data()).substr(0, MODULE_PATH_LIMIT);
    const std::size_t drive = path.size() >= 2 && path[1] == ':' ? 2 : 0;
    const std::size_t separator = path.find_last_of("\\/");
    const std::string folder =
        path.substr(0, drive) + (separator == std::string::npos || separator < drive
                                     ? std::string()
                                     : path.substr(drive, std::min<std::size_t>(separator + 1 - drive, DIRECTORY_PART_LIMIT)));

    const char* composed[] = {paths.HelpFile, paths.SettingsFile, paths.MediaDirectory, paths.AnimationProgram};
    const char* names[] = {"QMHLP_A.HLP", "QMACTL.INI", "Media", "CIC_DMAN.EXE"};
    for (int i = 0; i < 4; ++i) {
        const void* end = std::memchr(composed[i], '\0', PROGRAM_PATH_SIZE);
        check(end != nullptr, "path terminated within its buffer");
        check(std::string(composed[i], static_cast<const char*>(end)) ==
                  (folder + names[i]).substr(0, PROGRAM_PATH_SIZE - 1),
              "a path is the folder and its own name, cut to the buffer");
    }
    return 0;
}
