// Plays one scenario with the scenario runner built for the browser
// (piyoran-script.js), against the test books listed in disk.json:
//   play.html#NAME plays scenarios/NAME.scn
// When it is done, window.played holds { status, output }: the runner's exit
// status and what it printed.
'use strict';

const name = decodeURIComponent(location.hash.slice(1));
const output = [];

var Module = {
  noInitialRun: true,
  diskList: 'disk.json',
  print: text => output.push(text),
  printErr: text => output.push(text),
  preRun: [() => {
    addRunDependency('scenario');
    fetch(`scenarios/${encodeURIComponent(name)}.scn`)
      .then(r => r.ok ? r.arrayBuffer() : Promise.reject(new Error(`no scenario ${name}`)))
      .then(bytes => {
        FS.writeFile('/scenario.scn', new Uint8Array(bytes));
        removeRunDependency('scenario');
      }, error => { window.played = { status: -1, output: error.message }; });
  }],
  onRuntimeInitialized() {
    // main() may wait for the page (a picture), so it is called as a
    // function that can wait, and its status taken when it has returned.
    const args = ['piyoran-script', '--app-dir', '/piyoran', '/scenario.scn'];
    const argv = Module._malloc(4 * (args.length + 1));
    args.forEach((arg, i) => { Module.HEAP32[(argv >> 2) + i] = Module.allocateUTF8(arg); });
    Module.HEAP32[(argv >> 2) + args.length] = 0;
    new Promise(resolve => resolve(Module.ccall('main', 'number', ['number', 'number'], [args.length, argv], { async: true })))
      .then(status => {
        Module._fflush(0);
        window.played = { status, output: output.join('\n') };
      }, error => { window.played = { status: -1, output: output.join('\n') + '\n' + error }; });
  },
  onAbort(what) {
    window.played = { status: -1, output: output.join('\n') + '\naborted: ' + what };
  },
};

// A scenario's "snapshot FILE" waits here until the browser's driver has
// taken the picture (tests/web/check-pictures.sh): window.pictureWanted names
// the file, window.pictureTaken() lets the scenario go on.
piyoranPage.takePicturesWith(path => new Promise(resolve => {
  window.pictureWanted = path;
  window.pictureTaken = () => {
    window.pictureWanted = undefined;
    resolve(true);
  };
}));
piyoranPage.start();
const program = document.createElement('script');
program.src = 'piyoran-script.js';
document.body.appendChild(program);
