// The page runtime's calls as pieces of JavaScript the program calls (see
// page.h and docs/web.md).

#include "toolkit/web/page.h"

#include <emscripten.h>

extern "C" {

EM_JS(void, page_create, (int id, const char* kind, int parent),
      { piyoranPage.create(id, UTF8ToString(kind), parent); });
EM_JS(void, page_create_form, (int id, const char* role), { piyoranPage.createForm(id, UTF8ToString(role)); });
EM_JS(void, page_set_client_size, (int id, int width, int height),
      { piyoranPage.setClientSize(id, width, height); });
EM_JS(void, page_show_form, (int id), { piyoranPage.showForm(id); });
EM_JS(void, page_close_form, (int id), { piyoranPage.closeForm(id); });
EM_JS(void, page_set_text, (int id, const char* text), { piyoranPage.setText(id, UTF8ToString(text)); });
EM_JS(void, page_set_colors, (int id, int back, int fore), { piyoranPage.setColors(id, back, fore); });
EM_JS(void, page_set_opaque, (int id, int opaque), { piyoranPage.setOpaque(id, !!opaque); });
EM_JS(void, page_set_font, (int id, const char* face, int size, int bold, int italic, int underline),
      { piyoranPage.setFont(id, UTF8ToString(face), size, !!bold, !!italic, !!underline); });
EM_JS(void, page_set_bounds, (int id, int left, int top, int width, int height),
      { piyoranPage.setBounds(id, left, top, width, height); });
EM_JS(void, page_destroy, (int id), { piyoranPage.destroy(id); });
EM_JS(void, page_set_visible, (int id, int visible), { piyoranPage.setVisible(id, !!visible); });
EM_JS(void, page_set_enabled, (int id, int enabled), { piyoranPage.setEnabled(id, !!enabled); });
EM_JS(void, page_set_accessible, (int id, const char* name, const char* description, int isButton),
      { piyoranPage.setAccessible(id, UTF8ToString(name), UTF8ToString(description), !!isButton); });
EM_JS(void, page_send_to_back, (int id), { piyoranPage.sendToBack(id); });
EM_JS(void, page_set_editable, (int id, int editable), { piyoranPage.setEditable(id, !!editable); });
EM_JS(void, page_set_border, (int id, int border), { piyoranPage.setBorder(id, !!border); });
EM_JS(void, page_set_combo_items, (int id, const char* names, int index),
      { piyoranPage.setComboItems(id, UTF8ToString(names), index); });
EM_JS(int, page_focused_id, (), { return piyoranPage.focusedId(); });
EM_JS(void, page_set_name, (int id, const char* name), { piyoranPage.setName(id, UTF8ToString(name)); });
EM_JS(void, page_set_hint, (int id, const char* hint), { piyoranPage.setHint(id, UTF8ToString(hint)); });
EM_JS(void, page_set_hand_pointer, (int id), { piyoranPage.setHandPointer(id); });
EM_JS(void, page_bring_to_front, (int id), { piyoranPage.bringToFront(id); });
EM_JS(void, page_set_label_layout, (int id, int centreH, int centreV, int wrap),
      { piyoranPage.setLabelLayout(id, !!centreH, !!centreV, !!wrap); });
EM_JS(void, page_set_auto_size, (int id, int autoSize), { piyoranPage.setAutoSize(id, !!autoSize); });
EM_JS(int, page_measure, (int id), { return piyoranPage.measure(id); });
EM_JS(void, page_set_centred, (int id, int centred), { piyoranPage.setCentred(id, !!centred); });
EM_JS(void, page_set_down, (int id, int down), { piyoranPage.setDown(id, !!down); });
EM_JS(void, page_set_bevel, (int id, int outer, int inner, int width),
      { piyoranPage.setBevel(id, outer, inner, width); });
EM_JS(void, page_set_items, (int id, const char* items), { piyoranPage.setItems(id, UTF8ToString(items)); });
EM_JS(void, page_set_item_index, (int id, int index), { piyoranPage.setItemIndex(id, index); });
EM_JS(int, page_first_visible_row, (int id), { return piyoranPage.firstVisibleRow(id); });
EM_JS(void, page_focus, (int id), { piyoranPage.focus(id); });
EM_JS(void, page_set_timer, (int timer, int interval), { piyoranPage.setTimer(timer, interval); });
EM_JS(void, page_stop_timer, (int timer), { piyoranPage.stopTimer(timer); });
EM_JS(void, page_set_title, (const char* title), { piyoranPage.setTitle(UTF8ToString(title)); });
EM_JS(void, page_end, (), { piyoranPage.end(); });
// Never returns: the program lives on in its event handlers, with main()'s
// objects kept where they are.
EM_ASYNC_JS(void, page_run_forever, (), { await new Promise(() => {}); });

EM_ASYNC_JS(int, page_confirmation, (const char* text, int withCancel),
            { return await piyoranPage.confirmation(UTF8ToString(text), !!withCancel); });
EM_ASYNC_JS(int, page_information, (const char* text), { return await piyoranPage.information(UTF8ToString(text)); });
EM_ASYNC_JS(int, page_error, (const char* text), { return await piyoranPage.error(UTF8ToString(text)); });

// 1 when what drives the page saved a picture of it, else 0.
EM_ASYNC_JS(int, page_save_picture, (const char* path), { return await piyoranPage.savePicture(UTF8ToString(path)); });

// (width << 16) | height of the picture shown, 0 unreadable, -1 too large.
EM_ASYNC_JS(int, page_show_picture, (int id, const unsigned char* bytes, int size, int anyFormat), {
    return await piyoranPage.showPicture(id, HEAPU8.slice(bytes, bytes + size), !!anyFormat);
});
}
