// The page around one canvas that fills the window: the chooser, the
// full-screen button and the settings panel (none of them with ?saver=),
// one tick every 50 ms from requestAnimationFrame, a new run for each new
// size, and the figures the tests and the benchmark read (window.zamvel).
// Its texts are in the page's language (lang.js).
(function () {
  var TickMs = 50, MaxCatchUp = 3;
  var S = ZamvelSettings, L = ZamvelLang;
  var T = {
    noMemory: {ja: 'メモリが足りないため、実行できません。', en: 'There is not enough memory for this run.'},
    notStored: {ja: '（このページを閉じるまで有効です）', en: ' They hold until the page is closed.'},
    fullScreen: {ja: '全画面', en: 'Full screen'},
    fullRefused: {ja: '全画面にできませんでした。', en: 'Full screen was refused.'},
    dropHint: {ja: '画像をドロップすると、その上に描きます。', en: 'Drop a picture here to draw over it.'},
    dropFile: {ja: 'ファイルをドロップしてください。', en: 'Drop a picture file.'},
    picture: {ja: 'デスクトップの上に描くセーバーは、この画像の上に描きます。',
              en: 'The savers that draw over the desktop will draw over this picture.'},
    otherLang: {ja: 'English', en: '日本語'},
  };
  var params = new URLSearchParams(location.search);
  var bare = params.has('saver');
  var screen = document.getElementById('screen');
  var output = screen.getContext('2d', {alpha: false});
  var app = {
    page: 0, schemas: [], saver: 0, urlApplies: [], applied: [], picture: null,
    frame: {pointer: 0, width: 0, height: 0}, image: null, size: null, target: null,
    running: false, paused: false, acc: 0, last: 0, generation: 0, failures: [],
  };
  var ready = {};
  ready.promise = new Promise(function (resolve) { ready.resolve = resolve; });

  // A text ({ja, en}) at the foot of the page; null for none.
  function message(text) {
    var m = document.getElementById('message');
    L.show(m, text);
    m.hidden = !text;
  }

  // Every callback of the page runs through here: a fault is said on the
  // page and kept for the tests, never thrown at the console.
  function guard(fn) {
    return function () {
      try {
        return fn.apply(this, arguments);
      } catch (e) {
        app.failures.push(String(e && e.stack || e));
        message({ja: '内部エラー: ' + e, en: 'Internal error: ' + e});
      }
    };
  }

  // seed=N, 0 to 4294967295; anything else is no seed.
  function seedParam() {
    var t = params.get('seed');
    if (t === null || !/^\s*\d{1,10}\s*$/.test(t) || Number(t) > 4294967295) return null;
    return Number(t);
  }

  function schema() { return app.schemas[app.saver]; }

  // Saver i's settings object made anew; its values in the panel's order.
  function values(i) {
    return S.values(i, app.schemas[i], app.urlApplies[i] ? params : null, app.applied[i]);
  }

  // The face of a text saver loaded before its first glyph, else the
  // browser would draw in a fallback face without a word.
  function fontsFor(d, vs) {
    var face = null, sample = '光陰矢の如し The Eyes of Truth.';
    d.settings.forEach(function (s, k) {
      if (s.kind === 'face') face = vs[k];
      if (s.kind === 'strings' && vs[k]) sample = String(vs[k]).slice(0, 400);
    });
    if (!face || !document.fonts || !document.fonts.load) return Promise.resolve();
    return document.fonts.load(Module.zamvelGlyphs.cssFont(face, 16, false, false), sample)
      .then(function () {}, function () {});
  }

  function paintPicture(f) {
    var picture = app.picture ? ZamvelPicture.cover(app.picture, f.width, f.height)
                              : ZamvelPicture.desktop(f.width, f.height);
    HEAPU8.set(picture.data, f.pointer);
  }

  // A new run of the chosen saver at the window's size, on black or on the
  // picture; a promise of whether it started.
  function restart() {
    var generation = ++app.generation, i = app.saver, d = schema(), vs = values(i);
    var size = app.size = app.target;
    app.running = false;
    return fontsFor(d, vs).then(guard(function () {
      if (generation !== app.generation) return false;
      var pointer = _web_frame(app.page, size.width, size.height);
      app.image = null;
      app.frame = {pointer: pointer, width: pointer ? size.width : 0, height: pointer ? size.height : 0};
      if (!pointer) {
        message(T.noMemory);
        return false;
      }
      if (d.picture) paintPicture(app.frame);
      var seed = seedParam();
      if (!_web_start(app.page, i, Date.now() % 4294967296, seed || 0, seed !== null ? 1 : 0)) {
        message(T.noMemory);
        return false;
      }
      var notice = S.json(_web_notice(app.page));
      if (notice) message(notice);
      app.running = true;
      app.acc = 0;
      app.last = performance.now();
      put();
      return true;
    }));
  }

  function put() {
    var f = app.frame;
    if (!f.pointer) return;
    // The view goes stale when the wasm memory grows.
    if (!app.image || app.image.data.buffer !== HEAPU8.buffer)
      app.image = new ImageData(new Uint8ClampedArray(HEAPU8.buffer, f.pointer, f.width * f.height * 4), f.width, f.height);
    if (screen.width !== f.width || screen.height !== f.height) {
      screen.width = f.width;
      screen.height = f.height;
    }
    output.putImageData(app.image, 0, 0);
  }

  function frame(now) {
    var t = app.target;
    if (!app.size || t.width !== app.size.width || t.height !== app.size.height) {
      restart();
      return;
    }
    if (!app.running || app.paused || document.hidden) {
      app.last = now;
      return;
    }
    // After a stall (a hidden tab, a slow frame) a few ticks at most.
    app.acc += Math.max(0, Math.min(now - app.last, MaxCatchUp * TickMs));
    app.last = now;
    var n = 0;
    while (app.acc >= TickMs && n < MaxCatchUp) ++n, app.acc -= TickMs;
    if (app.acc >= TickMs) app.acc = 0;
    if (n) {
      _web_tick(app.page, n);
      put();
    }
  }

  var step = guard(frame);
  function loop(now) {
    requestAnimationFrame(loop);
    step(now);
  }

  function measure() {
    var r = window.devicePixelRatio || 1;
    return {width: Math.max(1, Math.round(screen.clientWidth * r)), height: Math.max(1, Math.round(screen.clientHeight * r))};
  }

  // The canvas's size in device pixels, exactly where the browser says it.
  function followSize() {
    app.target = measure();
    if (typeof ResizeObserver !== 'function') {
      window.addEventListener('resize', guard(function () { app.target = measure(); }));
      return;
    }
    var observer = new ResizeObserver(guard(function (entries) {
      var box = entries[0].devicePixelContentBoxSize && entries[0].devicePixelContentBoxSize[0];
      app.target = box && box.inlineSize > 0 ? {width: box.inlineSize, height: box.blockSize} : measure();
    }));
    try {
      observer.observe(screen, {box: 'device-pixel-content-box'});
    } catch (e) {
      observer.observe(screen);
    }
  }

  function choose(i) {
    app.saver = i;
    try {
      localStorage.setItem('zamvel.saver', schema().key);
    } catch (e) {}
    history.replaceState(null, '', location.pathname + location.search + '#' + schema().key);
    showPanel();
    restart();
  }

  function showPanel() {
    var holder = document.getElementById('panel');
    if (!holder) return;
    var i = app.saver, d = schema();
    holder.textContent = '';
    L.show(document.getElementById('about'), d.description);
    holder.appendChild(S.panel(d, values(i), guard(function (texts) {
      if (!S.store(d, texts))
        message({ja: app.saveFailed.ja + T.notStored.ja, en: app.saveFailed.en + T.notStored.en});
      else message(null);
      // From now on the panel's values, not the URL's.
      app.applied[i] = texts;
      app.urlApplies[i] = false;
      holder.firstChild.fill(values(i));
      restart();
    })));
    document.getElementById('drop-hint').hidden = !d.picture;
  }

  function leaveFullScreen() {
    if (document.fullscreenElement && document.exitFullscreen) document.exitFullscreen().catch(function () {});
  }

  function controls() {
    var bar = document.getElementById('controls'), chooser = document.getElementById('chooser');
    bar.hidden = false;
    app.schemas.forEach(function (d, i) {
      var o = document.createElement('option');
      o.value = String(i);
      o.textContent = d.name;
      chooser.appendChild(o);
    });
    chooser.value = String(app.saver);
    chooser.addEventListener('change', guard(function () { choose(Number(chooser.value)); }));
    var full = document.getElementById('full');
    L.show(full, T.fullScreen);
    full.addEventListener('click', guard(function () {
      var p = screen.requestFullscreen ? screen.requestFullscreen() : null;
      if (!p) return message(T.fullRefused);
      p.catch(function () { message(T.fullRefused); });
    }));
    var other = document.getElementById('lang');
    L.show(other, T.otherLang);
    other.addEventListener('click', guard(function () { L.set(L.get() === 'ja' ? 'en' : 'ja'); }));
    L.show(document.getElementById('drop-hint'), T.dropHint);
    // A key or a click ends full screen, as a key or a click ends a saver.
    document.addEventListener('keydown', guard(function (e) {
      if (document.fullscreenElement) e.preventDefault(), leaveFullScreen();
    }));
    screen.addEventListener('pointerdown', guard(leaveFullScreen));
  }

  function takeDrops() {
    document.addEventListener('dragover', function (e) { e.preventDefault(); });
    document.addEventListener('drop', guard(function (e) {
      e.preventDefault();
      var file = e.dataTransfer && e.dataTransfer.files && e.dataTransfer.files[0];
      if (!file) return message(T.dropFile);
      ZamvelPicture.read(file).then(guard(function (picture) {
        if (!picture)
          return message({ja: '「' + file.name + '」は画像として読めません。', en: '"' + file.name + '" cannot be read as a picture.'});
        app.picture = picture;
        if (schema().picture) {
          message(null);
          restart();
        } else {
          message(T.picture);
        }
      }));
    }));
  }

  function indexOf(name) {
    for (var i = 0; i < app.schemas.length; ++i) if (app.schemas[i].key === name) return i;
    return -1;
  }

  function init() {
    app.page = _web_page_new();
    app.saveFailed = S.json(_web_save_failed());
    for (var i = 0; i < _web_saver_count(); ++i) {
      app.schemas.push(S.describe(i));
      app.urlApplies.push(true);
      app.applied.push(null);
    }
    var stored = null;
    try {
      stored = localStorage.getItem('zamvel.saver');
    } catch (e) {}
    var name = bare ? params.get('saver') : location.hash.slice(1) || stored;
    app.saver = Math.max(0, indexOf(name));
    if (bare && indexOf(name) < 0) {
      bare = false;
      message({ja: '「' + name + '」というセーバーはありません。', en: 'There is no saver "' + name + '".'});
    }
    document.body.classList.toggle('bare', bare);
    if (!bare) {
      controls();
      showPanel();
    }
    takeDrops();
    followSize();
    document.addEventListener('visibilitychange', guard(function () { app.last = performance.now(); }));
    restart().then(function () { ready.resolve(); });
    requestAnimationFrame(loop);
  }

  function base64(bytes) {
    var text = '';
    for (var i = 0; i < bytes.length; i += 32768) text += String.fromCharCode.apply(null, bytes.subarray(i, i + 32768));
    return btoa(text);
  }

  // For the tests and the benchmark: the run held still and ticked by
  // hand, the frame's pixels (RGBA) and the glyphs made, read back.
  window.zamvel = {
    ready: ready.promise,
    failures: app.failures,
    log: Module.zamvelLog,
    pause: function () { app.paused = true; },
    resume: function () { app.paused = false; app.last = performance.now(); },
    restart: function () { return restart(); },
    tick: function (n) { _web_tick(app.page, n); put(); },
    size: function () { return [app.frame.width, app.frame.height]; },
    saver: function () { return schema().key; },
    values: function () { return values(app.saver); },
    texts: function () { return S.texts(schema(), values(app.saver)); },
    schema: function () { return schema(); },
    pixels: function () {
      var f = app.frame;
      return f.pointer ? base64(HEAPU8.subarray(f.pointer, f.pointer + f.width * f.height * 4)) : '';
    },
    glyphs: function () {
      var at = _web_glyph_text(app.page), text = at ? UTF8ToString(at) : '';
      _free(at);
      return text;
    },
    // Each tick's own work and the putting of the frame, in ms.
    time: function (ticks) {
      var out = [];
      for (var i = 0; i < ticks; ++i) {
        var t0 = performance.now();
        _web_tick(app.page, 1);
        var t1 = performance.now();
        put();
        out.push([t1 - t0, performance.now() - t1]);
      }
      return out;
    },
    orbelStep: function (count, width, height, ticks) { return _web_orbel_step(count, width, height, ticks); },
  };

  Module.onRuntimeInitialized = guard(init);
  Module.onAbort = function () {
    var log = Module.zamvelLog.join(' ');
    message({ja: 'ページを実行できません: ' + log, en: 'The page cannot run: ' + log});
  };
})();
