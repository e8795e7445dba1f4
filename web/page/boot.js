// Starts piyoran in the page: the page runtime first, then the fonts, then
// the program (piyoran.js and piyoran.wasm), whose events are connected to
// the runtime once it is ready.
'use strict';

// Emscripten's program reads its settings from this global.
var Module = {
  print: text => console.log(text),
  printErr: text => console.error(text),
  onRuntimeInitialized() {
    piyoranPage.connect((id, kind, x, y) => Module._piyoranEvent(id, kind, x, y));
    document.getElementById('pr-loading').hidden = true;
  },
  onAbort(what) {
    const note = document.getElementById('pr-loading');
    note.hidden = false;
    note.textContent = 'ぴよらん　ぽこぺ を始められませんでした: ' + what;
  },
};

(function () {
  piyoranPage.start();

  // Offline use and installing: the service worker keeps every file of the
  // site. Without one (an old browser, a private window) the site works online.
  if ('serviceWorker' in navigator && location.protocol !== 'file:')
    navigator.serviceWorker.register('sw.js').catch(() => {});

  // Labels are measured as the program builds its windows, so the faces
  // must be there before it starts.
  const faces = ['"piyoran IPAPGothic"', '"piyoran IPAGothic"', '"piyoran Liberation Serif"',
    'bold "piyoran Liberation Serif"', 'italic "piyoran Liberation Serif"',
    'italic bold "piyoran Liberation Serif"'];
  const loaded = faces.map(face => document.fonts.load(`16px ${face}`, 'あA').catch(() => []));
  Promise.all(loaded).then(() => {
    const program = document.createElement('script');
    program.src = 'piyoran.js';
    document.body.appendChild(program);
  });
})();
