#include "lcsdk/filesystem/file_path.h"
#include "lcsdk/filesystem/folder_creation.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

using lcsdk::filesystem::file_path;

namespace {

file_path p(const char* text)
{
    return file_path(std::string(text));
}

struct join_case {
    const char* first;
    const char* second;
    const char* joined;
};

TEST(FilePathJoin, AddsExactlyOneSeparatorBetweenNonEmptyParts)
{
    // first | second | joined
    const join_case cases[] = {
        {"/opt/host", "Lumacraft", "/opt/host/Lumacraft"},
        {"/opt/host/", "Lumacraft", "/opt/host/Lumacraft"},
        {"/opt/host", "/Lumacraft", "/opt/host/Lumacraft"},
        {"/opt/host/", "/Lumacraft", "/opt/host/Lumacraft"},
        {"/opt/host", "", "/opt/host"},
        {"/opt/host/", "", "/opt/host/"},
        {"", "Lumacraft", "Lumacraft"},
        {"", "/Lumacraft", "Lumacraft"},
        {"", "", ""},
        // Only one leading separator of the second part goes; only one is added.
        {"/opt//", "//x", "/opt///x"},
        {"/", "x", "/x"},
    };
    for (const join_case& c : cases)
        EXPECT_EQ(join(p(c.first), p(c.second)).native(), c.joined) << c.first << " + " << c.second;
}

TEST(FilePathHelpers, PlainAppendingKeepsAnExistingTrailingSeparator)
{
    EXPECT_EQ(p("/opt/host").append_plain("Lumacraft").native(), "/opt/host/Lumacraft");
    EXPECT_EQ(p("/opt/host/").append_plain("Lumacraft").native(), "/opt/host//Lumacraft");
}

TEST(FilePathHelpers, ForeignSeparatorsBecomeNativeOnes)
{
    EXPECT_EQ(with_native_separators(p("C:\\Hosts\\Plug-ins\\")).native(), "C:/Hosts/Plug-ins/");
    EXPECT_EQ(with_native_separators(p("/already/native")).native(), "/already/native");
}

TEST(FilePathHelpers, ParentDropsOneTrailingSeparatorThenTheLastPart)
{
    const std::pair<const char*, const char*> cases[] = {
        {"/a/b/c", "/a/b"}, {"/a/b/c/", "/a/b"}, {"a/b", "a"}, {"a", ""}, {"a/", ""}, {"/a", ""}, {"", ""},
    };
    for (const auto& [path, parent] : cases)
        EXPECT_EQ(parent_of(p(path)).native(), parent) << path;
}

TEST(FilePathHelpers, Utf8RoundTrip)
{
    const std::string text = "/tmp/\xc3\xa9t\xc3\xa9/\xe6\x8f\x92\xe4\xbb\xb6";
    EXPECT_EQ(file_path::from_utf8(text).to_utf8(), text);
}

class FolderCreation : public ::testing::Test {
protected:
    void SetUp() override
    {
        root = std::filesystem::temp_directory_path() /
               ("folder_creation_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(root);
        std::filesystem::create_directories(root);
    }
    void TearDown() override { std::filesystem::remove_all(root); }

    file_path under(const std::string& relative) const { return file_path((root / relative).string()); }

    std::filesystem::path root;
};

TEST_F(FolderCreation, CreatesEveryMissingLevel)
{
    EXPECT_TRUE(create_folders(under("one/two/three/Lumacraft")));
    EXPECT_TRUE(std::filesystem::is_directory(root / "one/two/three/Lumacraft"));
}

TEST_F(FolderCreation, TrailingSeparatorAndExistingFoldersAreFine)
{
    std::filesystem::create_directories(root / "here");
    EXPECT_TRUE(create_folders(under("here/")));
    EXPECT_TRUE(create_folders(under("here/new/")));
    EXPECT_TRUE(std::filesystem::is_directory(root / "here/new"));
    EXPECT_TRUE(create_folders(under("here/new")));
}

TEST_F(FolderCreation, EmptyPathFails)
{
    EXPECT_FALSE(create_folders(file_path()));
}

TEST_F(FolderCreation, FileInTheWayFails)
{
    std::ofstream(root / "blocker") << "x";
    EXPECT_FALSE(create_folders(under("blocker")));
    EXPECT_FALSE(create_folders(under("blocker/below")));
}

TEST_F(FolderCreation, RelativePathWhoseTopCannotBeMadeFails)
{
    // The walk up ends at a part without separator that cannot be created: no endless loop.
    const std::filesystem::path saved = std::filesystem::current_path();
    std::filesystem::current_path(root);
    std::ofstream("file") << "x";
    EXPECT_FALSE(create_folders(p("file/a/b")));
    EXPECT_TRUE(create_folders(p("rel/a/b")));
    EXPECT_TRUE(std::filesystem::is_directory(root / "rel/a/b"));
    std::filesystem::current_path(saved);
}

TEST_F(FolderCreation, SingleLevelReportsWhatItFound)
{
    using lcsdk::filesystem::folder_result;
    EXPECT_EQ(make_folder(under("x")), folder_result::created);
    EXPECT_EQ(make_folder(under("x")), folder_result::exists);
    EXPECT_EQ(make_folder(under("missing/x")), folder_result::parent_missing);
    std::ofstream(root / "file") << "x";
    EXPECT_EQ(make_folder(under("file")), folder_result::failed);
}

} // namespace
