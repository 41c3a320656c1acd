// Where the program finds its data: beside the executable first, then in ../share/vireo.
#include "app/DataFolder.h"
#include "files/FileTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace vireo
{
namespace
{

namespace fs = std::filesystem;

TEST(DataFolderTest, BesideTheExecutableFirstThenShareVireo)
{
    struct Case {
        const char *what;
        bool beside, installed, installedIsFolder;
        const char *expected; // relative to the scratch prefix
    };
    const Case cases[] = {
        {"build folder or unpacked archive", true, false, false, "bin"},
        {"installed under a prefix", false, true, false, "share/vireo"},
        {"both: the copy beside the executable wins", true, true, false, "bin"},
        {"neither: beside, where the missing file is reported", false, false, false, "bin"},
        {"a folder named language.dat is no data", false, false, true, "bin"},
    };
    for (const Case &c : cases) {
        test::ScratchDir prefix;
        fs::create_directories(prefix / "bin");
        fs::create_directories(prefix / "share/vireo");
        if (c.beside)
            std::ofstream(prefix / "bin/language.dat") << "x";
        if (c.installed)
            std::ofstream(prefix / "share/vireo/language.dat") << "x";
        if (c.installedIsFolder)
            fs::create_directories(prefix / "share/vireo/language.dat");
        EXPECT_EQ(findDataFolder(prefix / "bin"), prefix / c.expected) << c.what;
    }
}

} // namespace
} // namespace vireo
