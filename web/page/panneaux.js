// The Variables panel: a tab with the variables of the last run and their
// values (an array's elements below it), a tab "Suivi" with the trace of the
// commented run. Rows and texts come from the core; a value the last step
// changed is marked in bold and by a sign, not by colour alone.

function cellule(balise, texte, change) {
    const element = document.createElement(balise);
    element.textContent = texte;
    if (change) {
        element.classList.add('change');
        element.title = 'changée';
    }
    return element;
}

function entete(table, titres) {
    const tete = table.tHead;
    const actuels = [...tete.querySelectorAll('th')].map((th) => th.textContent);
    if (actuels.join('\u0000') === titres.join('\u0000'))
        return;
    const ligne = document.createElement('tr');
    for (const titre of titres) {
        const th = cellule('th', titre);
        th.scope = 'col';
        ligne.append(th);
    }
    tete.replaceChildren(ligne);
}

const suiviMax = 5000;   // the last rows drawn, the newest in view; the export has them all

export class Panneaux {
    constructor(racine, quandLigneSuivi) {
        this.racine = racine;
        this.variables = racine.querySelector('#variables');
        this.suivi = racine.querySelector('#suivi');
        this.raison = racine.querySelector('#raison-vide');
        this.onglets = [...racine.querySelectorAll('[role=tab]')];
        for (const onglet of this.onglets) {
            onglet.addEventListener('click', () => this.montrerOnglet(onglet));
            onglet.addEventListener('keydown', (e) => {
                if (e.key === 'ArrowRight' || e.key === 'ArrowLeft') {
                    const autre = this.onglets.find((o) => o !== onglet);
                    this.montrerOnglet(autre);
                    autre.focus();
                }
            });
        }
        // A trace row clicked selects its program line (the first cell is the step, the second the line).
        this.suivi.tBodies[0].addEventListener('click', (e) => {
            const ligne = e.target.closest('tr');
            if (ligne && ligne.dataset.ligne)
                quandLigneSuivi(Number(ligne.dataset.ligne));
        });
    }

    get visible() { return !this.racine.hidden; }
    montrer(oui) { this.racine.hidden = !oui; }

    montrerOnglet(onglet) {
        for (const o of this.onglets) {
            const choisi = o === onglet;
            o.setAttribute('aria-selected', String(choisi));
            o.tabIndex = choisi ? 0 : -1;
            document.getElementById(o.getAttribute('aria-controls')).hidden = !choisi;
        }
    }

    appliquer({ variables, suivi }) {
        this.raison.textContent = variables.raisonVide;
        this.raison.hidden = variables.raisonVide === '';
        entete(this.variables, variables.titres);
        const corps = document.createDocumentFragment();
        for (const v of variables.lignes) {
            const tr = document.createElement('tr');
            tr.append(cellule('th', v.nom, false), cellule('td', v.type), cellule('td', v.valeur, v.change));
            tr.firstChild.scope = 'row';
            corps.append(tr);
            for (const el of v.elements) {
                const sous = document.createElement('tr');
                sous.className = 'element';
                sous.append(cellule('td', el.nom), cellule('td', el.type), cellule('td', el.valeur, el.change));
                corps.append(sous);
            }
        }
        this.variables.tBodies[0].replaceChildren(corps);

        if (suivi.recommence) {
            this.suivi.tBodies[0].replaceChildren();
            entete(this.suivi, suivi.titres);
        }
        const lignes = document.createDocumentFragment();
        for (const l of suivi.lignes.slice(-suiviMax)) {
            const tr = document.createElement('tr');
            l.cellules.forEach((texte, c) => tr.append(cellule('td', texte, l.changes[c])));
            tr.dataset.ligne = String(Number(l.cellules[1]) - 1);
            lignes.append(tr);
        }
        const corpsSuivi = this.suivi.tBodies[0];
        corpsSuivi.append(lignes);
        while (corpsSuivi.rows.length > suiviMax)
            corpsSuivi.firstElementChild.remove();
        const derniere = corpsSuivi.lastElementChild;
        if (suivi.lignes.length && derniere)
            derniere.scrollIntoView({ block: 'nearest' });
    }
}
