#pragma once
// Finds the program's data files (the sounds) by bare name, the way the
// sound service of a desktop program is expected to: the learner's working
// directory first, so a file put there overrides ours, then the build or
// portable layout (beside the executable), then the installed data folder.
#include <filesystem>
#include <string_view>
#include <vector>

namespace platform {

// The folders searched, in order of precedence.
struct DataSearchRoots {
    std::filesystem::path workingDir;
    std::filesystem::path exeDir;
    // Installed data folders (already ending in .../tonpara); `subdir` is
    // appended below each of them.
    std::vector<std::filesystem::path> dataDirs;
};

// The roots of this process: the working directory, the folder of
// /proc/self/exe, then <exe folder>/../<data subdir> (a relocated install)
// and <install prefix>/<data subdir> (the configured one). A root that
// cannot be determined is left empty and skipped.
DataSearchRoots processSearchRoots();

// Returns the first regular file named `bareName` in workingDir, exeDir,
// then each dataDir/subdir; an empty path when there is none. A name that
// holds a '/' is taken as a path of its own and only checked as given.
// Never throws: a folder that cannot be read counts as not holding the file.
std::filesystem::path findDataFile(std::string_view bareName, std::string_view subdir,
                                   const DataSearchRoots& roots);
std::filesystem::path findDataFile(std::string_view bareName, std::string_view subdir);

} // namespace platform
