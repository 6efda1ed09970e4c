// Placed after the module: runs it at once (main, then process.exit), the
// .wasm found next to this file.
//
// Writes to stdout and stderr behave as the native runner's blocking ones.
// Node leaves pipes non-blocking: a full pipe (a slow reader) waits here
// instead of failing, and a write goes on until all its bytes are out
// (emscripten would go on to the next block after a partial write). A
// reader that quits early (`| head`) ends the native runner by SIGPIPE,
// which Node ignores: EPIPE ends the run with the status a shell then sees
// natively (128 + 13).
const __trevane_fs = require('fs');
const __trevane_ecrire = __trevane_fs.writeSync;
const __trevane_attente = new Int32Array(new SharedArrayBuffer(4));
__trevane_fs.writeSync = function (fd, tampon, debut, longueur, position) {
    if ((fd !== 1 && fd !== 2) || typeof debut !== 'number' || typeof longueur !== 'number')
        return __trevane_ecrire.apply(this, arguments);
    let ecrits = 0;
    while (ecrits < longueur) {
        try {
            ecrits += __trevane_ecrire.call(this, fd, tampon, debut + ecrits, longueur - ecrits,
                                            position == null ? position : position + ecrits);
        } catch (erreur) {
            if (erreur.code === 'EAGAIN')
                Atomics.wait(__trevane_attente, 0, 0, 1);
            else if (erreur.code === 'EPIPE')
                process.exit(141);
            else if (ecrits > 0)
                return ecrits;
            else
                throw erreur;
        }
    }
    return ecrits;
};
Module({ locateFile: (nom) => __trevane_chemin(new URL(nom, import.meta.url)) });
