// The core in a Web Worker, so that no burst ever freezes the page. The
// page posts one command at a time; the worker runs it on the session and
// posts back what changed, the pane's lines first, in batches that the page
// takes between two frames.
//
//   page -> { type: 'demarrer', graine, journal }   a session seeded, the journal replayed silently
//   page -> { type: 'commande', n, nom, args }
//   worker -> { type: 'pret', etat } | { type: 'lignes', n, remplace, lignes } | { type: 'fait', n, etat }
//           | { type: 'echec', n, message }
import fabrique from 'trevane-session';

const lignesParLot = 20000;
let module = null;
let session = null;

function repondre(n, etat) {
    const lignes = etat.affichage.lignes;
    for (let debut = 0; debut < lignes.length; debut += lignesParLot)
        postMessage({ type: 'lignes', n, remplace: debut === 0 && etat.affichage.remplace,
                      lignes: lignes.slice(debut, debut + lignesParLot) });
    if (lignes.length === 0 && etat.affichage.remplace)
        postMessage({ type: 'lignes', n, remplace: true, lignes: [] });
    etat.affichage = null;
    postMessage({ type: 'fait', n, etat });
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
        const etat = session.etat();
        // A worker started again replays what the page had done: the same
        // seed and commands give the same session, to the last byte.
        for (const { nom, args } of data.journal)
            executer(nom, args);
        postMessage({ type: 'pret', etat: data.journal.length ? null : etat });
        return;
    }
    try {
        const resultat = executer(data.nom, data.args);
        if (resultat && typeof resultat === 'object' && resultat.affichage)
            repondre(data.n, resultat);
        else
            postMessage({ type: 'fait', n: data.n, etat: resultat ?? null });
    } catch (erreur) {
        postMessage({ type: 'echec', n: data.n, message: String(erreur && erreur.message || erreur) });
    }
};
