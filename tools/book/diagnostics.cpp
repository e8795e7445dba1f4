#include "tools/book/diagnostics.h"

#include <algorithm>

namespace booktool {

namespace {

constexpr std::size_t kShown = 50;

} // namespace

std::string columnLetters(int column)
{
    std::string letters;
    for (; column > 0; column = (column - 1) / 26)
        letters.insert(letters.begin(), static_cast<char>('A' + (column - 1) % 26));
    return letters;
}

std::string describe(const Origin& origin)
{
    std::string place;
    if (origin.row > 0)
        place = std::string(origin.unit) + " " + std::to_string(origin.row);
    if (origin.column > 0)
        place += ", column " + columnLetters(origin.column);
    if (!origin.name.empty())
        place += place.empty() ? origin.name : " (" + origin.name + ")";
    return place;
}

void Diagnostics::add(Severity severity, const Origin& origin, std::string message)
{
    entries_.push_back({severity, describe(origin), std::move(message)});
}

int Diagnostics::count(Severity severity) const
{
    return static_cast<int>(std::count_if(entries_.begin(), entries_.end(),
                                          [&](const Entry& e) { return e.severity == severity; }));
}

std::string Diagnostics::text() const
{
    std::string out;
    for (std::size_t i = 0; i < entries_.size() && i < kShown; ++i) {
        const Entry& e = entries_[i];
        out += file_ + ": ";
        if (!e.place.empty())
            out += e.place + ": ";
        out += (e.severity == Severity::Error ? "error: " : "warning: ") + e.message + '\n';
    }
    if (entries_.size() > kShown)
        out += file_ + ": and " + std::to_string(entries_.size() - kShown) + " more\n";
    return out;
}

} // namespace booktool
