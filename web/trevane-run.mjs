// node trevane-run.mjs [options] FILE: trevane-run under Node, the same
// output, messages and status. The module runs in a worker because the
// expression compiler nests as deep as the native main thread allows (8 MB),
// far more than Node's default stack; the worker writes to descriptors 1 and
// 2 itself, and its status becomes this process's.
import { Worker } from 'node:worker_threads';

const travail = new Worker(new URL('./trevane-run-wasm.mjs', import.meta.url), {
    argv: process.argv.slice(2),
    resourceLimits: { stackSizeMb: 8 },
    stdout: false,
    stderr: false,
});
travail.on('exit', (statut) => { process.exitCode = statut; });
