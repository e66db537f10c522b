// The web page's cases in headless Chromium (tools/cdp.js):
//   node web_cases.js SITE REFERENCE
// The browser draws two device pixels a CSS pixel, so every frame is made at
// device pixels or its size is wrong. Each saver's frames, with a fixed
// seed, against the same run built natively (REFERENCE, web_reference.cpp);
// Orbel's opening without a seed; settings from the URL as the page loads
// them; the panel's refusal and storage under a Japanese and an
// English browser; a dropped file that is no picture; a resize; and no
// error on any page's console.
'use strict';
const {execFileSync} = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const {launch} = require('../../tools/cdp.js');
const {serve} = require('../../tools/web_serve.js');

const [site, reference] = process.argv.slice(2);
const tmp = fs.mkdtempSync(path.join(os.tmpdir(), 'zamvel-web-'));

// The URL's settings; the native run takes the texts the page would store
// for the values it loaded.
const Runs = [
  {saver: 'orbel', query: '', width: 1024, height: 768},
  {saver: 'orbel', query: '&count=50', width: 640, height: 480},
  {saver: 'worms', query: '&worms=300&length=20&trail=smear', width: 800, height: 600},
  {saver: 'worms', query: '', width: 640, height: 480},
  {saver: 'glyra2', query: '', width: 1024, height: 768},
  {saver: 'glyra2', query: '&strings=Zamvel%0A%E5%85%89%E9%99%B0&font-size=90&speed=1&bold', width: 800, height: 600},
  {saver: 'glyra', query: '&italic&font-size=40', width: 800, height: 600},
];
const Ticks = [1, 60];

// Each setting's text in the URL and the values the page loads for it, in
// the panel's order: a value out of range or no number loads as a stored
// one would.
const Loads = [
  ['orbel', 'count=0', [300]], ['orbel', 'count=-5', [300]], ['orbel', 'count=99999', [3500]],
  ['orbel', 'count=abc', [300]], ['orbel', 'count=4294967296', [300]], ['orbel', 'count=1', [1]],
  ['worms', 'trail=zigzag&worms=0&length=0', [100, 10, 1]], ['worms', 'trail=none&worms=2001', [2000, 10, 1]],
  ['worms', 'trail=2', [100, 10, 1]],
  ['glyra2', 'speed=9&font-size=1&bold=no&italic=yes', ['', 'IPAPMincho', 6, false, true, 5]],
  ['glyra', 'speed=0&font-size=9999&font=&strings=a&strings=b&bold', ['a\nb', 'IPAPMincho', 400, true, false, 1]],
  ['glyra2', 'font=A%0AB&strings=%0A%0Ax', ['x', 'IPAPMincho', 48, false, false, 3]],
];

let failed = 0, passed = 0;
function check(ok, what) {
  if (ok) ++passed;
  else ++failed, console.log(`FAILED: ${what}`);
}

async function open(browser, base, query, width, height, language) {
  const page = await browser.open(base + query, width, height, language);
  await page.eval('zamvel.ready');
  return page;
}

// The page's errors and faults so far: none allowed.
async function clean(page, what) {
  const failures = await page.eval('zamvel.failures.concat(zamvel.log)');
  check(page.errors.length === 0 && failures.length === 0, `${what}: ${page.errors.concat(failures).join('; ')}`);
}

function differing(a, b) {
  if (a.length !== b.length) return -1;
  let n = 0;
  for (let i = 0; i < a.length; i += 4) if (a.readUInt32LE(i) !== b.readUInt32LE(i)) ++n;
  return n;
}

async function frames(browser, base, run) {
  const what = `${run.saver}${run.query} at ${run.width}x${run.height}`;
  const page = await open(browser, base, `?saver=${run.saver}&seed=1${run.query}`, run.width / 2, run.height / 2);
  await page.eval('zamvel.pause(), zamvel.restart()');
  const start = path.join(tmp, 'start.rgba'), glyphs = path.join(tmp, 'glyphs.txt'), out = path.join(tmp, 'out.rgba');
  fs.writeFileSync(start, Buffer.from(await page.eval('zamvel.pixels()'), 'base64'));
  let done = 0;
  for (const ticks of Ticks) {
    await page.eval(`zamvel.tick(${ticks - done})`);
    done = ticks;
    const web = Buffer.from(await page.eval('zamvel.pixels()'), 'base64');
    // The text savers draw with the page's glyphs; the others on a canvas of their own.
    const text = run.saver.startsWith('glyra');
    if (text) fs.writeFileSync(glyphs, await page.eval('zamvel.glyphs()'));
    const texts = Object.entries(await page.eval('zamvel.texts()')).map(([option, value]) => `${option}=${value}`);
    let native = Buffer.alloc(0);
    try {
      execFileSync(reference, [run.saver, run.width, run.height, ticks, 1, text ? glyphs : '-', start, out,
                               ...texts].map(String), {stdio: ['ignore', 'ignore', 'inherit']});
      native = fs.readFileSync(out);
    } catch (e) {}
    const n = differing(web, native);
    check(n === 0, `${what}, tick ${ticks}: ${n < 0 ? 'no native frame' : `${n} pixels differ from the native run`}`);
  }
  // Something was drawn: the frame is no longer the picture it started on.
  check(differing(fs.readFileSync(start), Buffer.from(await page.eval('zamvel.pixels()'), 'base64')) > 0,
        `${what}: nothing drawn`);
  await clean(page, what);
  await page.close();
}

// Without a seed Orbel starts as the Windows and Linux programs do, from
// the generator's first state: after 5 ticks at 1024 x 768 its dots are
// those of the replay of that opening at tick 5.
async function opening(browser, base) {
  const page = await open(browser, base, '?saver=orbel', 512, 384);
  await page.eval('zamvel.pause(), zamvel.restart()');
  await page.eval('zamvel.tick(5)');
  const rgba = Buffer.from(await page.eval('zamvel.pixels()'), 'base64'), [width] = await page.eval('zamvel.size()');
  let white = '';
  for (let i = 0; i < rgba.length; i += 4)
    if (rgba.readUInt32LE(i) === 0xFFFFFFFF) white += `${(i / 4) % width},${Math.floor(i / 4 / width)}: #FFFFFF\n`;
  const layout = path.join(__dirname, '../orbel/orbel_layout.py');
  const tick = execFileSync('python3', [layout], {input: white, encoding: 'utf8'}).trim();
  check(tick === '5', `Orbel's opening without a seed: the replay's tick ${tick}, not 5`);
  await clean(page, 'opening');
  await page.close();
}

async function loads(browser, base) {
  for (const [saver, query, want] of Loads) {
    const page = await open(browser, base, `?saver=${saver}&${query}`, 320, 240);
    const got = await page.eval('zamvel.values()');
    check(JSON.stringify(got) === JSON.stringify(want), `${saver} ${query}: loads ${JSON.stringify(got)}, not ${JSON.stringify(want)}`);
    await clean(page, query);
    await page.close();
  }
}

// The panel refuses what the Windows dialog refuses, with its message in
// the browser's language and the focus on the field at fault, the first
// field first; what it takes is stored and comes back on the next visit.
async function panel(browser, base, language) {
  const page = await open(browser, base, '#worms', 800, 600, language);
  const lang = /^ja\b/.test(language) ? 'ja' : 'en';
  const submit = (fields) => page.eval(`(() => {
    const f = document.querySelector('form.panel');
    for (const [name, value] of Object.entries(${JSON.stringify(fields)}))
      f.querySelector('[name="' + name + '"]').value = value;
    f.requestSubmit();
    return [f.querySelector('.alert').textContent, document.activeElement.name, zamvel.values()];
  })()`);
  const messages = (await page.eval('zamvel.schema()')).settings.map((s) => s.refusal && s.refusal[lang]);
  for (const [fields, message, focus] of [
    [{worms: '0', length: '0'}, messages[0], 'worms'], [{worms: '', length: '5'}, messages[0], 'worms'],
    [{worms: '7', length: 'x'}, messages[1], 'length'], [{worms: '4294967295', length: '3'}, messages[0], 'worms']]) {
    const [alert, focused, values] = await submit(fields);
    check(alert === message && focused === focus && values[0] === 100,
          `panel under ${language} ${JSON.stringify(fields)}: "${alert}" on ${focused}, values ${values}`);
  }
  const [alert, , values] = await submit({worms: '7', length: '5000', trail: '2'});
  check(alert === '' && JSON.stringify(values) === '[7,1000,2]', `panel takes 7, 5000, smear: ${values}`);
  await clean(page, 'panel');
  await page.close();
  const again = await open(browser, base, '?saver=worms', 320, 240);
  check(JSON.stringify(await again.eval('zamvel.values()')) === '[7,1000,2]', 'stored settings come back');
  await again.eval('localStorage.clear()');
  await clean(again, 'stored settings');
  await again.close();
}

// The value of expression once test holds for it, or after 10 s as it is.
function until(page, expression, test) {
  return page.eval(`new Promise((resolve) => {
    const end = performance.now() + 10000;
    (function look() {
      const v = ${expression};
      if (${test} || performance.now() > end) resolve(v);
      else setTimeout(look, 50);
    })();
  })`);
}

// A dropped file that is no picture gets a message; a new size a new run.
async function dropAndResize(browser, base) {
  const page = await open(browser, base, '#worms', 640, 480);
  await page.eval(`(() => {
    const t = new DataTransfer();
    t.items.add(new File(['no picture'], 'broken.png', {type: 'image/png'}));
    document.dispatchEvent(new DragEvent('drop', {dataTransfer: t, bubbles: true, cancelable: true}));
  })()`);
  const text = await until(page, "document.getElementById('message').textContent", 'v');
  check(/broken\.png/.test(text), `a dropped file that is no picture: "${text}"`);
  await page.call('Emulation.setDeviceMetricsOverride', {width: 500, height: 300, deviceScaleFactor: 0, mobile: false});
  const size = await until(page, 'zamvel.size()', 'v[0] !== 1280');
  check(size[0] === 1000 && size[1] === 600, `after a resize to 500x300 CSS pixels: ${size}`);
  await clean(page, 'drop and resize');
  await page.close();
}

(async () => {
  const server = await serve(site);
  const browser = await launch(2);
  try {
    for (const run of Runs) await frames(browser, server.url, run);
    await opening(browser, server.url);
    await loads(browser, server.url);
    for (const language of ['ja-JP', 'en-US']) await panel(browser, server.url, language);
    await dropAndResize(browser, server.url);
  } finally {
    await browser.close();
    await server.close();
    fs.rmSync(tmp, {recursive: true, force: true});
  }
  console.log(`${passed} passed, ${failed} failed`);
  process.exit(failed ? 1 : 0);
})().catch((e) => {
  console.log(`FAILED: ${e.stack || e}`);
  process.exit(1);
});
