// The page around one canvas that fills the window: the chooser, the
// full-screen button and the settings panel (none of them with ?saver=),
// one tick every 50 ms from requestAnimationFrame, a new run for each new
// size, and the figures the tests and the benchmark read (window.zamvel).
(function () {
  var TickMs = 50, MaxCatchUp = 3;
  var S = ZamvelSettings, ja = S.lang === 'ja';
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

  function message(ja_, en) {
    var m = document.getElementById('message');
    m.textContent = ja ? ja_ : en;
    m.hidden = !m.textContent;
  }

  // Every callback of the page runs through here: a fault is said on the
  // page and kept for the tests, never thrown at the console.
  function guard(fn) {
    return function () {
      try {
        return fn.apply(this, arguments);
      } catch (e) {
        app.failures.push(String(e && e.stack || e));
        message('内部エラー: ' + e, 'Internal error: ' + e);
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

  function values(i) {
    return S.values(app.schemas[i], app.urlApplies[i] ? params : null, app.applied[i]);
  }

  function setValues(i, vs) {
    app.schemas[i].settings.forEach(function (s, k) {
      if (s.kind === 'face' || s.kind === 'lines') {
        var text = String(vs[k]), size = lengthBytesUTF8(text) + 1, at = _malloc(size);
        if (!at) return;
        stringToUTF8(text, at, size);
        _web_set_text(i, k, at);
        _free(at);
      } else {
        _web_set_number(i, k, vs[k] === true ? 1 : vs[k] === false ? 0 : vs[k] | 0);
      }
    });
  }

  // The face of a text saver loaded before its first glyph, else the
  // browser would draw in a fallback face without a word.
  function fontsFor(d, vs) {
    var face = null, sample = '光陰矢の如し The Eyes of Truth.';
    d.settings.forEach(function (s, k) {
      if (s.kind === 'face') face = vs[k];
      if (s.kind === 'lines' && vs[k]) sample = String(vs[k]).slice(0, 400);
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
    setValues(i, vs);
    return fontsFor(d, vs).then(guard(function () {
      if (generation !== app.generation) return false;
      var pointer = _web_frame(app.page, size.width, size.height);
      app.image = null;
      app.frame = {pointer: pointer, width: pointer ? size.width : 0, height: pointer ? size.height : 0};
      if (!pointer) {
        message('メモリが足りないため、実行できません。', 'Not enough memory for this run.');
        return false;
      }
      if (d.picture) paintPicture(app.frame);
      var seed = seedParam(), text = d.settings.some(function (s) { return s.kind === 'lines'; });
      // Orbel and Worms are never seeded unless the page is asked to; the
      // text savers take the clock, as on Windows.
      var given = seed !== null || text;
      if (seed === null) seed = Date.now() % 4294967296;
      if (!_web_start(app.page, i, seed, given ? 1 : 0)) {
        message('メモリが足りないため、実行できません。', 'Not enough memory for this run.');
        return false;
      }
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
      localStorage.setItem('zamvel.saver', schema().name);
    } catch (e) {}
    history.replaceState(null, '', location.pathname + location.search + '#' + schema().name);
    showPanel();
    restart();
  }

  function showPanel() {
    var holder = document.getElementById('panel');
    if (!holder) return;
    var i = app.saver, d = schema();
    holder.textContent = '';
    holder.appendChild(S.panel(d, values(i), guard(function (texts) {
      if (!S.store(d, texts))
        message('設定を保存できませんでした（このページを閉じるまで有効です）。',
                'The settings could not be stored; they hold until the page is closed.');
      else message('', '');
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
      o.textContent = d.title;
      chooser.appendChild(o);
    });
    chooser.value = String(app.saver);
    chooser.addEventListener('change', guard(function () { choose(Number(chooser.value)); }));
    var full = document.getElementById('full');
    full.textContent = ja ? '全画面' : 'Full screen';
    full.addEventListener('click', guard(function () {
      var p = screen.requestFullscreen ? screen.requestFullscreen() : null;
      if (!p) return message('全画面にできませんでした。', 'Full screen was refused.');
      p.catch(function () { message('全画面にできませんでした。', 'Full screen was refused.'); });
    }));
    document.getElementById('drop-hint').textContent = ja ? '画像をドロップすると、Wormsはその上を這います。'
                                                          : 'Drop a picture here and the worms crawl over it.';
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
      if (!file) return message('ファイルをドロップしてください。', 'Drop a picture file.');
      ZamvelPicture.read(file).then(guard(function (picture) {
        if (!picture)
          return message('「' + file.name + '」は画像として読めません。', '"' + file.name + '" cannot be read as a picture.');
        app.picture = picture;
        if (schema().picture) {
          message('', '');
          restart();
        } else {
          message('Wormsはこの画像の上を這います。', 'Worms will crawl over this picture.');
        }
      }));
    }));
  }

  function indexOf(name) {
    for (var i = 0; i < app.schemas.length; ++i) if (app.schemas[i].name === name) return i;
    return -1;
  }

  function init() {
    document.documentElement.lang = S.lang;
    app.page = _web_page_new();
    for (var i = 0; i < _web_saver_count(); ++i) {
      app.schemas.push(JSON.parse(UTF8ToString(_web_saver_schema(i))));
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
      message('「' + name + '」というセーバーはありません。', 'There is no saver "' + name + '".');
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
    saver: function () { return schema().name; },
    values: function () { return values(app.saver); },
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
    message('ページを実行できません: ' + Module.zamvelLog.join(' '), 'The page cannot run: ' + Module.zamvelLog.join(' '));
  };
})();
