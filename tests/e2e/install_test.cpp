// What a user installs: the install folder the build leaves, and the Windows installer made
// from it. Both must hold everything the controller opens at start and nothing of the
// development stand-ins; the installed controller starts, and the uninstaller leaves nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "cutter_link.h"
#include "harness.h"
#include "product_version.h"
#include "resource_ids.h"

namespace {

namespace fs = std::filesystem;

// Names of the files below a folder ("Media\\Pen.qcf"), sorted; those ending in `only` if given.
std::vector<std::string> files_below(const std::string& folder, const std::string& only = "")
{
    std::vector<std::string> names;
    std::error_code error;
    for (fs::recursive_directory_iterator i(folder, error), end; i != end; i.increment(error)) {
        const std::string name = i->path().lexically_relative(folder).string();
        if (!i->is_directory() && name.size() >= only.size() &&
            name.compare(name.size() - only.size(), only.size(), only) == 0) {
            names.push_back(name);
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string version_value(const std::string& program, const char* name)
{
    DWORD unused = 0;
    std::vector<char> data(GetFileVersionInfoSizeA(program.c_str(), &unused));
    void* value = nullptr;
    UINT size = 0;
    if (data.empty() || !GetFileVersionInfoA(program.c_str(), 0, static_cast<DWORD>(data.size()), data.data()) ||
        !VerQueryValueA(data.data(), (std::string("\\StringFileInfo\\040904B0\\") + name).c_str(), &value, &size) ||
        size == 0) {
        return "(none)";
    }
    return static_cast<const char*>(value);
}

bool uninstall_key_exists()
{
    HKEY key = nullptr;
    const bool found = RegOpenKeyExA(HKEY_LOCAL_MACHINE,
        "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\QuillmarkController", 0,
        KEY_READ | KEY_WOW64_64KEY, &key) == ERROR_SUCCESS;
    RegCloseKey(key);
    return found;
}

TEST(Install, TheInstallerInstallsTheInstallFolderAndTheUninstallerRemovesIt)
{
    // The build's install folder: both programs with their version and the factory media files
    // (not the source folder's own housekeeping files).
    const std::string dist = e2e::dist_folder();
    std::vector<std::string> expected = {"CIC_DMAN.EXE", "QMACTL.EXE"};
    for (const std::string& name : files_below(CUTTER_E2E_FACTORY_MEDIA_DIR, ".qcf")) {
        expected.push_back("Media\\" + name);
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(files_below(dist), expected);
    for (const char* program : {"QMACTL.EXE", "CIC_DMAN.EXE"}) {
        EXPECT_EQ(version_value(dist + "\\" + program, "FileVersion"), PRODUCT_VERSION_TEXT) << program;
        EXPECT_EQ(version_value(dist + "\\" + program, "ProductName"), PRODUCT_NAME_TEXT) << program;
    }

    const bool is_64_bit = [&dist] {
        DWORD type = 0;
        return GetBinaryTypeA((dist + "\\QMACTL.EXE").c_str(), &type) && type == SCS_64BIT_BINARY;
    }();
    char program_files[MAX_PATH] = "";
    ASSERT_TRUE(GetEnvironmentVariableA(is_64_bit ? "ProgramW6432" : "ProgramFiles(x86)", program_files,
                                        sizeof program_files));
    const std::string folder = std::string(program_files) + "\\Quillmark Controller";
    ASSERT_TRUE(files_below(folder).empty()) << folder << " is there before the installer ran";
    e2e::Program installer;
    ASSERT_TRUE(installer.start(e2e::installer_file(), {"/S"}));
    EXPECT_EQ(installer.wait_exit(60000), 0u);
    expected.push_back("Uninstall.exe");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(files_below(folder), expected);
    EXPECT_TRUE(uninstall_key_exists());

    // The installed controller starts and shows the build's version in its About box.
    {
        e2e::Program controller;
        ASSERT_TRUE(controller.start(folder + "\\QMACTL.EXE", {"-DEMO"}));
        HWND main = controller.wait_main_window();
        ASSERT_TRUE(main);
        EXPECT_TRUE(e2e::click(e2e::job_panel_of(main), IDC_ABOUT_BUTTON));
        HWND about = controller.wait_dialog("About Quillmark Controller");
        ASSERT_TRUE(about);
        EXPECT_EQ(e2e::control_text(about, IDC_ABOUT_VERSION), PRODUCT_NAME_TEXT " Version " PRODUCT_VERSION_TEXT);
        EXPECT_TRUE(e2e::answer(about, IDOK));
        e2e::close_and_expect_exit(&controller, main, 0);
    }

    // The uninstaller copies itself away and ends at once; the copy removes the folder.
    e2e::Program uninstaller;
    ASSERT_TRUE(uninstaller.start(folder + "\\Uninstall.exe", {"/S"}));
    EXPECT_EQ(uninstaller.wait_exit(60000), 0u);
    EXPECT_TRUE(e2e::wait_until([&folder] { return !fs::exists(folder); }, "the uninstaller removes " + folder, 60000))
        << "left: " << ::testing::PrintToString(files_below(folder));
    EXPECT_FALSE(uninstall_key_exists());
}

}  // namespace
