// piyoran-book: quiz books from spreadsheets, word lists and KVTML files,
// and sheets from books (tools/book/commands.h).

#include "tools/book/commands.h"

#include <iostream>

int main(int argc, char** argv)
{
    return booktool::run(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
