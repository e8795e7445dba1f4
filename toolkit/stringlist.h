#pragma once

#include <string>
#include <vector>

namespace toolkit {

// An indexed list of byte strings. Reading or writing outside it raises the
// list's range error instead of touching memory it does not own.
class StringList {
public:
    int count() const { return static_cast<int>(items_.size()); }
    const std::string& at(int index) const;
    const std::string& operator[](int index) const { return at(index); }
    void put(int index, std::string item);
    void add(std::string item) { items_.push_back(std::move(item)); }
    void clear() { items_.clear(); }
    void assign(std::vector<std::string> items) { items_ = std::move(items); }
    const std::vector<std::string>& items() const { return items_; }

private:
    std::vector<std::string> items_;
};

} // namespace toolkit
