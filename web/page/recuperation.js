// Work that survives a crash or a closed tab. While the editor holds unsaved
// changes, its text is kept in the browser's storage (a moment after each
// change); it goes when the changes are saved or given up. Each tab keeps
// its own copy and holds a Web Lock named after it: a copy whose lock no tab
// holds was left behind, and is offered back at the next start.

const prefixe = 'trevane-copie-';
const delai = 300;   // ms after the last change

export class Recuperation {
    constructor() {
        this.cle = `${prefixe}${Date.now()}-${Math.random().toString(36).slice(2, 8)}`;
        this.minuteur = null;
        if (navigator.locks)
            navigator.locks.request(this.cle, () => new Promise(() => {}));   // held while the tab lives
    }

    // `lire()` gives { texte, fichier } to keep, or null when nothing is unsaved.
    noter(lire) {
        clearTimeout(this.minuteur);
        this.minuteur = setTimeout(() => this.ecrire(lire()), delai);
    }

    ecrire(copie) {
        try {
            if (copie)
                localStorage.setItem(this.cle, JSON.stringify({ ...copie, date: new Date().toISOString() }));
            else
                localStorage.removeItem(this.cle);
        } catch {
            // Storage full or refused (private mode): the page goes on without copies.
        }
    }

    // The copies other tabs left, newest first.
    async laissees() {
        const tenus = new Set();
        if (navigator.locks)
            for (const verrou of (await navigator.locks.query()).held || [])
                tenus.add(verrou.name);
        const copies = [];
        for (let i = 0; i < localStorage.length; i++) {
            const cle = localStorage.key(i);
            if (!cle.startsWith(prefixe) || cle === this.cle || tenus.has(cle))
                continue;
            try {
                const copie = JSON.parse(localStorage.getItem(cle));
                if (typeof copie.texte === 'string')
                    copies.push({ cle, ...copie });
            } catch {
                localStorage.removeItem(cle);   // not a copy this page wrote
            }
        }
        return copies.sort((a, b) => String(b.date).localeCompare(String(a.date)));
    }

    supprimer(cle) { localStorage.removeItem(cle); }

    // A restored copy becomes this tab's own.
    adopter(copie) {
        localStorage.removeItem(copie.cle);
        this.ecrire({ texte: copie.texte, fichier: copie.fichier });
    }
}
