// Before the program's main() runs: the site's books and pictures, as its
// disk.json lists them, are put into the program's file system under
// /piyoran, laid out as beside the desktop's executable. The program then
// reads them and lists the folders with the ordinary file calls, by the
// desktop's own rules. Module.diskList names another list (the tests').
// The files come in one pack beside the list (tools/web/disk.py), fetched
// while the program's WebAssembly is still being compiled.
const piyoranDisk = (() => {
  const listed = Module['diskList'] || 'disk.json';
  const base = new URL(listed, document.baseURI);
  const fetched = (url, what) => fetch(url).then(response => {
    if (!response.ok)
      throw new Error(`${what}: ${response.status}`);
    return response;
  });
  return fetched(base, listed).then(response => response.json()).then(disk =>
    fetched(new URL(disk.pack, base), disk.pack).then(response => response.arrayBuffer())
      .then(pack => ({ disk, pack })));
})();

Module['preRun'] = [].concat(Module['preRun'] || [], () => {
  addRunDependency('piyoran-disk');
  piyoranDisk.then(({ disk, pack }) => {
    for (const folder of disk.folders)
      FS.mkdirTree('/piyoran/' + folder);
    let at = 0;
    disk.files.forEach((path, i) => {
      const size = disk.sizes[i];
      if (at + size > pack.byteLength)
        throw new Error(`${disk.pack}: shorter than its list`);
      FS.writeFile('/piyoran/' + path, new Uint8Array(pack, at, size));
      at += size;
    });
  }).then(() => removeRunDependency('piyoran-disk'), error => abort(`the site's files: ${error.message}`));
});
