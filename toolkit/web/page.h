#pragma once

// Private to the toolkit's web side (and the page's stand-in program): the
// page runtime (window.piyoranPage, web/page/runtime.js) as C++ calls it, one
// function per call (defined in page.cpp). The waiting ones suspend the
// program (Asyncify) until the page answers; no event reaches the program
// meanwhile.

#include <emscripten.h>

#include <cstdint>

namespace page {

// Event kinds and key codes, as runtime.js sends them.
enum Event { Click = 1, Move = 2, Key = 3, Tick = 4, Char = 5 };
enum KeyCode { Tab = 9, Enter = 13, Escape = 27, Space = 32, Up = 38, Down = 40, F1 = 112 };

// The program's colours are 0xBBGGRR; the page takes 0xRRGGBB.
constexpr int rgb(std::uint32_t bgr)
{
    return static_cast<int>((bgr & 0xFF) << 16 | (bgr & 0xFF00) | (bgr >> 16 & 0xFF));
}

} // namespace page

extern "C" {

void page_create(int id, const char* kind, int parent);
void page_create_form(int id, const char* role);
void page_set_client_size(int id, int width, int height);
void page_show_form(int id);
void page_close_form(int id);
void page_set_text(int id, const char* text);
void page_set_colors(int id, int back, int fore);
void page_set_opaque(int id, int opaque);
void page_set_font(int id, const char* face, int size, int bold, int italic, int underline);
void page_set_bounds(int id, int left, int top, int width, int height);
void page_destroy(int id);
void page_set_visible(int id, int visible);
void page_set_enabled(int id, int enabled);
void page_set_accessible(int id, const char* name, const char* description, int isButton);
void page_send_to_back(int id);
void page_set_editable(int id, int editable);
void page_set_border(int id, int border);
void page_set_combo_items(int id, const char* names, int index);
int page_focused_id();
void page_set_name(int id, const char* name);
void page_set_hint(int id, const char* hint);
void page_set_hand_pointer(int id);
void page_bring_to_front(int id);
void page_set_label_layout(int id, int centreH, int centreV, int wrap);
void page_set_auto_size(int id, int autoSize);
int page_measure(int id);
void page_set_centred(int id, int centred);
void page_set_down(int id, int down);
void page_set_bevel(int id, int outer, int inner, int width);
void page_set_items(int id, const char* items);
void page_set_item_index(int id, int index);
int page_first_visible_row(int id);
void page_focus(int id);
void page_set_timer(int timer, int interval);
void page_stop_timer(int timer);
void page_set_title(const char* title);
void page_end();
// Never returns: the program lives on in its event handlers, with main()'s
// objects kept where they are.
void page_run_forever() EM_IMPORT(__asyncjs__page_run_forever);
// The waiting calls are imported under the names EM_ASYNC_JS gives them.
int page_confirmation(const char* text, int withCancel) EM_IMPORT(__asyncjs__page_confirmation);
int page_information(const char* text) EM_IMPORT(__asyncjs__page_information);
int page_error(const char* text) EM_IMPORT(__asyncjs__page_error);
// 1 when what drives the page saved a picture of it, else 0.
int page_save_picture(const char* path) EM_IMPORT(__asyncjs__page_save_picture);
// (width << 16) | height of the picture shown, 0 unreadable, -1 too large.
int page_show_picture(int id, const unsigned char* bytes, int size, int anyFormat) EM_IMPORT(__asyncjs__page_show_picture);

}
