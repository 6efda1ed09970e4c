// The page: the window's areas wired to the core, which runs in a worker
// (coeur.js). Every command goes to the core, then what it changed is drawn:
// the page decides nothing the desktop's core decides.
import { Annonces } from './annonces.js';
import { Boite } from './boite.js';
import { Coeur } from './coeur.js';
import { Editeur } from './editeur.js';
import * as fichiers from './fichiers.js';
import { BarreMenus, separateur } from './menus.js';
import { Panneaux } from './panneaux.js';
import { lienDe, longueurLienMax, texteDe } from './partage.js';
import { Recuperation } from './recuperation.js';
import { textes } from './textes.js';
import { Volet } from './volet.js';
import { Zoom } from './zoom.js';

const exemples = ['01-somme', '02-table', '03-factorielle', '04-maximum', '05-moyenne', '06-pgcd', '07-premiers',
                  '08-tri-bulles', '09-dichotomie', '10-binaire', '11-syracuse', '12-pascal', '13-pi-hasard'];

const $ = (id) => document.getElementById(id);
// The worker first: its core loads while the page builds the rest.
const coeur = new Coeur(new URL('travailleur.js', import.meta.url), {
    quandEtat: appliquer,
    // Read-only while the core works, as the desktop's editor is during a burst.
    quandOccupe: (occupe) => queueMicrotask(() => {
        document.body.classList.toggle('occupe', occupe);
        editeur.lectureSeule(occupe || (etat !== null && etat.editeur.lectureSeule));
        menus.etat(items.arreter, { actif: coeur.enExecution || (etat !== null && etat.menus.arreter) });
    }),
    quandEchec: (message) => boite.montrer('Trevane', textes.erreurInterne(message)),
});
const demarree = coeur.demarrer();

const boite = new Boite();
const annonces = new Annonces($('annonces'));
const volet = new Volet($('affichage'));
const recuperation = new Recuperation();
let etat = null;            // the core's last state: menus, captions, editor flags
let texteEnAttente = null;  // typed, not yet given to the core
let minuteurTape = null;
let lignesSuivi = 0;        // the trace's rows: Exporter le suivi needs one

const editeur = new Editeur($('editeur'), (texte) => {
    texteEnAttente = texte;
    clearTimeout(minuteurTape);
    minuteurTape = setTimeout(donnerTexte, 150);
    recuperation.noter(copieActuelle);
}, (ligne) => basculerPointArret(ligne));
performance.mark('trevane-editeur');   // typing works from here on
const panneaux = new Panneaux($('panneau-variables'), (ligne) => {
    const doc = editeur.vue.state.doc;
    if (ligne >= 0 && ligne < doc.lines)
        editeur.vue.dispatch({ selection: { anchor: doc.line(ligne + 1).from, head: doc.line(ligne + 1).to }, scrollIntoView: true });
});
function modifie() { return texteEnAttente !== null || (etat !== null && etat.editeur.modifie); }
function copieActuelle() { return modifie() ? { texte: editeur.texte(), fichier: etat ? etat.fichier : '' } : null; }

function donnerTexte() {
    clearTimeout(minuteurTape);
    if (texteEnAttente === null)
        return Promise.resolve();
    const texte = texteEnAttente;
    texteEnAttente = null;
    return coeur.envoyer('taper', texte);
}

// What a command changed, drawn.
function appliquer(e) {
    etat = e;
    volet.ajouter(e.affichage, e.menus.informations);
    if (e.editeur.texte !== null && texteEnAttente === null)
        editeur.remplacer(e.editeur.texte);
    editeur.lectureSeule(e.editeur.lectureSeule || coeur.enCours !== null);
    if (e.selection)
        editeur.selectionner(e.selection);
    editeur.marquer(e.marques);
    $('legende-programme').textContent = e.legendes.programme;
    $('legende-affichages').textContent = e.legendes.affichages;
    document.title = e.legendes.fenetre;
    $('note').textContent = e.note;
    $('affichage').setAttribute('aria-label', e.menus.informations ? 'Informations' : 'Résultats');
    menus.etat(items.poursuivre, { actif: e.menus.poursuivre });
    menus.etat(items.arreter, { actif: e.menus.arreter });
    menus.etat(items.informations, { coche: e.menus.informations });
    menus.etat(items.resultats, { coche: e.menus.resultats });
    menus.etat(items.jusquAuPointArret, { actif: e.menus.jusquAuPointArret });
    menus.etat(items.pasPrecedent, { actif: e.menus.pasPrecedent, description: e.menus.raisonPasPrecedent });
    lignesSuivi = (e.suivi.recommence ? 0 : lignesSuivi) + e.suivi.lignes.length;
    menus.etat(items.exporterSuivi, { actif: lignesSuivi > 0 });
    panneaux.appliquer(e);
    for (const { chemin, octets } of e.fichiersEcrits)
        fichiers.ecrire(chemin, octets).catch((erreur) =>
            boite.montrer('Trevane', textes.ecritureImpossible(chemin, erreur.message)));
    recuperation.noter(copieActuelle);
}

// The boxes a command showed; true when a question was answered Oui.
async function montrerBoites(e) {
    let oui = false;
    for (const b of (e && e.boites) || []) {
        if (b.genre === 'confirmation')
            oui = (await boite.montrer(b.legende, b.texte, [['oui', textes.boutons.oui], ['non', textes.boutons.non]])) === 'oui';
        else
            await boite.montrer(b.legende, b.texte);
    }
    return oui;
}

// A command that may ask first (New, Open...): on Oui, asked again with the answer given.
async function commande(nom, ...args) {
    await donnerTexte();
    const e = await coeur.envoyer(nom, ...args);
    if (await montrerBoites(e)) {
        await coeur.envoyer('repondre', true);
        return montrerBoites(await coeur.envoyer(nom, ...args));
    }
    return e;
}

async function ouvrir() {
    // The question first, the dialog (answered by nothing: cancelled) next.
    await donnerTexte();
    const e = await coeur.envoyer('ouvrir', '', new Uint8Array());
    const oui = await montrerBoites(e);
    if (e.boites.length && !oui)
        return;
    const fichier = await fichiers.choisirFichier();
    if (!fichier)
        return;
    if (oui)
        await coeur.envoyer('repondre', true);
    await montrerBoites(await coeur.envoyer('ouvrir', fichier.nom, fichier.octets));
}

async function enregistrerSous() {
    await donnerTexte();
    const propose = etat.fichier ? etat.fichier.split('/').pop() : 'programme.txt';
    let nom, handle = null;
    if (fichiers.enregistrementDirect) {
        handle = await fichiers.choisirEnregistrement(propose, 'txt');
        if (!handle)
            return;
        nom = handle.name;
    } else {
        const r = await boite.montrer(textes.enregistrerSous, '', [['ok', textes.boutons.ok], ['annuler', textes.boutons.annuler]],
                                      { etiquette: textes.nomFichier, valeur: propose });
        if (r.cle !== 'ok' || !r.valeur.trim())
            return;
        nom = r.valeur.trim();
    }
    if (handle)
        fichiers.retenir(nom.endsWith('.txt') ? nom : nom.replace(/\..*$/, '') + '.txt', handle);
    await commande('enregistrerSous', nom);
}

async function enregistrer() {
    await donnerTexte();
    if (etat.fichier && (fichiers.aUnFichier(etat.fichier) || !fichiers.enregistrementDirect)) {
        const e = await coeur.envoyer('enregistrer', '');
        await montrerBoites(e);
        if (e.fichiersEcrits.length)
            return;
    }
    await enregistrerSous();
}

async function exporterSuivi() {
    const e = await coeur.envoyer('exporterSuivi');
    await montrerBoites(e);
    if (!e.export)
        return;
    const handle = fichiers.enregistrementDirect ? await fichiers.choisirEnregistrement(e.export.nom, 'csv') : undefined;
    if (handle !== null)
        await fichiers.ecrire(e.export.nom, e.export.octets, handle, 'text/csv');
}

async function ouvrirExemple(nom) {
    const octets = new Uint8Array(await (await fetch(`exemples/${nom}.txt`)).arrayBuffer());
    await commande('exemple', octets);
}

async function partager() {
    const lien = await lienDe(location.href, editeur.texte());
    if (lien.length > longueurLienMax) {
        await boite.montrer('Partager le lien', textes.lienTropLong(lien.length, longueurLienMax));
        return;
    }
    window.trevane.dernierLien = lien;
    try {
        await navigator.clipboard.writeText(lien);
        $('note').textContent = `${textes.lienCopie} ${lien}`;
    } catch {
        $('note').textContent = `${textes.lienNonCopie} ${lien}`;
    }
}

// Run commands: the announcement afterwards says how the run stands.
async function executer(nom, ...args) {
    await donnerTexte();
    const e = nom === 'arreter' ? await coeur.arreter() : await coeur.envoyer(nom, ...args);
    if (!e)
        return;
    await montrerBoites(e);
    annoncer(e);
}

// A breakpoint toggled on the text as typed (the gutter, or F9 on the cursor's line).
async function basculerPointArret(ligne) {
    await donnerTexte();
    await coeur.envoyer('basculerPointArret', ligne);
}

function annoncer(e) {
    const n = volet.nombre;
    let texte;
    if (e.marques.erreur >= 0) {
        const message = n > 0 ? volet.ligne(n - 1).trim() : '';
        texte = textes.erreurLigne(e.marques.erreur + 1) + (message ? ` : ${message}` : '.');
    } else if (e.menus.poursuivre) {
        texte = e.marques.suivante >= 0 ? textes.suspendueLigne(e.marques.suivante + 1) : textes.suspendue;
    } else {
        texte = textes.terminee;
    }
    if (e.menus.poursuivre && n > 0)
        texte = `${volet.ligne(n - 1).trim()} ${texte}`;
    annonces.dire(texte);
}

// Edition: on the area that has the focus; nothing is pasted into the pane.
function dansVolet() { return $('affichage').contains(document.activeElement); }
function dansEditeur() { return editeur.vue.hasFocus; }
async function copier() {
    let texte = '';
    if (dansVolet())
        texte = volet.texteSelectionne();
    else if (dansEditeur())
        texte = editeur.vue.state.selection.ranges.map((r) => editeur.vue.state.sliceDoc(r.from, r.to)).join('\n');
    if (texte)
        await navigator.clipboard.writeText(texte).catch(() => {});
}
async function coller() {
    if (!dansEditeur() || editeur.vue.state.readOnly)
        return;
    const texte = await navigator.clipboard.readText().catch(() => '');
    if (texte)
        editeur.vue.dispatch(editeur.vue.state.replaceSelection(texte), { userEvent: 'input.paste' });
}
function selectionnerTout() {
    if (dansVolet())
        volet.selectionnerTout();
    else if (dansEditeur())
        editeur.vue.dispatch({ selection: { anchor: 0, head: editeur.vue.state.doc.length } });
}

const zoom = new Zoom([editeur, volet, { taillePolice: (p) => { $('panneau-variables').style.fontSize = `${p}pt`; } }]);

const items = {
    poursuivre: { legende: '&Poursuivre (ctrl Q)', touches: 'Control+Q F8', action: () => executer('poursuivre') },
    arreter: { legende: 'A&rrêter', action: () => executer('arreter') },
    // The browser keeps Ctrl+Shift+Q (it quits): Shift+F8 too, beside F8 for Poursuivre.
    jusquAuPointArret: { legende: "Poursuivre &jusqu'au prochain point d'arrêt", raccourci: 'F5', touches: 'F5',
                         action: () => executer('jusquAuPointArret') },
    pasPrecedent: { legende: 'Pas &précédent', raccourci: 'Ctrl+Shift+Q', touches: 'Control+Shift+Q Shift+F8',
                    action: () => executer('pasPrecedent') },
    informations: { legende: '&Informations', coche: true, action: () => commande('informations') },
    resultats: { legende: 'Résultats', coche: false, action: () => commande('resultats') },
    variables: { legende: 'Variables', coche: false, action: () => basculerVariables() },
    exporterSuivi: { legende: 'Ex&porter le suivi…', action: exporterSuivi },
    chasseFixe: { legende: 'Police à &chasse fixe', coche: false, action: () => menus.etat(items.chasseFixe, { coche: zoom.basculerChasseFixe() }) },
    presentation: { legende: '&Mode présentation', raccourci: 'F11', touches: 'F11', coche: false, action: () => basculerPresentation() },
};

function basculerVariables() {
    panneaux.montrer(!panneaux.visible);
    menus.etat(items.variables, { coche: panneaux.visible });
}

function basculerPresentation() {
    const actif = document.body.classList.toggle('presentation');
    menus.etat(items.presentation, { coche: actif });
    zoom.presentation(actif);
    if (actif && document.documentElement.requestFullscreen)
        document.documentElement.requestFullscreen().catch(() => {});
    else if (!actif && document.fullscreenElement)
        document.exitFullscreen().catch(() => {});
}

const menus = new BarreMenus($('barre'));
menus.ajouter({ legende: '&Fichier', sousMenu: [
    { legende: '&Nouveau', action: () => commande('nouveau') },
    { legende: '&Ouvrir', action: ouvrir },
    { legende: 'E&xemples', sousMenu: exemples.map((nom) => ({ legende: nom, action: () => ouvrirExemple(nom) })) },
    { legende: '&Enregistrer', raccourci: 'Ctrl+S', touches: 'Control+S', action: enregistrer },
    { legende: 'Enregistrer &sous', action: enregistrerSous },
    items.exporterSuivi,
    { legende: 'Partager le &lien', action: partager },
] });
menus.ajouter({ legende: '&Edition', sousMenu: [
    { legende: '&Copier', raccourci: 'Ctrl+C', touches: 'Control+C', action: copier },
    { legende: 'C&oller', raccourci: 'Ctrl+V', touches: 'Control+V', action: coller },
    { legende: '&Sélectionner tout', raccourci: 'Ctrl+A', touches: 'Control+A', action: selectionnerTout },
] });
menus.ajouter({ legende: '&Affichage', sousMenu: [
    items.informations, items.resultats, items.variables,
    { legende: '&A propos', action: () => boite.montrer('Trevane', textes.aPropos) },
    separateur,
    { legende: 'A&grandir le texte', raccourci: 'Ctrl++', touches: 'Control++', action: () => zoom.agrandir() },
    { legende: 'Ré&duire le texte', raccourci: 'Ctrl+-', touches: 'Control+-', action: () => zoom.reduire() },
    { legende: '&Taille normale du texte', raccourci: 'Ctrl+0', touches: 'Control+0', action: () => zoom.retablir() },
    items.chasseFixe,
    separateur,
    items.presentation,
] });
menus.ajouter({ legende: 'E&xécution', sousMenu: [
    { legende: '&Normale', raccourci: 'Ctrl+E', touches: 'Control+E', action: () => executer('executer', false) },
    { legende: '&Commentée pas à pas', action: () => executer('executer', true) },
    separateur,
    { legende: "Point d'&arrêt", raccourci: 'F9', touches: 'F9', action: () => basculerPointArret(editeur.ligneCurseur()) },
    items.jusquAuPointArret,
    { legende: "Exécuter jusqu'au c&urseur", raccourci: 'F4', touches: 'F4', action: () => executer('jusquAuCurseur', editeur.ligneCurseur()) },
    items.pasPrecedent,
] });
menus.ajouter(items.poursuivre);
menus.ajouter(items.arreter);
menus.etat(items.poursuivre, { actif: false });
menus.etat(items.arreter, { actif: false });
menus.etat(items.jusquAuPointArret, { actif: false });
menus.etat(items.pasPrecedent, { actif: false });

// Shortcuts, where the browser lets them through (Ctrl+Q: also F8).
const raccourcis = {
    'Ctrl+s': enregistrer, 'Ctrl+e': () => executer('executer', false),
    'Ctrl+q': () => menus.actif(items.poursuivre) && executer('poursuivre'),
    F8: () => menus.actif(items.poursuivre) && executer('poursuivre'),
    F9: () => basculerPointArret(editeur.ligneCurseur()),
    F5: () => menus.actif(items.jusquAuPointArret) && executer('jusquAuPointArret'),
    F4: () => executer('jusquAuCurseur', editeur.ligneCurseur()),
    'Ctrl+Shift+q': () => menus.actif(items.pasPrecedent) && executer('pasPrecedent'),
    'Shift+F8': () => menus.actif(items.pasPrecedent) && executer('pasPrecedent'),
    'Ctrl+=': () => zoom.agrandir(), 'Ctrl++': () => zoom.agrandir(), 'Ctrl+-': () => zoom.reduire(),
    'Ctrl+0': () => zoom.retablir(), F11: basculerPresentation,
    F10: () => menus.basculer(), F6: () => cycler(1), 'Shift+F6': () => cycler(-1),
};
let altSeul = false;
document.addEventListener('keydown', (e) => {
    altSeul = e.key === 'Alt';
    if (boite.ouverte)
        return;
    // Shift counts with a named key, or a letter with Ctrl (not Ctrl++, typed with Shift).
    const shift = e.shiftKey && (e.key.length > 1 || ((e.ctrlKey || e.metaKey) && /^[a-z]$/i.test(e.key)));
    const cle = `${e.ctrlKey || e.metaKey ? 'Ctrl+' : ''}${shift ? 'Shift+' : ''}${e.key.length === 1 ? e.key.toLowerCase() : e.key}`;
    const action = raccourcis[cle];
    if (action) {
        e.preventDefault();
        action();
    } else if (cle === 'Escape' && document.body.classList.contains('presentation')) {
        basculerPresentation();
    }
}, true);
document.addEventListener('keyup', (e) => {
    if (e.key === 'Alt' && altSeul && !boite.ouverte) {
        e.preventDefault();
        menus.basculer();
    }
    altSeul = false;
});

// F6: the editor, the pane, the Variables panel when shown.
function cycler(pas) {
    const zones = [editeur.vue.contentDOM, $('affichage')];
    if (panneaux.visible)
        zones.push($('page-variables').hidden ? $('page-suivi') : $('page-variables'));
    const ici = zones.findIndex((z) => z.contains(document.activeElement));
    zones[(ici + pas + zones.length) % zones.length].focus();
}

// The blue separator: dragged, or moved by the arrows.
function placerSeparation(largeur) {
    const l = Math.max(200, Math.min(largeur, document.body.clientWidth - 204));
    document.documentElement.style.setProperty('--largeur-programme', `${l}px`);
    $('separateur').setAttribute('aria-valuenow', String(Math.round(l)));
}
$('separateur').addEventListener('pointerdown', (e) => {
    const s = e.currentTarget;
    s.setPointerCapture(e.pointerId);
    s.onpointermove = (m) => placerSeparation(m.clientX);
    s.onpointerup = () => { s.onpointermove = null; };
});
$('separateur').addEventListener('keydown', (e) => {
    const pas = { ArrowLeft: -20, ArrowRight: 20 }[e.key];
    if (pas) {
        e.preventDefault();
        placerSeparation($('colonne-programme').getBoundingClientRect().width + pas);
    }
});

fichiers.surDepot(document.body, (f) => commande('charger', f.nom, f.octets));
window.addEventListener('beforeunload', (e) => {
    if (modifie()) {
        e.preventDefault();
        e.returnValue = '';
    }
});

// The recovery offers first, then a shared link's program (asked about if
// a copy was restored).
async function demarrage() {
    let restauree = false;
    for (const copie of await recuperation.laissees()) {
        const date = new Date(copie.date);
        const quand = Number.isNaN(date.getTime()) ? [0, 0, 0, 0, 0]
            : [date.getFullYear(), date.getMonth() + 1, date.getDate(), date.getHours(), date.getMinutes()];
        const question = await coeur.envoyer('questionCopie', copie.fichier || '', ...quand);
        const choix = await boite.montrer('Trevane', question,
                                          [['oui', textes.boutons.oui], ['non', textes.boutons.non], ['supprimer', textes.boutons.supprimer]]);
        if (choix === 'supprimer')
            recuperation.supprimer(copie.cle);
        if (choix === 'oui') {
            await coeur.envoyer('restaurer', copie.texte, copie.fichier || '');
            recuperation.adopter(copie);
            restauree = true;
            break;
        }
    }
    if (location.hash) {
        const texte = await texteDe(location.hash);
        history.replaceState(null, '', location.pathname + location.search);
        if (texte === null)
            await boite.montrer('Partager le lien', textes.lienAbime);
        else if (!restauree || (await boite.montrer('Partager le lien', textes.lienSurCopie,
                                                    [['oui', textes.boutons.oui], ['non', textes.boutons.non]])) === 'oui')
            await coeur.envoyer('restaurer', texte, '');
    }
}

// Ready once the start-up is drawn and a shared link loaded, or as soon as
// a box asks something.
const boiteMontree = new Promise((resolu) => { boite.quandMontree = resolu; });
window.trevane = {
    dernierLien: null,
    lignesAffichage: () => volet.toutes(),
    texte: () => editeur.texte(),
    get occupe() { return coeur.occupe; },
    pret: demarree.then((e) => {
        appliquer(e);
        return Promise.race([demarrage(), boiteMontree]);
    }).then(() => new Promise((resolu) => requestAnimationFrame(() => {
        performance.mark('trevane-pret');
        resolu();
    }))),
};

if ('serviceWorker' in navigator && location.protocol !== 'file:')
    navigator.serviceWorker.register('sw.js').catch(() => {});
