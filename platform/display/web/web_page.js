// The page's side of the web display (see web_page.h): the windows as canvases under title bars
// of their own, the browser's input as events the program polls, waiting that gives the browser
// control, and the lasting storage that KORVA.SCR is written to.
//
// Sizes: the program's pixels are shown as squares of `scale` device pixels; one program pixel
// is `scale / devicePixelRatio` CSS pixels. The page's elements: #screen (the windows go in it)
// and the shell's own controls (shell.html).

var KorvaPageLibrary = {
  $KorvaPage__deps: ['$FS'],
  $KorvaPage: {
    windows: {},     // id: {frame, title, canvas}
    events: [],      // queued input: {fields, code}
    wake: null,      // ends the current wait
    waits: 0,        // waits begun with no input queued: the program was idle (tests, benchmarks)
    firstFrame: 0,   // when the first frame was drawn on a canvas and when it was on screen
    firstFrameShown: 0, // (performance.now(): milliseconds since the page's navigation began)
    scale: 0,
    pressedWindow: 0, // the window a mouse button went down in, for its release
    top: 0,           // the z-index of the window in front
    storage: {path: '', failed: false, syncing: false, again: false},

    // The whole factor: the device pixel ratio rounded down, lowered until an 800 x 600
    // screen of the program's pixels fits the viewport.
    computeScale: function() {
      var ratio = window.devicePixelRatio || 1;
      var scale = Math.max(1, Math.floor(ratio));
      while (scale > 1 && (window.innerWidth * ratio / scale < 800 ||
                           window.innerHeight * ratio / scale < 600))
        scale--;
      return scale;
    },
    cssPerPixel: function() {
      return KorvaPage.scale / (window.devicePixelRatio || 1);
    },
    queue: function(fields, code) {
      var last = KorvaPage.events[KorvaPage.events.length - 1];
      // Only the latest mouse position matters, as Windows folds mouse moves into one message.
      if (fields[0] === 3 && last && last.fields[0] === 3 && last.fields[1] === fields[1])
        KorvaPage.events.pop();
      KorvaPage.events.push({fields: fields, code: code || ''});
      if (KorvaPage.wake) KorvaPage.wake();
    },
    // The content pixel under a mouse event.
    pixelOf: function(canvas, event) {
      var box = canvas.getBoundingClientRect();
      var k = KorvaPage.cssPerPixel();
      return [Math.floor((event.clientX - box.left) / k), Math.floor((event.clientY - box.top) / k)];
    },
    // The Unicode character a key-down types under the user's layout, or 0 (a named key, a
    // dead key: the browser composes it with the next key).
    characterOf: function(event) {
      var key = event.key || '';
      if (key.length === 0 || (key.length > 1 && key.codePointAt(0) < 0x10000) ||
          key.codePointAt(0) > 0x10FFFF)
        return 0;
      return key.codePointAt(0);
    },
    // Keys the browser would act on are the program's while its canvas has the focus (Ctrl+R
    // reloads no page, Ctrl+P prints nothing). Those it keeps (Ctrl+W, Ctrl+T, Ctrl+N, Alt+F4)
    // never reach the page.
    onKey: function(id, down, event) {
      event.preventDefault();
      var altgr = event.key === 'AltGraph' ? 1 : 0;
      var fields = [down ? 4 : 5, id, 0, 0, 0, event.repeat ? 1 : 0,
                    down ? KorvaPage.characterOf(event) : 0, altgr];
      KorvaPage.queue(fields, event.code);
    },
    addWindow: function(id, title) {
      var frame = document.createElement('div');
      frame.className = 'korva-window';
      frame.style.display = 'none';
      var bar = document.createElement('div');
      bar.className = 'korva-title';
      var text = document.createElement('span');
      text.textContent = title;
      var close = document.createElement('button');
      close.className = 'korva-close';
      close.title = 'Close';
      close.textContent = '\u00d7';
      close.addEventListener('click', function() { KorvaPage.queue([6, id, 0, 0, 0, 0, 0, 0]); });
      bar.appendChild(text);
      bar.appendChild(close);
      var canvas = document.createElement('canvas');
      canvas.tabIndex = 0;
      // The package makes its graphics window first and its text window second: their canvases
      // are #graphics and #text, for the page's styles and scripts.
      var name = ['graphics', 'text'].find(function(n) { return !document.getElementById(n); });
      if (name) canvas.id = name;
      frame.appendChild(bar);
      frame.appendChild(canvas);
      canvas.addEventListener('mousedown', function(event) {
        event.preventDefault();
        KorvaPage.raise(id);
        // The window takes the focus before it gets the click, as a window manager gives it.
        if (document.activeElement !== canvas) canvas.focus();
        var at = KorvaPage.pixelOf(canvas, event);
        KorvaPage.pressedWindow = id;
        KorvaPage.queue([1, id, at[0], at[1], event.button + 1, 0, 0, 0]);
      });
      canvas.addEventListener('mousemove', function(event) {
        var at = KorvaPage.pixelOf(canvas, event);
        KorvaPage.queue([3, id, at[0], at[1], 0, 0, 0, 0]);
      });
      canvas.addEventListener('contextmenu', function(event) { event.preventDefault(); });
      canvas.addEventListener('keydown', function(event) { KorvaPage.onKey(id, true, event); });
      canvas.addEventListener('keyup', function(event) { KorvaPage.onKey(id, false, event); });
      canvas.addEventListener('focus', function() { KorvaPage.queue([7, id, 0, 0, 0, 0, 0, 0]); });
      canvas.addEventListener('blur', function() { KorvaPage.queue([8, id, 0, 0, 0, 0, 0, 0]); });
      document.getElementById('screen').appendChild(frame);
      KorvaPage.windows[id] = {frame: frame, title: text, canvas: canvas,
                               context: canvas.getContext('2d', {alpha: false}),
                               placement: null};
    },
    // Brings a window in front of the others, as a window manager does with the active one.
    raise: function(id) {
      var w = KorvaPage.windows[id];
      if (w) w.frame.style.zIndex = String(++KorvaPage.top);
    },
    // Lays a window out from its placement: the frame's outer top-left, the title bar filling
    // the room above the content, the canvas at the content's size.
    layout: function(w) {
      var p = w.placement, k = KorvaPage.cssPerPixel();
      var border = p.contentX;
      w.frame.style.left = (p.x * k) + 'px';
      w.frame.style.top = (p.y * k) + 'px';
      w.frame.style.borderWidth = (border * k) + 'px';
      w.frame.firstChild.style.height = ((p.contentY - border) * k) + 'px';
      w.frame.firstChild.style.fontSize = Math.max(8, Math.round(15 * k)) + 'px';
      w.canvas.style.width = (p.width * k) + 'px';
      w.canvas.style.height = (p.height * k) + 'px';
    },
    mouseUp: function(event) {
      var id = KorvaPage.pressedWindow;
      var w = KorvaPage.windows[id];
      if (!w) return;
      KorvaPage.pressedWindow = 0;
      var at = KorvaPage.pixelOf(w.canvas, event);
      KorvaPage.queue([2, id, at[0], at[1], event.button + 1, 0, 0, 0]);
    },
    // Writes the storage's files to IndexedDB; one sync at a time, one more after it when
    // files changed meanwhile. A sync that fails makes further writes fail, so that the
    // program reports it.
    sync: function() {
      var storage = KorvaPage.storage;
      if (!storage.path || storage.failed) return;
      if (storage.syncing) { storage.again = true; return; }
      storage.syncing = true;
      FS.syncfs(false, function(error) {
        storage.syncing = false;
        if (error) {
          storage.failed = true;
          console.error('korva: cannot keep files in the browser: ' + error);
          return;
        }
        if (storage.again) { storage.again = false; KorvaPage.sync(); }
      });
    },
    inStorage: function(path) {
      var base = KorvaPage.storage.path;
      return !!base && typeof path === 'string' && path.indexOf(base + '/') === 0;
    },
  },

  korva_web_screen_width__deps: ['$KorvaPage'],
  korva_web_screen_width: function() {
    return Math.floor(window.innerWidth / KorvaPage.cssPerPixel());
  },
  korva_web_screen_height__deps: ['$KorvaPage'],
  korva_web_screen_height: function() {
    return Math.floor(window.innerHeight / KorvaPage.cssPerPixel());
  },
  korva_web_scale__deps: ['$KorvaPage'],
  korva_web_scale: function() {
    if (!KorvaPage.scale) {
      KorvaPage.scale = KorvaPage.computeScale();
      window.addEventListener('mouseup', KorvaPage.mouseUp);
    }
    return KorvaPage.scale;
  },
  korva_web_create_window__deps: ['$KorvaPage'],
  korva_web_create_window: function(id, title) {
    KorvaPage.addWindow(id, UTF8ToString(title));
  },
  korva_web_destroy_window__deps: ['$KorvaPage'],
  korva_web_destroy_window: function(id) {
    var w = KorvaPage.windows[id];
    if (!w) return;
    w.frame.remove();
    delete KorvaPage.windows[id];
  },
  korva_web_show_window__deps: ['$KorvaPage'],
  korva_web_show_window: function(id, shown) {
    var w = KorvaPage.windows[id];
    if (!w) return;
    w.frame.style.display = shown ? '' : 'none';
    // Windows activates a window it shows.
    if (shown) {
      KorvaPage.raise(id);
      w.canvas.focus();
    }
  },
  korva_web_set_title__deps: ['$KorvaPage'],
  korva_web_set_title: function(id, title) {
    var w = KorvaPage.windows[id];
    if (w) w.title.textContent = UTF8ToString(title);
  },
  korva_web_place_window__deps: ['$KorvaPage'],
  korva_web_place_window: function(id, x, y, contentX, contentY, width, height) {
    var w = KorvaPage.windows[id];
    if (!w) return;
    w.placement = {x: x, y: y, contentX: contentX, contentY: contentY, width: width, height: height};
    KorvaPage.layout(w);
  },
  korva_web_present__deps: ['$KorvaPage'],
  korva_web_present: function(id, rgba, width, height, left, top, columns, rows) {
    var w = KorvaPage.windows[id];
    if (!w || columns <= 0 || rows <= 0) return;
    if (w.canvas.width !== width || w.canvas.height !== height) {
      w.canvas.width = width;
      w.canvas.height = height;
    }
    var bytes = new Uint8ClampedArray(HEAPU8.buffer, rgba, columns * rows * 4);
    w.context.putImageData(new ImageData(bytes, columns, rows), left, top);
    if (!KorvaPage.firstFrame) {
      KorvaPage.firstFrame = performance.now();
      requestAnimationFrame(function() { KorvaPage.firstFrameShown = performance.now(); });
    }
  },
  korva_web_next_event__deps: ['$KorvaPage'],
  korva_web_next_event: function(fields, code, codeSize) {
    var event = KorvaPage.events.shift();
    if (!event) return 0;
    for (var i = 0; i < event.fields.length; i++) HEAP32[(fields >> 2) + i] = event.fields[i];
    stringToUTF8(event.code, code, codeSize);
    return 1;
  },
  korva_web_wait__deps: ['$KorvaPage'],
  korva_web_wait: function(milliseconds) {
    return Asyncify.handleSleep(function(wakeUp) {
      if (KorvaPage.events.length) { setTimeout(wakeUp, 0); return; }
      KorvaPage.waits++;
      var timer = null;
      var done = function() {
        if (timer !== null) clearTimeout(timer);
        KorvaPage.wake = null;
        wakeUp();
      };
      KorvaPage.wake = done;
      if (milliseconds >= 0) timer = setTimeout(done, milliseconds);
    });
  },
  korva_web_mount_storage__deps: ['$KorvaPage', '$IDBFS'],
  korva_web_mount_storage: function(path) {
    return Asyncify.handleSleep(function(wakeUp) {
      var folder = UTF8ToString(path);
      var storage = KorvaPage.storage;
      FS.mkdirTree(folder);
      var refused = function(why) {
        console.error('korva: the browser keeps no files for this page: ' + why);
        storage.path = folder;
        storage.failed = true;
        wakeUp(0);
      };
      try {
        if (typeof indexedDB === 'undefined' || !indexedDB) return refused('no IndexedDB');
        FS.mount(IDBFS, {}, folder);
      } catch (error) {
        return refused(error);
      }
      FS.syncfs(true, function(error) {
        if (error) return refused(error);
        storage.path = folder;
        wakeUp(1);
      });
    });
  },
  korva_web_program_ended__deps: ['$KorvaPage'],
  korva_web_program_ended: function(status) {
    KorvaPage.sync();
    if (Module.onProgramEnded) Module.onProgramEnded(status);
  },
};

// A written file is kept at once (the program flushes each line of a recording, and each
// flush writes); once keeping failed, writes to the storage fail, as on a full disk.
KorvaPageLibrary.$KorvaPage__postset =
  'var korvaWrite = FS.write;' +
  'FS.write = function(stream) {' +
  '  var kept = KorvaPage.inStorage(stream.path);' +
  '  if (kept && KorvaPage.storage.failed)' +
  '    throw new FS.ErrnoError(' + {{{ cDefine('ENOSPC') }}} + ');' +
  '  var written = korvaWrite.apply(null, arguments);' +
  '  if (kept) KorvaPage.sync();' +
  '  return written; };' +
  'Module.korvaPage = KorvaPage; Module.korvaSync = KorvaPage.sync;';

mergeInto(LibraryManager.library, KorvaPageLibrary);
