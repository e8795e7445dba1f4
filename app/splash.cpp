#include "app/splash.h"

#include "app/look.h"

using toolkit::kPGothic;
using toolkit::kTimes;

namespace {
// The light gray of the window and its two panels.
constexpr toolkit::Color kSplashFace = 0xF0F0F0;
} // namespace

TSplashWindow::TSplashWindow() : Form("SplashWindow", Kind::Splash)
{
    setClientSize(345, 136);
    setColor(kSplashFace);

    Panel1.setBounds(0, 0, 345, 161);
    Panel1.setColor(kSplashFace);
    Panel1.setBevel(toolkit::Panel::Bevel::Raised, toolkit::Panel::Bevel::Raised, 2);
    Panel2.setBounds(10, 8, 325, 120);
    Panel2.setColor(kSplashFace);
    Panel2.setBevel(toolkit::Panel::Bevel::Lowered, toolkit::Panel::Bevel::Raised, 1);

    Image1.setBounds(25, 15, 48, 50);
    Image1.loadFromResource(":/piyoran/logo.xpm");

    struct Line {
        toolkit::Label& label;
        int left, top;
        toolkit::Font font;
        toolkit::Color color;
        const char* caption;
    };
    const Line lines[] = {
        {Label1, 154, 14, {kPGothic, 16, true}, 0x800080, "英語学習ソフト"},
        {Label2, 135, 35, {kPGothic, 19, true}, look::kNavy, "ぴよらん　ぽこぺ"},
        {Label4, 158, 60, {kTimes, 19, false, false, true}, look::kBlue, "Version 1.1"},
    };
    for (const Line& line : lines) {
        line.label.setBounds(line.left, line.top, 0, 0);
        line.label.setFont(line.font);
        line.label.setFontColor(line.color);
        line.label.setAutoSize(true);
        line.label.setText(line.caption);
    }
    Label3.setBounds(10, 92, 308, 17);
    Label3.setFont({kTimes, 15, false, true});
    Label3.setFontColor(look::kBlack);
    Label3.setAlignment(true, false);
    Label3.setText("Made with care for every learner of English");

    onDeactivate = [this] { FormDeactivate(); };
}

void TSplashWindow::FormDeactivate()
{
    release();
}
