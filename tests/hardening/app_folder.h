#pragma once

// A folder laid out as the program finds its own beside the executable
// (category folders 001 to 009 and image/), made for one test and removed
// after it, and the books the hardening tests write into it.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace hardening {

class AppFolder {
public:
    // A new, empty folder under the system's temporary folder.
    explicit AppFolder(const std::string& tag);
    ~AppFolder();
    AppFolder(const AppFolder&) = delete;
    AppFolder& operator=(const AppFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& relative) const { return path_ / relative; }
    // Writes a file, making its folders.
    std::filesystem::path write(const std::string& relative, std::string_view bytes) const;
    // Copies a folder's tree to relative.
    void copy(const std::filesystem::path& from, const std::string& relative) const;

private:
    std::filesystem::path path_;
};

// The bytes of a book: each UTF-8 line in code page 932, ended by CR LF.
std::string cp932Book(const std::vector<std::string>& lines);

// A three-line book of numbered questions, each of `steps` steps: the key
// line holds right1-1, right1-2, …; the other choice lines wrong items.
std::vector<std::string> numberedBook(int questions, int steps = 1);

// The 2 + 8 × blocks lines of a long-line book (title on line 1) of numbered
// one-step blocks, each question line longer than one 56-byte piece. A
// long-line book needs 3 + 8N lines for N questions, so the last block of
// these is never asked unless a line is added after it.
std::vector<std::string> longLineBook(int blocks);

std::string readFile(const std::filesystem::path& path);

} // namespace hardening
