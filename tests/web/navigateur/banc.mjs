// The browser tests' bench: the built site served under a sub-path by a tiny
// static server, Chromium headless through puppeteer-core, and helpers that
// act as the learner does (menus by their accessible names, typing into the
// editor) or read what the page shows.
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { readFile } from 'node:fs/promises';
import { createServer } from 'node:http';
import { tmpdir } from 'node:os';
import { extname, join, normalize, resolve } from 'node:path';
import puppeteer from 'puppeteer-core';

export const racine = resolve(new URL('../../..', import.meta.url).pathname);
export const site = resolve(process.env.TREVANE_SITE ?? `${racine}/build-web/site`);
export const temp = mkdtempSync(join(tmpdir(), 'trevane-navigateur-'));
const runner = resolve(racine, process.env.TREVANE_BUILD ?? 'build', 'trevane-run');

// A sub-path, as on a school's server, proves that every URL is relative.
const SOUS_CHEMIN = '/classe/trevane/';
const TYPES = {
    '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.mjs': 'text/javascript',
    '.css': 'text/css', '.wasm': 'application/wasm', '.json': 'application/json',
    '.webmanifest': 'application/manifest+json', '.svg': 'image/svg+xml', '.png': 'image/png',
    '.ico': 'image/x-icon', '.txt': 'text/plain; charset=windows-1252',
};

// servir([refuser]): serves the site on a free port; { adresse, fermer() }.
// A file for which refuser(relatif, requete) is true is answered 404.
export async function servir(refuser = () => false) {
    const serveur = createServer(async (requete, reponse) => {
        const chemin = decodeURIComponent(new URL(requete.url, 'http://h').pathname);
        let relatif = normalize(`./${chemin.slice(SOUS_CHEMIN.length)}`);
        if (!chemin.startsWith(SOUS_CHEMIN) || relatif.startsWith('..') || refuser(relatif, requete)) return reponse.writeHead(404).end();
        if (relatif === '.' || relatif.endsWith('/')) relatif = join(relatif, 'index.html');
        try {
            const corps = await readFile(join(site, relatif));
            reponse.writeHead(200, { 'Content-Type': TYPES[extname(relatif)] ?? 'application/octet-stream' });
            reponse.end(corps);
        } catch {
            reponse.writeHead(404).end();
        }
    });
    await new Promise((fin) => serveur.listen(0, '127.0.0.1', fin));
    return {
        adresse: `http://127.0.0.1:${serveur.address().port}${SOUS_CHEMIN}`,
        fermer: () => new Promise((fin) => { serveur.closeAllConnections(); serveur.close(fin); }),
    };
}

// lancerNavigateur(): Chromium headless on a fresh profile, removed by fermer().
export async function lancerNavigateur() {
    const profil = mkdtempSync(join(tmpdir(), 'trevane-chromium-'));
    const navigateur = await puppeteer.launch({
        executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
        headless: true,
        userDataDir: profil,
        defaultViewport: null,
        args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
            '--disable-sync', '--no-first-run'],
    });
    navigateur.fermer = async () => {
        await navigateur.close();
        rmSync(profil, { recursive: true, force: true });
    };
    return navigateur;
}

// ouvrir(contexte, adresse[, taille, preparer]): a new tab on the page, once
// its session is ready; preparer runs in the page before its own scripts.
// Uncaught errors of the page are kept in page.erreurs (checked by fermer()).
export async function ouvrir(contexte, adresse, taille = { width: 1280, height: 800 }, preparer = null) {
    const page = await contexte.newPage();
    page.setDefaultTimeout(10000);
    page.erreurs = [];
    page.on('pageerror', (e) => page.erreurs.push(e.message));
    await page.setViewport(taille);
    if (preparer) await page.evaluateOnNewDocument(preparer);
    await page.goto(adresse);
    await page.waitForFunction(() => window.trevane);
    await page.evaluate(() => window.trevane.pret);
    return page;
}

export async function fermer(page) {
    const erreurs = page.erreurs;
    await page.close();
    assert.deepEqual(erreurs, [], 'exceptions de la page');
}

// Menu entries by role and accessible name, as a screen reader finds them
// (a submenu's name also carries its arrow).
const choix = (nom) => ['menuitem', 'menuitemcheckbox', 'menuitemradio'].flatMap((role) =>
    [nom].map((n) => `::-p-aria([name="${n}"][role="${role}"])`));

// menu(page, 'Fichier', 'Exemples', '01-somme'): clicks each entry in turn.
export async function menu(page, ...noms) {
    for (const nom of noms) {
        await page.locator(choix(nom).join(', ')).setTimeout(10000).click();
    }
}

export async function element(page, nom) {
    const trouve = await page.$(choix(nom).join(', '));
    assert.ok(trouve, `aucun élément de menu « ${nom} »`);
    return trouve;
}

// ouvrirExemple(page, '01-somme'): Fichier › Exemples, until the editor shows it.
export async function ouvrirExemple(page, nom) {
    await menu(page, 'Fichier', 'Exemples', nom);
    await page.waitForFunction((t) => window.trevane.texte() === t, {}, decoder(exemple(nom)));
}

export const attribut = (page, nom, attr) =>
    element(page, nom).then((e) => e.evaluate((n, a) => n.getAttribute(a), attr));

// taper(page, texte): replaces the editor's text, key by key.
export async function taper(page, texte) {
    await page.click('#editeur .cm-content');
    await raccourci(page, 'a');
    await page.keyboard.press('Backspace');
    await page.keyboard.type(texte);
    assert.equal(await texte_(page), texte, 'le texte tapé');
}

// coller(page, texte): replaces the editor's text by a paste, for long texts.
export async function coller(page, texte) {
    await page.click('#editeur .cm-content');
    await page.$eval('#editeur .cm-content', (zone, t) => {
        const donnees = new DataTransfer();
        donnees.setData('text/plain', t);
        document.execCommand('selectAll');
        zone.dispatchEvent(new ClipboardEvent('paste', { clipboardData: donnees, bubbles: true, cancelable: true }));
    }, texte);
    assert.equal(await texte_(page), texte, 'le texte collé');
}

const texte_ = (page) => page.evaluate(() => window.trevane.texte());
export { texte_ as texte };
export async function raccourci(page, touche) {
    await page.keyboard.down('Control');
    await page.keyboard.press(touche);
    await page.keyboard.up('Control');
}
export const lignes = (page) => page.evaluate(() => window.trevane.lignesAffichage());

// attendreLignes(page, attendues): waits until the worker is idle and the
// pane holds exactly these lines; otherwise fails with the difference.
export async function attendreLignes(page, attendues) {
    const json = JSON.stringify(attendues);
    await page.waitForFunction((a) => !window.trevane.occupe && JSON.stringify(window.trevane.lignesAffichage()) === a,
        { timeout: 15000 }, json).catch(() => {});
    assert.deepEqual(await lignes(page), attendues);
}

// repondre(page, bouton): clicks a button of the open box, returns its text.
export async function repondre(page, bouton) {
    await page.waitForSelector('dialog#boite[open]');
    const message = await page.$eval('#boite-texte', (n) => n.textContent);
    await page.locator(`dialog#boite[open] ::-p-aria([name="${bouton}"][role="button"])`).click();
    await page.waitForFunction(() => !document.querySelector('dialog#boite[open]'));
    return message;
}

// The selected line (1-based), and the line each gutter mark of this class
// sits on. The page offers no hook for them: CodeMirror's view is reached
// through its content element (cmTile, its own field).
export const ligneSelectionnee = (page) => page.evaluate(() => {
    const v = document.querySelector('#editeur .cm-content').cmTile.root.view;
    return v.state.doc.lineAt(v.state.selection.main.from).number;
});
export const lignesMarquees = (page, classe) => page.$$eval(`#editeur .${classe}`, (marques) => {
    const v = document.querySelector('#editeur .cm-content').cmTile.root.view;
    // CodeMirror sizes a gutter with a hidden copy of its marker.
    return marques.filter((m) => m.checkVisibility({ visibilityProperty: true })).map((m) => {
        const r = m.getBoundingClientRect();
        const bloc = v.lineBlockAtHeight(r.top + r.height / 2 - v.documentTop);
        // A colour alone says nothing to some: the mark carries a sign too.
        const signe = m.textContent.trim() || getComputedStyle(m, '::before').content.replace(/^(none|normal)$/, '');
        return { ligne: v.state.doc.lineAt(bloc.from).number, signe: signe !== '' };
    });
});

// natif(texte, options): trevane-run on this text saved as the desktop saves
// it (Windows-1252, CR LF): { lignes, selections, statut }.
export function natif(texte, options = []) {
    const fichier = join(temp, 'natif.txt');
    writeFileSync(fichier, encoder(texte));
    return natifFichier(fichier, options);
}
export function natifFichier(fichier, options = []) {
    const r = spawnSync(runner, [...options, fichier], { encoding: 'utf8', maxBuffer: 1 << 28 });
    assert.ok(r.status !== null && r.status < 4, `${runner} : ${r.error ?? r.stderr}`);
    return {
        lignes: r.stdout.split('\n').slice(0, -1),
        selections: [...r.stderr.matchAll(/^selection: (\d+)$/gm)].map((m) => Number(m[1])),
        statut: r.status,
    };
}

export const exemple = (nom) => readFileSync(`${racine}/exemples/${nom}.txt`);
// Windows-1252 with CR LF, the program files' format, both ways.
// Node's decoder takes windows-1252 for Latin-1: the 32 bytes that differ.
const HAUT = '€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008dŽ\u008f\u0090‘’“”•–—˜™š›œ\u009džŸ';
const haut = new Map([...HAUT].map((c, i) => [c, 0x80 + i]));
export const decoder = (octets) => [...octets].map((o) => (o >= 0x80 && o < 0xa0 ? HAUT[o - 0x80] : String.fromCharCode(o)))
    .join('').replace(/\r\n/g, '\n');
export const encoder = (texte) => Buffer.from([...texte.replace(/\n/g, '\r\n')].map((c) => haut.get(c) ?? c.charCodeAt(0)));
