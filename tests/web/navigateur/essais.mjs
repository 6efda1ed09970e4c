// The web edition in Chromium headless, used as a learner uses it: menus by
// their accessible names, the keyboard, files in and out. Run by lancer.sh.
import assert from 'node:assert/strict';
import { mkdirSync, mkdtempSync, readdirSync, readFileSync, rmSync, statSync } from 'node:fs';
import { join } from 'node:path';
import { after, before, test as essai } from 'node:test';
import {
    attendreLignes, attribut, coller, decoder, element, encoder, exemple, fermer, lancerNavigateur, lignesMarquees,
    ligneSelectionnee, menu, natif, natifFichier, ouvrir, ouvrirExemple, raccourci, racine, repondre, servir, site, taper, temp,
    texte,
} from './banc.mjs';

let navigateur, serveur;
before(async () => {
    serveur = await servir();
    navigateur = await lancerNavigateur();
});
after(async () => {
    await navigateur?.fermer();
    await serveur?.fermer();
    rmSync(temp, { recursive: true, force: true });
});

// Each test in a context of its own (its own storage), closed whatever happens.
async function dansContexte(corps, options = {}) {
    const contexte = await navigateur.createBrowserContext(options);
    try {
        await corps(contexte);
    } finally {
        await contexte.close();
    }
}

const test = (nom, corps) => essai(nom, { timeout: 120000 }, corps);
const EXEMPLES = readdirSync(`${racine}/exemples`).filter((n) => n.endsWith('.txt')).map((n) => n.slice(0, -4));
const PGCD = `${racine}/exemples/06-pgcd.txt`;
const pause = (ms) => new Promise((fin) => setTimeout(fin, ms));
const visible = (page, selecteur) => page.$eval(selecteur, (n) => n.checkVisibility());

test('exécution normale : le volet montre les lignes de trevane-run', async () => {
    await dansContexte(async (contexte) => {
        const page = await ouvrir(contexte, serveur.adresse);
        // 13-pi-hasard draws at random from a seed trevane-run cannot share.
        for (const nom of EXEMPLES.filter((n) => n !== '13-pi-hasard')) {
            await ouvrirExemple(page, nom);
            await menu(page, 'Exécution', 'Normale');
            await attendreLignes(page, natifFichier(`${racine}/exemples/${nom}.txt`).lignes);
        }
        const programme = 'Entier i\nRéel x\nDonner à i la valeur 0\n[Boucle]\nDonner à i la valeur i + 1\n' +
            'Donner à x la valeur i / 3\nAfficher "élève" ; i ; x\nAller à [Boucle] si i < 4';
        await taper(page, programme);
        await menu(page, 'Exécution', 'Normale');
        await attendreLignes(page, natif(programme).lignes);
        await fermer(page);
    });
});

test('exécution commentée : marques, Variables, Suivi, Poursuivre et Arrêter', async () => {
    await dansContexte(async (contexte) => {
        const page = await ouvrir(contexte, serveur.adresse);
        await ouvrirExemple(page, '06-pgcd');
        await menu(page, 'Affichage', 'Variables');
        assert.ok(await visible(page, '#variables'), 'le panneau Variables');
        assert.equal(await attribut(page, 'Poursuivre (ctrl Q)', 'aria-disabled'), 'true');
        await menu(page, 'Exécution', 'Commentée pas à pas');
        // trevane-run selects (from 0) the line each step executes; the next
        // step's is the line marked as next.
        const pas = (n) => natifFichier(PGCD, ['--pas-a-pas', '--poursuivre', String(n)]);
        for (let n = 0; n <= 6; n++) {
            const attendu = pas(n);
            const executee = attendu.selections.at(-1) + 1;
            await attendreLignes(page, attendu.lignes);
            assert.equal(await ligneSelectionnee(page), executee);
            assert.deepEqual(await lignesMarquees(page, 'marque-executee'), [{ ligne: executee, signe: true }]);
            assert.deepEqual(await lignesMarquees(page, 'marque-suivante'),
                [{ ligne: pas(n + 1).selections.at(-1) + 1, signe: true }]);
            assert.equal(await attribut(page, 'Arrêter', 'aria-disabled'), 'false');
            if (n === 0) {
                await page.click('#editeur .cm-content');
                await page.keyboard.type('x');
                assert.equal(await texte(page), decoder(exemple('06-pgcd')), 'le texte en lecture seule');
            }
            if (n === 6) break;
            // Poursuivre by the bar and by its shortcut, in turn.
            if (n % 2) await menu(page, 'Poursuivre (ctrl Q)');
            else await raccourci(page, 'q');
        }
        const cellules = (table) => page.$$eval(`${table} tr`, (rangs) => rangs.map((r) => [...r.cells].map((c) => c.textContent.trim())));
        const variables = await cellules('#variables');
        for (const [nom, valeur] of [['a', '1071'], ['b', '462'], ['r', '147']]) {
            assert.ok(variables.some((r) => r[0] === nom && r.includes(valeur)), `${nom} = ${valeur} dans ${JSON.stringify(variables)}`);
        }
        assert.deepEqual((await cellules('#suivi')).filter((r) => /^\d+$/.test(r[0])).map((r) => r[0]), ['1', '2', '3', '4', '5', '6', '7']);
        await menu(page, 'Arrêter');
        await page.waitForFunction(() => !window.trevane.occupe);
        assert.equal(await attribut(page, 'Poursuivre (ctrl Q)', 'aria-disabled'), 'true');
        await taper(page, 'Afficher 1');
        await fermer(page);
    });
});

test('une erreur sélectionne sa ligne et la marque', async () => {
    const ERREURS = [
        'Entier i\nDonner à i la valeur 1\nAfficher i +\nAfficher i',
        'Entier i\nDonner à j la valeur 1\nAfficher i',
        'Entier i\nAfficher i\nAller à [Fin]',
        'Entier i\nDonner à i la valeur 0\nAfficher quot(1, i)',
    ];
    await dansContexte(async (contexte) => {
        const page = await ouvrir(contexte, serveur.adresse);
        for (const programme of ERREURS) {
            const attendu = natif(programme);
            assert.ok(attendu.statut === 1 || attendu.statut === 2, programme);
            const ligne = attendu.selections.at(-1) + 1;
            await coller(page, programme);
            await menu(page, 'Exécution', 'Normale');
            await attendreLignes(page, attendu.lignes);
            assert.equal(await ligneSelectionnee(page), ligne, programme);
            assert.deepEqual(await lignesMarquees(page, 'marque-erreur'), [{ ligne, signe: true }], programme);
        }
        await fermer(page);
    });
});

test('une longue exécution laisse la page vivante ; Arrêter répond en moins de 0,5 s', async () => {
    await dansContexte(async (contexte) => {
        const page = await ouvrir(contexte, serveur.adresse);
        await page.evaluate(() => { window.tic = 0; setInterval(() => window.tic++, 50); });
        // The page's own timer ticks on while the worker works: half its ticks at least.
        const vivante = async (quoi, corps) => {
            const [t0, tic0] = [Date.now(), await page.evaluate(() => window.tic)];
            const resultat = await corps();
            const tops = await page.evaluate(() => window.tic) - tic0, attendus = Math.round((Date.now() - t0) / 50);
            assert.ok(tops >= attendus / 2, `${quoi} : ${tops} tops de 50 ms sur ${attendus}`);
            return resultat;
        };
        const boucle = (fin) => `Entier i\n[Boucle]\nDonner à i la valeur i + 1\nAfficher i\nAller à [Boucle] si ${fin}`;
        const durees = [];
        // Stopped in a fresh session, then once a long run is in its history.
        for (const avant of [null, boucle('i < 300000')]) {
            if (avant) {
                await coller(page, avant);
                // Timed until the page has the lines, before reading them all (which is the test's own work).
                await vivante('300000 lignes', async () => {
                    await menu(page, 'Exécution', 'Normale');
                    await page.waitForFunction(() => window.trevane.occupe);
                    await page.waitForFunction(() => !window.trevane.occupe, { timeout: 60000 });
                });
                await attendreLignes(page, natif(avant).lignes);
                const dessinees = await page.$$eval('#affichage .ligne', (l) => l.length);
                assert.ok(dessinees > 0 && dessinees < 300, `${dessinees} lignes dessinées`);
            }
            await coller(page, boucle('i > 0'));
            await menu(page, 'Exécution', 'Normale');
            await page.waitForFunction(() => window.trevane.occupe);
            assert.equal(await attribut(page, 'Arrêter', 'aria-disabled'), 'false', 'Arrêter pendant l\'exécution');
            const arreter = await element(page, 'Arrêter');
            durees.push(await vivante('Arrêter', () => pause(300).then(() => arreter.evaluate(async (bouton) => {
                const t0 = performance.now();
                bouton.click();
                while (window.trevane.occupe) await new Promise((fin) => setTimeout(fin, 5));
                return Math.round(performance.now() - t0);
            }))));
            assert.equal(await attribut(page, 'Arrêter', 'aria-disabled'), 'true');
        }
        assert.ok(Math.max(...durees) < 500, `Arrêter en ${durees.join(' puis ')} ms`);
        // The next run is as any other.
        const programme = 'Entier i\nDonner à i la valeur 7\nAfficher i * 6';
        await coller(page, programme);
        await menu(page, 'Exécution', 'Normale');
        await attendreLignes(page, natif(programme).lignes);
        await fermer(page);
    });
});

test('ouvrir et enregistrer : les octets du fichier, Windows-1252 et CR LF', async () => {
    const original = `${racine}/tests/programmes/lecture_windows1252.txt`;
    const octets = readFileSync(original);
    // Where the File System Access API is, a picker that keeps what is written;
    // where it is not, the download.
    const VOIES = {
        selecteur: () => {
            window.ecrits = [];
            window.showSaveFilePicker = async (options) => ({
                kind: 'file', name: options?.suggestedName,
                createWritable: async () => {
                    const ecrit = { nom: options?.suggestedName, parties: [] };
                    return {
                        write: async (d) => ecrit.parties.push(d?.type === 'write' ? d.data : d),
                        close: async () => window.ecrits.push(ecrit),
                    };
                },
            });
        },
        telechargement: () => { delete Window.prototype.showSaveFilePicker; delete window.showSaveFilePicker; },
    };
    for (const [voie, preparer] of Object.entries(VOIES)) {
        const dossier = mkdtempSync(join(temp, voie));
        await dansContexte(async (contexte) => {
            const page = await ouvrir(contexte, serveur.adresse, undefined, preparer);
            let ecrits = 0;
            const vus = new Map();   // a download of the same name replaces the file
            const enregistre = async () => {
                if (voie === 'selecteur') {
                    await page.waitForFunction((n) => window.ecrits.length > n, {}, ecrits);
                    const { nom, donnees } = await page.evaluate(async (n) => ({
                        nom: window.ecrits[n].nom,
                        donnees: [...new Uint8Array(await new Blob(window.ecrits[n].parties).arrayBuffer())],
                    }), ecrits++);
                    return { nom, octets: Buffer.from(donnees) };
                }
                for (let t = 0; t < 100; t++, await pause(100)) {
                    const nom = readdirSync(dossier).find((f) => !f.endsWith('.crdownload') &&
                        vus.get(f) !== statSync(join(dossier, f)).mtimeMs);
                    if (nom) {
                        vus.set(nom, statSync(join(dossier, nom)).mtimeMs);
                        return { nom, octets: readFileSync(join(dossier, nom)) };
                    }
                }
                assert.fail('aucun fichier téléchargé');
            };
            // Open by Ouvrir, then by a drop on the window.
            const [selecteur] = await Promise.all([page.waitForFileChooser(), menu(page, 'Fichier', 'Ouvrir')]);
            await selecteur.accept([original]);
            await page.waitForFunction(() => document.querySelector('#legende-programme').textContent.includes('lecture_windows1252'));
            assert.equal(await texte(page), decoder(octets));
            await menu(page, 'Fichier', 'Enregistrer sous');
            // Without a save dialog, the page asks the name itself.
            if (voie === 'telechargement') await repondre(page, 'OK');
            assert.deepEqual(await enregistre(), { nom: 'lecture_windows1252.txt', octets }, voie);
            const programme = 'Afficher "Œuvre à 50 €"\nAfficher 1';
            await taper(page, programme);
            await menu(page, 'Fichier', 'Enregistrer');
            assert.deepEqual((await enregistre()).octets, encoder(programme), voie);

            await page.$eval('#affichage', (zone, donnees) => {
                const transfert = new DataTransfer();
                transfert.items.add(new File([new Uint8Array(donnees)], 'depose.txt'));
                for (const genre of ['dragenter', 'dragover', 'drop']) {
                    zone.dispatchEvent(new DragEvent(genre, { dataTransfer: transfert, bubbles: true, cancelable: true }));
                }
            }, [...exemple('08-tri-bulles')]);
            await page.waitForFunction(() => document.querySelector('#legende-programme').textContent.includes('depose'));
            assert.equal(await texte(page), decoder(exemple('08-tri-bulles')));
            await fermer(page);
        }, { downloadBehavior: { policy: 'allow', downloadPath: dossier } });
    }
});

test('partager le lien : le texte revient ailleurs ; trop long, une boîte le dit', async () => {
    await dansContexte(async (contexte) => {
        await contexte.overridePermissions(new URL(serveur.adresse).origin, ['clipboard-read', 'clipboard-write', 'clipboard-sanitized-write']);
        const page = await ouvrir(contexte, serveur.adresse);
        await ouvrirExemple(page, '12-pascal');
        await menu(page, 'Fichier', 'Partager le lien');
        const lien = await page.waitForFunction(() => window.trevane.dernierLien).then((h) => h.jsonValue());
        assert.ok(lien.startsWith(serveur.adresse), lien);
        await page.bringToFront();
        assert.equal(await page.evaluate(() => navigator.clipboard.readText()), lien);
        assert.ok((await page.$eval('#note', (n) => n.textContent)).includes(lien), 'le lien dans la note');
        // Pseudo-random text that no compression can bring into a link.
        let graine = 1;
        const mot = () => Array.from({ length: 8 }, () => String.fromCharCode(97 + ((graine = (graine * 48271) % 2147483647) % 26))).join('');
        await coller(page, Array.from({ length: 1000 }, () => `# ${mot()} ${mot()}`).join('\n') + '\nAfficher 1');
        await menu(page, 'Fichier', 'Partager le lien');
        assert.ok((await repondre(page, 'OK')).length > 0, 'la boîte du lien trop long');
        assert.equal(await page.evaluate(() => window.trevane.dernierLien), lien);
        await fermer(page);

        await dansContexte(async (autre) => {
            const suite = await ouvrir(autre, lien);
            assert.equal(await texte(suite), decoder(exemple('12-pascal')));
            await menu(suite, 'Exécution', 'Normale');
            await attendreLignes(suite, natifFichier(`${racine}/exemples/12-pascal.txt`).lignes);
            await fermer(suite);
        });
    });
});

test('hors ligne : la page revient de son cache et fonctionne', async () => {
    // A server of its own, closed once the page is installed.
    const local = await servir();
    const contexte = navigateur.defaultBrowserContext();
    let page = await ouvrir(contexte, local.adresse);
    await page.evaluate(() => navigator.serviceWorker.ready);
    await page.reload();
    await page.evaluate(() => window.trevane.pret);
    assert.ok(await page.evaluate(() => navigator.serviceWorker.controller !== null), 'la page sous son service worker');
    await local.fermer();
    await page.setOfflineMode(true);
    await page.reload();
    await page.evaluate(() => window.trevane.pret);
    await ouvrirExemple(page, '03-factorielle');
    await menu(page, 'Exécution', 'Normale');
    await attendreLignes(page, natifFichier(`${racine}/exemples/03-factorielle.txt`).lignes);
    await fermer(page);
});

test('reprise après la fermeture de l\'onglet : Non, Oui, Supprimer la copie', async () => {
    // The same profile, as the learner's browser after the tab was closed.
    const contexte = navigateur.defaultBrowserContext();
    const programme = 'Entier n\nDonner à n la valeur 41\nAfficher n + 1';
    let page = await ouvrir(contexte, serveur.adresse);
    const modele = await texte(page);
    await taper(page, programme);
    await pause(1000);
    await fermer(page);
    const REPONSES = [['Non', modele], ['Oui', programme], ['Supprimer la copie', modele], [null, modele]];
    for (const [reponse, attendu] of REPONSES) {
        page = await ouvrir(contexte, serveur.adresse);
        if (reponse) await repondre(page, reponse);
        else assert.equal(await pause(500).then(() => page.$('dialog#boite[open]')), null, 'plus rien à reprendre');
        assert.equal(await texte(page), attendu, `après ${reponse}`);
        await fermer(page);
    }
});

test('accessibilité : axe ne trouve rien à redire', async () => {
    const axe = `${racine}/node_modules/axe-core/axe.min.js`;
    await dansContexte(async (contexte) => {
        const page = await ouvrir(contexte, serveur.adresse);
        await page.addScriptTag({ path: axe });
        const ETATS = [
            ['le texte de référence au démarrage', () => {}],
            ['le menu Fichier ouvert', () => menu(page, 'Fichier')],
            ['le sous-menu Exemples ouvert', () => menu(page, 'Exemples')],
            ['le menu Affichage ouvert', () => page.keyboard.press('Escape').then(() => menu(page, 'Affichage'))],
            ['une exécution commentée, Variables affiché', async () => {
                await page.keyboard.press('Escape');
                await ouvrirExemple(page, '06-pgcd');
                await menu(page, 'Affichage', 'Variables');
                await menu(page, 'Exécution', 'Commentée pas à pas');
                await menu(page, 'Poursuivre (ctrl Q)');
            }],
            ['une erreur marquée', async () => {
                await menu(page, 'Arrêter');
                await coller(page, 'Entier i\nAfficher j');
                await menu(page, 'Exécution', 'Normale');
            }],
            ['la question avant Nouveau', () => menu(page, 'Fichier', 'Nouveau')],
        ];
        const violations = {};
        for (const [etat, action] of ETATS) {
            await action();
            await page.waitForFunction(() => !window.trevane.occupe);
            const trouvees = await page.evaluate(async () => (await window.axe.run(document, { runOnly: [
                'wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa', 'wcag22aa'] }))
                .violations.map((v) => `${v.id} : ${v.nodes.map((n) => n.target.join(' ')).join(', ')}`));
            if (trouvees.length) violations[etat] = trouvees;
        }
        assert.deepEqual(violations, {});
        await fermer(page);
    });
});

test('petits écrans et zoom 200 % : les commandes restent visibles ; captures', async () => {
    const captures = `${site}/../captures`;
    mkdirSync(captures, { recursive: true });
    const TAILLES = [
        ['1280x800', { width: 1280, height: 800 }],
        ['768x1024', { width: 768, height: 1024 }],
        ['zoom200', { width: 640, height: 400, deviceScaleFactor: 2 }],
    ];
    const COMMANDES = ['Fichier', 'Edition', 'Exécution', 'Affichage', 'Poursuivre (ctrl Q)', 'Arrêter'];
    await dansContexte(async (contexte) => {
        for (const [nom, taille] of TAILLES) {
            const page = await ouvrir(contexte, serveur.adresse, taille);
            const hors = [];
            for (const commande of COMMANDES) {
                const b = await (await element(page, commande)).boundingBox();
                if (!b || b.x < 0 || b.y < 0 || b.x + b.width > taille.width || b.width === 0) hors.push(commande);
            }
            for (const zone of ['#editeur', '#affichage']) {
                const b = await page.$eval(zone, (n) => { n.scrollIntoView(); const r = n.getBoundingClientRect(); return [r.left, r.right, r.height]; });
                if (b[0] < 0 || b[1] > taille.width || b[2] < 40) hors.push(zone);
            }
            assert.deepEqual(hors, [], `${nom} : hors de la vue`);
            assert.ok(await page.evaluate(() => document.documentElement.scrollWidth <= innerWidth), `${nom} : défilement horizontal`);
            if (nom !== 'zoom200') {
                await page.screenshot({ path: `${captures}/${nom}-demarrage.png` });
                await menu(page, 'Fichier', 'Exemples');
                await page.screenshot({ path: `${captures}/${nom}-menus.png` });
                await menu(page, '06-pgcd');
                await menu(page, 'Affichage', 'Variables');
                await menu(page, 'Exécution', 'Commentée pas à pas');
                for (let n = 0; n < 3; n++) await menu(page, 'Poursuivre (ctrl Q)');
                await page.waitForFunction(() => !window.trevane.occupe);
                await page.screenshot({ path: `${captures}/${nom}-commentee.png` });
            }
            await fermer(page);
        }
    });
});
