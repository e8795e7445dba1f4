#pragma once

#include <string>

namespace toolkit {

// Results of the confirmation box.
constexpr int mrYes = 6;
constexpr int mrNo = 7;
constexpr int mrCancel = 2;

enum class BoxButtons { YesNo, YesNoCancel };

// The modal boxes through which every message reaches the learner. The
// window system's boxes are used unless a test installs its own answers
// (Application::setBoxService).
class BoxService {
public:
    virtual ~BoxService() = default;
    // One "OK", the application title as caption, no icon.
    virtual void information(const std::string& text) = 0;
    // Caption "確認", a question icon, はい / いいえ (/ キャンセル). Returns
    // mrYes, mrNo, or mrCancel for キャンセル and for closing the box.
    virtual int confirmation(const std::string& text, BoxButtons buttons) = 0;
    // An error icon, one "OK", the application title as caption.
    virtual void error(const std::string& text) = 0;
};

// The window system's own boxes.
BoxService& windowSystemBoxes();

// Through the application's boxes.
void showMessage(const std::string& text);
int askConfirmation(const std::string& text, BoxButtons buttons);
void showError(const std::string& text);

} // namespace toolkit
