#pragma once

#include <optional>
#include <string>

class TOrvelform;

namespace script {

// The value a script target has now, as text: CONTROL.PROPERTY, a run-state
// field (arrays as QuestionOrder[3], lists as BookLines.Count or
// AnswerKey[0], decoded to UTF-8), Timer1.Interval, or Application.Title.
// Numbers print in decimal, flags as 0 or 1, booleans as true or false.
// nullopt when there is no such target; throws the list's range error for
// an index outside a list.
std::optional<std::string> readTarget(TOrvelform& form, const std::string& target);

} // namespace script
