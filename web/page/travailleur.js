// The core in a Web Worker, so that no burst ever freezes the page. The
// page posts one command at a time; the worker runs it on the session and
// posts back what changed. The pane's new lines come as UTF-8 bytes and
// line ends, handed over (not copied): a burst's millions of lines cost
// the page no string each.
//
//   page -> { type: 'demarrer', graine, journal, silencieux }
//           a session seeded, the journal replayed; silent: the start-up state not sent (the page has it)
//   page -> { type: 'commande', n, nom, args }   run, answered
//   page -> { type: 'miroir', nom, args }        run without an answer nor pane lines: a standby
//                                                 doing what the main worker has done (coeur.js)
//   worker -> { type: 'pret', etat } | { type: 'fait', n, etat } | { type: 'echec', n, message }
//             (n null: the start or a mirrored command failed)
// Messages are taken strictly in order, the start included: a standby is
// sent commands before its module is ready.
import fabrique from 'trevane-session';

let module = null;
let session = null;
let forme = 'tableau';   // the session's own default

function repondre(type, n, etat) {
    const { octets, fins } = etat.affichage;
    postMessage({ type, n, etat }, [octets.buffer, fins.buffer]);
}

// The pane's lines for the page, or for nobody.
function former(f) {
    if (f !== forme)
        session.formeLignes(forme = f);
}

// The session's method for a command; `repondre` answers nothing.
function executer(nom, args) {
    if (nom === 'questionCopie')
        return module.questionCopie(...args);
    return session[nom](...args);
}

async function traiter(data) {
    if (data.type === 'demarrer') {
        module = await fabrique({ locateFile: (nom) => new URL(nom, import.meta.url).href });
        session = new module.Session(data.graine);
        // The same seed and commands give the same session, to the last
        // byte; the start-up state is read as the page's worker read it.
        former(data.silencieux ? 'aucune' : 'octets');
        const etat = session.etat();
        for (const { nom, args } of data.journal)
            executer(nom, args);
        if (data.silencieux)
            postMessage({ type: 'pret', etat: null });
        else
            repondre('pret', 0, etat);
        return;
    }
    if (data.type === 'miroir') {
        former('aucune');
        executer(data.nom, data.args);
        return;
    }
    former('octets');
    const resultat = executer(data.nom, data.args);
    if (resultat && typeof resultat === 'object' && resultat.affichage)
        repondre('fait', data.n, resultat);
    else
        postMessage({ type: 'fait', n: data.n, etat: resultat ?? null });
}

let suite = Promise.resolve();
onmessage = ({ data }) => {
    suite = suite.then(() => traiter(data)).catch((erreur) =>
        postMessage({ type: 'echec', n: data.n ?? null, message: String(erreur && erreur.message || erreur) }));
};
