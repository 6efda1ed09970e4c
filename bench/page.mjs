// node bench/page.mjs [RUNS]   (the site built by scripts/site.sh, build/ native)
// The web edition in Chromium headless, side by side with the native runner
// in one run: the first visit's times (the editor usable, the session
// ready), the site's size, whether Chromium finds it installable, and each
// benchmark program run normally in the page (performance.now(), from Ctrl+E
// to the end line drawn in the pane, Poursuivre at each suspension; the
// first run, then the median of RUNS more) against `trevane-run` (median of
// RUNS, process start included).
import { spawnSync } from 'node:child_process';
import { readdirSync, readFileSync, statSync } from 'node:fs';
import { join } from 'node:path';
import { coller, lancerNavigateur, ouvrir, racine, servir, site } from '../tests/web/navigateur/banc.mjs';

const fois = Number(process.argv[2] ?? 5);
const mediane = (t) => [...t].sort((a, b) => a - b)[t.length >> 1];
const taille = (d) => readdirSync(d).reduce((n, f) => n + (statSync(join(d, f)).isDirectory() ? taille(join(d, f)) : statSync(join(d, f)).size), 0);
const decoder = new TextDecoder('windows-1252');

const serveur = await servir();
const navigateur = await lancerNavigateur();
const contexte = navigateur.defaultBrowserContext();   // installable: not in a private context
const page = await ouvrir(contexte, serveur.adresse);
const [editeur, pret] = await page.evaluate(() => ['trevane-editeur', 'trevane-pret'].map((m) => Math.round(performance.getEntriesByName(m)[0].startTime)));
const { installabilityErrors } = await (await page.createCDPSession()).send('Page.getInstallabilityErrors');
console.log(`first visit: editor usable at ${editeur} ms, session ready at ${pret} ms; site ${(taille(site) / 1e6).toFixed(3)} MB; ` +
    `installable: ${installabilityErrors.length ? installabilityErrors.map((e) => e.errorId).join(', ') : 'yes'}`);

// Normale by its shortcut, Ctrl+E; Poursuivre (F8) as soon as the page
// offers it, as --poursuivre does (the time a learner takes to see the
// suspension and press the key is not the page's); the time stops when
// the end line is drawn.
async function dansLaPage() {
    return page.evaluate(async () => {
        // Waits on the page's own signal (body.occupe, set once a command's
        // state is applied), not by polling.
        const occupe = () => document.body.classList.contains('occupe');
        const devenu = (voulu) => new Promise((fin) => {
            if (occupe() === voulu)
                return fin();
            const o = new MutationObserver(() => {
                if (occupe() === voulu) {
                    o.disconnect();
                    fin();
                }
            });
            o.observe(document.body, { attributes: true, attributeFilter: ['class'] });
        });
        const touche = (key, ctrlKey) => document.dispatchEvent(new KeyboardEvent('keydown', { key, ctrlKey, bubbles: true, cancelable: true }));
        const poursuivre = [...document.querySelectorAll('#barre [role=menuitem]')].find((b) => b.textContent.startsWith('Poursuivre ('));
        const t0 = performance.now();
        touche('e', true);
        await devenu(true);
        for (;;) {
            await devenu(false);
            if (poursuivre.getAttribute('aria-disabled') === 'false') {
                touche('F8', false);
                await devenu(true);
                continue;
            }
            await new Promise((fin) => requestAnimationFrame(() => setTimeout(fin, 0)));   // the pane drawn
            const fin = [...document.querySelectorAll('#affichage .ligne')].slice(-3).map((l) => l.textContent).join();
            if (fin.includes('Exécution terminée'))
                break;
        }
        return performance.now() - t0;
    });
}
console.log(`${'programme'.padEnd(10)} ${'page, 1st'.padStart(10)} ${'page'.padStart(8)} ${'native'.padStart(8)} ${'page/native'.padStart(12)}`);
for (const nom of ['somme', 'premiers', 'tri', 'reels', 'affichage']) {
    const fichier = `${racine}/bench/programmes/${nom}.txt`;
    await page.waitForFunction(() => !window.trevane.occupe);
    await coller(page, decoder.decode(readFileSync(fichier)).replace(/\r\n/g, '\n').replace(/\n$/, ''));
    const premiere = await dansLaPage();
    const page_ = [], natif = [];
    for (let i = 0; i < fois; i++) {
        page_.push(await dansLaPage());
        const t0 = performance.now();
        spawnSync(`${racine}/${process.env.TREVANE_BUILD ?? 'build'}/trevane-run`, ['--poursuivre', '1000', fichier]);
        natif.push(performance.now() - t0);
    }
    const [p, n] = [mediane(page_), mediane(natif)];
    console.log(`${nom.padEnd(10)} ${premiere.toFixed(0).padStart(10)} ${p.toFixed(0).padStart(8)} ${n.toFixed(0).padStart(8)} ${(p / n).toFixed(2).padStart(12)}`);
}
await navigateur.fermer();
await serveur.fermer();
