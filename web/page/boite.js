// The message boxes: one modal <dialog>, its text and its buttons; the
// promise gives the button chosen (Escape: the last one).
import { textes } from './textes.js';

export class Boite {
    constructor() {
        this.dialogue = document.getElementById('boite');
        this.titre = document.getElementById('boite-titre');
        this.texte = document.getElementById('boite-texte');
        this.saisie = document.getElementById('boite-saisie');
        this.champ = document.getElementById('boite-champ');
        this.boutons = document.getElementById('boite-boutons');
        this.file = Promise.resolve();
    }

    // `boutons`: [[key, caption]], the first the default. One box at a time, in order.
    montrer(titre, texte, boutons = [['ok', textes.boutons.ok]], saisie = null) {
        const suite = this.file.then(() => new Promise((resolu) => {
            const focusAvant = document.activeElement;
            this.titre.textContent = titre;
            this.texte.textContent = texte;
            this.saisie.hidden = !saisie;
            if (saisie) {
                document.getElementById('boite-etiquette').textContent = saisie.etiquette;
                this.champ.value = saisie.valeur;
            }
            const fin = (cle) => {
                this.dialogue.onclose = null;
                this.dialogue.close();
                if (focusAvant && focusAvant.isConnected)
                    focusAvant.focus();
                resolu(saisie ? { cle, valeur: this.champ.value } : cle);
            };
            this.boutons.replaceChildren(...boutons.map(([cle, legende]) => {
                const bouton = document.createElement('button');
                bouton.type = 'button';
                bouton.textContent = legende;
                bouton.addEventListener('click', () => fin(cle));
                return bouton;
            }));
            this.dialogue.onclose = () => fin(boutons[boutons.length - 1][0]);
            this.dialogue.onkeydown = (e) => {
                if (e.key === 'Enter' && saisie && e.target === this.champ) {
                    e.preventDefault();
                    fin(boutons[0][0]);
                }
            };
            this.dialogue.showModal();
            if (this.quandMontree)
                this.quandMontree();
            (saisie ? this.champ : this.boutons.firstChild).focus();
        }));
        this.file = suite.catch(() => {});
        return suite;
    }

    get ouverte() { return this.dialogue.open; }
}
