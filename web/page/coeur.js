// The page's side of the worker (travailleur.js): commands go one at a time,
// in order; what each one changed comes back to `quandEtat`.
//
// A burst that Arrêter cannot wait for is cut by ending the worker. The
// session is deterministic with its seed: the same commands give the same
// session, to the last byte. So a standby worker, seeded alike, is sent
// every command the main one has finished, in that order (file bytes and
// answers to questions included), and builds no pane line. On a cut it
// becomes the main worker (finishing first what it had not yet caught up
// with, which took the main one no longer) and is sent the stop; a new
// standby replays the journal in the background. Without a standby (it
// failed: memory...), a new worker replays the whole journal first.
// A failed command is handled alike, the command left out.
// (A copy of the core's memory would be no shorter to get right: the
// module's JavaScript side holds state of its own.)

const attenteArret = 150;    // ms a running burst is given to end by itself
const echecsReserveMax = 2;  // failed standbys after which the page does without

// The commands that may run a burst, and whether one starts a run (else it
// continues the run that waits): a cut run is stopped before its first instruction.
const rafales = new Set(['executer', 'poursuivre', 'jusquAuPointArret', 'jusquAuCurseur']);
const estRafale = (nom) => rafales.has(nom);

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
        this.journal = [];      // every finished command, for a worker started later
        this.file = [];
        this.enCours = null;
        this.numero = 0;
        this.principal = null;  // { worker, pret, promu }: runs the page's commands
        this.reserve = null;    // the standby, mirroring the finished commands
        this.runEnAttente = false;   // the last state: a run waits for Poursuivre
        this.echecsReserve = 0;
        this.arret = null;      // the Arrêter under way
    }

    // A command runs, waits, or the session is being rebuilt.
    get occupe() { return this.enCours !== null || this.file.length > 0 || !this.principal.pret; }
    // A burst runs: Arrêter can end it.
    get enExecution() { return this.enCours !== null && estRafale(this.enCours.nom); }

    // Resolves with the start-up state once the session is ready.
    demarrer() {
        return new Promise((resolu) => this.lancerPrincipal(false, resolu));
    }

    // A worker seeded as the session with the journal replayed; silent: all
    // but the first, whose start-up state the page draws.
    lancer(silencieux) {
        const t = { worker: new Worker(this.adresse, { type: 'module' }), pret: false, promu: false };
        t.worker.onmessage = ({ data }) => this.recevoir(t, data);
        t.worker.postMessage({ type: 'demarrer', graine: this.graine, journal: this.journal, silencieux });
        return t;
    }

    lancerPrincipal(silencieux, quandPret) {
        const t = this.lancer(silencieux);
        t.quandPret = quandPret;
        t.worker.onerror = (e) => this.rappels.quandEchec(e.message || String(e));
        this.principal = t;
        this.rappels.quandOccupe(true);
    }

    // While the page waits for nothing, so that it slows no command.
    lancerReserve() {
        if (this.reserve || this.enCours || this.file.length || !this.principal.pret || this.echecsReserve >= echecsReserveMax)
            return;
        const t = this.lancer(true);
        t.worker.onerror = (e) => {
            e.preventDefault();
            this.abandonnerReserve(t);
        };
        this.reserve = t;
    }

    abandonnerReserve(t) {
        if (this.reserve !== t)
            return this.principal === t && this.echecPromu(t);
        t.worker.terminate();
        this.reserve = null;
        this.echecsReserve++;
    }

    // A standby that failed once the main worker: its session is not the
    // page's, so a replayed one takes over, the command under way sent again.
    echecPromu(t) {
        this.echecsReserve++;
        this.remplacerPrincipal(this.enCours, false);
    }

    // The main worker ended; the standby (or a replayed worker) runs `tete`
    // first, then what waits.
    remplacerPrincipal(tete, avecReserve = true) {
        this.principal.worker.terminate();
        this.enCours = null;
        if (tete)
            this.file.unshift(tete);
        const reserve = avecReserve ? this.reserve : null;
        if (reserve) {
            this.reserve = null;
            reserve.pret = reserve.promu = true;   // its worker takes the commands after what it mirrors
            reserve.worker.onerror = (e) => {
                e.preventDefault();
                this.abandonnerReserve(reserve);
            };
            this.principal = reserve;
        } else {
            this.lancerPrincipal(true, null);
        }
        this.suivante();
        this.rappels.quandOccupe(this.occupe);
    }

    recevoir(t, data) {
        if (t !== this.principal) {
            if (t === this.reserve && data.type === 'pret')
                t.pret = true;
            else if (t === this.reserve && data.type === 'echec')
                this.abandonnerReserve(t);
            return;   // else from a worker that was ended
        }
        if (data.type === 'pret') {
            t.pret = true;
            if (t.quandPret)
                t.quandPret(data.etat);
        } else if (data.type === 'echec' && data.n === null) {
            // The start, or a command mirrored by a standby since promoted.
            if (t.promu)
                return this.echecPromu(t);
            this.rappels.quandEchec(data.message);
            return;
        } else {
            const commande = this.enCours;
            if (!commande || commande.n !== data.n)
                return;
            this.enCours = null;
            if (data.type === 'echec') {
                // The session may be damaged: the one without this command takes over.
                this.rappels.quandEchec(data.message);
                this.remplacerPrincipal(null);
                commande.resolu(null);
                return;
            }
            if (commande.nom !== 'questionCopie') {
                noter(this.journal, commande.nom, commande.args);
                if (this.reserve)
                    this.reserve.worker.postMessage({ type: 'miroir', nom: commande.nom, args: commande.args });
            }
            if (data.etat && data.etat.editeur) {
                this.runEnAttente = data.etat.menus.poursuivre;
                this.rappels.quandEtat(data.etat);
            }
            commande.resolu(data.etat);
        }
        this.suivante();
        this.lancerReserve();
        this.rappels.quandOccupe(this.occupe);
    }

    suivante() {
        if (this.enCours || !this.principal.pret || this.file.length === 0)
            return;
        this.enCours = this.file.shift();
        this.enCours.commence = this.enCours.nom === 'executer' || (this.enCours.nom === 'jusquAuCurseur' && !this.runEnAttente);
        this.principal.worker.postMessage({ type: 'commande', n: this.enCours.n, nom: this.enCours.nom, args: this.enCours.args });
        this.rappels.quandOccupe(true);
    }

    commande(nom, args) {
        const c = { n: ++this.numero, nom, args };
        c.promesse = new Promise((resolu) => { c.resolu = resolu; });
        return c;
    }

    // Runs a session command; resolves with what it changed (after `quandEtat`).
    envoyer(nom, ...args) {
        const c = this.commande(nom, args);
        this.file.push(c);
        this.suivante();
        return c.promesse;
    }

    // Arrêter while a burst runs: waits a little for its end, else cuts it.
    // Then Arrêter itself. A second click joins the first.
    arreter() {
        if (!this.arret)
            this.arret = this.arreterRafale().finally(() => { this.arret = null; });
        return this.arret;
    }

    async arreterRafale() {
        const commande = this.enCours;
        if (commande && estRafale(commande.nom)) {
            const fini = await Promise.race([commande.promesse.then(() => true),
                                             new Promise((resolu) => setTimeout(() => resolu(false), attenteArret))]);
            if (!fini && this.enCours === commande) {
                // The session without the burst: a run cut in its first
                // burst is stopped before its first instruction.
                const arret = commande.commence
                    ? this.commande('arreterAuDebut', [commande.nom === 'executer' && commande.args[0] === true])
                    : this.commande('arreter', []);
                this.remplacerPrincipal(arret);
                commande.resolu(null);
                return arret.promesse;
            }
        }
        return this.envoyer('arreter');
    }
}
