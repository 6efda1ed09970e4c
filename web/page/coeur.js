// The page's side of the worker (travailleur.js): commands go one at a time,
// in order; what each one changed comes back to `quandEtat`.
//
// A burst that Arrêter cannot wait for is cut by ending the worker. The
// session is deterministic with its seed, so a new worker that replays the
// journal of the commands done so far is the session as it was before that
// burst, to which Arrêter is then sent (a run cut in its first burst is
// stopped before its first instruction).

const attenteArret = 400;   // ms a running burst is given to end by itself

// Consecutive `taper`s come to the last one: each gives the whole text.
function noter(journal, nom, args) {
    const derniere = journal[journal.length - 1];
    if (nom === 'taper' && derniere && derniere.nom === 'taper')
        journal.pop();
    journal.push({ nom, args });
}

export class Coeur {
    constructor(adresse, { quandEtat, quandOccupe, quandEchec }) {
        this.adresse = adresse;
        this.rappels = { quandEtat, quandOccupe, quandEchec };
        this.graine = Date.now() % 86400000;   // the time of day in ms (UTC), as the desktop seeds it
        this.journal = [];
        this.file = [];
        this.enCours = null;
        this.numero = 0;
    }

    // A command runs, waits, or the session is being rebuilt.
    get occupe() { return this.enCours !== null || this.file.length > 0 || !this.pret; }

    // Resolves with the start-up state once the session is ready.
    demarrer() {
        return new Promise((resolu) => this.lancerTravailleur(resolu));
    }

    lancerTravailleur(quandPret) {
        this.travailleur = new Worker(this.adresse, { type: 'module' });
        this.travailleur.onmessage = ({ data }) => this.recevoir(data, quandPret);
        this.travailleur.onerror = (e) => this.rappels.quandEchec(e.message || String(e));
        this.pret = false;
        this.rappels.quandOccupe(true);
        this.travailleur.postMessage({ type: 'demarrer', graine: this.graine, journal: this.journal });
    }

    recevoir(data, quandPret) {
        if (data.type === 'pret') {
            this.pret = true;
            quandPret(data.etat);
            this.suivante();
            this.rappels.quandOccupe(this.occupe);
            return;
        }
        const commande = this.enCours;
        if (!commande || commande.n !== data.n)
            return;   // from a worker that was ended
        clearTimeout(commande.minuteur);
        this.enCours = null;
        if (data.type === 'echec') {
            // The session may be damaged: a new one, rebuilt without this command.
            this.rappels.quandEchec(data.message);
            this.travailleur.terminate();
            this.lancerTravailleur(() => {});
            commande.resolu(null);
        } else {
            if (commande.nom !== 'questionCopie')
                noter(this.journal, commande.nom, commande.args);
            if (data.etat && data.etat.editeur)
                this.rappels.quandEtat(data.etat);
            commande.resolu(data.etat);
        }
        this.suivante();
        this.rappels.quandOccupe(this.occupe);
    }

    suivante() {
        if (this.enCours || !this.pret || this.file.length === 0)
            return;
        this.enCours = this.file.shift();
        this.travailleur.postMessage({ type: 'commande', n: this.enCours.n, nom: this.enCours.nom, args: this.enCours.args });
        this.rappels.quandOccupe(true);
    }

    // Runs a session command; resolves with what it changed (after `quandEtat`).
    envoyer(nom, ...args) {
        return new Promise((resolu) => {
            this.file.push({ n: ++this.numero, nom, args, resolu });
            this.suivante();
        });
    }

    // Arrêter while a burst runs: waits a little for its end, else ends the
    // worker and rebuilds the session without the burst. Then Arrêter itself.
    async arreter() {
        const commande = this.enCours;
        if (commande && (commande.nom === 'executer' || commande.nom === 'poursuivre')) {
            const fini = await new Promise((resolu) => {
                commande.minuteur = setTimeout(() => resolu(false), attenteArret);
                const resoluAvant = commande.resolu;
                commande.resolu = (etat) => { resoluAvant(etat); resolu(true); };
            });
            if (!fini) {
                this.enCours = null;
                this.file = [];
                this.travailleur.terminate();
                commande.resolu(null);
                await new Promise((resolu) => this.lancerTravailleur(resolu));
                // A run cut in its first burst is stopped before its first instruction.
                return this.envoyer(commande.nom === 'executer' ? 'arreterAuDebut' : 'arreter');
            }
        }
        return this.envoyer('arreter');
    }
}
