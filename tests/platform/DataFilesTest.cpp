#include "platform/DataFiles.h"

#include "TestFiles.h"

#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

namespace {

using namespace tonpara_test;
namespace fs = std::filesystem;

enum Place { Cwd, Exe, Data1, Data2, kPlaces };

TEST(FindDataFile, EarlierFolderWins) {
    struct Row {
        const char* name;
        std::vector<Place> holding;
        std::optional<Place> found;
    };
    const Row rows[] = {
        {"everywhere: the working directory", {Cwd, Exe, Data1, Data2}, Cwd},
        {"not in the working directory: beside the program", {Exe, Data1, Data2}, Exe},
        {"only installed: the first data folder", {Data1, Data2}, Data1},
        {"only in the configured prefix", {Data2}, Data2},
        {"nowhere", {}, std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TempDir scratch;
        platform::DataSearchRoots roots{
            scratch / "cwd", scratch / "exe", {scratch / "d1", scratch / "d2"}};
        // Data folders hold their files one level down, in the subfolder.
        const fs::path folders[kPlaces] = {roots.workingDir, roots.exeDir,
                                           roots.dataDirs[0] / "sounds",
                                           roots.dataDirs[1] / "sounds"};
        for (const fs::path& folder : folders) {
            fs::create_directories(folder);
        }
        for (const Place place : row.holding) {
            writeFile(folders[place] / "ok.wav", Bytes(4));
        }
        const fs::path expected = row.found ? folders[*row.found] / "ok.wav" : fs::path();
        EXPECT_EQ(platform::findDataFile("ok.wav", "sounds", roots), expected);
    }
}

TEST(FindDataFile, SkipsWhatIsNotAPlainFileInItsPlace) {
    TempDir scratch;
    platform::DataSearchRoots roots{scratch / "cwd", scratch / "exe", {scratch / "data"}};
    fs::create_directories(roots.workingDir / "ok.wav"); // a folder, not a sound
    fs::create_directories(roots.exeDir);
    fs::create_directories(roots.dataDirs[0] / "sounds");
    writeFile(roots.dataDirs[0] / "ok.wav", Bytes(4)); // above the subfolder: not looked at
    EXPECT_EQ(platform::findDataFile("ok.wav", "sounds", roots), fs::path());

    writeFile(roots.dataDirs[0] / "sounds" / "ok.wav", Bytes(4));
    EXPECT_EQ(platform::findDataFile("ok.wav", "sounds", roots),
              roots.dataDirs[0] / "sounds" / "ok.wav");
    EXPECT_EQ(platform::findDataFile("", "sounds", roots), fs::path());
    // A name with a folder in it is a path of its own, not looked up.
    EXPECT_EQ(platform::findDataFile("sounds/ok.wav", "sounds", roots), fs::path());
    const fs::path direct = roots.dataDirs[0] / "sounds" / "ok.wav";
    EXPECT_EQ(platform::findDataFile(direct.string(), "sounds", roots), direct);
}

// The real roots of this process: the test program's own folder stands in
// for the installed program's.
TEST(FindDataFile, ProcessLooksInWorkingDirThenBesideTheProgram) {
    const fs::path exeDir = fs::read_symlink("/proc/self/exe").parent_path();
    const std::string name = "tonpara-lookup-" + std::to_string(getpid()) + ".wav";
    TempDir cwd;
    const fs::path saved = fs::current_path();
    fs::current_path(cwd.path());

    const platform::DataSearchRoots roots = platform::processSearchRoots();
    EXPECT_EQ(roots.workingDir, cwd.path());
    EXPECT_EQ(roots.exeDir, exeDir);
    ASSERT_FALSE(roots.dataDirs.empty());
    EXPECT_EQ(roots.dataDirs.front(), exeDir.parent_path() / TONPARA_DATA_SUBDIR);

    writeFile(exeDir / name, Bytes(4));
    EXPECT_EQ(platform::findDataFile(name, "sounds"), exeDir / name);
    writeFile(cwd / name, Bytes(4));
    EXPECT_EQ(platform::findDataFile(name, "sounds"), cwd / name);

    fs::remove(exeDir / name);
    fs::current_path(saved);
}

} // namespace
