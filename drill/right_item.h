#pragma once

#include <optional>
#include <string>
#include <vector>

class TOrvelform;

namespace drill {

// The items of the key line of the question on screen, the one at
// CurrentPos in QuestionOrder: item s is the right item of step s. Reading
// the order or the book outside raises the range error, as any list does.
std::vector<std::string> keyItemsOnScreen(const TOrvelform& form);

// The first choice slot (1 to 5) that shows a choice whose item is (right
// true) or is not (right false) the right item of the step on screen;
// nullopt when no question or step is on screen or no slot fits. Never
// fails: the scenario runner and the tests pick with it, as a learner who
// knows the key would.
std::optional<int> slotShowing(TOrvelform& form, bool right);

} // namespace drill
