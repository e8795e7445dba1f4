#include "tests/hardening/app_folder.h"

#include "book/cp932.h"

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <unistd.h>

namespace fs = std::filesystem;

namespace hardening {

AppFolder::AppFolder(const std::string& tag)
{
    path_ = fs::temp_directory_path() / ("piyoran-" + tag + "-" + std::to_string(::getpid()));
    fs::remove_all(path_);
    fs::create_directories(path_);
}

AppFolder::~AppFolder()
{
    // The book list makes its folder the process's current one.
    std::error_code ignored;
    fs::current_path(fs::temp_directory_path(), ignored);
    fs::remove_all(path_, ignored);
}

fs::path AppFolder::write(const std::string& relative, std::string_view bytes) const
{
    const fs::path file = path_ / relative;
    fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + file.string());
    return file;
}

void AppFolder::copy(const fs::path& from, const std::string& relative) const
{
    fs::create_directories(path_ / relative);
    fs::copy(from, path_ / relative, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

std::string cp932Book(const std::vector<std::string>& lines)
{
    std::string bytes;
    for (const std::string& line : lines) {
        const auto encoded = book::encodeCp932(line);
        if (!encoded)
            throw std::runtime_error("not UTF-8: " + line);
        bytes += *encoded + "\r\n";
    }
    return bytes;
}

std::vector<std::string> numberedBook(int questions, int steps)
{
    std::vector<std::string> lines = {"番号つきの問題集", "正しいものを選びなさい。"};
    for (int q = 1; q <= questions; ++q) {
        lines.push_back("Question " + std::to_string(q));
        lines.push_back("（　）に入る語は？");
        lines.push_back("");
        for (const char* kind : {"right", "wrongA", "wrongB", "wrongC", "wrongD"}) {
            std::string line;
            for (int s = 1; s <= steps; ++s)
                line += (s > 1 ? "," : "") + std::string(kind) + std::to_string(q) + "-" + std::to_string(s);
            lines.push_back(line);
        }
    }
    return lines;
}

std::vector<std::string> longLineBook(int blocks)
{
    std::vector<std::string> lines = {"x", "長い行の問題集"};
    for (int q = 1; q <= blocks; ++q) {
        lines.push_back("");
        lines.push_back("");
        lines.push_back("Question " + std::to_string(q) + ": これは五十六バイトを超える長い問題文で、三つに分けて表示されます。");
        for (const char* kind : {"right", "wrongA", "wrongB", "wrongC", "wrongD"})
            lines.push_back(std::string(kind) + std::to_string(q));
    }
    return lines;
}

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace hardening
