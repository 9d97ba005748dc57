// A fresh folder under the temporary directory for tests that read and write real profile
// files; removed with its contents when the test ends.
#ifndef CUTTER_TESTS_PROFILE_FOLDER_H
#define CUTTER_TESTS_PROFILE_FOLDER_H

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

class ProfileFolder {
public:
    ProfileFolder()
    {
        static unsigned serial = 0;
        path_ = (std::filesystem::temp_directory_path() /
                 ("cutter-test-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++serial))).string();
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~ProfileFolder() { std::filesystem::remove_all(path_); }
    ProfileFolder(const ProfileFolder&) = delete;
    ProfileFolder& operator=(const ProfileFolder&) = delete;

    const char* path() const { return path_.c_str(); }
    std::string file(const std::string& name) const { return path_ + "\\" + name; }
    // Bytes as they are: no line-end translation either way.
    void write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(file(name), std::ios::binary | std::ios::trunc) << bytes;
    }
    std::string read(const std::string& name) const
    {
        std::ifstream in(file(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

private:
    std::string path_;
};

// Lines joined with the profile calls' own line end.
inline std::string crlf_lines(std::initializer_list<const char*> lines)
{
    std::string text;
    for (const char* line : lines) {
        text += std::string(line) + "\r\n";
    }
    return text;
}

#endif
