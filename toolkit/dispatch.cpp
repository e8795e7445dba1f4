#include "toolkit/dispatch.h"

#include "toolkit/application.h"
#include "toolkit/boxes.h"
#include "toolkit/errors.h"

#include <exception>

namespace toolkit {

void dispatch(const std::function<void()>& operation)
{
    Application& application = Application::instance();
    if (application.dispatchDepth_ > 0 || !operation)
        return;
    struct Depth {
        int& depth;
        explicit Depth(int& d) : depth(d) { ++depth; }
        ~Depth() { --depth; }
    } depth(application.dispatchDepth_);
    try {
        operation();
    } catch (const std::exception& error) {
        showError(errorBoxText(error.what()));
    }
}

bool dispatching()
{
    return Application::instance().dispatching();
}

} // namespace toolkit
