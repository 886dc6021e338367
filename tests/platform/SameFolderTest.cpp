#include <gtest/gtest.h>
#include <unistd.h>

#include "TestUtil.h"
#include "platform/ConfigDir.h"
#include "platform/SameFolder.h"

using namespace pixfold;
using namespace pixfold::test;

TEST(IsSameFolder, AskedOfTheFileSystemNotOfTheText) {
    TempDir dir;
    const std::string pics = dir / "pics";
    MakeDirs(pics);
    MakeDirs(dir / "PICS");
    ASSERT_EQ(symlink(pics.c_str(), (dir / "link").c_str()), 0);
    for (const std::string& same :
         {pics + "/", pics + "/.", "/" + pics, dir / "link", dir / "PICS/../pics", pics + "//"}) {
        EXPECT_TRUE(IsSameFolder(pics, same)) << same;
    }
    EXPECT_FALSE(IsSameFolder(pics, dir / "PICS")) << "letter case makes another folder";
    EXPECT_FALSE(IsSameFolder(pics, dir.path()));

    char cwd[4096];
    ASSERT_TRUE(getcwd(cwd, sizeof cwd));
    ASSERT_EQ(chdir(dir.path().c_str()), 0);
    EXPECT_TRUE(IsSameFolder(pics, "pics")) << "a relative spelling";
    EXPECT_TRUE(IsSameFolder(dir / "new", "./link/../new/")) << "not there yet: canonical path";
    ASSERT_EQ(chdir(cwd), 0);

    EXPECT_TRUE(IsSameFolder(dir / "link/new", pics + "/new/")) << "links in the existing part";
    EXPECT_FALSE(IsSameFolder(dir / "new", dir / "other"));
    EXPECT_FALSE(IsSameFolder(dir / "new", pics));
    EXPECT_TRUE(IsSameFolder("", "/")) << "an empty folder text is the root";
}
