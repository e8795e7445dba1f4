// The page's boxes: modal, drawn by the page runtime; the program waits for
// the answer.

#include "toolkit/application.h"
#include "toolkit/boxes.h"
#include "toolkit/web/page.h"

namespace toolkit {

namespace {

class PageBoxes : public BoxService {
public:
    void information(const std::string& text) override
    {
        page_set_title(Application::instance().title().c_str());
        page_information(text.c_str());
    }
    void error(const std::string& text) override
    {
        page_set_title(Application::instance().title().c_str());
        page_error(text.c_str());
    }
    int confirmation(const std::string& text, BoxButtons buttons) override
    {
        return page_confirmation(text.c_str(), buttons == BoxButtons::YesNoCancel ? 1 : 0);
    }
};

} // namespace

BoxService& windowSystemBoxes()
{
    static PageBoxes boxes;
    return boxes;
}

} // namespace toolkit
