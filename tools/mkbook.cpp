// mkbook: writes test books in code page 932 with CR LF line ends.
//   mkbook IN OUT           converts a UTF-8 text file line by line
//   mkbook --blocks N OUT   writes a three-line book of N one-step questions

#include "book/cp932.h"

#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

namespace {

bool writeBook(const std::string& path, const std::string& utf8)
{
    std::ofstream out(path, std::ios::binary);
    std::istringstream lines(utf8);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const auto bytes = book::encodeCp932(line);
        if (!bytes) {
            std::cerr << "mkbook: not UTF-8: " << line << '\n';
            return false;
        }
        out << *bytes << "\r\n";
    }
    return static_cast<bool>(out);
}

std::string numberedBook(int blocks)
{
    std::ostringstream text;
    text << "番号つきの問題集\n（　）に入る語を選びなさい。\n";
    for (int q = 1; q <= blocks; ++q) {
        text << "Question " << q << "\n\n\n";
        text << "right" << q << "\nwrongA" << q << "\nwrongB" << q << "\nwrongC" << q << "\nwrongD" << q << "\n";
    }
    return text.str();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::string(argv[1]) == "--blocks")
        return writeBook(argv[3], numberedBook(std::stoi(argv[2]))) ? 0 : 1;
    if (argc != 3) {
        std::cerr << "usage: mkbook IN OUT | mkbook --blocks N OUT\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::cerr << "mkbook: cannot read " << argv[1] << '\n';
        return 1;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return writeBook(argv[2], text.str()) ? 0 : 1;
}
