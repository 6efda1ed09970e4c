// The share link: the program travels in the URL's fragment, deflated and
// base64url-encoded, so that no server ever sees it. Pure functions (also
// run under Node by tests/web/partage.test.mjs).

export const longueurLienMax = 8000;   // beyond it, mail and chat programs cut links
const prefixe = 'programme=';

async function transformer(octets, flux) {
    const sortie = new Blob([octets]).stream().pipeThrough(flux);
    return new Uint8Array(await new Response(sortie).arrayBuffer());
}

function base64url(octets) {
    let binaire = '';
    for (let i = 0; i < octets.length; i += 0x8000)
        binaire += String.fromCharCode(...octets.subarray(i, i + 0x8000));
    return btoa(binaire).replace(/\+/g, '-').replace(/\//g, '_').replace(/=+$/, '');
}

function depuisBase64url(texte) {
    const binaire = atob(texte.replace(/-/g, '+').replace(/_/g, '/'));
    return Uint8Array.from(binaire, (c) => c.charCodeAt(0));
}

// The fragment ("#programme=...") for a program's text.
export async function fragmentDe(texte) {
    const octets = await transformer(new TextEncoder().encode(texte), new CompressionStream('deflate-raw'));
    return `#${prefixe}${base64url(octets)}`;
}

// The program a fragment carries; null when it carries none or is damaged
// (a link cut by a mail program).
export async function texteDe(fragment) {
    const debut = fragment.startsWith('#') ? 1 : 0;
    if (!fragment.startsWith(prefixe, debut))
        return null;
    try {
        const octets = await transformer(depuisBase64url(fragment.slice(debut + prefixe.length)),
                                         new DecompressionStream('deflate-raw'));
        return new TextDecoder('utf-8', { fatal: true }).decode(octets);
    } catch {
        return null;
    }
}

// The whole link: this page's address without its fragment, then the program's.
export async function lienDe(adresse, texte) {
    return adresse.replace(/#.*$/, '') + await fragmentDe(texte);
}
