#include "platform/DataFiles.h"

#include <system_error>

#ifndef TONPARA_INSTALL_PREFIX
#define TONPARA_INSTALL_PREFIX "/usr/local"
#endif
#ifndef TONPARA_DATA_SUBDIR
#define TONPARA_DATA_SUBDIR "share/tonpara"
#endif

namespace platform {
namespace {

bool isRegularFile(const std::filesystem::path& candidate) {
    std::error_code error;
    return std::filesystem::is_regular_file(candidate, error);
}

} // namespace

DataSearchRoots processSearchRoots() {
    DataSearchRoots roots;
    std::error_code error;
    roots.workingDir = std::filesystem::current_path(error);
    if (error) {
        roots.workingDir.clear();
    }
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error && exe.has_parent_path()) {
        roots.exeDir = exe.parent_path();
        roots.dataDirs.push_back(roots.exeDir.parent_path() / TONPARA_DATA_SUBDIR);
    }
    const std::filesystem::path installed =
        std::filesystem::path(TONPARA_INSTALL_PREFIX) / TONPARA_DATA_SUBDIR;
    if (roots.dataDirs.empty() || roots.dataDirs.front() != installed) {
        roots.dataDirs.push_back(installed);
    }
    return roots;
}

std::filesystem::path findDataFile(std::string_view bareName, std::string_view subdir,
                                   const DataSearchRoots& roots) {
    if (bareName.empty()) {
        return {};
    }
    const std::filesystem::path name(bareName);
    if (bareName.find('/') != std::string_view::npos) {
        return isRegularFile(name) ? name : std::filesystem::path();
    }
    std::vector<std::filesystem::path> candidates;
    for (const auto* dir : {&roots.workingDir, &roots.exeDir}) {
        if (!dir->empty()) {
            candidates.push_back(*dir / name);
        }
    }
    for (const auto& dir : roots.dataDirs) {
        if (!dir.empty()) {
            candidates.push_back(dir / subdir / name);
        }
    }
    for (auto& candidate : candidates) {
        if (isRegularFile(candidate)) {
            return std::move(candidate);
        }
    }
    return {};
}

std::filesystem::path findDataFile(std::string_view bareName, std::string_view subdir) {
    return findDataFile(bareName, subdir, processSearchRoots());
}

} // namespace platform
