// Gauge files loaded from copies of their own, so that the originals can be
// rebuilt while the bench runs, and the watch that sees them change.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "file_watch.h"
#include "gauge_copies.h"
#include "gauge_file.h"
#include "test_files.h"

namespace {

std::vector<uint8_t> bytes_of(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<uint8_t> built(const std::string &name) { return bytes_of(panel_host::program_folder() + name); }

bool exists(const std::string &path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string module_path(HMODULE module) {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(module, path, MAX_PATH);
    return std::string(path, length);
}

class GaugeCopiesTest : public ::testing::Test {
protected:
    void SetUp() override { panel_host::GaugeFile::load_from_copies(&copies); }
    void TearDown() override { panel_host::GaugeFile::load_from_copies(nullptr); }

    TestFolder folder;
    panel_host::GaugeCopies copies;
};

TEST_F(GaugeCopiesTest, AGaugeFileRunsFromACopyAndTheOriginalCanBeRebuilt) {
    const std::string original = folder.write("Brennovalux.gau", built("Brennovalux.gau"));
    std::string error;
    std::unique_ptr<panel_host::GaugeFile> file = panel_host::GaugeFile::load(original, error);
    ASSERT_NE(nullptr, file) << error;
    const std::string loaded = module_path(file->module());
    EXPECT_EQ(original, file->path()) << "messages name the original";
    ASSERT_FALSE(copies.folder().empty());
    EXPECT_EQ(0, _strnicmp(copies.folder().c_str(), loaded.c_str(), copies.folder().size()))
        << "loaded from " << loaded << ", not from the run's folder " << copies.folder();
    EXPECT_EQ("\\Brennovalux.gau", loaded.substr(loaded.find_last_of('\\'))) << "the copy keeps the file's name";
    // A rebuild writes the original while its copy runs.
    const std::vector<uint8_t> rebuilt = built("Delvarotine.gau");
    folder.write("Brennovalux.gau", rebuilt);
    EXPECT_EQ(rebuilt, bytes_of(original)) << "the original could not be written while loaded";
    file.reset();
    EXPECT_FALSE(exists(loaded)) << "the copy outlived its file's unloading";
}

TEST_F(GaugeCopiesTest, FilesOfOneNameStayApart) {
    const std::string first = folder.write("a\\Gauge.gau", built("Brennovalux.gau"));
    const std::string second = folder.write("b\\Gauge.gau", built("Delvarotine.gau"));
    std::string error;
    std::unique_ptr<panel_host::GaugeFile> one = panel_host::GaugeFile::load(first, error);
    std::unique_ptr<panel_host::GaugeFile> other = panel_host::GaugeFile::load(second, error);
    ASSERT_NE(nullptr, one) << error;
    ASSERT_NE(nullptr, other) << error;
    EXPECT_NE(one->module(), other->module());
    EXPECT_NE(module_path(one->module()), module_path(other->module()));
    ASSERT_NE(nullptr, other->find("Delvarotine")) << "the second file's gauge is its own";
    EXPECT_EQ(nullptr, one->find("Delvarotine"));
}

TEST_F(GaugeCopiesTest, AFileThatDoesNotLoadIsNamedByItsOriginalAndLeavesNoCopy) {
    std::vector<uint8_t> cut = built("Brennovalux.gau");
    cut.resize(cut.size() / 2);
    const std::string original = folder.write("cut.gau", cut);
    std::string error;
    EXPECT_EQ(nullptr, panel_host::GaugeFile::load(original, error));
    EXPECT_EQ(original + ": ", error.substr(0, original.size() + 2)) << error;
    const std::string missing = folder.path() + "\\nowhere.gau";
    EXPECT_EQ(nullptr, panel_host::GaugeFile::load(missing, error));
    EXPECT_EQ(missing + ": ", error.substr(0, missing.size() + 2)) << error;
    if (!copies.folder().empty()) {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((copies.folder() + "*").c_str(), &found);
        int entries = 0;
        if (search != INVALID_HANDLE_VALUE) {
            do
                entries += strcmp(found.cFileName, ".") != 0 && strcmp(found.cFileName, "..") != 0;
            while (FindNextFileA(search, &found));
            FindClose(search);
        }
        EXPECT_EQ(0, entries) << "copies left in " << copies.folder();
    }
}

TEST(GaugeCopies, TheRunsFolderGoesWithIt) {
    TestFolder folder;
    const std::string original = folder.write("Brennovalux.gau", built("Brennovalux.gau"));
    std::string run_folder, why;
    {
        panel_host::GaugeCopies copies;
        const std::string copy = copies.copy(original, why);
        ASSERT_FALSE(copy.empty()) << why;
        run_folder = copies.folder();
        EXPECT_TRUE(exists(copy));
    }
    EXPECT_FALSE(exists(run_folder)) << run_folder << " left behind";
}

TEST(GaugeCopies, TheFolderOfAKilledRunGoesAtTheNextRunsFirstCopy) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string stale = std::string(temp) + "panel-bench-4000000000-1";  // a process id none has
    ASSERT_TRUE(CreateDirectoryA(stale.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    CreateDirectoryA((stale + "\\1").c_str(), nullptr);
    HANDLE file = CreateFileA((stale + "\\1\\Left.gau").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_READONLY, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    CloseHandle(file);
    TestFolder folder;
    const std::string original = folder.write("Brennovalux.gau", built("Brennovalux.gau"));
    panel_host::GaugeCopies copies;
    std::string why;
    ASSERT_FALSE(copies.copy(original, why).empty()) << why;
    EXPECT_FALSE(exists(stale)) << stale << " left behind";
}

// The watch, on real files with a clock of the test's own.
class FileWatchTest : public ::testing::Test {
protected:
    void SetUp() override {
        path = folder.write("panel.cfg", {'a'});
        watch.watch({{path, "panel.cfg"}, {folder.path() + "\\later.gau", "later.gau"}});
    }
    TestFolder folder;
    std::string path;
    bench::FileWatch watch;
    const std::vector<std::string> none;
};

TEST_F(FileWatchTest, AChangeIsReportedOnceWhenItHasStoodStill) {
    EXPECT_EQ(none, watch.poll(1000));
    folder.write("panel.cfg", {'a', 'b'});
    EXPECT_EQ(none, watch.poll(1500)) << "seen at once, before it settles";
    EXPECT_EQ(std::vector<std::string>{"panel.cfg"}, watch.poll(2000));
    EXPECT_EQ(none, watch.poll(2500)) << "reported twice";
}

TEST_F(FileWatchTest, AFileStillBeingWrittenPutsTheReportOff) {
    folder.write("panel.cfg", {'a', 'b'});
    EXPECT_EQ(none, watch.poll(500));
    folder.write("panel.cfg", {'a', 'b', 'c'});
    EXPECT_EQ(none, watch.poll(1000)) << "reported while still changing";
    EXPECT_EQ(none, watch.poll(1200)) << "looked again sooner than half a second";
    EXPECT_EQ(std::vector<std::string>{"panel.cfg"}, watch.poll(1500));
}

TEST_F(FileWatchTest, AFileCopiedInOrTakenAwayIsAChange) {
    const std::string later = folder.write("later.gau", built("Brennovalux.gau"));
    watch.poll(500);
    EXPECT_EQ(std::vector<std::string>{"later.gau"}, watch.poll(1000));
    DeleteFileA(later.c_str());
    DeleteFileA(path.c_str());
    watch.poll(1500);
    EXPECT_EQ((std::vector<std::string>{"panel.cfg", "later.gau"}), watch.poll(2000));
}

TEST_F(FileWatchTest, ChangesBeforeARestAreNotReported) {
    folder.write("panel.cfg", {'x', 'y', 'z'});
    watch.rest();
    EXPECT_EQ(none, watch.poll(500));
    EXPECT_EQ(none, watch.poll(1000));
}

}  // namespace
