// The page side of piyoran's browser edition: the controls the program's
// toolkit asks for, drawn as elements of this page, and the learner's
// pointer, touch and keys sent back to the program as events.
//
// The program calls window.piyoranPage (see docs/web.md for the whole
// list). Every control has an integer id chosen by the program; colours are
// 0xRRGGBB; texts are JavaScript strings (the program converts its UTF-8).
// Functions that wait (boxes, files, pictures) return promises, which the
// program awaits through EM_ASYNC_JS; while it waits, no event reaches it:
// pointer and key events are held back and delivered afterwards in order,
// and timer ticks are folded into one per timer.
'use strict';

(function () {
  // What happened, as the program's event dispatch tells events apart.
  const EVENT = Object.freeze({ CLICK: 1, MOVE: 2, KEY: 3, TIMER: 4, CHAR: 5 });
  // Key codes of the keys the program reacts to (as Windows numbers them).
  const KEY = Object.freeze({
    Tab: 9, Enter: 13, Escape: 27, ' ': 32, ArrowUp: 38, ArrowDown: 40,
    F1: 112, F2: 113, F3: 114, F4: 115, F5: 116,
  });
  // Results of the boxes, the numbers the program's boxes return.
  const RESULT = Object.freeze({ OK: 1, CANCEL: 2, YES: 6, NO: 7 });
  // Desktop rows of the book list are this high; the program counts rows by it.
  const ROW_HEIGHT = 16;
  // A memo's border round its text, in window pixels (as style.css draws it).
  const MEMO_BORDER = 1;
  // The main window's client size: the stage every window is scaled by.
  const STAGE = { width: 861, height: 418 };
  // Pictures larger than this are refused, as the desktop's decoder does.
  const MAX_SOURCE_PIXELS = 120000000;

  const controls = new Map(); // id -> record
  const timers = new Map(); // timer id -> interval handle
  const held = []; // events that came while the program was waiting
  let waiting = 0; // promises the program is awaiting
  let sink = null; // (id, kind, x, y) => void, set by connect()
  let title = '';
  let ended = false;
  let boxOpen = false;

  // ---- fonts: the faces the window is designed in, the free faces the
  // site ships, then whatever Japanese face the device has.
  const DEVICE_JAPANESE = '"Hiragino Kaku Gothic ProN", "Hiragino Sans", "Yu Gothic", ' +
    'Meiryo, "Noto Sans CJK JP", "Noto Sans JP", "Droid Sans Japanese", sans-serif';
  const FACES = {
    'ＭＳ Ｐゴシック': '"ＭＳ Ｐゴシック", "MS PGothic", IPAPGothic, "piyoran IPAPGothic", ' + DEVICE_JAPANESE,
    'ＭＳ ゴシック': '"ＭＳ ゴシック", "MS Gothic", IPAGothic, "piyoran IPAGothic", ' + DEVICE_JAPANESE,
    'Times New Roman': '"Times New Roman", "Liberation Serif", "piyoran Liberation Serif", ' +
      '"piyoran IPAPGothic", ' + DEVICE_JAPANESE,
  };
  function faceStack(face) {
    return FACES[face] || `"${face.replace(/["\\]/g, '')}", ${FACES['Times New Roman']}`;
  }

  function css(value) {
    return '#' + (value & 0xFFFFFF).toString(16).padStart(6, '0');
  }

  // ---- events

  function deliver(event) {
    if (ended || !sink)
      return;
    if (waiting > 0 || boxOpen) {
      // A timer that ticks several times while the program waits ticks once.
      if (event.kind === EVENT.TIMER && held.some(e => e.kind === EVENT.TIMER && e.id === event.id))
        return;
      held.push(event);
      return;
    }
    sink(event.id, event.kind, event.x | 0, event.y | 0);
  }

  function send(id, kind, x, y) {
    deliver({ id, kind, x: x || 0, y: y || 0 });
  }

  // Runs once the program has taken up its work again (or waits anew).
  function releaseHeld() {
    setTimeout(() => {
      while (held.length && waiting === 0 && !boxOpen && !ended) {
        const event = held.shift();
        sink(event.id, event.kind, event.x | 0, event.y | 0);
      }
    }, 0);
  }

  // Marks the program as waiting for a promise; events are held back meanwhile.
  function awaited(promise) {
    waiting++;
    return promise.finally(() => {
      waiting--;
      releaseHeld();
    });
  }

  // ---- controls

  const KINDS = ['form', 'panel', 'label', 'speedbutton', 'button', 'memo', 'edit', 'filelist',
    'image', 'combo'];

  function record(id) {
    const found = controls.get(id);
    if (!found)
      throw new Error(`piyoranPage: no control ${id}`);
    return found;
  }

  function viewport() {
    return document.getElementById('pr-viewport');
  }

  // The point of a pointer event in the control's own pixels, unscaled.
  function localPoint(rec, event) {
    const box = rec.el.getBoundingClientRect();
    const scale = box.width / (rec.el.offsetWidth || 1) || 1;
    return {
      x: Math.floor((event.clientX - box.left) / scale),
      y: Math.floor((event.clientY - box.top) / scale),
    };
  }

  function listen(rec) {
    const el = rec.el;
    let pressed = null;
    el.addEventListener('pointerdown', event => {
      if (event.button !== 0 || event.target.closest('.pr-control') !== el)
        return;
      if (!rec.enabled)
        return;
      // Touch has no hovering: the pointer comes to the point as it goes down.
      if (event.pointerType !== 'mouse') {
        const p = localPoint(rec, event);
        send(rec.id, EVENT.MOVE, p.x, p.y);
      }
      pressed = event.pointerId;
    });
    el.addEventListener('pointerup', event => {
      if (pressed !== event.pointerId)
        return;
      pressed = null;
      const p = localPoint(rec, event);
      // A click is a release inside the control, as on the desktop.
      if (rec.enabled && p.x >= 0 && p.y >= 0 && p.x < el.offsetWidth && p.y < el.offsetHeight)
        send(rec.id, EVENT.CLICK, p.x, p.y);
    });
    el.addEventListener('pointercancel', () => { pressed = null; });
    el.addEventListener('pointermove', event => {
      if (event.target.closest('.pr-control') !== el || !rec.enabled)
        return;
      const p = localPoint(rec, event);
      send(rec.id, EVENT.MOVE, p.x, p.y);
    });
  }

  function create(id, kind, parentId) {
    if (!KINDS.includes(kind))
      throw new Error(`piyoranPage: unknown kind ${kind}`);
    if (controls.has(id))
      throw new Error(`piyoranPage: control ${id} exists`);
    const el = document.createElement(kind === 'image' ? 'canvas' : 'div');
    el.className = `pr-control pr-${kind}`;
    el.tabIndex = -1;
    const rec = { id, kind, el, enabled: true, autoSize: false, text: '', inner: null };
    if (kind === 'label' || kind === 'speedbutton' || kind === 'button' || kind === 'edit' || kind === 'memo') {
      rec.inner = document.createElement('span');
      rec.inner.className = 'pr-text';
      el.appendChild(rec.inner);
    } else if (kind === 'filelist') {
      el.setAttribute('role', 'listbox');
      rec.items = [];
      rec.index = -1;
    } else if (kind === 'image') {
      el.width = 0;
      el.height = 0;
    }
    if (kind === 'speedbutton' || kind === 'button')
      el.setAttribute('role', 'button');
    controls.set(id, rec);
    if (kind === 'form') {
      el.hidden = true;
      viewport().appendChild(el);
    } else {
      record(parentId).el.appendChild(el);
    }
    listen(rec);
  }

  function destroy(id) {
    const rec = controls.get(id);
    if (!rec)
      return;
    for (const child of rec.el.querySelectorAll('.pr-control'))
      controls.delete(Number(child.dataset.id));
    rec.el.remove();
    controls.delete(id);
  }

  function setText(id, text) {
    const rec = record(id);
    // The same text again changes nothing: written anyway, it would have
    // the control laid out again.
    if (rec.kind !== 'form' && rec.text === String(text))
      return;
    rec.text = String(text);
    if (rec.kind === 'form') {
      rec.el.setAttribute('aria-label', rec.text);
      if (rec.el.dataset.role === 'main')
        document.title = rec.text;
      return;
    }
    if (rec.kind === 'memo') {
      showMemoText(rec);
      return;
    }
    if (rec.inner) {
      // Boxes of one line show the text up to its first line break.
      const oneLine = rec.kind === 'edit' ? rec.text.split(/\r\n?|\n/)[0] : rec.text.replace(/\r\n?/g, '\n');
      putText(rec.inner, oneLine);
    }
    if (rec.autoSize)
      fitToText(rec);
  }

  // A new text goes into the text node the control already has: a node put
  // in its place would have its style worked out anew, and a pick changes
  // the text of fifteen controls.
  function putText(inner, text) {
    const node = inner.firstChild;
    if (node && node.nodeType === Node.TEXT_NODE && !node.nextSibling)
      node.data = text;
    else
      inner.textContent = text;
  }

  // A memo shows its newest lines, so only as many of the last lines as its
  // height shows are laid out: a memo the program keeps adding to would
  // otherwise cost more to lay out with every line. Once the font's line
  // height is known, that is the lines that fit whole (at least one), as
  // the desktop shows them: a line above them, though out of view, could
  // still show the foot of a letter. Till then every line is taken to be at
  // least as high as the font's size. A new size or font shows them anew.
  function showMemoText(rec) {
    putMemoLines(rec);
    scrollToEndBeforeDrawing(rec);
  }

  function putMemoLines(rec) {
    const text = rec.text.replace(/\r\n?/g, '\n');
    const room = rec.lineHeight
      ? Math.max(1, Math.floor(((rec.height || 0) - 2 * MEMO_BORDER) / rec.lineHeight))
      : Math.ceil((rec.height || 0) / (rec.fontSize || 1)) + 1;
    let start = text.length;
    for (let lines = 0; lines < room && start > 0; ++lines)
      start = text.lastIndexOf('\n', start - 1);
    const shown = start > 0 ? text.slice(start + 1) : text;
    // A line break at the very end starts a line of its own, as in an edit
    // box, where HTML would draw nothing after it.
    putText(rec.inner, shown.endsWith('\n') ? shown + '\n' : shown);
  }

  // The newest line of a memo is the one in view. Its height is known only
  // after layout, so the memos whose text changed are scrolled together just
  // before the next frame: read at once, each change of text would lay the
  // whole page out again.
  const memosToScroll = new Set();
  function scrollToEndBeforeDrawing(rec) {
    if (memosToScroll.size === 0)
      requestAnimationFrame(() => {
        for (const memo of memosToScroll)
          showLastWholeLines(memo);
        memosToScroll.clear();
      });
    memosToScroll.add(rec);
  }

  // As the desktop's box shows its end: the view starts at a line, the
  // first of the last lines that fit in it whole (or the last line alone,
  // cut at the bottom, when even that one does not fit), so no part of a
  // line shows above them. The space after the text (the style's ::after)
  // lets the view start below where the plain end would put it.
  function showLastWholeLines(memo) {
    const el = memo.el;
    const scale = el.getBoundingClientRect().height / (el.offsetHeight || 1) || 1;
    let lines = memo.inner.getClientRects();
    if (lines.length > 0 && !memo.lineHeight) {
      // The first text in this font tells its line height; the lines are
      // then taken again, as many as fit whole.
      memo.lineHeight = (lines.length > 1 ? lines[1].top - lines[0].top : lines[0].height) / scale;
      putMemoLines(memo);
      lines = memo.inner.getClientRects();
    }
    if (lines.length === 0) {
      el.scrollTop = 0;
      return;
    }
    const room = el.clientHeight * scale;
    const end = lines[lines.length - 1].bottom;
    let first = lines[lines.length - 1];
    for (let i = lines.length - 1; i >= 0 && end - lines[i].top <= room + 0.5; --i)
      first = lines[i];
    el.scrollTop = Math.round((first.top - lines[0].top) / scale);
  }

  // A label sized to its text takes the size its text needs. It is measured
  // as a copy outside every window, so that a hidden or scaled window
  // measures as a shown one.
  function fitToText(rec) {
    const copy = rec.el.cloneNode(true);
    const shown = getComputedStyle(rec.el);
    copy.classList.remove('pr-hidden');
    copy.style.font = shown.font;
    copy.style.width = 'auto';
    copy.style.height = 'auto';
    copy.style.left = '0';
    copy.style.top = '0';
    const room = document.getElementById('pr-measure');
    room.appendChild(copy);
    const box = copy.getBoundingClientRect();
    room.removeChild(copy);
    const width = Math.ceil(box.width);
    const height = Math.ceil(box.height);
    rec.el.style.width = width + 'px';
    rec.el.style.height = height + 'px';
    rec.measured = { width, height };
  }

  // (width << 16) | height of a control as it stands: what an auto-size label
  // took after setText.
  function measure(id) {
    const rec = record(id);
    const width = rec.measured ? rec.measured.width : rec.el.offsetWidth;
    const height = rec.measured ? rec.measured.height : rec.el.offsetHeight;
    return (width << 16) | (height & 0xFFFF);
  }

  function setColors(id, back, fore) {
    const rec = record(id);
    if (rec.back === back && rec.fore === fore)
      return;
    rec.back = back;
    rec.fore = fore;
    rec.el.style.setProperty('--pr-back', css(back));
    rec.el.style.color = css(fore);
  }

  // Labels and flat buttons are drawn on their parent unless made opaque.
  function setOpaque(id, opaque) {
    record(id).el.classList.toggle('pr-opaque', !!opaque);
  }

  function setFont(id, face, pixelSize, bold, italic, underline) {
    const rec = record(id);
    rec.fontSize = pixelSize;
    rec.lineHeight = 0;
    const style = rec.el.style;
    style.fontFamily = faceStack(String(face));
    style.fontSize = pixelSize + 'px';
    style.fontWeight = bold ? 'bold' : 'normal';
    style.fontStyle = italic ? 'italic' : 'normal';
    style.textDecoration = underline ? 'underline' : 'none';
    if (rec.kind === 'memo' && rec.text)
      showMemoText(rec);
    // A label sized to its text takes the size the new face gives it.
    if (rec.autoSize)
      fitToText(rec);
  }

  function setBounds(id, left, top, width, height) {
    const rec = record(id);
    const style = rec.el.style;
    style.left = left + 'px';
    style.top = top + 'px';
    if (rec.kind === 'form') {
      setClientSize(id, width, height);
      return;
    }
    if (rec.autoSize && rec.measured)
      return;
    style.width = width + 'px';
    style.height = height + 'px';
    if (rec.height !== height) {
      rec.height = height;
      if (rec.kind === 'memo' && rec.text)
        showMemoText(rec);
    }
  }

  function setVisible(id, visible) {
    const rec = record(id);
    rec.el.classList.toggle('pr-hidden', !visible);
    if (rec.kind === 'form')
      layOut();
  }

  function setEnabled(id, enabled) {
    const rec = record(id);
    rec.enabled = !!enabled;
    rec.el.classList.toggle('pr-disabled', !enabled);
    rec.el.setAttribute('aria-disabled', enabled ? 'false' : 'true');
  }

  function setHint(id, hint) {
    const el = record(id).el;
    if (hint)
      el.title = hint;
    else
      el.removeAttribute('title');
  }

  // What a screen reader says: the name, a description, and whether the
  // control is a button (a choice box picked by clicking).
  function setAccessible(id, name, description, isButton) {
    const rec = record(id);
    const said = `${name}\u0000${description}\u0000${!!isButton}`;
    if (rec.said === said)
      return;
    rec.said = said;
    const el = rec.el;
    el.setAttribute('aria-label', name);
    if (description)
      el.setAttribute('aria-description', description);
    if (isButton)
      el.setAttribute('role', 'button');
  }

  // The program's name for the control, shown in the DOM for tests and a
  // reader of the page.
  function setName(id, name) {
    record(id).el.dataset.name = String(name);
  }

  function setHandPointer(id) {
    record(id).el.classList.add('pr-hand');
  }

  function bringToFront(id) {
    const el = record(id).el;
    el.parentNode.appendChild(el);
  }

  function sendToBack(id) {
    const el = record(id).el;
    el.parentNode.insertBefore(el, el.parentNode.firstChild);
  }

  function focus(id) {
    record(id).el.focus({ preventScroll: true });
  }

  function focusedId() {
    const el = document.activeElement && document.activeElement.closest &&
      document.activeElement.closest('.pr-control');
    return el ? Number(el.dataset.id) : 0;
  }

  // ---- labels, boxes, buttons

  function setLabelLayout(id, centreHorizontally, centreVertically, wordWrap) {
    const list = record(id).el.classList;
    list.toggle('pr-centre-h', !!centreHorizontally);
    list.toggle('pr-centre-v', !!centreVertically);
    list.toggle('pr-wrap', !!wordWrap);
  }

  function setAutoSize(id, autoSize) {
    const rec = record(id);
    rec.autoSize = !!autoSize;
    if (rec.autoSize)
      fitToText(rec);
    else
      rec.measured = null;
  }

  function setCentred(id, centred) {
    record(id).el.classList.toggle('pr-centre-h', !!centred);
  }

  function setEditable(id, editable) {
    record(id).el.classList.toggle('pr-editable', !!editable);
  }

  function setBorder(id, border) {
    record(id).el.classList.toggle('pr-borderless', !border);
  }

  function setDown(id, down) {
    const el = record(id).el;
    el.classList.toggle('pr-down', !!down);
    el.setAttribute('aria-pressed', down ? 'true' : 'false');
  }

  // Bevels: 0 none, 1 raised, 2 lowered; the outer one is drawn, else the inner.
  function setBevel(id, outer, inner, width) {
    const el = record(id).el;
    const shown = outer || inner;
    el.classList.toggle('pr-raised', shown === 1);
    el.classList.toggle('pr-lowered', shown === 2);
    el.style.setProperty('--pr-bevel', Math.max(1, width | 0) + 'px');
  }

  // ---- the book list

  // items: the file names, one per line.
  function setItems(id, items) {
    const rec = record(id);
    rec.items = items === '' ? [] : String(items).split('\n');
    rec.el.textContent = '';
    for (const name of rec.items) {
      const row = document.createElement('div');
      row.className = 'pr-row';
      row.setAttribute('role', 'option');
      row.textContent = name;
      rec.el.appendChild(row);
    }
    rec.index = -1;
    rec.el.scrollTop = 0;
  }

  function setItemIndex(id, index) {
    const rec = record(id);
    const rows = rec.el.children;
    if (rec.index >= 0 && rec.index < rows.length) {
      rows[rec.index].classList.remove('pr-selected');
      rows[rec.index].setAttribute('aria-selected', 'false');
    }
    rec.index = index >= 0 && index < rows.length ? index : -1;
    if (rec.index >= 0) {
      const row = rows[rec.index];
      row.classList.add('pr-selected');
      row.setAttribute('aria-selected', 'true');
      if (row.offsetTop < rec.el.scrollTop)
        rec.el.scrollTop = row.offsetTop;
      else if (row.offsetTop + ROW_HEIGHT > rec.el.scrollTop + rec.el.clientHeight)
        rec.el.scrollTop = row.offsetTop + ROW_HEIGHT - rec.el.clientHeight;
    }
  }

  // The row at the top of the list's view: a row under the pointer is
  // firstVisibleRow + floor(y / 16).
  function firstVisibleRow(id) {
    return Math.floor(record(id).el.scrollTop / ROW_HEIGHT);
  }

  // ---- the hidden selector of file kinds

  function setComboItems(id, items, index) {
    const rec = record(id);
    rec.el.textContent = index >= 0 ? String(items).split('\n')[index] || '' : '';
  }

  // ---- pictures

  // Where a JPEG's frame header and end lie: refuses what is not a whole
  // JPEG (a cut-off file), which the browser would show half grey.
  function jpegSize(bytes) {
    const n = bytes.length;
    if (n < 4 || bytes[0] !== 0xFF || bytes[1] !== 0xD8)
      return null;
    let at = 2;
    let size = null;
    let scans = 0;
    while (at + 1 < n) {
      if (bytes[at] !== 0xFF)
        return null;
      let marker = bytes[at + 1];
      if (marker === 0xFF) { at++; continue; } // fill bytes
      at += 2;
      if (marker === 0xD9)
        return size && scans > 0 ? size : null;
      if (marker >= 0xD0 && marker <= 0xD7 || marker === 0x01)
        continue;
      if (at + 1 >= n)
        return null;
      const length = bytes[at] << 8 | bytes[at + 1];
      if (length < 2 || at + length > n)
        return null;
      const isFrame = marker >= 0xC0 && marker <= 0xCF && marker !== 0xC4 && marker !== 0xC8 && marker !== 0xCC;
      if (isFrame && length >= 8) {
        const height = bytes[at + 3] << 8 | bytes[at + 4];
        const width = bytes[at + 5] << 8 | bytes[at + 6];
        if (!width || !height)
          return null;
        size = { width, height };
      }
      at += length;
      if (marker === 0xDA) {
        if (!size)
          return null;
        scans++;
        // Entropy-coded data runs to the next marker that is not a stuffed
        // zero or a restart marker.
        while (at + 1 < n && !(bytes[at] === 0xFF && bytes[at + 1] !== 0x00 &&
               !(bytes[at + 1] >= 0xD0 && bytes[at + 1] <= 0xD7)))
          at++;
        if (at + 1 >= n)
          return null;
      }
    }
    return null;
  }

  // Shows a picture, stretched to the box, from its bytes (a Uint8Array).
  // Resolves (width << 16) | height of the picture, or 0 when it cannot be
  // read and -1 when it is too large; on failure the shown picture stays.
  // anyFormat lets pictures other than JPEG through (the program's logo).
  function showPicture(id, bytes, anyFormat) {
    const rec = record(id);
    return awaited((async () => {
      let size = null;
      if (!anyFormat) {
        size = jpegSize(bytes);
        if (!size)
          return 0;
        if (size.width * size.height > MAX_SOURCE_PIXELS)
          return -1;
      }
      let bitmap;
      try {
        bitmap = await createImageBitmap(new Blob([bytes]));
      } catch (e) {
        return 0;
      }
      const canvas = rec.el;
      canvas.width = bitmap.width;
      canvas.height = bitmap.height;
      canvas.getContext('2d').drawImage(bitmap, 0, 0);
      bitmap.close();
      return (canvas.width << 16) | canvas.height;
    })());
  }

  // ---- windows

  function createForm(id, role) {
    create(id, 'form', 0);
    const rec = record(id);
    rec.el.dataset.role = role;
    rec.el.classList.add('pr-hidden');
    rec.el.hidden = false;
  }

  function setClientSize(id, width, height) {
    const style = record(id).el.style;
    style.width = width + 'px';
    style.height = height + 'px';
    layOut();
  }

  function showForm(id) {
    setVisible(id, true);
  }

  function closeForm(id) {
    setVisible(id, false);
  }

  // Every window is scaled by the one factor that fits the main window's
  // stage to the viewport, and centred; the splash window thus keeps its
  // size against the main one, as on a desktop.
  function currentScale() {
    const view = viewport();
    return Math.min(view.clientWidth / STAGE.width, view.clientHeight / STAGE.height) || 1;
  }

  function layOut() {
    const view = viewport();
    if (!view)
      return;
    const scale = currentScale();
    for (const rec of controls.values()) {
      if (rec.kind !== 'form')
        continue;
      const width = rec.el.offsetWidth;
      const height = rec.el.offsetHeight;
      rec.el.style.left = Math.round((view.clientWidth - width * scale) / 2) + 'px';
      rec.el.style.top = Math.round((view.clientHeight - height * scale) / 2) + 'px';
      rec.el.style.transform = `scale(${scale})`;
    }
  }

  // ---- keys

  function onKeyDown(event) {
    if (ended || boxOpen || event.altKey || event.ctrlKey || event.metaKey)
      return;
    const code = KEY[event.key];
    const focused = focusedId();
    if (code !== undefined) {
      event.preventDefault();
      send(focused, EVENT.KEY, code, event.shiftKey ? 1 : 0);
      return;
    }
    // Characters typed into an editable box go to the program, which types
    // them (or not).
    const rec = focused && controls.get(focused);
    if (rec && rec.kind === 'edit' && rec.el.classList.contains('pr-editable') &&
        event.key.length === 1 && event.key >= ' ' && event.key <= '~') {
      event.preventDefault();
      send(focused, EVENT.CHAR, event.key.charCodeAt(0), 0);
    }
  }

  // ---- timers

  // Starts (or restarts) a timer that sends a TIMER event with its id every
  // interval milliseconds.
  function setTimer(timerId, interval) {
    stopTimer(timerId);
    timers.set(timerId, setInterval(() => send(timerId, EVENT.TIMER, 0, 0), Math.max(1, interval | 0)));
  }

  function stopTimer(timerId) {
    if (timers.has(timerId))
      clearInterval(timers.get(timerId));
    timers.delete(timerId);
  }

  // ---- boxes

  // A box's text keeps its line breaks; carriage returns alone break too.
  function boxText(text) {
    return String(text).replace(/\r\n?/g, '\n');
  }

  // Shows a modal box and resolves the result of the button chosen.
  // buttons: [{label, result, key}]; the first is the default (Enter).
  function box(caption, icon, text, buttons, escapeResult) {
    const layer = document.getElementById('pr-boxes');
    const before = document.activeElement;
    const dialog = document.createElement('div');
    dialog.className = 'pr-box';
    dialog.setAttribute('role', 'alertdialog');
    dialog.setAttribute('aria-modal', 'true');
    const heading = document.createElement('div');
    heading.className = 'pr-box-caption';
    heading.id = 'pr-box-caption';
    heading.textContent = caption;
    const body = document.createElement('div');
    body.className = 'pr-box-body';
    if (icon) {
      const mark = document.createElement('div');
      mark.className = `pr-box-icon pr-box-${icon}`;
      mark.setAttribute('aria-hidden', 'true');
      mark.textContent = icon === 'question' ? '?' : '×';
      body.appendChild(mark);
    }
    const message = document.createElement('div');
    message.className = 'pr-box-text';
    message.id = 'pr-box-text';
    message.textContent = boxText(text);
    body.appendChild(message);
    const row = document.createElement('div');
    row.className = 'pr-box-buttons';
    dialog.setAttribute('aria-labelledby', heading.id);
    dialog.setAttribute('aria-describedby', message.id);
    dialog.append(heading, body, row);

    return awaited(new Promise(resolve => {
      boxOpen = true;
      const finish = result => {
        document.removeEventListener('keydown', onKey, true);
        layer.removeChild(dialog);
        layer.hidden = true;
        boxOpen = false;
        if (before && before.focus)
          before.focus({ preventScroll: true });
        resolve(result);
      };
      const onKey = event => {
        const pressed = buttons.find(b => b.key && b.key === event.key.toLowerCase());
        if (event.key === 'Enter' && !(document.activeElement && document.activeElement.classList.contains('pr-box-button'))) {
          event.preventDefault();
          finish(buttons[0].result);
        } else if (event.key === 'Escape') {
          event.preventDefault();
          finish(escapeResult);
        } else if (pressed && !event.altKey && !event.ctrlKey && !event.metaKey) {
          event.preventDefault();
          finish(pressed.result);
        } else if (event.key === 'Tab') {
          // Focus goes round the box's buttons only.
          event.preventDefault();
          const all = [...row.children];
          const at = all.indexOf(document.activeElement);
          all[(at + (event.shiftKey ? all.length - 1 : 1)) % all.length].focus();
        } else if (event.key.startsWith('F') && event.key.length <= 3) {
          event.preventDefault(); // F5 would reload the page under the box
        }
        event.stopPropagation();
      };
      for (const b of buttons) {
        const button = document.createElement('button');
        button.type = 'button';
        button.className = 'pr-box-button';
        button.textContent = b.label;
        button.dataset.result = String(b.result);
        button.addEventListener('click', () => finish(b.result));
        row.appendChild(button);
      }
      layer.appendChild(dialog);
      layer.hidden = false;
      document.addEventListener('keydown', onKey, true);
      row.firstChild.focus();
    }));
  }

  // One OK, the application's title as caption, no icon.
  function information(text) {
    return box(title, null, text, [{ label: 'OK', result: RESULT.OK }], RESULT.OK);
  }

  // An error mark, one OK, the application's title as caption.
  function error(text) {
    return box(title, 'error', text, [{ label: 'OK', result: RESULT.OK }], RESULT.OK);
  }

  // 確認, a question mark, はい / いいえ (/ キャンセル). Enter answers はい;
  // Escape キャンセル where it is offered, else いいえ.
  function confirmation(text, withCancel) {
    const buttons = [
      { label: 'はい(Y)', result: RESULT.YES, key: 'y' },
      { label: 'いいえ(N)', result: RESULT.NO, key: 'n' },
    ];
    if (withCancel)
      buttons.push({ label: 'キャンセル', result: RESULT.CANCEL });
    return box('確認', 'question', text, buttons, withCancel ? RESULT.CANCEL : RESULT.NO);
  }

  function setTitle(text) {
    title = String(text);
  }

  // ---- pictures of a window

  // A page cannot take a picture of itself; what drives it can (a test's
  // browser driver), and says so with takePicturesWith. Without one, no
  // picture is saved.
  let pictureTaker = null;
  function takePicturesWith(taker) {
    pictureTaker = taker;
  }

  // 1 when the picture of the windows as they are now was saved, else 0.
  async function savePicture(path) {
    if (!pictureTaker)
      return 0;
    // The picture shows the window drawn, in its own faces.
    await document.fonts.ready;
    await new Promise(resolve => requestAnimationFrame(() => requestAnimationFrame(resolve)));
    return (await pictureTaker(String(path))) ? 1 : 0;
  }

  // ---- the end

  // The program has ended: a tab cannot close itself, so the page says so.
  function end() {
    ended = true;
    for (const id of [...timers.keys()])
      stopTimer(id);
    held.length = 0;
    viewport().hidden = true;
    document.getElementById('pr-ended').hidden = false;
    document.getElementById('pr-restart').focus();
  }

  // ---- start

  // Where events go: (id, kind, x, y) => void, normally Module._piyoranEvent.
  function connect(eventSink) {
    sink = eventSink;
  }

  function start() {
    document.addEventListener('keydown', onKeyDown);
    window.addEventListener('resize', layOut);
    document.getElementById('pr-restart').addEventListener('click', () => location.reload());
  }

  // Ids show in the DOM, for the program's tests and a reader of the page.
  const createControl = create;
  function createWithId(id, kind, parentId) {
    createControl(id, kind, parentId);
    record(id).el.dataset.id = String(id);
  }
  function createFormWithId(id, role) {
    createForm(id, role);
    record(id).el.dataset.id = String(id);
  }

  window.piyoranPage = Object.freeze({
    EVENT, KEY, RESULT, ROW_HEIGHT,
    connect, start,
    create: createWithId, createForm: createFormWithId, destroy,
    setText, setColors, setOpaque, setFont, setBounds, setVisible, setEnabled, setHint,
    setAccessible, setName, setHandPointer, bringToFront, sendToBack, focus, focusedId, measure,
    setLabelLayout, setAutoSize, setCentred, setEditable, setBorder, setDown, setBevel,
    setItems, setItemIndex, firstVisibleRow, setComboItems,
    showPicture,
    setClientSize, showForm, closeForm,
    setTimer, stopTimer,
    setTitle, information, confirmation, error,
    savePicture, takePicturesWith,
    end,
  });
})();
