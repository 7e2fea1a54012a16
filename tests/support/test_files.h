// Files that tests write into a fresh folder of their own under the temp folder.
#ifndef TEST_FILES_H
#define TEST_FILES_H

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

class TestFolder {
public:
    TestFolder();   // creates a new, empty folder
    ~TestFolder();  // removes it and the files written into it
    TestFolder(const TestFolder &) = delete;
    TestFolder &operator=(const TestFolder &) = delete;

    const std::string &path() const { return path_; }
    // Writes `bytes` as `name` inside the folder, making the folders `name`
    // passes through (separated by backslashes); returns its full path.
    std::string write(const std::string &name, const std::vector<uint8_t> &bytes);

private:
    std::string path_;
    std::vector<std::string> files_;
    std::vector<std::string> folders_;
};

// Makes a folder the current directory for as long as it lives.
class CurrentDirectory {
public:
    explicit CurrentDirectory(const std::string &path);
    ~CurrentDirectory();
    CurrentDirectory(const CurrentDirectory &) = delete;
    CurrentDirectory &operator=(const CurrentDirectory &) = delete;

private:
    std::string previous_;
};

#endif
