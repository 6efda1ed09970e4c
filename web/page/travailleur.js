// The core in a Web Worker, so that no burst ever freezes the page. The
// page posts one command at a time; the worker runs it on the session and
// posts back what changed. The pane's new lines come as UTF-8 bytes and
// line ends, handed over (not copied): a burst's millions of lines cost
// the page no string each.
//
//   page -> { type: 'demarrer', graine, journal }   a session seeded, the journal replayed silently
//   page -> { type: 'commande', n, nom, args }
//   worker -> { type: 'pret', etat } | { type: 'fait', n, etat } | { type: 'echec', n, message }
import fabrique from 'trevane-session';

let module = null;
let session = null;

function repondre(type, n, etat) {
    const { octets, fins } = etat.affichage;
    postMessage({ type, n, etat }, [octets.buffer, fins.buffer]);
}

// The session's method for a command; `repondre` answers nothing.
function executer(nom, args) {
    if (nom === 'questionCopie')
        return module.questionCopie(...args);
    return session[nom](...args);
}

onmessage = async ({ data }) => {
    if (data.type === 'demarrer') {
        module = await fabrique({ locateFile: (nom) => new URL(nom, import.meta.url).href });
        session = new module.Session(data.graine);
        // A worker started again replays what the page had done: the same
        // seed and commands give the same session, to the last byte. The
        // page has the lines already.
        const rejoue = data.journal.length > 0;
        session.formeLignes(rejoue ? 'aucune' : 'octets');
        const etat = session.etat();
        for (const { nom, args } of data.journal)
            executer(nom, args);
        session.formeLignes('octets');
        if (rejoue)
            postMessage({ type: 'pret', etat: null });
        else
            repondre('pret', 0, etat);
        return;
    }
    try {
        const resultat = executer(data.nom, data.args);
        if (resultat && typeof resultat === 'object' && resultat.affichage)
            repondre('fait', data.n, resultat);
        else
            postMessage({ type: 'fait', n: data.n, etat: resultat ?? null });
    } catch (erreur) {
        postMessage({ type: 'echec', n: data.n, message: String(erreur && erreur.message || erreur) });
    }
};
