// Program paths: the files the controller keeps beside its executable.
#ifndef CUTTER_PROGRAM_PATHS_H
#define CUTTER_PROGRAM_PATHS_H

constexpr int PROGRAM_PATH_SIZE = 260;    // the platform's longest path, terminator included
constexpr int MODULE_PATH_LIMIT = 512;    // longest executable path that is read
constexpr int DRIVE_PART_LIMIT = 2;       // "C:"
constexpr int DIRECTORY_PART_LIMIT = 255; // directory with its trailing separator

struct ProgramPaths {
    char HelpFile[PROGRAM_PATH_SIZE];            // QMHLP_A.HLP
    char SettingsFile[PROGRAM_PATH_SIZE];        // QMACTL.INI
    char MediaDirectory[PROGRAM_PATH_SIZE];      // Media, without a trailing separator
    char AnimationProgram[PROGRAM_PATH_SIZE];    // CIC_DMAN.EXE
};

// Builds the four paths from the executable's full path. The drive and the directory are cut to
// their limits, and a path that does not fit its buffer is cut short, always terminated.
void compose_program_paths(const char* module_path, ProgramPaths* paths);

#endif
