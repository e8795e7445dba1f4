// Starts piyoran in the page: the page runtime first, then the program
// (piyoran.js and piyoran.wasm) and the fonts side by side; the program's
// main() runs once both are there, and its events are connected to the
// runtime.
'use strict';

// The page's faces, loaded (or given up on) before the program starts.
const piyoranFaces = Promise.all(['"piyoran IPAPGothic"', '"piyoran IPAGothic"', '"piyoran Liberation Serif"',
  'bold "piyoran Liberation Serif"', 'italic "piyoran Liberation Serif"', 'italic bold "piyoran Liberation Serif"']
  .map(face => document.fonts.load(`16px ${face}`, 'あA').catch(() => [])));

// Emscripten's program reads its settings from this global.
var Module = {
  print: text => console.log(text),
  printErr: text => console.error(text),
  onRuntimeInitialized() {
    piyoranPage.connect((id, kind, x, y) => Module._piyoranEvent(id, kind, x, y));
    document.getElementById('pr-loading').hidden = true;
  },
  // Labels are measured as the program builds its windows, so the faces
  // must be there before main() runs.
  preRun: [() => {
    addRunDependency('piyoran-fonts');
    piyoranFaces.then(() => removeRunDependency('piyoran-fonts'));
  }],
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

  const program = document.createElement('script');
  program.src = 'piyoran.js';
  document.body.appendChild(program);
})();
