#include "tools/book/output.h"

#include "toolkit/files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <unistd.h>

namespace booktool {

namespace {

namespace fs = std::filesystem;

std::string layoutWord(book::Layout layout)
{
    return layout == book::Layout::LongLine ? "long-line" : "three-line";
}

// Opens a new file beside path that no one else has, for writing.
int openTemporary(const fs::path& path, std::string& temporary)
{
    static int counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path candidate = path.parent_path()
                                   / ("." + path.filename().string() + ".piyoran-book-" + std::to_string(getpid())
                                      + "-" + std::to_string(counter++));
        // 0666 less the umask, as any new file gets.
        const int fd = open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            temporary = candidate.string();
            return fd;
        }
    }
    errno = EEXIST;
    return -1;
}

bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return fsync(fd) == 0;
}

// Moves temporary to path; without replace only while path does not exist,
// checked in the same step as the move (a hard link cannot replace a file).
bool moveIntoPlace(const std::string& temporary, const std::string& path, bool replace)
{
    if (replace)
        return std::rename(temporary.c_str(), path.c_str()) == 0;
    if (link(temporary.c_str(), path.c_str()) == 0) {
        unlink(temporary.c_str());
        return true;
    }
    if (errno == EEXIST)
        return false;
    // A file system without hard links: look, then rename.
    std::error_code error;
    if (fs::exists(fs::symlink_status(path, error))) {
        errno = EEXIST;
        return false;
    }
    return std::rename(temporary.c_str(), path.c_str()) == 0;
}

} // namespace

std::optional<std::string> readInput(const std::string& path, std::string& problem)
{
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (error || !fs::exists(status)) {
        problem = "no such file";
        return std::nullopt;
    }
    if (!fs::is_regular_file(status)) {
        problem = fs::is_directory(status) ? "a folder, not a file" : "not a regular file";
        return std::nullopt;
    }
    const std::uintmax_t size = fs::file_size(path, error);
    if (!error && size > kMaxInputBytes) {
        problem = "the file has " + std::to_string(size) + " bytes, more than the " + std::to_string(kMaxInputBytes >> 20)
                  + " MiB read";
        return std::nullopt;
    }
    try {
        std::string bytes = toolkit::readFile(path);
        if (bytes.size() > kMaxInputBytes) { // grown since it was measured
            problem = "the file has more than " + std::to_string(kMaxInputBytes >> 20) + " MiB";
            return std::nullopt;
        }
        return bytes;
    } catch (const std::exception&) {
        problem = "it cannot be read";
        return std::nullopt;
    }
}

std::optional<BookName> bookName(const std::string& named, book::Layout layout, Diagnostics& diagnostics)
{
    const std::string file = fs::path(named).filename().string();
    const book::Layout told = book::layoutOf(named);
    if (file.empty()) {
        diagnostics.error({}, "\"" + named + "\" names no file");
        return std::nullopt;
    }
    if (told == book::Layout::NotABook) {
        if (file.find('.') != std::string::npos) {
            diagnostics.error({}, "a book's name ends in .txt (three-line layout) or .qt1 to .qt9 (long-line "
                                  "layout), and \"" + file + "\" does not; leave the extension off, and it is added");
            return std::nullopt;
        }
        const book::Layout chosen = layout == book::Layout::NotABook ? book::Layout::ThreeLine : layout;
        return BookName{named + (chosen == book::Layout::LongLine ? ".qt1" : ".txt"), chosen};
    }
    if (layout != book::Layout::NotABook && told != layout) {
        diagnostics.error({}, "the sheet makes a " + layoutWord(layout) + " book, and the name \"" + file
                                  + "\" is that of a " + layoutWord(told) + " book: name it "
                                  + (layout == book::Layout::LongLine ? ".qt1 to .qt9" : ".txt")
                                  + ", or leave the extension off");
        return std::nullopt;
    }
    return BookName{named, told};
}

std::string writeWhole(const std::string& path, std::string_view bytes, bool replace)
{
    std::string temporary;
    const int fd = openTemporary(fs::path(path), temporary);
    if (fd < 0)
        return std::string("cannot make a file in its folder: ") + std::strerror(errno);
    const bool written = writeAll(fd, bytes);
    const int writeError = errno;
    if (close(fd) != 0 || !written) {
        unlink(temporary.c_str());
        return std::string("cannot write it: ") + std::strerror(written ? errno : writeError);
    }
    if (!moveIntoPlace(temporary, path, replace)) {
        const int moveError = errno;
        unlink(temporary.c_str());
        if (moveError == EEXIST)
            return "it exists already; give --force to replace it";
        return std::string("cannot put it in place: ") + std::strerror(moveError);
    }
    return {};
}

} // namespace booktool
