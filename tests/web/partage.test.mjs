// node --test tests/web/partage.test.mjs
// The share link's codec: every program comes back as it went, whatever its
// characters; a damaged or foreign fragment gives no program.
import assert from 'node:assert/strict';
import { test } from 'node:test';
import { fragmentDe, lienDe, texteDe } from '../../web/page/partage.js';

const programmes = [
    '',
    'Afficher "é"\nAfficher 1',
    'Entier n ; k\r\nDonner à n la valeur 100\r\n',
    '\t« guillemets » € œ ÿ \u0000 \uFFFF 😀',
    'Afficher "x"\n'.repeat(5000),
];

test('un programme revient tel quel, dans un fragment base64url', async () => {
    for (const texte of programmes) {
        const fragment = await fragmentDe(texte);
        assert.match(fragment, /^#programme=[A-Za-z0-9_-]*$/);
        assert.equal(await texteDe(fragment), texte);
        assert.equal(await texteDe(fragment.slice(1)), texte);
    }
    // Deflated: 5000 repeated lines make a short link.
    assert.ok((await fragmentDe(programmes[4])).length < 400);
});

test('le lien remplace le fragment de la page', async () => {
    const lien = await lienDe('https://ecole.example/cours/trevane/#programme=ancien', 'Afficher 1');
    assert.ok(lien.startsWith('https://ecole.example/cours/trevane/#programme='));
    assert.equal(await texteDe(new URL(lien).hash), 'Afficher 1');
});

test('un fragment abîmé ou étranger ne donne aucun programme', async () => {
    const bon = await fragmentDe('Afficher "bonjour tout le monde"\n'.repeat(20));
    for (const fragment of ['', '#', '#autre=abc', '#programme=', '#programme=!!!', bon.slice(0, bon.length / 2),
                            '#programme=' + Buffer.from([0xff, 0xfe, 0x00]).toString('base64url')])
        assert.equal(await texteDe(fragment), null, fragment);
});
