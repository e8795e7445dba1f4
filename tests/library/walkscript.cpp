// walkscript: writes the scenario that works through one bundled book.
//   walkscript [--miss] click|invoke BUTTON BOOK OUT
// BUTTON is the category button of BOOK's folder (invoke for a button the
// learner never sees). The scenario opens the book from that button, checks
// its title and question count, picks the right choice at every step of
// every question and expects the goodbye at the end of the pass, with no
// error box on the way. With --miss the first pick is wrong: the pass ends
// with the replay offer, which is accepted, and the replay of the one missed
// question ends with the goodbye. The number of picks comes from the steps
// of each question as the checker counts them; a book with errors gets no
// scenario (exit status 1).

#include "book/cp932.h"
#include "book/encoding.h"
#include "book/format.h"
#include "toolkit/files.h"
#include "tools/check/check.h"

#include <algorithm>
#include <exception>
#include <fstream>
#include <iostream>
#include <numeric>
#include <string>
#include <vector>

namespace {

// A value as the scenario language reads it after "= ".
std::string escaped(const std::string& text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\r': out += "\\r"; break;
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        default: out += c;
        }
    }
    return out;
}

std::string fileNameOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void picks(std::ostream& out, int count)
{
    for (int i = 0; i < count; ++i)
        out << "pick right\n";
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    const bool miss = !args.empty() && args[0] == "--miss";
    if (miss)
        args.erase(args.begin());
    if (args.size() != 4 || (args[0] != "click" && args[0] != "invoke")) {
        std::cerr << "usage: walkscript [--miss] click|invoke BUTTON BOOK OUT\n";
        return 2;
    }
    const std::string& open = args[0];
    const std::string& button = args[1];
    const std::string& path = args[2];

    std::string raw;
    try {
        raw = toolkit::readFile(path);
    } catch (const std::exception& e) {
        std::cerr << "walkscript: " << e.what() << '\n';
        return 1;
    }
    const check::Report report = check::checkBook(path, raw);
    if (report.hasErrors() || report.questions == 0) {
        std::cerr << "walkscript: the book has errors\n" << check::formatReport(path, report);
        return 1;
    }
    const int n = report.questions;
    const int total = std::accumulate(report.steps.begin(), report.steps.end(), 0);
    const bool longLine = report.layout == book::Layout::LongLine;
    const std::vector<std::string> lines = book::splitLines(book::toCp932Book(raw).bytes);
    const std::string title = book::decodeCp932(lines[longLine ? 1 : 0]);
    const std::string heading = longLine ? "" : book::decodeCp932(lines[1]);

    std::ofstream out(args[3], std::ios::binary);
    out << "# " << path << ": " << n << " questions, " << total << " steps in all.\n";
    out << "seed 1\n" << open << ' ' << button << '\n';
    out << "expect FileListBox1.Visible = true\n";
    out << "choose " << fileNameOf(path) << '\n';
    out << "expect no box\n";
    out << "expect QuestionCount = " << n << '\n';
    out << "expect BookQuestions = " << n << '\n';
    out << "expect Label2.Caption = 全" << n << "問\n";
    out << "expect Label1.Caption = " << escaped(title) << '\n';
    out << "expect Edit2.Text = " << escaped(heading) << '\n';
    out << "expect Label8.Caption = Challenge!\n";
    out << "watch Label9.Caption\n";

    if (!miss) {
        out << "# Every step picked right at once.\n";
        picks(out, total - 1);
        out << "expect no box\n";
        out << "pick right\n";
        out << "expect box info お疲れさまでした。\n";
        out << "expect watched Label9.Caption = " << n << "問中" << n << "問の正解でした。\n";
    } else {
        // The replay asks the one missed question again, so its steps must
        // be known whichever question the shuffle put first.
        const int steps = report.steps.front();
        if (std::any_of(report.steps.begin(), report.steps.end(), [&](int s) { return s != steps; })) {
            std::cerr << "walkscript: --miss needs a book whose questions all have the same steps\n";
            return 1;
        }
        out << "# One wrong pick on the first question, then every step right.\n";
        out << "pick wrong\n";
        out << "expect gotou.Caption = 誤    1\n";
        out << "expect Edit6.Text = ■\n";
        picks(out, total - 1);
        out << "expect no box\n";
        out << "answer yes\n";
        out << "pick right\n";
        out << "expect box confirm お疲れ様でした。全問終了しました｡\\r\\r間違った問題だけを出題しますか ?\n";
        out << "expect watched Label9.Caption = " << n << "問中" << n - 1 << "問の正解でした。\n";
        out << "# The replay of the missed question.\n";
        out << "expect RetryMode = 1\n";
        out << "expect QuestionCount = 2\n";
        out << "expect Label2.Caption = 全1問\n";
        out << "expect Orvelform.Color = 0x00FFFF\n";
        picks(out, steps - 1);
        out << "expect no box\n";
        out << "pick right\n";
        out << "expect box info お疲れさまでした。\n";
        out << "expect watched Label9.Caption = 1問中1問の正解でした。\n";
    }
    out << "expect no box\n";
    out << "# Back in the menu, the board reset.\n";
    out << "expect Label8.Caption = Menu\n";
    out << "expect QuestionCount = 0\n";
    out << "expect Label9.Caption = \n";
    out << "expect Orvelform.Color = 0xF8E4D8\n";
    out.close();
    if (!out) {
        std::cerr << "walkscript: cannot write " << args[3] << '\n';
        return 1;
    }
    return 0;
}
