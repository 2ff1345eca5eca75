// Page glue of the web build: the page's address as the program to run and
// its options, the game folder as the working folder, the player's files kept
// in the browser's IndexedDB, the end-of-run report on the console, the
// hand-over between the launcher and the game, and what the page says when
// the game cannot run (reefFail in index.html).
//
//   index.html                      the launcher, GameShelf
//   index.html?play                 the game, whose menu button comes back
//   index.html?play&seed=7&replay=games/short.txt&report
//   index.html?failstart            start-up throws before anything is read
//                                   or written: the tests' way to see the
//                                   page report a failed start
//
// seed, replay, autoplay, frames and report are the program's --seed,
// --replay, --autoplay, --frames and --report. An address with any of them is
// a link someone made: its game runs on the game folder's own files alone and
// neither reads nor writes the visitor's kept files. A replay is fetched from
// the page's own site only, from beside the page when it can be, else read
// from the game folder.
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
  const fromLink = ['seed', 'replay', 'autoplay', 'frames', 'report'].some(function (name) {
    return query.has(name);
  });
  // Whether the visitor's files are read from IndexedDB and written back.
  let keeping = !fromLink;
  // Shows the problem on the page; true when it is shown.
  function fail(problem, remedy) {
    if (typeof reefFail === 'function') return reefFail(problem, remedy);
    console.error(problem + ' ' + remedy);
    return false;
  }
  Module.onAbort = function (what) {
    if (typeof reefStopped === 'function') reefStopped(what);
  };
  // The program's last complaint, a line that begins with its name (help
  // text may follow), for the page to show when it ends badly.
  let lastComplaint = '';
  Module.printErr = function (text) {
    if (/^(reefhoard|GameShelf): /.test(text)) lastComplaint = text;
    console.error(text);
  };
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
  // A recording on this site; a link cannot make the page fetch from another
  // site, nor run what a data: or javascript: address holds.
  let recording = null;
  if (replay) {
    try {
      recording = new URL(replay, location.href);
    } catch (e) { /* refused below */ }
    if (recording && recording.origin !== location.origin) recording = null;
    if (!recording) {
      fail('The recording "' + replay + '" was not played: a link can only replay a recording from this site.',
           'Check the link, or open the page without it to play.');
    }
  }
  Module.arguments = args;
  // main runs in a task after the module's set-up (its static objects, the
  // file system, the kept files), not in the same one: see
  // onRuntimeInitialized.
  Module.noInitialRun = true;
  // The game's page, opened by the launcher's Play, starts its music at once
  // where the browser lets it; the launcher's sound waits for a gesture.
  Module.reefSoundAtOnce = playing;
  Module.canvas = document.querySelector('#canvas');

  Module.preRun = Module.preRun || [];
  Module.preRun.push(function () {
    if (query.has('failstart')) throw new Error('start-up failed on purpose (failstart in the address)');
    // The program starts in a task of its own, not at the end of the one
    // that unpacks index.data (or reads the kept files): each is long enough
    // on a slow phone to hold up the page.
    addRunDependency('reef-own-task');
    Module.monitorRunDependencies = function (left) {
      if (left !== 1) return;
      setTimeout(function () {
        if (runDependencies === 1 && Module.monitorRunDependencies) {
          Module.monitorRunDependencies = null;
          removeRunDependency('reef-own-task');
        }
      });
    };
    // The module's loader makes the game's files in the file system one after
    // another as soon as index.data has arrived, in one task far too long for
    // a slow phone: they are made a few milliseconds' worth at a time
    // instead, each batch in a task of its own.
    const makeFile = Module.FS_createDataFile;
    const waiting = [];
    const turns = new MessageChannel();
    turns.port1.onmessage = function () {
      const until = performance.now() + 4;
      while (waiting.length > 0 && performance.now() < until) makeFile.apply(FS, waiting.shift());
      if (waiting.length > 0) {
        turns.port2.postMessage(null);
      } else {
        removeRunDependency('reef-files');
      }
    };
    Module.FS_createDataFile = function () {
      if (waiting.length === 0) {
        addRunDependency('reef-files');
        turns.port2.postMessage(null);
      }
      waiting.push(arguments);
    };
    // A browser with no IndexedDB at all would stop the module's storage
    // code outright; one that refuses it reports so in syncfs.
    if (keeping && !self.indexedDB) storageRefused('no IndexedDB');
    if (keeping) {
      FS.mkdir(SAVE);
      FS.mount(IDBFS, {}, SAVE);
      addRunDependency('reef-save');
      FS.syncfs(true, function (error) {
        if (error) storageRefused(error);
        removeRunDependency('reef-save');
      });
    }
    // The music is a file of its own beside the page, fetched by the
    // launcher once it runs and waited for only by the game, which starts it
    // at start-up. Without it the game plays silent.
    if (playing) {
      addRunDependency('reef-music');
      fetch('music.mp3').then(function (response) {
        if (!response.ok) throw new Error(response.status);
        return response.arrayBuffer();
      }).then(function (bytes) {
        FS.mkdirTree(GAME + '/sounds');
        FS.writeFile(GAME + '/sounds/music.mp3', new Uint8Array(bytes));
      }).catch(function (error) {
        console.warn('the music could not be fetched: ' + error);
      }).finally(function () {
        removeRunDependency('reef-music');
      });
    }
    // A refused recording holds the program back for good: the page shows why.
    if (replay) addRunDependency('reef-replay');
    if (recording) {
      fetch(recording.href).then(function (response) {
        if (!response.ok || new URL(response.url).origin !== location.origin) throw new Error(response.status);
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
  // them in their usual places. Where the browser refuses that storage the
  // game runs all the same, on the files of the game folder, under a note
  // that a click puts away.
  function storageRefused(error) {
    console.warn('site storage: ' + error);
    keeping = false;
    const shown = fail(
      'This browser refuses the site storage, so scores, players and options will not be kept after this visit.',
      'Allow site storage for this site (a private window may not offer it) and reload the page to keep them. ' +
      '(Click this note to close it.)');
    const note = document.querySelector('#message');
    if (shown) note.addEventListener('click', function () { note.hidden = true; }, {once: true});
  }
  function exists(path) {
    try { FS.stat(path); return true; } catch (e) { return false; }
  }
  // Copies the kept files that changed into IndexedDB; then() follows
  // when they are stored.
  function keep(then) {
    if (!keeping) return then();
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
      if (error) storageRefused(error);
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
      if (keeping && exists(SAVE + '/' + name)) FS.writeFile(KEPT[name], FS.readFile(SAVE + '/' + name));
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
    // The launcher needs no music: it has a worker fetch the game's after its
    // first frame, so that Play finds it in the browser's cache.
    if (!playing && typeof reefDownload === 'function') {
      setTimeout(function () { reefDownload('music.mp3', false); }, 1000);
    }
    setTimeout(function () { callMain(args); });
    const loading = document.querySelector('#loading');
    if (loading) loading.remove();
    document.querySelector('#canvas').addEventListener('contextmenu', function (e) { e.preventDefault(); });
    // The page's files are all here by now, so the service worker keeps them
    // from the browser's cache rather than downloading them again. It is
    // registered in a task of its own, after the program's first.
    if ('serviceWorker' in navigator) {
      setTimeout(function () {
        navigator.serviceWorker.register('sw.js').catch(function (error) {
          console.warn('no offline visits: ' + error);
        });
      });
    }
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
    // The program pastes it; the hidden field would hand it on a second time.
    if (e.target && e.target.id === 'typing') e.preventDefault();
  });

  // The hidden text field a phone's keyboard types into (web_video.cpp gives
  // it the focus). It always holds one space, so that the keyboard's
  // backspace has something to delete and says so with an input event; what
  // it holds beyond that is typed text, handed on once any composing (word
  // suggestions, input methods) has ended. Keys that the program takes from
  // their key events never reach it.
  const REST = ' ';
  const rest = function (field) {
    field.value = REST;
    field.setSelectionRange(REST.length, REST.length);
  };
  Module.reefFocusTyping = function (field) {
    if (document.activeElement === field) field.blur();
    rest(field);
    field.focus({preventScroll: true});
  };
  const handOn = function (e) {
    const field = e.target;
    if (e.isComposing) return;
    if (field.value.length < REST.length) {
      Module._reef_web_erased();
    } else {
      for (const character of field.value.slice(REST.length)) Module._reef_web_typed(character.codePointAt(0));
    }
    rest(field);
  };
  const typing = document.getElementById('typing');
  if (typing) {
    typing.addEventListener('input', handOn);
    typing.addEventListener('compositionend', handOn);
  }

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
    if (status !== 0) {
      fail('Reef Hoard stopped' + (lastComplaint ? ': ' + lastComplaint.replace(/[^.]$/, '$&.') : ' (status ' + status + ').'),
           'Reload the page; if it stops again, open it without the options in its address.');
    }
    if (next === null) return;
    // The files the program wrote are stored before the page goes.
    clearTimeout(saving);
    saving = null;
    keep(function () { location.assign(next); });
  };
})();
