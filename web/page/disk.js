// Before the program's main() runs: the site's books and pictures, as its
// disk.json lists them, are fetched into the program's file system under
// /piyoran, laid out as beside the desktop's executable. The program then
// reads them and lists the folders with the ordinary file calls, by the
// desktop's own rules. Module.diskList names another list (the tests').
Module['preRun'] = [].concat(Module['preRun'] || [], () => {
  addRunDependency('piyoran-disk');
  const listed = Module['diskList'] || 'disk.json';
  const base = new URL(listed, document.baseURI);
  fetch(base).then(response => {
    if (!response.ok)
      throw new Error(`${listed}: ${response.status}`);
    return response.json();
  }).then(disk => {
    for (const folder of disk.folders)
      FS.mkdirTree('/piyoran/' + folder);
    return Promise.all(disk.files.map(path =>
      fetch(new URL(path.split('/').map(encodeURIComponent).join('/'), new URL(disk.from || './', base)))
        .then(response => {
          if (!response.ok)
            throw new Error(`${path}: ${response.status}`);
          return response.arrayBuffer();
        })
        .then(bytes => FS.writeFile('/piyoran/' + path, new Uint8Array(bytes)))));
  }).then(() => removeRunDependency('piyoran-disk'), error => abort(`the site's files: ${error.message}`));
});
