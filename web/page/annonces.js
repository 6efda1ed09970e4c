// The live region #annonces: what a screen reader says of the pane and the
// run. At most one message a second, the last one winning: never each of a
// million lines.
const intervalle = 1000;

export class Annonces {
    constructor(element) {
        this.element = element;
        this.attente = null;
        this.derniere = 0;
        this.minuteur = null;
    }

    dire(texte) {
        this.attente = texte;
        if (this.minuteur)
            return;
        const delai = Math.max(0, this.derniere + intervalle - performance.now());
        this.minuteur = setTimeout(() => {
            this.minuteur = null;
            this.derniere = performance.now();
            // Emptied first so that the same words are said again.
            this.element.textContent = '';
            requestAnimationFrame(() => { this.element.textContent = this.attente; });
        }, delai);
    }
}
