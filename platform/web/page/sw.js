// The page's service worker: keeps every file of the page on the first visit,
// so later visits start with the network off. The build writes the file list
// and the build's hash in place of the two marks (stamp_service_worker.cmake):
// a new build is a changed worker, which the browser installs, keeping the new
// files under a new name and dropping the old build's. The new build takes
// over at once: a page already running has all its files by then, and its
// next load (Play, Menu) gets the new build whole.
'use strict';
const CACHE = 'reefhoard-@PAGE_BUILD@';
const FILES = [@PAGE_FILES@];
const SCOPE = self.registration.scope;

self.addEventListener('install', (event) => {
  // Past the browser's HTTP cache, which may hold an older build's file.
  const requests = FILES.map((file) => new Request(file, {cache: 'no-cache'}));
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(requests)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys().then((names) => Promise.all(
    names.filter((name) => name.startsWith('reefhoard-') && name !== CACHE).map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

// The page's files come from the cache whatever their query (index.html?play
// is the page); anything else, a recording say, from the network.
self.addEventListener('fetch', (event) => {
  const url = new URL(event.request.url);
  url.search = '';
  url.hash = '';
  if (event.request.method !== 'GET' || !url.href.startsWith(SCOPE)) return;
  const file = url.href.slice(SCOPE.length) || 'index.html';
  if (!FILES.includes(file)) return;
  event.respondWith(caches.open(CACHE)
    .then((cache) => cache.match(new URL(file, SCOPE).href))
    .then((kept) => kept || fetch(event.request)));
});
