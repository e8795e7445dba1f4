#pragma once

#include <stdexcept>
#include <string>

namespace toolkit {

// Every failure of an operation is one of these. Only the event dispatch
// catches it; the handler stops where it was and the error box shows what().
// The message is UTF-8.
class Error : public std::runtime_error {
public:
    explicit Error(const std::string& message) : std::runtime_error(message) {}
};

// A line or item index outside a string list.
Error indexError(int index);
// A file that cannot be opened for reading.
Error fileOpenError(const std::string& path);
// A folder that cannot be entered, or another failing file-system service.
Error inOutError(const std::string& path);

// The text of the error box: a "." is appended when the message's last
// character sorts after "." (so "…)" and "…." stay as they are).
std::string errorBoxText(const std::string& message);

} // namespace toolkit
