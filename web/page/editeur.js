// The program editor: CodeMirror 6 with the line numbers, the gutter marks
// of the last run command (the line just executed, the next one, an error's
// line: each with a sign as well as a colour), the breakpoint discs (a click
// in the gutter asks to toggle one), Tab inserting blanks up to the next
// stop, read-only while the core says so. Any change clears the run's
// marks, as on the desktop; the discs stay on their line numbers.
import { EditorSelection, EditorState, StateEffect, StateField, Compartment, RangeSet, Transaction } from '@codemirror/state';
import { EditorView, keymap, lineNumbers, gutter, GutterMarker, drawSelection, highlightActiveLine,
         highlightSpecialChars } from '@codemirror/view';
import { defaultKeymap, history, historyKeymap } from '@codemirror/commands';

const largeurTabulation = 4;   // as the core's decoder replaces tabs

class Marque extends GutterMarker {
    constructor(genre, signe, nom) {
        super();
        this.genre = genre;
        this.signe = signe;
        this.nom = nom;
    }
    eq(autre) { return autre.genre === this.genre; }
    toDOM() {
        const element = document.createElement('span');
        element.className = `marque-${this.genre}`;
        element.textContent = this.signe;
        element.title = this.nom;
        return element;
    }
}
const marques = {
    executee: new Marque('executee', '✓', 'ligne exécutée'),
    suivante: new Marque('suivante', '➜', 'prochaine ligne'),
    erreur: new Marque('erreur', '✗', 'erreur'),
};

const espace = new Marque('espace', '➜', '');   // the gutter's width, never shown
const disque = new Marque('arret', '●', "point d'arrêt");

// The discs' lines (from 0) and their markers for the text as it is now.
function disques(lignes, doc) {
    return RangeSet.of(lignes.filter((l) => l < doc.lines).map((l) => disque.range(doc.line(l + 1).from)));
}
const fixerArrets = StateEffect.define();
const champArrets = StateField.define({
    create: () => ({ lignes: [], marqueurs: RangeSet.empty }),
    update(valeur, tr) {
        for (const effet of tr.effects)
            if (effet.is(fixerArrets))
                return { lignes: effet.value, marqueurs: disques(effet.value, tr.state.doc) };
        return tr.docChanged ? { lignes: valeur.lignes, marqueurs: disques(valeur.lignes, tr.state.doc) } : valeur;
    },
});

const fixerMarques = StateEffect.define();
const champMarques = StateField.define({
    create: () => RangeSet.empty,
    update(valeur, tr) {
        for (const effet of tr.effects)
            if (effet.is(fixerMarques))
                return effet.value;
        return tr.docChanged ? RangeSet.empty : valeur;
    },
});

function tabulation(vue) {
    if (vue.state.readOnly)
        return false;
    vue.dispatch(vue.state.changeByRange((zone) => {
        const ligne = vue.state.doc.lineAt(zone.from);
        const blancs = ' '.repeat(largeurTabulation - (zone.from - ligne.from) % largeurTabulation);
        return { changes: { from: zone.from, to: zone.to, insert: blancs },
                 range: EditorSelection.cursor(zone.from + blancs.length) };
    }), { scrollIntoView: true, userEvent: 'input' });
    return true;
}

export class Editeur {
    // `quandTape(texte)`: the user changed the text; `quandClicLigne(ligne)`:
    // a click in the gutter beside line `ligne` (from 0).
    constructor(parent, quandTape, quandClicLigne) {
        this.lecture = new Compartment();
        this.taille = new Compartment();
        this.sortieTab = false;   // Escape then Tab leaves the editor, as CodeMirror advises
        const clic = {
            mousedown: (vue, bloc, e) => {
                if (e.button !== 0)
                    return false;
                quandClicLigne(vue.state.doc.lineAt(bloc.from).number - 1);
                return true;
            },
        };
        this.vue = new EditorView({
            parent,
            state: EditorState.create({
                doc: '',
                extensions: [
                    gutter({ class: 'cm-arrets', markers: (v) => v.state.field(champArrets).marqueurs,
                             initialSpacer: () => disque, domEventHandlers: clic }),
                    gutter({ class: 'cm-marques', markers: (v) => v.state.field(champMarques),
                             initialSpacer: () => espace, domEventHandlers: clic }),
                    champMarques,
                    champArrets,
                    lineNumbers({ domEventHandlers: clic }),
                    highlightSpecialChars(),
                    history(),
                    drawSelection(),
                    highlightActiveLine(),
                    this.lecture.of(EditorState.readOnly.of(false)),
                    keymap.of([
                        { key: 'Escape', run: () => { this.sortieTab = true; return false; } },
                        { key: 'Tab', run: (v) => (this.sortieTab ? false : tabulation(v)) },
                        ...defaultKeymap, ...historyKeymap,
                    ]),
                    // tabindex: focusable as checkers see it, not only as contenteditable.
                    EditorView.contentAttributes.of({ 'aria-label': 'Programme', tabindex: '0' }),
                    EditorView.domEventHandlers({ keydown: (e) => { if (e.key !== 'Escape' && e.key !== 'Tab') this.sortieTab = false; } }),
                    EditorView.updateListener.of((maj) => {
                        if (maj.docChanged && !maj.transactions.every((tr) => tr.annotation(Transaction.remote)))
                            quandTape(maj.state.doc.toString());
                    }),
                ],
            }),
        });
    }

    texte() { return this.vue.state.doc.toString(); }

    // The core's text: no change of the user's, no history to undo into.
    remplacer(texte) {
        this.vue.dispatch({
            changes: { from: 0, to: this.vue.state.doc.length, insert: texte },
            annotations: [Transaction.remote.of(true), Transaction.addToHistory.of(false)],
            selection: { anchor: 0 },
        });
    }

    lectureSeule(oui) {
        if (this.vue.state.readOnly !== oui)
            this.vue.dispatch({ effects: this.lecture.reconfigure(EditorState.readOnly.of(oui)) });
    }

    // Lines from 0, -1: none.
    marquer({ executee, suivante, erreur, pointsArret }) {
        const doc = this.vue.state.doc;
        const liste = [];
        const ajouter = (ligne, marque) => {
            if (ligne >= 0 && ligne < doc.lines)
                liste.push(marque.range(doc.line(ligne + 1).from));
        };
        ajouter(executee, marques.executee);
        ajouter(suivante, marques.suivante);
        ajouter(erreur, marques.erreur);
        liste.sort((a, b) => a.from - b.from);
        const effets = [fixerMarques.of(RangeSet.of(liste, true))];
        const avant = this.vue.state.field(champArrets).lignes;
        if (avant.length !== pointsArret.length || avant.some((l, i) => l !== pointsArret[i]))
            effets.push(fixerArrets.of(pointsArret));
        this.vue.dispatch({ effects: effets });
    }

    // The line of the cursor, from 0.
    ligneCurseur() { return this.vue.state.doc.lineAt(this.vue.state.selection.main.head).number - 1; }

    // The core's selection counts two characters per line break (CR LF).
    selectionner({ debut, longueur }) {
        const doc = this.vue.state.doc;
        const versIci = (k) => {
            let ligne = doc.line(1);
            while (ligne.number < doc.lines && ligne.to + 2 + ligne.number - 1 <= k)
                ligne = doc.line(ligne.number + 1);
            return Math.min(ligne.to, k - (ligne.number - 1));
        };
        const de = versIci(debut);
        this.vue.dispatch({ selection: { anchor: de, head: Math.max(de, versIci(debut + longueur)) }, scrollIntoView: true });
        this.vue.focus();
    }

    taillePolice(points) {
        this.vue.dom.style.fontSize = `${points}pt`;
        this.vue.requestMeasure();
    }

    focus() { this.vue.focus(); }
}
