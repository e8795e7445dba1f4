#include "toolkit/dispatch.h"

#include "toolkit/boxes.h"
#include "toolkit/errors.h"

#include <exception>

namespace toolkit {

namespace {
int depth = 0;

struct DepthGuard {
    DepthGuard() { ++depth; }
    ~DepthGuard() { --depth; }
};
} // namespace

void dispatch(const std::function<void()>& operation)
{
    if (depth > 0 || !operation)
        return;
    DepthGuard guard;
    try {
        operation();
    } catch (const std::exception& error) {
        showError(errorBoxText(error.what()));
    }
}

bool dispatching()
{
    return depth > 0;
}

} // namespace toolkit
