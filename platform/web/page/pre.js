// Page glue of the web build: the page's address as the program to run and
// its options, the game folder as the working folder, the player's files kept
// in the browser's IndexedDB, the end-of-run report on the console, and the
// hand-over between the launcher and the game.
//
//   index.html                      the launcher, GameShelf
//   index.html?play                 the game, whose menu button comes back
//   index.html?play&seed=7&replay=games/short.txt&report
//
// seed, replay, autoplay, frames and report are the program's --seed,
// --replay, --autoplay, --frames and --report. A replay is fetched from beside
// the page when it can be, else read from the game folder.
var Module = typeof Module !== 'undefined' ? Module : {};

(function () {
  const SHELF = '/reef';
  const GAME = SHELF + '/game';
  const SAVE = '/save';
  const REPORT = '/tmp/report.txt';
  // The two programs of the module, where an installed build keeps them,
  // and the page's address that runs each.
  const PROGRAMS = {
    [SHELF + '/GameShelf']: '',
    [GAME + '/reefhoard']: '?play',
  };
  // What the programs write and the player keeps: the high scores, the
  // window settings and the player profiles with the sound switches, by their
  // place in the file system.
  const KEPT = {
    'hiscore.dat': GAME + '/hiscore.dat',
    'setup.ini': GAME + '/setup.ini',
    'options.ini': SHELF + '/options.ini',
  };
  const query = new URLSearchParams(location.search);
  const playing = query.has('play');
  Module.thisProgram = playing ? GAME + '/reefhoard' : SHELF + '/GameShelf';
  // The preloaded folder is named rather than found: the browser's file
  // system makes every folder writable by all, and the program takes such a
  // working folder for its game folder only when told to.
  const args = ['--data', GAME];
  if (query.has('seed')) args.push('--seed', query.get('seed'));
  if (query.has('autoplay')) args.push('--autoplay=' + (query.get('autoplay') || '1'));
  if (query.has('frames')) args.push('--frames', query.get('frames'));
  if (query.has('report')) args.push('--report', REPORT);
  // The game's command line is the launcher's folder, as the launcher starts
  // it: its menu button then starts the launcher.
  if (playing) args.push(SHELF);
  const replay = query.get('replay');
  Module.arguments = args;
  Module.canvas = document.querySelector('#canvas');

  Module.preRun = Module.preRun || [];
  Module.preRun.push(function () {
    FS.mkdir(SAVE);
    FS.mount(IDBFS, {}, SAVE);
    addRunDependency('reef-save');
    FS.syncfs(true, function (error) {
      if (error) console.warn('saved files could not be read: ' + error);
      removeRunDependency('reef-save');
    });
    if (replay) {
      addRunDependency('reef-replay');
      fetch(replay).then(function (response) {
        if (!response.ok) throw new Error(response.status);
        return response.arrayBuffer();
      }).then(function (bytes) {
        FS.mkdirTree('/replay');
        FS.writeFile('/replay/recording.txt', new Uint8Array(bytes));
        args.push('--replay', '/replay/recording.txt');
      }).catch(function () {
        args.push('--replay', replay);  // one of the game folder's own
      }).finally(function () {
        removeRunDependency('reef-replay');
      });
    }
  });

  // Copies of the kept files live in IndexedDB; the game reads and writes
  // them in their usual places.
  function exists(path) {
    try { FS.stat(path); return true; } catch (e) { return false; }
  }
  // Copies the kept files that changed into IndexedDB; then() follows
  // when they are stored.
  function keep(then) {
    let changed = false;
    for (const name in KEPT) {
      if (!exists(KEPT[name])) continue;
      const now = FS.readFile(KEPT[name]);
      const kept = exists(SAVE + '/' + name) ? FS.readFile(SAVE + '/' + name) : null;
      if (kept && kept.length === now.length && kept.every(function (b, i) { return b === now[i]; })) continue;
      FS.writeFile(SAVE + '/' + name, now);
      changed = true;
    }
    if (!changed) return then();
    FS.syncfs(false, function (error) {
      if (error) console.warn('files could not be kept: ' + error);
      then();
    });
  }
  let saving = null;
  function saveSoon() {
    if (saving) return;
    saving = setTimeout(function () {
      saving = null;
      keep(function () {});
    }, 200);
  }
  function isKept(path) {
    for (const name in KEPT) if (KEPT[name] === path) return true;
    return false;
  }

  Module.onRuntimeInitialized = function () {
    for (const name in KEPT) {
      if (exists(SAVE + '/' + name)) FS.writeFile(KEPT[name], FS.readFile(SAVE + '/' + name));
    }
    // A kept file changes when it is renamed into place or closed after
    // writing.
    // The rename call hands over the path as the program named it, often
    // relative to the game folder.
    const rename = FS.rename;
    FS.rename = function (from, to) {
      const result = rename.apply(FS, arguments);
      if (isKept(PATH_FS.resolve(to))) saveSoon();
      return result;
    };
    const close = FS.close;
    FS.close = function (stream) {
      const path = stream.path;
      const written = (stream.flags & 3) !== 0;  // not O_RDONLY
      const result = close.apply(FS, arguments);
      if (written && isKept(path)) saveSoon();
      return result;
    };
    FS.chdir(GAME);
    const loading = document.querySelector('#loading');
    if (loading) loading.remove();
    document.querySelector('#canvas').addEventListener('contextmenu', function (e) { e.preventDefault(); });
  };

  // A program started by the running one (Play, the game's menu button):
  // the page's address that runs it once the running one has ended.
  let next = null;
  Module.reefStartNext = function (program) {
    if (!(program in PROGRAMS)) return false;
    next = location.pathname + PROGRAMS[program];
    return true;
  };
  document.addEventListener('paste', function (e) {
    Module.reefPasted = e.clipboardData ? e.clipboardData.getData('text/plain') : '';
  });

  Module.onExit = function (status) {
    if (query.has('report') && exists(REPORT)) {
      console.log('reefhoard report begins');
      for (const line of FS.readFile(REPORT, {encoding: 'utf8'}).split('\n')) {
        if (line) console.log(line);
      }
      console.log('reefhoard report ends');
    }
    console.log('reefhoard exited with ' + status);
    Module.reefExitStatus = status;
    if (next === null) return;
    // The files the program wrote are stored before the page goes.
    clearTimeout(saving);
    saving = null;
    keep(function () { location.assign(next); });
  };
})();
