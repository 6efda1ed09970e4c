// The menu bar, as the ARIA menubar pattern has it: one tab stop, arrows
// between the entries and in the menus, Enter or Space to open or run,
// Escape to close, the underlined letter of a caption to jump to it; F10 or
// Alt alone reaches the bar. An entry's caption marks its letter with "&".
// Items: { legende, action, raccourci?, touches?, coche?, sousMenu?: items }.
// `separateur` in a list draws a line.

export const separateur = { separateur: true };

function nomSansEt(legende) { return legende.replace(/&(.)/g, '$1'); }

function lettreDe(legende) {
    const i = legende.indexOf('&');
    return i >= 0 ? legende[i + 1].toLowerCase() : null;
}

function ecrireLegende(element, legende) {
    const i = legende.indexOf('&');
    if (i < 0) {
        element.append(legende);
        return;
    }
    const lettre = document.createElement('span');
    lettre.className = 'lettre';
    lettre.textContent = legende[i + 1];
    element.append(legende.slice(0, i), lettre, legende.slice(i + 2));
}

export class BarreMenus {
    constructor(barre) {
        this.barre = barre;
        this.entrees = [];       // the bar's buttons
        this.ouvert = null;      // the open menu's <ul>
        this.focusAvant = null;  // where the focus goes back on leaving the bar
        this.items = new Map();  // item -> its button
        barre.addEventListener('keydown', (e) => this.clavierBarre(e));
        document.addEventListener('pointerdown', (e) => {
            if (this.ouvert && !barre.contains(e.target))
                this.fermerTout(false);
        });
    }

    // A top entry: a menu (items) or a command on the bar itself.
    ajouter(entree) {
        const li = document.createElement('li');
        li.setAttribute('role', 'none');
        const bouton = this.bouton(entree, true);
        li.append(bouton);
        if (entree.sousMenu)
            li.append(this.menu(entree.sousMenu, bouton, nomSansEt(entree.legende)));
        this.barre.append(li);
        bouton.tabIndex = this.entrees.length === 0 ? 0 : -1;
        this.entrees.push(bouton);
        return bouton;
    }

    bouton(item, surBarre) {
        const bouton = document.createElement('button');
        bouton.type = 'button';
        bouton.setAttribute('role', item.coche !== undefined ? 'menuitemcheckbox' : 'menuitem');
        const legende = document.createElement('span');
        legende.className = 'legende';
        ecrireLegende(legende, item.legende);
        bouton.append(legende);
        bouton.lettre = lettreDe(item.legende);
        bouton.item = item;
        if (!surBarre)
            bouton.tabIndex = -1;
        if (item.coche !== undefined)
            bouton.setAttribute('aria-checked', String(!!item.coche));
        if (item.raccourci) {
            const raccourci = document.createElement('span');
            raccourci.className = 'raccourci';
            raccourci.setAttribute('aria-hidden', 'true');
            raccourci.textContent = item.raccourci;
            bouton.append(raccourci);
            if (item.touches)
                bouton.setAttribute('aria-keyshortcuts', item.touches);
        }
        if (item.description)
            bouton.title = item.description;
        if (item.sousMenu) {
            bouton.setAttribute('aria-haspopup', 'menu');
            bouton.setAttribute('aria-expanded', 'false');
        }
        bouton.addEventListener('click', () => this.activer(bouton));
        bouton.addEventListener('pointerenter', () => {
            if (this.ouvert && surBarre && bouton.item.sousMenu && !this.ouvert.contains(bouton))
                this.ouvrir(bouton, false);
        });
        this.items.set(item, bouton);
        return bouton;
    }

    menu(items, parent, nom) {
        const ul = document.createElement('ul');
        ul.setAttribute('role', 'menu');
        ul.setAttribute('aria-label', nom);
        ul.hidden = true;
        ul.parent = parent;
        parent.menu = ul;
        for (const item of items) {
            const li = document.createElement('li');
            if (item.separateur) {
                li.setAttribute('role', 'separator');
            } else {
                li.setAttribute('role', 'none');
                const bouton = this.bouton(item, false);
                li.append(bouton);
                if (item.sousMenu) {
                    li.append(this.menu(item.sousMenu, bouton, nomSansEt(item.legende)));
                    li.classList.add('a-sous-menu');
                }
            }
            ul.append(li);
        }
        ul.addEventListener('keydown', (e) => this.clavierMenu(e, ul));
        return ul;
    }

    // The item's state: enabled or not, checked or not, its tooltip ("": none).
    etat(item, { actif, coche, description }) {
        const bouton = this.items.get(item);
        if (description !== undefined)
            bouton.title = description;
        if (actif !== undefined)
            bouton.setAttribute('aria-disabled', String(!actif));
        if (coche !== undefined)
            bouton.setAttribute('aria-checked', String(coche));
    }

    actif(item) { return this.items.get(item).getAttribute('aria-disabled') !== 'true'; }

    activer(bouton) {
        if (bouton.getAttribute('aria-disabled') === 'true')
            return;
        if (bouton.item.sousMenu) {
            if (bouton.menu.hidden)
                this.ouvrir(bouton, true);
            else if (this.entrees.includes(bouton))
                this.fermerTout(true);
            return;
        }
        this.fermerTout(true);
        bouton.item.action();
    }

    ouvrir(bouton, focusPremier) {
        if (this.entrees.includes(bouton))
            this.fermerTout(false);
        else
            this.fermerSous(bouton.closest('[role=menu]'));
        const menu = bouton.menu;
        if (!this.focusAvant && !this.barre.contains(document.activeElement))
            this.focusAvant = document.activeElement;
        menu.hidden = false;
        bouton.setAttribute('aria-expanded', 'true');
        if (this.entrees.includes(bouton)) {
            this.ouvert = menu;
            this.placerTabulation(bouton);
        }
        if (focusPremier)
            this.boutonsDe(menu)[0].focus();
        else
            bouton.focus();
    }

    boutonsDe(menu) { return [...menu.children].map((li) => li.firstElementChild).filter((b) => b && b.tagName === 'BUTTON'); }

    fermerSous(menu) {
        for (const bouton of this.boutonsDe(menu))
            if (bouton.menu && !bouton.menu.hidden) {
                this.fermerSous(bouton.menu);
                bouton.menu.hidden = true;
                bouton.setAttribute('aria-expanded', 'false');
            }
    }

    // Closes every menu; `rendreFocus`: the focus goes back where it was.
    fermerTout(rendreFocus) {
        for (const entree of this.entrees)
            if (entree.menu && !entree.menu.hidden) {
                this.fermerSous(entree.menu);
                entree.menu.hidden = true;
                entree.setAttribute('aria-expanded', 'false');
            }
        this.ouvert = null;
        if (rendreFocus) {
            const avant = this.focusAvant;
            this.focusAvant = null;
            if (avant && avant.isConnected)
                avant.focus();
        }
    }

    placerTabulation(bouton) {
        for (const entree of this.entrees)
            entree.tabIndex = entree === bouton ? 0 : -1;
    }

    // F10 or Alt: the bar takes the focus (again: it gives it back).
    basculer() {
        if (this.barre.contains(document.activeElement)) {
            this.fermerTout(true);
            return;
        }
        this.focusAvant = document.activeElement;
        const premier = this.entrees.find((b) => b.tabIndex === 0) || this.entrees[0];
        premier.focus();
    }

    voisin(liste, bouton, pas) {
        const i = liste.indexOf(bouton);
        return liste[(i + pas + liste.length) % liste.length];
    }

    clavierBarre(e) {
        const bouton = e.target.closest('button');
        if (!bouton || !this.entrees.includes(bouton))
            return;
        const aller = (cible) => {
            e.preventDefault();
            this.placerTabulation(cible);
            if (this.ouvert && cible.item.sousMenu)
                this.ouvrir(cible, true);
            else {
                this.fermerTout(false);
                cible.focus();
            }
        };
        switch (e.key) {
        case 'ArrowRight': aller(this.voisin(this.entrees, bouton, 1)); break;
        case 'ArrowLeft': aller(this.voisin(this.entrees, bouton, -1)); break;
        case 'Home': aller(this.entrees[0]); break;
        case 'End': aller(this.entrees[this.entrees.length - 1]); break;
        case 'ArrowDown':
        case 'ArrowUp':
            if (bouton.item.sousMenu) {
                e.preventDefault();
                this.ouvrir(bouton, true);
                if (e.key === 'ArrowUp') {
                    const liste = this.boutonsDe(bouton.menu);
                    liste[liste.length - 1].focus();
                }
            }
            break;
        case 'Escape':
            e.preventDefault();
            this.fermerTout(true);
            break;
        default:
            this.lettre(e, this.entrees);
        }
    }

    // From a submenu back to the item that opened it; false in a bar entry's own menu.
    remonter(menu, entree) {
        if (menu.parent === entree)
            return false;
        this.fermerSous(menu.parent.closest('[role=menu]'));
        menu.parent.focus();
        return true;
    }

    clavierMenu(e, menu) {
        const bouton = e.target.closest('button');
        if (!bouton || bouton.closest('[role=menu]') !== menu)
            return;
        e.stopPropagation();
        const liste = this.boutonsDe(menu);
        const entree = this.entrees.find((b) => b.menu && !b.menu.hidden);
        switch (e.key) {
        case 'ArrowDown': e.preventDefault(); this.voisin(liste, bouton, 1).focus(); break;
        case 'ArrowUp': e.preventDefault(); this.voisin(liste, bouton, -1).focus(); break;
        case 'Home': e.preventDefault(); liste[0].focus(); break;
        case 'End': e.preventDefault(); liste[liste.length - 1].focus(); break;
        case 'ArrowRight':
            e.preventDefault();
            if (bouton.item.sousMenu)
                this.ouvrir(bouton, true);
            else
                this.ouvrir(this.voisinAvecMenu(entree, 1), true);
            break;
        case 'ArrowLeft':
            e.preventDefault();
            if (!this.remonter(menu, entree))
                this.ouvrir(this.voisinAvecMenu(entree, -1), true);
            break;
        case 'Escape':
            e.preventDefault();
            if (!this.remonter(menu, entree)) {
                this.fermerTout(false);
                entree.focus();
            }
            break;
        case 'Tab':
            this.fermerTout(false);
            break;
        default:
            this.lettre(e, liste);
        }
    }

    voisinAvecMenu(entree, pas) {
        let cible = entree;
        do
            cible = this.voisin(this.entrees, cible, pas);
        while (!cible.item.sousMenu);
        return cible;
    }

    // The item whose underlined letter was typed: opened or run.
    lettre(e, liste) {
        if (e.ctrlKey || e.altKey || e.metaKey || e.key.length !== 1)
            return;
        const cible = liste.find((b) => b.lettre === e.key.toLowerCase());
        if (!cible)
            return;
        e.preventDefault();
        if (cible.item.sousMenu)
            this.ouvrir(cible, true);
        else
            this.activer(cible);
    }
}
