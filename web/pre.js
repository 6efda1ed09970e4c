// Placed before the module emscripten writes: what its ES module for Node
// still expects of a CommonJS file.
import { createRequire } from 'node:module';
import { dirname as __trevane_dossier } from 'node:path';
import { fileURLToPath as __trevane_chemin } from 'node:url';
const require = createRequire(import.meta.url);
const __dirname = __trevane_dossier(__trevane_chemin(import.meta.url));
