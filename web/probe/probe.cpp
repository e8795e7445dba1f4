// A stand-in for piyoran in the browser, until the toolkit has its web
// backend: it builds a window like the program's through the page runtime,
// lists the category folders, shows the pictures, fades a choice box through
// timer ticks, and waits for the boxes' answers. Its tests open the page with
// "#boxes" (ask three boxes at once and show their answers) or "#pictures"
// (show a picture, then a broken one).

#include "toolkit/web/page.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// Control ids: the windows, then their controls.
enum Id {
    Splash = 1, SplashPanel, SplashLogo, SplashTitle, SplashName,
    Main = 10, Picture, Title, Menu, BookList, Status, Quit, Ticks,
    FirstCategory = 20,
    FirstChoice = 40,
};
constexpr int kCategories = 9;
constexpr int kChoices = 5;
// Timers: the clock, the closing splash, the fade of a chosen box.
enum TimerId { Clock = 1, SplashEnd = 2, Fade = 3 };

const char* const kCaptions[kCategories] = {"中学１年英文法", "中学２年英文法", "中学３年英文法",
                                            "高校入試対策",   "中学１年英単語", "中学２年英単語",
                                            "中学３年英単語", "その他",         "おまけ"};

struct State {
    std::vector<std::string> books;
    std::string folder;
    int selected = -1;
    int down = -1;
    int ticks = 0;
    int fading = 0;
    int fadeLeft = 0;
    std::string results;
} state;

void label(int id, int parent, int left, int top, int width, int height, const char* face, int size,
           bool bold, std::uint32_t color, const char* text)
{
    page_create(id, "label", parent);
    page_set_bounds(id, left, top, width, height);
    page_set_font(id, face, size, bold, false, false);
    page_set_colors(id, 0xFFFFFF, page::rgb(color));
    page_set_text(id, text);
}

void status(const std::string& text)
{
    page_set_text(Status, text.c_str());
}

std::unique_ptr<unsigned char, decltype(&std::free)> readFile(const std::string& path, int& size)
{
    size = 0;
    return {page_read_file(path.c_str(), &size), &std::free};
}

// The packed size of the picture now shown, or what the page said.
int showPicture(int id, const std::string& path)
{
    int size = 0;
    auto bytes = readFile(path, size);
    if (!bytes)
        return -2;
    return page_show_picture(id, bytes.get(), size, 0);
}

std::string sizeText(int packed)
{
    if (packed <= 0)
        return std::to_string(packed);
    return std::to_string(packed >> 16) + "x" + std::to_string(packed & 0xFFFF);
}

void buildSplash()
{
    page_create_form(Splash, "splash");
    page_set_client_size(Splash, 345, 136);
    page_set_colors(Splash, page::rgb(0xF0F0F0), 0);
    page_create(SplashPanel, "panel", Splash);
    page_set_bounds(SplashPanel, 10, 8, 325, 120);
    page_set_colors(SplashPanel, page::rgb(0xF0F0F0), 0);
    page_set_bevel(SplashPanel, 2, 1, 1);
    page_create(SplashLogo, "image", SplashPanel);
    page_set_bounds(SplashLogo, 15, 7, 48, 50);
    int size = 0;
    if (auto logo = readFile("icons/icon-48.png", size))
        page_show_picture(SplashLogo, logo.get(), size, 1);
    label(SplashTitle, SplashPanel, 144, 6, 0, 0, "ＭＳ Ｐゴシック", 16, true, 0x800080, "");
    page_set_auto_size(SplashTitle, 1);
    page_set_text(SplashTitle, "英語学習ソフト");
    label(SplashName, SplashPanel, 125, 27, 0, 0, "ＭＳ Ｐゴシック", 19, true, 0x800000, "");
    page_set_auto_size(SplashName, 1);
    page_set_text(SplashName, "ぴよらん　ぽこぺ");
    page_show_form(Splash);
}

void buildMain()
{
    page_create_form(Main, "main");
    page_set_client_size(Main, 861, 418);
    page_set_colors(Main, page::rgb(0xF8E4D8), page::rgb(0x808080));
    page_set_text(Main, "ぴよらん　ぽこぺ　ver.1.1 (probe)");

    page_create(Picture, "image", Main);
    page_set_bounds(Picture, 135, 0, 730, 420);
    label(Title, Main, 160, 15, 449, 21, "ＭＳ Ｐゴシック", 21, true, 0xFFFFFF,
          "英語学習ソフト　「ぴよらん」　ぽこぺ　 ver.1.1");
    label(Menu, Main, 8, 16, 121, 33, "Times New Roman", 24, false, 0x800000, "Menu");
    page_set_label_layout(Menu, 1, 1, 0);

    for (int k = 0; k < kCategories; ++k) {
        const int id = FirstCategory + k;
        page_create(id, "speedbutton", Main);
        page_set_bounds(id, 10, 55 + 22 * k, 115, 20);
        page_set_font(id, k == 8 ? "Times New Roman" : "ＭＳ Ｐゴシック", 13, false, false, false);
        page_set_colors(id, 0xFFFFFF, 0x000000);
        page_set_hand_pointer(id);
        page_set_text(id, kCaptions[k]);
    }
    page_create(Quit, "speedbutton", Main);
    page_set_bounds(Quit, 10, 359, 115, 22);
    page_set_font(Quit, "ＭＳ ゴシック", 15, false, false, false);
    page_set_colors(Quit, 0xFFFFFF, 0x000000);
    page_set_hint(Quit, "終了します");
    page_set_text(Quit, "終了");

    for (int k = 0; k < kChoices; ++k) {
        const int id = FirstChoice + k;
        page_create(id, "memo", Main);
        page_set_bounds(id, 500, 60 + 38 * k, 313, 35);
        page_set_font(id, "ＭＳ Ｐゴシック", 27, false, false, false);
        page_set_colors(id, page::rgb(0x800000), page::rgb(0xFFFFFF));
        page_set_centred(id, 1);
        page_set_hand_pointer(id);
        page_set_hint(id, ("F" + std::to_string(k + 1) + " キーでも選べます。").c_str());
        page_set_text(id, (std::string("choice ") + std::to_string(k + 1)).c_str());
    }

    page_create(BookList, "filelist", Main);
    page_set_bounds(BookList, 150, 196, 316, 194);
    page_set_font(BookList, "ＭＳ Ｐゴシック", 15, false, false, false);
    page_set_colors(BookList, page::rgb(0xB6C2FE), 0);
    page_set_hint(BookList, "問題集を選んでクリックして下さい。");
    page_set_visible(BookList, 0);

    label(Status, Main, 488, 392, 360, 20, "ＭＳ ゴシック", 16, false, 0xFF0000, "");
    page_set_opaque(Status, 1);
    page_set_colors(Status, page::rgb(0xF8E4D8), page::rgb(0xFF0000));
    label(Ticks, Main, 767, 15, 82, 24, "Times New Roman", 19, false, 0xFFFFFF, "0");
    page_set_label_layout(Ticks, 0, 1, 0);
    page_show_form(Main);
    page_focus(Main);
}

void openCategory(int k)
{
    char folder[4];
    std::snprintf(folder, sizeof folder, "%03d", k + 1);
    if (state.down >= 0)
        page_set_down(FirstCategory + state.down, 0);
    state.down = state.down == k ? -1 : k;
    if (state.down >= 0)
        page_set_down(FirstCategory + k, 1);
    char* names = page_list_folder(folder);
    if (!names) {
        page_error((std::string("フォルダ ") + folder + " がありません。").c_str());
        return;
    }
    std::string joined = names;
    std::free(names);
    state.folder = folder;
    state.books.clear();
    for (std::size_t start = 0; !joined.empty() && start <= joined.size();) {
        const std::size_t end = std::min(joined.find('\n', start), joined.size());
        state.books.push_back(joined.substr(start, end - start));
        start = end + 1;
    }
    page_set_items(BookList, joined.c_str());
    state.selected = -1;
    page_set_visible(BookList, 1);
    page_bring_to_front(BookList);
    status(std::string(folder) + ": " + std::to_string(state.books.size()) + " 冊");
}

void openSelected()
{
    if (state.selected < 0)
        return;
    const std::string& name = state.books[static_cast<std::size_t>(state.selected)];
    int size = 0;
    auto bytes = readFile(state.folder + "/" + name, size);
    const int answer = page_confirmation(
        ("「" + name + "」(" + std::to_string(size) + " バイト) を開きますか？\n開くとリストを閉じます。").c_str(), 1);
    status("box=" + std::to_string(answer));
    if (answer == 6)
        page_set_visible(BookList, 0);
}

void choose(int k)
{
    state.fading = k;
    state.fadeLeft = 20;
    page_set_timer(Fade, 50);
}

// A chosen box fades from lime back to white, one step a tick, as the
// program's answer fade does: the page only takes the colours.
void fadeStep()
{
    --state.fadeLeft;
    const int v = state.fadeLeft * 255 / 20;
    page_set_colors(FirstChoice + state.fading, page::rgb(0x800000), (255 - v) << 16 | 255 << 8 | (255 - v));
    if (state.fadeLeft <= 0)
        page_stop_timer(Fade);
}

void quit()
{
    if (page_confirmation("終了しますか？", 0) == 6)
        page_end();
}

void onKey(int code)
{
    if (code >= page::F1 && code < page::F1 + kChoices)
        choose(code - page::F1);
    else if (code == page::Down || code == page::Up) {
        const int next = state.selected + (code == page::Down ? 1 : -1);
        if (next >= 0 && next < static_cast<int>(state.books.size())) {
            state.selected = next;
            page_set_item_index(BookList, next);
        }
    } else if (code == page::Enter)
        openSelected();
    else if (code == page::Escape)
        page_set_visible(BookList, 0);
}

// The test modes: three boxes answered by the test, then their answers.
void askBoxes()
{
    std::string answers;
    answers += std::to_string(page_confirmation("一つ目\nはい/いいえ/キャンセル", 1));
    answers += "," + std::to_string(page_confirmation("二つ目\r\nはい/いいえ", 0));
    answers += "," + std::to_string(page_confirmation("三つ目\rはい/いいえ/キャンセル", 1));
    page_information("おわり");
    status("box=" + answers);
}

void showPictures()
{
    const int good = showPicture(Picture, "image/Sea1.jpg");
    const int broken = showPicture(Picture, "probe-broken.jpg");
    status("picture=" + sizeText(good) + "," + sizeText(broken));
}

} // namespace

extern "C" EMSCRIPTEN_KEEPALIVE void piyoranEvent(int id, int kind, int x, int y)
{
    if (kind == page::Tick) {
        if (id == Clock)
            page_set_text(Ticks, std::to_string(++state.ticks).c_str());
        else if (id == SplashEnd) {
            page_stop_timer(SplashEnd);
            page_close_form(Splash);
        } else if (id == Fade)
            fadeStep();
        return;
    }
    if (kind == page::Key) {
        onKey(x);
        return;
    }
    if (id == BookList && kind == page::Move) {
        const int row = page_first_visible_row(BookList) + y / 16;
        state.selected = row < static_cast<int>(state.books.size()) ? row : -1;
        page_set_item_index(BookList, state.selected);
        return;
    }
    if (kind != page::Click)
        return;
    if (id >= FirstCategory && id < FirstCategory + kCategories)
        openCategory(id - FirstCategory);
    else if (id >= FirstChoice && id < FirstChoice + kChoices)
        choose(id - FirstChoice);
    else if (id == BookList)
        openSelected();
    else if (id == Quit)
        quit();
    (void)x;
}

int main()
{
    page_set_title("ぴよらん　ぽこぺ ver.1.1");
    buildSplash();
    buildMain();
    showPicture(Picture, "image/violet.jpg");
    const int measured = page_measure(SplashName);
    status("probe ready; splash name " + sizeText(measured));
    page_set_timer(Clock, 100);
    if (!page_hash_has("splash"))
        page_set_timer(SplashEnd, 1500);
    if (page_hash_has("boxes"))
        askBoxes();
    if (page_hash_has("pictures"))
        showPictures();
    return 0;
}
