// The service worker: after one visit the whole site works offline. The
// list of files and the version are written by scripts/site.sh; a new
// version fills a new cache, then the old ones go.
const version = '@VERSION@';
const fichiers = ['./', @FICHIERS@];

self.addEventListener('install', (e) => {
    e.waitUntil(caches.open(version).then((cache) => cache.addAll(fichiers)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (e) => {
    e.waitUntil(caches.keys()
        .then((noms) => Promise.all(noms.filter((n) => n !== version).map((n) => caches.delete(n))))
        .then(() => self.clients.claim()));
});

// Cached first, the network for anything else.
self.addEventListener('fetch', (e) => {
    if (e.request.method !== 'GET')
        return;
    e.respondWith(caches.open(version)
        .then((cache) => cache.match(e.request, { ignoreSearch: true }))
        .then((reponse) => reponse || fetch(e.request)));
});
