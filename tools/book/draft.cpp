#include "tools/book/draft.h"

namespace booktool {

Draft assemble(book::Layout layout, const Head& head, const std::vector<Block>& blocks)
{
    Draft draft;
    draft.layout = layout;
    const bool longLine = layout == book::Layout::LongLine;
    draft.lines.push_back(longLine ? head.note : head.title);
    draft.lines.push_back(longLine ? head.title : head.heading);
    for (const Block& block : blocks)
        draft.lines.insert(draft.lines.end(), block.begin(), block.end());
    if (longLine)
        draft.lines.push_back({});
    return draft;
}

std::string bookBytes(const Draft& draft)
{
    std::string bytes;
    for (const BookLine& line : draft.lines)
        bytes += line.text + "\r\n";
    return bytes;
}

check::Report checkDraft(const Draft& draft, std::string_view bookName, Diagnostics& diagnostics)
{
    check::Report report = check::checkBook(bookName, bookBytes(draft));
    for (const check::Finding& finding : report.findings) {
        const std::size_t index = static_cast<std::size_t>(finding.line - 1);
        Origin origin;
        if (finding.line > 0 && index < draft.lines.size())
            origin = draft.lines[index].origin;
        // A line the tool filled in itself is named by its book line.
        if (finding.line > 0 && origin.row == 0 && origin.name.empty())
            origin.name = "book line " + std::to_string(finding.line);
        diagnostics.add(finding.severity, origin, finding.message);
    }
    return report;
}

} // namespace booktool
