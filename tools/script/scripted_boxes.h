#pragma once

#include "toolkit/boxes.h"

#include <deque>
#include <functional>
#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace script {

// A box as the script saw it appear.
struct ShownBox {
    std::string kind; // info, confirm or error
    std::string text;
    int answer = 0;
    std::map<std::string, std::string> watched;
};

// Answers the program's boxes from the script instead of a person: queued
// answers for confirmation boxes, information and error boxes acknowledged
// by themselves. Every box is recorded and printed as it appears.
class ScriptedBoxes : public toolkit::BoxService {
public:
    explicit ScriptedBoxes(std::ostream& out) : out_(out) {}

    void queueAnswer(int answer) { answers_.push_back(answer); }
    // Called as each box appears, to record the watched values.
    std::function<std::map<std::string, std::string>()> watch;

    void information(const std::string& text) override;
    int confirmation(const std::string& text, toolkit::BoxButtons buttons) override;
    void error(const std::string& text) override;

    std::vector<ShownBox>& shown() { return shown_; }
    std::size_t& nextUnexpected() { return nextUnexpected_; }
    // A confirmation box appeared with no answer queued for it.
    bool unanswered() const { return unanswered_; }
    void clearUnanswered() { unanswered_ = false; }

private:
    ShownBox& record(const std::string& kind, const std::string& text);

    std::ostream& out_;
    std::deque<int> answers_;
    std::vector<ShownBox> shown_;
    std::size_t nextUnexpected_ = 0;
    bool unanswered_ = false;
};

} // namespace script
