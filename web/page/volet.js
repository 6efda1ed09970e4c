// The display pane: it keeps every line but draws only those in view, so a
// run that writes millions stays smooth. Lines wrap as on the desktop, so
// they differ in height: the scroll bar moves through the lines in
// proportion (its thumb as if each line took one row), the lines drawn from
// the top of the view down. The last screenful is measured so that the end
// of the bar shows the last line at the bottom. Select all and Copy take
// every line, drawn or not. Lines are kept as the worker hands them over:
// UTF-8 bytes and line ends, a block per command, decoded when drawn.

const hauteurMax = 8_000_000;   // px: below every browser's limit on an element's height
const petitBloc = 1 << 16;      // bytes: smaller blocks are joined to the last one
const decodeur = new TextDecoder();

function joindre(a, b, decalage = 0) {
    const c = new a.constructor(a.length + b.length);
    c.set(a);
    c.set(decalage ? b.map((x) => x + decalage) : b, a.length);
    return c;
}

export class Volet {
    constructor(element) {
        this.element = element;
        this.hauteur = element.querySelector('.hauteur');
        this.conteneur = element.querySelector('.lignes');
        this.mesureur = document.createElement('div');
        this.mesureur.className = 'lignes mesure';
        this.mesureur.setAttribute('aria-hidden', 'true');
        this.hauteur.append(this.mesureur);
        this.blocs = [];              // { octets, fins, premiere }
        this.nombre = 0;
        this.hauteurLigne = 16;
        this.lignesDeFin = 1;         // lines of the last screenful
        this.finMesuree = false;
        this.toutSelectionne = false;
        this.redessinPrevu = false;
        this.suivreFin = true;        // new lines scroll into view while the view is at the end
        this.ecritParMoi = false;
        element.addEventListener('scroll', () => {
            if (!this.ecritParMoi)
                this.suivreFin = element.scrollTop + element.clientHeight >= element.scrollHeight - 2;
            this.ecritParMoi = false;
            this.prevoir();
        });
        new ResizeObserver(() => this.mesurer()).observe(element);
        element.addEventListener('keydown', (e) => this.clavier(e));
        element.addEventListener('pointerdown', () => { this.toutSelectionne = false; element.classList.remove('tout'); });
    }

    // A command's new lines; `auDebut`: a replaced text shown from its top
    // (the reference text), else the view follows the end.
    ajouter({ remplace, octets, fins }, auDebut) {
        if (remplace) {
            this.blocs = [];
            this.nombre = 0;
            this.suivreFin = !auDebut;
            this.element.scrollTop = 0;
            this.toutSelectionne = false;
            this.element.classList.remove('tout');
        }
        if (fins.length === 0 && !remplace)
            return;
        const dernier = this.blocs[this.blocs.length - 1];
        if (dernier && dernier.octets.length + octets.length < petitBloc) {
            dernier.fins = joindre(dernier.fins, fins, dernier.octets.length);
            dernier.octets = joindre(dernier.octets, octets);
        } else if (fins.length) {
            this.blocs.push({ octets, fins, premiere: this.nombre });
        }
        this.nombre += fins.length;
        this.finMesuree = false;
        this.prevoir();
    }

    ligne(i) {
        let bas = 0, haut = this.blocs.length - 1;
        while (bas < haut) {
            const milieu = (bas + haut + 1) >> 1;
            if (this.blocs[milieu].premiere <= i)
                bas = milieu;
            else
                haut = milieu - 1;
        }
        const { octets, fins, premiere } = this.blocs[bas];
        const k = i - premiere;
        return decodeur.decode(octets.subarray(k > 0 ? fins[k - 1] : 0, fins[k]));
    }

    toutes() {
        const liste = [];
        for (const { octets, fins } of this.blocs) {
            const texte = decodeur.decode(octets);
            // Offsets are in bytes: decoded line by line past ASCII.
            if (texte.length === octets.length)
                fins.forEach((fin, k) => liste.push(texte.slice(k > 0 ? fins[k - 1] : 0, fin)));
            else
                fins.forEach((fin, k) => liste.push(decodeur.decode(octets.subarray(k > 0 ? fins[k - 1] : 0, fin))));
        }
        return liste;
    }

    prevoir() {
        if (this.redessinPrevu)
            return;
        this.redessinPrevu = true;
        requestAnimationFrame(() => {
            this.redessinPrevu = false;
            this.dessiner();
        });
    }

    mesurer() {
        this.mesureur.replaceChildren(this.nouvelleLigne('X'));
        this.hauteurLigne = Math.max(1, this.mesureur.getBoundingClientRect().height);
        this.finMesuree = false;
        this.dessiner();
    }

    nouvelleLigne(texte) {
        const element = document.createElement('div');
        element.className = 'ligne';
        element.textContent = texte;
        return element;
    }

    // How many of the last lines fill the view, wrapped as they are drawn.
    mesurerFin(visible) {
        const liste = [];
        let hauteur = 0;
        for (let i = this.nombre - 1; i >= 0 && liste.length < 1000; i--) {
            const element = this.nouvelleLigne(this.ligne(i));
            this.mesureur.prepend(element);
            liste.push(element);
            hauteur = this.mesureur.getBoundingClientRect().height;
            if (hauteur >= visible)
                break;
        }
        this.mesureur.replaceChildren();
        this.lignesDeFin = Math.max(1, hauteur > visible ? liste.length - 1 : liste.length);
        this.finMesuree = true;
    }

    dessiner() {
        const n = this.nombre;
        const visible = this.element.clientHeight;
        if (!this.finMesuree)
            this.mesurerFin(visible);
        const hauteur = Math.min(hauteurMax, Math.max(visible, (n - this.lignesDeFin) * this.hauteurLigne + visible));
        this.hauteur.style.height = `${hauteur}px`;
        const course = hauteur - visible;
        if (this.suivreFin && this.element.scrollTop !== course) {
            this.ecritParMoi = true;
            this.element.scrollTop = course;
        }
        const haut = Math.min(this.element.scrollTop, course);
        const fraction = course > 0 ? haut / course : 1;
        const debut = Math.max(0, Math.round(fraction * Math.max(0, n - this.lignesDeFin)));
        this.conteneur.style.transform = `translateY(${haut}px)`;
        // Lines drawn until the view is full; the elements are reused.
        const elements = this.conteneur.children;
        let k = 0;
        for (let i = debut; i < n; i++, k++) {
            let element = elements[k];
            if (!element) {
                element = this.nouvelleLigne('');
                this.conteneur.append(element);
            }
            const texte = this.ligne(i);
            if (element.textContent !== texte)
                element.textContent = texte;
            if ((k + 1) % 8 === 0 && element.offsetTop + element.offsetHeight >= visible) {
                k++;
                break;
            }
        }
        while (elements.length > k)
            this.conteneur.lastChild.remove();
    }

    selectionnerTout() {
        this.toutSelectionne = true;
        this.element.classList.add('tout');
        this.element.focus();
    }

    // The selection's text: all lines after Select all, else what is selected in the drawn lines.
    texteSelectionne() {
        if (this.toutSelectionne)
            return this.toutes().join('\n');
        const selection = getSelection();
        return selection && this.element.contains(selection.anchorNode) ? selection.toString() : '';
    }

    clavier(e) {
        const page = Math.max(1, Math.floor(this.element.clientHeight / this.hauteurLigne) - 1) * this.hauteurLigne;
        const pas = { ArrowDown: this.hauteurLigne, ArrowUp: -this.hauteurLigne, PageDown: page, PageUp: -page }[e.key];
        if (pas !== undefined) {
            e.preventDefault();
            this.element.scrollTop += pas;
        } else if (e.key === 'Home' && e.ctrlKey) {
            e.preventDefault();
            this.element.scrollTop = 0;
        } else if (e.key === 'End' && e.ctrlKey) {
            e.preventDefault();
            this.element.scrollTop = this.element.scrollHeight;
        }
    }

    taillePolice(points) {
        this.element.style.fontSize = `${points}pt`;
        this.mesurer();
    }
}
