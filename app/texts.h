#pragma once

// Texts that more than one part of the program uses.
namespace texts {

inline const char* const kApplicationTitle = "ぴよらん　ぽこぺ ver.1.1";
inline const char* const kMainCaption = "ぴよらん　ぽこぺ　ver.1.1";

inline const char* const kNoBook = "問題集ファイルを選択して下さい。";

inline const char* const kBookMask = "*.ppm;*.qt1;*.qt2;*.qt3;*.qt4;*.qt5;*.qt6;*.qt7;*.qt8;*.qt9;*.txt";
inline const char* const kFileEditStart = "*.txt;*.ppm;*.qt1;*.qt2;*.qt3;*.qt4;*.qt5;*.qt6;*.qt7;*.qt8;*.qt9";
inline const char* const kFilter =
    "PPM File (*.ppm)(*.qt?)(*.txt)|*.ppm;*.qt1;*.qt2;*.qt3;*.qt4;*.qt5;*.qt6;*.qt7;*.qt8;*.qt9;*.txt"
    "|BMP File (*.bmp)|*.bmp|ICO File (*.ico)|*.ico|All Files (*.*)|*.*";

// Counter captions: the character and four plain spaces, then the number.
inline const char* const kCorrectPrefix = "正    ";
inline const char* const kMissedPrefix = "誤    ";
inline const char* const kLeftPrefix = "残    ";

} // namespace texts
