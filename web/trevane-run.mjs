// node trevane-run.mjs [options] FILE: trevane-run under Node, the same
// output, messages and status. The expression compiler nests as deep as the
// native main thread allows (8 MB), far more than Node's main thread does
// (a line of a few thousand bytes can pass it). A program whose lines are all
// short runs here at once; any other argument (a long line, a file that is
// not a regular one, or too large to read first) starts the module in a
// worker with the native stack, which costs a fifth of a second more. The
// worker writes to descriptors 1 and 2 itself, and its status becomes this
// process's.
import { readFileSync, statSync } from 'node:fs';
import v8 from 'node:v8';

// V8 compiles each function of the module quickly, then again with its
// optimizer once it has run for a while: later than by default, so that a
// short run spends no time on the second compilation (the engine's loop
// still reaches it within milliseconds). The optimizer also puts small
// functions inline into their callers (the display's string appends, 8% of
// a run that displays). Read when the module is compiled.
v8.setFlagsFromString('--wasm-tiering-budget=20000000 --wasm-inlining');

// The longest line run on Node's own stack: a sixth of what it holds for the
// deepest nesting a line can write (an operator every two bytes).
const ligneMax = 1000;
const fichierMax = 1 << 20;

// True unless `argument` names a file that may hold a line longer than
// ligneMax. Only a regular file is read here (a FIFO would be emptied).
function sansLigneLongue(argument) {
    let etat;
    try {
        etat = statSync(argument);
    } catch {
        return true;   // no file: nothing to nest
    }
    if (etat.isDirectory())
        return true;
    if (!etat.isFile() || etat.size > fichierMax)
        return false;
    let octets;
    try {
        octets = readFileSync(argument);
    } catch {
        return false;
    }
    let debut = 0;
    for (let i = 0; i <= octets.length; ++i) {
        if (i === octets.length || octets[i] === 10 || octets[i] === 13) {
            if (i - debut > ligneMax)
                return false;
            debut = i + 1;
        }
    }
    return true;
}

if (process.argv.slice(2).every(sansLigneLongue)) {
    await import('./trevane-run-wasm.mjs');
} else {
    // Loaded only here: Node compiles the module when it is first asked for.
    const { Worker } = await import('node:worker_threads');
    const travail = new Worker(new URL('./trevane-run-wasm.mjs', import.meta.url), {
        argv: process.argv.slice(2),
        resourceLimits: { stackSizeMb: 8 },
        stdout: false,
        stderr: false,
    });
    travail.on('exit', (statut) => { process.exitCode = statut; });
}
