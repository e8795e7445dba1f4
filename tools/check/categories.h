#pragma once

#include <array>
#include <string_view>

// The category folders the menu's buttons show, as far as the checker needs
// them: a book is reached only through a button in view.
namespace check {

struct Category {
    std::string_view folder;  // three digits, beside the program
    std::string_view caption; // the button's caption, UTF-8
    bool shown;               // the button is in view in the menu
};

// The nine category buttons in menu order. The third-year vocabulary button
// is laid out but never shown.
inline constexpr std::array<Category, 9> kCategories{{
    {"001", "中学１年英文法", true},
    {"002", "中学２年英文法", true},
    {"003", "中学３年英文法", true},
    {"004", "高校入試対策", true},
    {"005", "中学１年英単語", true},
    {"006", "中学２年英単語", true},
    {"007", "中学３年英単語", false},
    {"008", "その他", true},
    {"009", "おまけ", true},
}};

// The name of the folder a file lies in, as the path gives it ("" for a
// bare file name); both slashes and backslashes separate.
std::string_view folderOf(std::string_view path);

// The category of a folder name, or nullptr when no button points at it.
const Category* categoryOf(std::string_view folder);

// True for a name of three ASCII digits, the names of category folders.
bool looksLikeCategoryFolder(std::string_view folder);

} // namespace check
