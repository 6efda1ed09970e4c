// node tests/web/session.mjs build-web/trevane-session.mjs
// Drives the web edition's session as a page would: open a file's bytes,
// run it normally and step by step, read the pane lines, the selected line,
// the menus, the Variables and trace rows, save, and start a new program.
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { resolve } from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';

const racine = resolve(new URL('../..', import.meta.url).pathname);
const adresse = pathToFileURL(resolve(process.argv[2]));
const fabrique = (await import(adresse.href)).default;
// Under Node the factory is told where the .wasm is.
const module = fabrique({ locateFile: (nom) => fileURLToPath(new URL(nom, adresse)) });
const octets = (chemin) => new Uint8Array(readFileSync(`${racine}/${chemin}`));
const attendu = (chemin) => readFileSync(`${racine}/${chemin}`, 'utf8').split('\n').slice(0, -1);

let verifications = 0;
function verifier(condition, message) {
    assert.ok(condition, message);
    verifications++;
}
function egaux(valeur, attendue) {
    assert.deepEqual(valeur, attendue);
    verifications++;
}

const s = new module.Session(20261208);
// At start-up: the reference text in the information mode, nothing to continue.
let e = s.etat();
verifier(e.affichage.remplace && e.affichage.lignes.length > 10, 'le texte de référence au démarrage');
verifier(e.menus.informations && !e.menus.resultats && !e.menus.poursuivre, 'les menus au démarrage');
verifier(e.editeur.texte.split('\n').length > 1, 'le modèle du nouveau programme');
verifier(e.variables.lignes.length === 0 && e.variables.raisonVide !== '', 'pas de variables avant une exécution');

// Open, then a normal run: the pane's lines are trevane-run's.
e = s.ouvrir('01-somme.txt', octets('exemples/01-somme.txt'));
verifier(e.editeur.texte.startsWith('# Somme des n premiers entiers\n'), 'le texte ouvert, décodé');
verifier(e.legendes.programme === '01-somme', `légende ${e.legendes.programme}`);
e = s.executer(false);
egaux(e.affichage.lignes, attendu('exemples/01-somme.attendu'));
verifier(e.affichage.remplace && e.menus.resultats && !e.menus.informations, 'le mode résultats');
verifier(e.variables.lignes.map((l) => l.nom).join() === 'n,k,s', 'les lignes de Variables');
verifier(e.variables.lignes[2].valeur === '5050' && e.variables.lignes[2].type === 'entier', 'une valeur');

// The commented run: one step each Poursuivre, the line selected, a trace row each step.
s.ouvrir('06-pgcd.txt', octets('exemples/06-pgcd.txt'));
e = s.executer(true);
verifier(e.menus.poursuivre && e.menus.arreter && e.editeur.lectureSeule, 'une exécution en attente');
verifier(e.selection !== null && e.selection.ligne === 7, `ligne sélectionnée ${e.selection && e.selection.ligne}`);
verifier(e.suivi.recommence && e.suivi.titres.includes('a'), 'les colonnes du suivi');
let lignesSuivi = e.suivi.lignes.length;
const pane = [...e.affichage.lignes];
for (let i = 0; i < 5; i++) {
    e = s.poursuivre();
    verifier(!e.suivi.recommence && e.suivi.lignes.length === 1, 'une ligne de suivi de plus par pas');
    lignesSuivi += e.suivi.lignes.length;
    pane.push(...e.affichage.lignes);
}
verifier(e.selection.ligne === 15, `ligne sélectionnée ${e.selection.ligne}`);
verifier(e.variables.lignes.find((l) => l.nom === 'a').valeur === '1071', 'a après les pas');
verifier(e.suivi.lignes[0].cellules[0] === String(lignesSuivi), 'le numéro du pas');
e = s.arreter();
verifier(!e.menus.poursuivre && !e.editeur.lectureSeule, 'arrêtée');

// A run-time error selects its line.
s.ouvrir('erreur_101.txt', octets('tests/programmes/erreur_101.txt'));
e = s.executer(false);
egaux(e.affichage.lignes, attendu('tests/programmes/erreur_101.attendu'));
verifier(e.selection.ligne === 2, 'la ligne de l\'erreur');

// Informations and back: the results come back as they were.
e = s.informations();
verifier(e.menus.informations && e.affichage.remplace, 'le texte de référence');
e = s.resultats();
egaux(e.affichage.lignes, attendu('tests/programmes/erreur_101.attendu'));

// Save under a new name: Windows-1252 with CR LF, the file's own bytes.
e = s.enregistrerSous('copie');
verifier(e.fichiersEcrits.length === 1 && e.fichiersEcrits[0].chemin === 'copie.txt', 'le fichier écrit');
egaux(e.fichiersEcrits[0].octets, octets('tests/programmes/erreur_101.txt'));
verifier(e.legendes.programme === 'copie', 'la légende suit le fichier');

// The user types a character outside ASCII, then New asks first (answered No, then Yes).
e = s.taper('Réel x\nAfficher "é"');
e = s.nouveau();
verifier(e.boites.length === 1 && e.boites[0].genre === 'confirmation', 'la question avant Nouveau');
verifier(e.editeur.texte === null, 'le texte gardé sur Non');
s.repondre(true);
e = s.nouveau();
verifier(e.editeur.texte !== null && e.legendes.programme !== 'copie', 'un nouveau programme sur Oui');
e = s.taper('Afficher "é"\nAfficher 1');
e = s.executer(false);
verifier(e.affichage.lignes[0] === ' é' && e.affichage.lignes[1] === '  1', `lignes ${e.affichage.lignes}`);
e = s.enregistrer('nouveau');
egaux([...e.fichiersEcrits[0].octets], [...Buffer.from('Afficher "\xe9"\r\nAfficher 1', 'latin1')]);

// What the page needs beyond the desktop's menus: the gutter marks, the
// examples, a kept text put back, the trace's export, the recovery question,
// the lines as bytes.
s.ouvrir('06-pgcd.txt', octets('exemples/06-pgcd.txt'));
e = s.exporterSuivi();
verifier(e.export === null && e.boites[0].texte === 'Aucun pas commenté à exporter', 'rien à exporter');
e = s.executer(true);
e = s.poursuivre();
egaux(e.marques, { executee: 8, suivante: 11, erreur: -1, pointsArret: [] });
e = s.exporterSuivi();
const csv = new TextDecoder('utf-8', { ignoreBOM: true }).decode(e.export.octets);
verifier(e.export.nom === '06-pgcd-suivi.csv' && csv.startsWith('\ufeff') && csv.split('\r\n').length === 4, csv);
s.arreter();
e = s.exemple(octets('exemples/01-somme.txt'));
verifier(e.editeur.texte.startsWith('# Somme') && !e.editeur.modifie && e.fichier === '', 'un exemple, sans fichier');
s.taper('Entier n\nn <- 1');
e = s.executer(false);
verifier(e.marques.erreur === 1 && e.marques.executee === -1, `marques ${JSON.stringify(e.marques)}`);
e = s.restaurer('Afficher "é"', 'cours/tri.txt');
verifier(e.editeur.texte === 'Afficher "é"' && e.editeur.modifie && e.legendes.programme === 'tri', 'un texte remis');
verifier(module.questionCopie('cours/tri.txt', 2026, 12, 8, 9, 5).includes('« tri »') &&
         module.questionCopie('', 0, 0, 0, 0, 0).includes('à une date inconnue'), 'la question de la copie');
s.formeLignes('octets');
e = s.executer(false);
const lignes = [...e.affichage.fins].map((fin, i, fins) => new TextDecoder().decode(e.affichage.octets.subarray(i ? fins[i - 1] : 0, fin)));
verifier(lignes.length === 3 && lignes[0] === ' é' && lignes[1].startsWith(' Exécution terminée'), `lignes ${lignes}`);

// Breakpoints, as the desktop's gutter and Exécution menu have them
// (tests/fenetre/test_points_arret.cpp): each command, then the marks
// [executee, suivante, erreur, discs], the states of Poursuivre, "Poursuivre
// jusqu'au prochain point d'arrêt" and "Pas précédent", the trace's rows,
// the pane's last line (undefined: not looked at).
s.formeLignes('tableau');
s.repondre(true);
s.nouveau();
s.taper('Entier i ; s\nDonner à i la valeur 1\n[boucle]\n\nDonner à s la valeur s + i\n' +
        'Donner à i la valeur i + 1\nAller à [boucle] si i <= 3\nAfficher s');
const arret5 = " Arrêt au point d'arrêt de la ligne 5.", arret6 = " Arrêt au point d'arrêt de la ligne 6.";
let volet = [], suivi = 0;
for (const [appel, marques, menus, lignesSuivi, derniere] of [
    // On a blank line: the disc moves to the instruction the run stops at.
    [() => s.basculerPointArret(3), [-1, -1, -1, [3]], [false, false, false], 0, undefined],
    [() => s.executer(false), [-1, 4, -1, [4]], [true, false, false], 0, arret5],
    [() => s.executer(true), [1, 4, -1, [4]], [true, true, true], 1, '  '],
    [() => s.basculerPointArret(7), [1, 4, -1, [4, 7]], [true, true, true], 1, '  '],
    [() => s.jusquAuPointArret(), [6, 4, -1, [4, 7]], [true, true, true], 4, arret5],
    [() => s.pasPrecedent(), [-1, 6, -1, [4, 7]], [true, true, true], 3, '  '],
    [() => s.basculerPointArret(4), [-1, 6, -1, [7]], [true, true, true], 3, '  '],
    [() => s.jusquAuCurseur(5), [4, 5, -1, [7]], [true, true, true], 5, arret6],
    [() => s.arreter(), [4, -1, -1, [7]], [false, false, false], 5, ' Nombre d\'instructions exécutées : 5'],
    [() => s.jusquAuCurseur(5), [-1, 5, -1, [7]], [true, false, false], 0, arret6],
    // An edit leaves the discs only; a new program, nothing.
    [() => s.arreter() && s.taper('Entier i\nAfficher i'), [-1, -1, -1, [7]], [false, false, false], 0, undefined],
    [() => { s.repondre(true); return s.nouveau(); }, [-1, -1, -1, []], [false, false, false], 0, undefined],
]) {
    const e = appel();
    volet = e.affichage.remplace ? e.affichage.lignes : [...volet, ...e.affichage.lignes];
    suivi = (e.suivi.recommence ? 0 : suivi) + e.suivi.lignes.length;
    const m = e.marques, n = e.menus;
    egaux([[m.executee, m.suivante, m.erreur, m.pointsArret], [n.poursuivre, n.jusquAuPointArret, n.pasPrecedent], suivi, derniere && volet.at(-1)],
          [marques, menus, lignesSuivi, derniere]);
}

s.delete();
console.log(`session : ${verifications} vérifications réussies`);
