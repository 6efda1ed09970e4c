// node tests/web/arret_navigateur.mjs [SITE]   (SITE: build-web/site)
// Arrêter cuts a display loop's burst in the page: the stop is shown within
// 0.5 s and the pane is then, line for line, a session's given the same
// commands without the cut burst (computed in the page by the browser core,
// build-web/navigateur/).
import assert from 'node:assert/strict';
import { mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { createServer } from 'node:http';
import { tmpdir } from 'node:os';
import { extname, join, resolve } from 'node:path';
import puppeteer from 'puppeteer-core';

const racine = resolve(new URL('../..', import.meta.url).pathname);
const dossiers = { '/': resolve(process.argv[2] ?? `${racine}/build-web/site`), '/coeur/': `${racine}/build-web/navigateur` };
const types = { '.js': 'text/javascript', '.mjs': 'text/javascript', '.wasm': 'application/wasm', '.html': 'text/html' };
let refus = false;   // the core's module refused to all workers but the first: no standby
let chargements = 0;
const serveur = createServer((q, r) => {
    if (q.url === '/trevane-session.wasm' && chargements++ > 0 && refus)
        return r.writeHead(404).end();
    const [prefixe, chemin] = q.url.startsWith('/coeur/') ? ['/coeur/', q.url.slice(7)] : ['/', q.url.slice(1) || 'index.html'];
    try {
        const corps = readFileSync(join(dossiers[prefixe], decodeURIComponent(chemin.split('?')[0])));
        r.writeHead(200, { 'Content-Type': types[extname(chemin)] ?? 'application/octet-stream' }).end(corps);
    } catch {
        r.writeHead(404).end();
    }
}).listen(0, '127.0.0.1');
await new Promise((fin) => serveur.on('listening', fin));
const profil = mkdtempSync(join(tmpdir(), 'trevane-arret-'));
const navigateur = await puppeteer.launch({
    executablePath: '/usr/bin/chromium', headless: true, userDataDir: profil,
    args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update', '--disable-sync', '--no-first-run'],
});

// Reals computed and written in software: a burst of seconds.
const programme = 'Entier i\nRéel x\n[Boucle]\nDonner à i la valeur i + 1\nDonner à x la valeur sin(i)\nAfficher i ; x\nAller à [Boucle] si i > 0';
const item = (page, nom) => page.waitForSelector(`::-p-aria([name="${nom}"][role="menuitem"])`);
const libre = (page) => page.waitForFunction(() => !window.trevane.occupe, { timeout: 120000 });
async function raccourci(page, touche) {
    await page.keyboard.down('Control');
    await page.keyboard.press(touche);
    await page.keyboard.up('Control');
}
const pause = (ms) => new Promise((fin) => setTimeout(fin, ms));
// The run's shortcuts before the cut burst (Poursuivre: Ctrl+Q), then the
// commands the stop comes to. Timed: the standby was ready and caught up.
const cas = [
    { nom: 'première rafale', avant: [], session: [['arreterAuDebut']], chrono: true },
    { nom: 'une Poursuite', avant: ['q'], session: [['executer', false], ['arreter']], chrono: true },
    { nom: 'une Poursuite, la réserve en retard', avant: ['q'], session: [['executer', false], ['arreter']], tot: true },
    { nom: 'sans réserve', avant: [], session: [['arreterAuDebut']], refus: true },
];
const mesures = [];
for (const { nom, avant, session, chrono, tot, refus: r = false } of cas) {
    [refus, chargements] = [r, 0];
    const contexte = await navigateur.createBrowserContext();   // no recovery copy from the case before
    const page = await contexte.newPage();
    await page.goto(`http://127.0.0.1:${serveur.address().port}/`);
    await page.waitForFunction(() => window.trevane);
    await page.evaluate(() => window.trevane.pret);
    await page.click('#editeur .cm-content');
    await page.$eval('#editeur .cm-content', (zone, t) => {
        const donnees = new DataTransfer();
        donnees.setData('text/plain', t);
        document.execCommand('selectAll');
        zone.dispatchEvent(new ClipboardEvent('paste', { clipboardData: donnees, bubbles: true, cancelable: true }));
    }, programme);
    await pause(1000);   // the text given to the core, the standby ready
    await raccourci(page, 'e');   // Normale
    for (const entree of avant) {
        const debut = Date.now();
        await page.waitForFunction(() => window.trevane.occupe);
        await libre(page);
        await pause(tot ? 0 : 2 * (Date.now() - debut));   // the standby has caught up with the burst
        await raccourci(page, entree);
    }
    await page.waitForFunction(() => window.trevane.occupe);
    await pause(1000);
    refus = false;   // for the worker that replays the journal
    await (await item(page, 'Arrêter')).evaluate((bouton) => { window.t0 = performance.now(); bouton.click(); });
    const duree = await (await page.waitForFunction((t = performance.now() - window.t0) => !window.trevane.occupe &&
        window.trevane.lignesAffichage().slice(-2).join().includes('Exécution arrêtée') && Math.round(t),
    { polling: 5, timeout: 120000 })).jsonValue();
    const ecart = await page.evaluate(async (programme, commandes) => {
        const fabrique = (await import('/coeur/trevane-session.mjs')).default;
        const module = await fabrique({ locateFile: (f) => `/coeur/${f}` });
        const s = new module.Session(1);
        let volet = [];
        for (const [commande, ...args] of [['etat'], ['taper', programme], ...commandes]) {
            const { affichage } = s[commande](...args);
            volet = affichage.remplace ? affichage.lignes : volet.concat(affichage.lignes);
        }
        const lignes = window.trevane.lignesAffichage();
        const i = lignes.findIndex((l, k) => l !== volet[k]);
        return lignes.length === volet.length && i < 0 ? null : `ligne ${i} : ${lignes[i]} / ${volet[i]} (${lignes.length}/${volet.length})`;
    }, programme, session);
    mesures.push(`${nom} : arrêtée en ${duree} ms, ${ecart ?? 'volet exact'}`);
    assert.ok(!ecart && (!chrono || duree < 500), mesures.at(-1));
    console.log(mesures.at(-1));
    await contexte.close();
}
await navigateur.close();
serveur.close();
rmSync(profil, { recursive: true, force: true });
