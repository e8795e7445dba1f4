#include "toolkit/errors.h"

namespace toolkit {

Error indexError(int index)
{
    return Error("リストのインデックスが範囲を超えています (" + std::to_string(index) + ")");
}

Error fileOpenError(const std::string& path)
{
    return Error("ファイル " + path + " は開けません");
}

Error inOutError(const std::string& path)
{
    return Error("入出力エラーです: " + path);
}

std::string errorBoxText(const std::string& message)
{
    // Byte order and code point order agree in UTF-8, and every lead byte of
    // a multi-byte character sorts after ".", as it does in code page 932.
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.')
        return message + ".";
    return message;
}

} // namespace toolkit
