#include "settings_file.h"

#include <windows.h>

#include "common/win_text.h"
#include "media_files.h"
#include "profile_calls.h"

Settings g_settings;

namespace {

// The sources of the run: "Main_Section" of the settings file through the profile calls, and the
// media of the Media directory.
struct RunSources {
    const SettingsSources& Sources;
    ProfileFile            SettingsFile;
};

std::int32_t main_section_number(const void* source, const char* key, std::int32_t fallback)
{
    const RunSources& run = *static_cast<const RunSources*>(source);
    return profile_number(run.SettingsFile, SETTINGS_MAIN_SECTION, key, fallback);
}

void main_section_text(const void* source, const char* key, const char* fallback, char* text,
                  std::size_t size)
{
    const RunSources& run = *static_cast<const RunSources*>(source);
    profile_text(run.SettingsFile, SETTINGS_MAIN_SECTION, key, fallback, text, size);
}

std::int32_t media_directory_files(const void* source, const char* select_name,
                                   MediaLibrary* library)
{
    const RunSources& run = *static_cast<const RunSources*>(source);
    return load_media_files(run.Sources.MediaDirectory, select_name, library);
}

void string_table_media(const void*, MediaLibrary* library)
{
    load_built_in_media(library);
}

}  // namespace

ResultCode read_settings(const SettingsSources& sources, const CutterLink& link,
                         LaunchOptions* options, Settings* settings, MediaLibrary* library)
{
    RunSources run{sources, {}};
    run.SettingsFile.Path = sources.SettingsFile;
    const SettingsReader reader{main_section_number, main_section_text, media_directory_files,
                                string_table_media, &run};
    return read_settings_from(reader, link, sources.CheckDistances, options,
                              settings, library);
}

void save_settings(const char* settings_file, const Settings& settings, const MediaRecord& selected)
{
    WritePrivateProfileStringA(SETTINGS_VERSION_SECTION, "Version",
                               load_text(IDS_PRODUCT_VERSION).c_str(), settings_file);
    ProfileEntry entries[SETTINGS_ENTRY_COUNT];
    settings_entries(settings, selected, entries);
    write_profile_entries(settings_file, entries, SETTINGS_ENTRY_COUNT);
}
