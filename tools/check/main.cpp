// piyoran-check FILE|FOLDER...: reports the problems of quiz books before
// learners meet them. Exit status: 0 without errors (warnings allowed), 1
// when any book has an error, 2 for a wrong command line or a path that
// cannot be read.

#include "toolkit/files.h"
#include "tools/check/check.h"
#include "tools/check/library.h"

#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr const char* kUsage =
    "usage: piyoran-check FILE|FOLDER...\n"
    "Checks quiz books: for each one its layout, its question count and every\n"
    "problem, by line number (counted from 1). A folder is searched, with its\n"
    "sub-folders, for .txt, .qt1 to .qt9 and .ppm files. Questions that repeat\n"
    "one another are reported across all the books given; when a folder is\n"
    "given, the counts of the library are printed at the end.\n"
    "Exit status: 0 no errors (warnings allowed), 1 errors, 2 usage or unreadable path.\n";

struct Totals {
    int files = 0;
    int errors = 0;
    int warnings = 0;
    bool unreadable = false;
    bool folderGiven = false;
    check::Library library;
};

void checkFile(const fs::path& path, Totals& totals)
{
    std::string bytes;
    try {
        bytes = toolkit::readFile(path.string());
    } catch (const std::exception& e) {
        std::cerr << "piyoran-check: cannot read " << path.string() << ": " << e.what() << '\n';
        totals.unreadable = true;
        return;
    }
    check::Report report = check::checkBook(path.string(), bytes);
    totals.library.add(path.string(), report);
    std::cout << check::formatReport(path.string(), report);
    ++totals.files;
    totals.errors += report.count(check::Severity::Error);
    totals.warnings += report.count(check::Severity::Warning);
}

void checkPath(const fs::path& path, Totals& totals)
{
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (error || !fs::exists(status)) {
        std::cerr << "piyoran-check: cannot read " << path.string() << ": no such file or folder\n";
        totals.unreadable = true;
        return;
    }
    if (!fs::is_directory(status)) {
        checkFile(path, totals);
        return;
    }
    totals.folderGiven = true;
    std::vector<fs::path> files;
    try {
        files = check::filesToCheck(path);
    } catch (const fs::filesystem_error& e) {
        std::cerr << "piyoran-check: cannot read folder " << path.string() << ": " << e.what() << '\n';
        totals.unreadable = true;
        return;
    }
    if (files.empty())
        std::cout << path.string() << ": no books in this folder\n";
    for (const fs::path& file : files)
        checkFile(file, totals);
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> paths;
    bool options = true;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (options && arg == "--") {
            options = false;
        } else if (options && (arg == "-h" || arg == "--help")) {
            std::cout << kUsage;
            return 0;
        } else if (options && arg.size() > 1 && arg[0] == '-') {
            std::cerr << "piyoran-check: unknown option " << arg << '\n' << kUsage;
            return 2;
        } else {
            paths.push_back(arg);
        }
    }
    if (paths.empty()) {
        std::cerr << kUsage;
        return 2;
    }

    Totals totals;
    for (const std::string& path : paths)
        checkPath(path, totals);
    if (totals.folderGiven)
        std::cout << totals.library.summary();
    std::cout << totals.files << (totals.files == 1 ? " file" : " files") << " checked: "
              << totals.errors << (totals.errors == 1 ? " error, " : " errors, ")
              << totals.warnings << (totals.warnings == 1 ? " warning" : " warnings") << '\n';

    if (totals.unreadable)
        return 2;
    return totals.errors > 0 ? 1 : 0;
}
