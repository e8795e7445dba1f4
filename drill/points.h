#pragma once

namespace drill {

// Whether a step found on this attempt is scored at all: attempt 0 means
// the step on screen has been scored already.
constexpr bool attemptScores(int attempt)
{
    return attempt >= 1;
}

// Points for a step found on this attempt: 5, 3, 2, 1, then 0.
constexpr int pointsForAttempt(int attempt)
{
    switch (attempt) {
    case 1: return 5;
    case 2: return 3;
    case 3: return 2;
    case 4: return 1;
    default: return 0;
    }
}

// The score bar (0 to 4) that a step found on this attempt (1 or more)
// lengthens.
constexpr int scoreBarForAttempt(int attempt)
{
    return attempt >= 1 && attempt <= 4 ? attempt - 1 : 4;
}

} // namespace drill
