#pragma once

#include "tools/script/scripted_boxes.h"

#include <cstddef>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

class TOrvelform;

namespace script {

enum ExitCode { kHeld = 0, kFailed = 1, kUnusable = 2 };

// One line of a script, split into its command and the rest.
struct Line {
    int number = 0;
    std::string command;
    std::vector<std::string> words; // after the command
    std::string rest;               // after the command, blanks kept
};

// Reads a script; commands are checked before anything runs. Returns false
// and says why on `err` when the script is unusable.
bool parseScript(std::istream& in, std::vector<Line>& lines, std::ostream& err);

// Plays a script against the started main window, line by line.
class Runner {
public:
    Runner(TOrvelform& form, ScriptedBoxes& boxes, std::ostream& out);
    ExitCode run(const std::vector<Line>& lines);

private:
    // Each command returns an empty text when it held, else why not.
    std::string execute(const Line& line);
    std::string click(const std::string& name);
    std::string invoke(const std::string& name);
    std::string hover(const Line& line);
    std::string choose(const std::string& file);
    std::string tick(const Line& line);
    std::string pick(const std::string& which);
    std::string expect(const Line& line);
    std::string expectBox(const Line& line);
    std::string expectValue(const std::string& target, const std::string& expected,
                            const std::string* recorded);

    TOrvelform& form_;
    ScriptedBoxes& boxes_;
    std::ostream& out_;
    std::vector<std::string> watched_;
    // Where the box the last `expect box` matched is among the boxes shown:
    // an index, since the list grows, and moves, as more boxes appear.
    std::optional<std::size_t> lastMatched_;
};

} // namespace script
