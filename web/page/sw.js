// The service worker of piyoran's site: keeps every file of the site so the
// program runs offline, and serves from that copy first. The line below is
// written by tools/web/refresh-lists.py: the site's files and a version made
// from their contents, so any change of the site (a new build, a new book)
// makes a new worker with a fresh copy.
const SITE = {"version": "unset", "files": []};
'use strict';

const CACHE = 'piyoran-' + SITE.version;

self.addEventListener('install', event => {
  event.waitUntil((async () => {
    const cache = await caches.open(CACHE);
    // The site's folder itself is asked for as "./" when the page starts.
    await cache.addAll(['./', ...SITE.files].map(file => new Request(file, { cache: 'reload' })));
    await self.skipWaiting();
  })());
});

self.addEventListener('activate', event => {
  event.waitUntil((async () => {
    for (const name of await caches.keys())
      if (name.startsWith('piyoran-') && name !== CACHE)
        await caches.delete(name);
    await self.clients.claim();
  })());
});

self.addEventListener('fetch', event => {
  const request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin)
    return;
  event.respondWith((async () => {
    // Matched by the whole address where it has no query: a match that
    // ignores the query looks at every file kept, for every file asked for.
    const url = new URL(request.url);
    const kept = await caches.match(request, { cacheName: CACHE, ignoreSearch: url.search !== '' });
    return kept || fetch(request);
  })());
});
