// Placed after the module: runs it at once (main, then process.exit), the
// .wasm found next to this file.
Module({ locateFile: (nom) => __trevane_chemin(new URL(nom, import.meta.url)) });
