// Files on the learner's machine. Opening reads the bytes (file picker or
// a file dropped on the window) for the core to decode. Saving writes the
// core's bytes: into the file itself through the File System Access API
// where the browser has it (the same file again at the next save), else as
// a download named after the program.

const handles = new Map();   // path as the core names it -> the file to write again

export function choisirFichier() {
    const entree = document.getElementById('fichier-ouvrir');
    return new Promise((resolu) => {
        entree.value = '';
        entree.onchange = async () => {
            const fichier = entree.files[0];
            resolu(fichier ? { nom: fichier.name, octets: new Uint8Array(await fichier.arrayBuffer()) } : null);
        };
        entree.oncancel = () => resolu(null);
        entree.click();
    });
}

// Files dropped anywhere on the window: the first one, read.
export function surDepot(cible, ouvrir) {
    cible.addEventListener('dragover', (e) => {
        if ([...e.dataTransfer.types].includes('Files')) {
            e.preventDefault();
            e.dataTransfer.dropEffect = 'copy';
        }
    });
    cible.addEventListener('drop', async (e) => {
        const fichier = e.dataTransfer.files[0];
        if (!fichier)
            return;
        e.preventDefault();
        ouvrir({ nom: fichier.name, octets: new Uint8Array(await fichier.arrayBuffer()) });
    });
}

export const enregistrementDirect = typeof window.showSaveFilePicker === 'function';

// The save dialog where there is one: the name chosen (its file kept), or
// null on cancel. `genre`: program or trace.
export async function choisirEnregistrement(nomPropose, genre) {
    const types = genre === 'csv'
        ? [{ description: 'Fichiers CSV (*.csv)', accept: { 'text/csv': ['.csv'] } }]
        : [{ description: 'Fichiers texte (*.txt)', accept: { 'text/plain': ['.txt'] } }];
    try {
        const handle = await window.showSaveFilePicker({ suggestedName: nomPropose, types });
        return handle;
    } catch (e) {
        if (e.name === 'AbortError')
            return null;
        throw e;
    }
}

export function retenir(chemin, handle) { handles.set(chemin, handle); }
export function aUnFichier(chemin) { return handles.has(chemin); }

function telecharger(nom, octets, type) {
    const lien = document.createElement('a');
    lien.href = URL.createObjectURL(new Blob([octets], { type }));
    lien.download = nom;
    lien.hidden = true;
    document.body.append(lien);
    lien.click();
    setTimeout(() => { URL.revokeObjectURL(lien.href); lien.remove(); }, 1000);
}

// Writes a file the core wrote: into its own file if it has one, else downloaded.
export async function ecrire(chemin, octets, handle = handles.get(chemin), type = 'text/plain') {
    if (handle) {
        const flux = await handle.createWritable();
        await flux.write(octets);
        await flux.close();
        return;
    }
    telecharger(chemin.split('/').pop(), octets, type);
}
