// The distribution's archives: packed in order, unpacked whole, and never
// written outside the destination.
#include "Archive.h"
#include "TestSupport.h"

#include <archive.h>
#include <archive_entry.h>
#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace tillscribe;
namespace fs = std::filesystem;

namespace {

TEST(Archive, PackedInOrderAndUnpackedWhole)
{
    test::TempDir dir;
    test::WriteFile(dir / "program", std::string(300000, 'p'));
    ::chmod((dir / "program").c_str(), 0755);
    test::WriteFile(dir / "help.html", "<html></html>");
    test::WriteFile(dir / "empty", "");
    PackArchive(dir / "files.1", {{"Tillscribe - Vivudiv", dir / "program"},
                                  {"TILLSCRIBE.html", dir / "help.html"},
                                  {"uninstall", dir / "empty"}});
    const std::vector<std::string> order = {"Tillscribe - Vivudiv", "TILLSCRIBE.html", "uninstall"};
    EXPECT_EQ(ArchiveMembers(dir / "files.1"), order);

    fs::create_directory(dir / "dest");
    test::WriteFile(dir / "dest/TILLSCRIBE.html", "older version");
    std::uint64_t last = 0, total = 0;
    bool monotonic = true;
    const auto names = UnpackArchive(dir / "files.1", dir / "dest", [&](std::uint64_t done, std::uint64_t all) {
        monotonic &= done >= last;
        last = done;
        total = all;
        return true;
    });
    EXPECT_EQ(names, order);
    EXPECT_TRUE(monotonic);
    EXPECT_EQ(last, 300000u + 13u);
    EXPECT_EQ(total, last);
    EXPECT_EQ(test::ReadFile(dir / "dest/Tillscribe - Vivudiv"), std::string(300000, 'p'));
    EXPECT_EQ(test::ReadFile(dir / "dest/TILLSCRIBE.html"), "<html></html>");
    const auto executable = [](const fs::path &p) {
        return (fs::status(p).permissions() & fs::perms::owner_exec) != fs::perms::none;
    };
    EXPECT_TRUE(executable(dir / "dest/Tillscribe - Vivudiv"));
    EXPECT_FALSE(executable(dir / "dest/TILLSCRIBE.html"));
    // Nothing else was left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "dest"), fs::directory_iterator()), 3);
}

TEST(Archive, CancelStopsWithoutAPartialFile)
{
    test::TempDir dir;
    test::WriteFile(dir / "a", std::string(200000, 'a'));
    test::WriteFile(dir / "b", std::string(200000, 'b'));
    PackArchive(dir / "files.1", {{"a", dir / "a"}, {"b", dir / "b"}});
    fs::create_directory(dir / "dest");
    const auto names = UnpackArchive(dir / "files.1", dir / "dest",
                                     [](std::uint64_t done, std::uint64_t) { return done < 250000; });
    EXPECT_EQ(names, std::vector<std::string>{"a"});
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "dest"), fs::directory_iterator()), 1);
}

// An archive made by someone else, with members that reach out of the folder.
void WriteHostileArchive(const std::string &path, const char *name, unsigned type, const char *link = nullptr)
{
    archive *a = archive_write_new();
    archive_write_set_format_pax_restricted(a);
    archive_write_open_filename(a, path.c_str());
    archive_entry *e = archive_entry_new();
    archive_entry_set_pathname(e, name);
    archive_entry_set_filetype(e, type);
    archive_entry_set_perm(e, 0644);
    if (link)
        archive_entry_set_symlink(e, link);
    archive_entry_set_size(e, type == AE_IFREG ? 4 : 0);
    archive_write_header(a, e);
    if (type == AE_IFREG)
        archive_write_data(a, "evil", 4);
    archive_entry_free(e);
    archive_write_close(a);
    archive_write_free(a);
}

TEST(Archive, MembersReachingOutsideAreRefused)
{
    const struct {
        const char *name;
        unsigned type;
        const char *link;
    } hostile[] = {
        {"../escaped", AE_IFREG, nullptr},
        {"/tmp/absolute-escape", AE_IFREG, nullptr},
        {"sub/file", AE_IFREG, nullptr},
        {"link", AE_IFLNK, "/etc/passwd"},
        {"folder", AE_IFDIR, nullptr},
    };
    for (const auto &h : hostile) {
        test::TempDir dir;
        fs::create_directory(dir / "dest");
        WriteHostileArchive(dir / "bad.1", h.name, h.type, h.link);
        EXPECT_THROW(UnpackArchive(dir / "bad.1", dir / "dest"), ArchiveError) << h.name;
        EXPECT_EQ(std::distance(fs::directory_iterator(dir / "dest"), fs::directory_iterator()), 0) << h.name;
        EXPECT_FALSE(fs::exists(dir / "escaped"));
    }
    EXPECT_THROW(ArchiveMembers("/nonexistent/files.1"), ArchiveError);
}

} // namespace
