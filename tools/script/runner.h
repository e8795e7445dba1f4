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

    // A command of the language: its name, the number of words it takes at
    // least and at most, and what runs it. nullptr for an unknown name.
    struct Command;
    static const Command* command(const std::string& name);

private:
    // Each command returns an empty text when it held, else why not.
    std::string seed(const Line& line);
    std::string answer(const Line& line);
    std::string click(const Line& line);
    std::string invoke(const Line& line);
    std::string hover(const Line& line);
    std::string type(const Line& line);
    std::string key(const Line& line);
    std::string press(const Line& line);
    std::string choose(const Line& line);
    std::string tick(const Line& line);
    std::string pick(const Line& line);
    std::string expect(const Line& line);
    std::string watch(const Line& line);
    std::string show(const Line& line);
    std::string snapshot(const Line& line);
    std::string close(const Line& line);

    std::string clickNamed(const std::string& name);
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
