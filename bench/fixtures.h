#pragma once

// What the benchmark works on, made afresh for each run in a folder laid out
// as the program's own (category folder 001 and image/).

#include <cstddef>
#include <string>

namespace bench {

// A three-line book of `questions` one-step questions (as tools/mkbook
// writes with --blocks), in code page 932 with CR LF, with Japanese text.
std::string threeLineBook(int questions);
// A long-line book (.qt1) of `questions` one-step questions, each question
// one line of about 100 bytes that the program cuts into 56-byte pieces.
std::string longLineBook(int questions);
// A three-line book of at least `bytes`: threeLineBook(200)'s questions
// over and over, as books pasted together by mistake; it opens with 200.
std::string enormousThreeLineBook(std::size_t bytes);

// A photograph-like JPEG (smooth colour fields, edges and fine grain),
// baseline, 4:2:0, quality 90, as a camera or a picture editor writes.
std::string photoJpeg(int width, int height);

void writeFile(const std::string& path, const std::string& bytes);
std::string readFile(const std::string& path);

// A new empty folder under the temporary folder; removeTree removes it.
std::string makeTempFolder();
void removeTree(const std::string& folder);

} // namespace bench
