// Arrêter cuts a display loop's burst: the stop shows within 0.5 s, and the
// pane is then, line for line, that of a session given the same commands
// without the cut burst (the core's session under Node, build-web/). Run by
// lancer.sh, beside essais.mjs.
import assert from 'node:assert/strict';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { after, before, test } from 'node:test';
import { coller, element, fermer, lancerNavigateur, ouvrir, raccourci, racine, servir } from './banc.mjs';

// Reals computed and written in software: bursts of seconds.
const PROGRAMME = 'Entier i\nRéel x\n[Boucle]\nDonner à i la valeur i + 1\nDonner à x la valeur sin(i)\nAfficher i ; x\nAller à [Boucle] si i > 0';
// The shortcuts before the cut burst (Poursuivre: Ctrl+Q), the commands the
// stop comes to; timed when the standby worker was ready and had caught up.
const CAS = [
    { nom: 'première rafale', avant: [], session: [['arreterAuDebut', false]], chrono: true },
    { nom: 'une Poursuite', avant: ['q'], session: [['executer', false], ['arreter']], chrono: true },
    { nom: 'une Poursuite, la réserve en retard', avant: ['q'], session: [['executer', false], ['arreter']], tot: true },
    { nom: 'sans réserve (son module refusé)', avant: [], session: [['arreterAuDebut', false]], refus: true },
];

let navigateur, serveur, Session;
let refus = false, chargements = 0;   // the core refused to every worker but the first: no standby
before(async () => {
    // The service worker's copy for the offline cache, fetched before or
    // after the first worker's, is not counted.
    serveur = await servir((relatif, requete) => relatif === 'trevane-session.wasm' &&
        !requete.headers.referer?.endsWith('/sw.js') && chargements++ > 0 && refus);
    navigateur = await lancerNavigateur();
    const adresse = pathToFileURL(`${racine}/build-web/trevane-session.mjs`);
    const fabrique = (await import(adresse.href)).default;
    ({ Session } = fabrique({ locateFile: (nom) => fileURLToPath(new URL(nom, adresse)) }));
});
after(async () => {
    await navigateur?.fermer();
    await serveur?.fermer();
});

const pause = (ms) => new Promise((fin) => setTimeout(fin, ms));
const libre = (page) => page.waitForFunction(() => !window.trevane.occupe, { timeout: 120000 });

function voletSans(commandes) {
    const s = new Session(1);
    let volet = [];
    for (const [commande, ...args] of [['etat'], ['taper', PROGRAMME], ...commandes]) {
        const { affichage } = s[commande](...args);
        volet = affichage.remplace ? affichage.lignes : volet.concat(affichage.lignes);
    }
    return volet;
}

test('Arrêter coupe une rafale : en moins de 0,5 s, et le volet est exact', { timeout: 600000 }, async () => {
    for (const { nom, avant, session, chrono, tot, refus: r = false } of CAS) {
        [refus, chargements] = [r, 0];
        const contexte = await navigateur.createBrowserContext();   // no recovery copy from the case before
        const page = await ouvrir(contexte, serveur.adresse);
        await coller(page, PROGRAMME);
        await pause(1000);   // the text given to the core, the standby ready
        await raccourci(page, 'e');   // Normale
        for (const touche of avant) {
            const debut = Date.now();
            await page.waitForFunction(() => window.trevane.occupe);
            await libre(page);
            await pause(tot ? 0 : 2 * (Date.now() - debut));   // the standby has caught up with the burst
            await raccourci(page, touche);
        }
        await page.waitForFunction(() => window.trevane.occupe);
        await pause(1000);
        refus = false;   // for the worker that replays the journal
        await (await element(page, 'Arrêter')).evaluate((bouton) => { window.t0 = performance.now(); bouton.click(); });
        const duree = await (await page.waitForFunction((t = performance.now() - window.t0) => !window.trevane.occupe &&
            window.trevane.lignesAffichage().slice(-2).join().includes('Exécution arrêtée') && Math.round(t),
        { polling: 5, timeout: 120000 })).jsonValue();
        const lignes = await page.evaluate(() => window.trevane.lignesAffichage());
        const attendues = voletSans(session);
        const i = lignes.findIndex((l, k) => l !== attendues[k]);
        assert.ok(lignes.length === attendues.length && i < 0,
            `${nom} : ligne ${i} : ${lignes[i]} / ${attendues[i]} (${lignes.length}/${attendues.length})`);
        assert.ok(!chrono || duree < 500, `${nom} : arrêtée en ${duree} ms`);
        console.log(`${nom} : arrêtée en ${duree} ms, volet exact`);
        await fermer(page);
        await contexte.close();
    }
});
