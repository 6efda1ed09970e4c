// The text's size in the editor, the pane and the panel, stepped as on the
// desktop; the fixed-pitch font for the editor; the presentation mode's
// large size. The size is remembered in the browser.

const paliers = [6, 7, 8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 28, 32, 36, 40, 44, 48];
const normal = 10;
const pointsPresentation = 20;   // the smallest size shown on the screen wall
const cle = 'trevane-points';

export class Zoom {
    constructor(cibles) {
        this.cibles = cibles;
        this.points = Number(localStorage.getItem(cle)) || normal;
        this.avantPresentation = null;
        this.appliquer();
    }

    fixer(points) {
        this.points = Math.min(paliers[paliers.length - 1], Math.max(paliers[0], points));
        if (this.avantPresentation === null)
            try { localStorage.setItem(cle, String(this.points)); } catch { /* storage refused */ }
        this.appliquer();
    }

    appliquer() {
        for (const cible of this.cibles)
            cible.taillePolice(this.points);
    }

    agrandir() {
        const suivant = paliers.find((p) => p > this.points);
        if (suivant)
            this.fixer(suivant);
    }

    reduire() {
        const precedents = paliers.filter((p) => p < this.points);
        if (precedents.length)
            this.fixer(precedents[precedents.length - 1]);
    }

    retablir() { this.fixer(normal); }

    basculerChasseFixe() { return document.body.classList.toggle('chasse-fixe'); }

    presentation(active) {
        if (active) {
            this.avantPresentation = this.points;
            this.points = Math.max(this.points, pointsPresentation);
        } else if (this.avantPresentation !== null) {
            this.points = this.avantPresentation;
            this.avantPresentation = null;
        }
        this.appliquer();
    }
}
