// ./dev bench's web part: the page's frame at 1024 x 768 in headless
// Chromium at each saver's defaults and maximum, beside the same run built
// natively (the web tests' reference), each run a few times over; Orbel's
// step alone by kernel; the size of what the page loads.
//   node tools/web_bench.js SITE REFERENCE
'use strict';
const {execFileSync} = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const zlib = require('zlib');
const {launch} = require('./cdp.js');
const {serve} = require('./web_serve.js');

const Width = 1024, Height = 768, Ticks = 200, Budget = 50, Repeats = 3;
const Runs = [
  ['orbel', ''], ['orbel', 'count=3500'],
  ['worms', ''], ['worms', 'worms=2000&length=1000&trail=smear'],
  ['glyra2', ''], ['glyra2', 'font-size=400&speed=1'],
  ['glyra', ''], ['glyra', 'font-size=400&speed=1'],
];

function stats(times) {
  const t = times.slice().sort((a, b) => a - b);
  return {median: t[Math.floor(t.length / 2)], p95: t[Math.floor(t.length * 0.95)], max: t[t.length - 1]};
}
const ms = (s) => `${s.median.toFixed(2)} / ${s.p95.toFixed(2)} / ${s.max.toFixed(2)}`;

function table(head, rows) {
  const widths = head.map((h, i) => Math.max(h.length, ...rows.map((r) => String(r[i]).length)));
  for (const r of [head, widths.map((w) => '-'.repeat(w)), ...rows])
    console.log(r.map((c, i) => String(c).padEnd(widths[i])).join(' | ').trimEnd());
}

// Each tick's least time over the runs: a seeded run does the same work
// at each tick every time, so the least is the page's own cost, without
// what other processes on the machine took from it.
function least(runs, of) {
  return runs[0].map((_, t) => Math.min(...runs.map((run) => of(run[t]))));
}

(async () => {
  const [site, reference] = process.argv.slice(2);
  const server = await serve(site);
  const rows = [], steps = [], tmp = fs.mkdtempSync(path.join(os.tmpdir(), 'zamvel-bench-'));
  const runs = Runs.map(() => []), args = [];
  let browser = null;
  try {
    // A fresh browser each time: no code compiled nor glyph cut is left over.
    for (let r = 0; r < Repeats; ++r) {
      browser = await launch(1);
      for (const [k, [saver, query]] of Runs.entries()) {
        const page = await browser.open(`${server.url}?saver=${saver}&seed=1&${query}`, Width, Height);
        await page.eval('zamvel.ready');
        await page.eval('zamvel.pause(), zamvel.restart()');
        // Every tick from the start, the first glyphs of a face included.
        runs[k].push(await page.eval(`zamvel.time(${Ticks})`));
        if (r === 0) {
          // The native run takes the texts the page would store for its
          // values, and draws with the glyphs the page made.
          args[k] = Object.entries(await page.eval('zamvel.texts()')).map(([option, value]) => `${option}=${value}`);
          fs.writeFileSync(path.join(tmp, `glyphs${k}.txt`), await page.eval('zamvel.glyphs()'));
        }
        await page.close();
      }
      await browser.close();
      browser = null;
    }
    for (const [k, [saver, query]] of Runs.entries()) {
      const own = stats(least(runs[k], (t) => t[0])), put = stats(least(runs[k], (t) => t[1]));
      const frame = stats(least(runs[k], (t) => t[0] + t[1]));
      const each = runs[k].map((run) => Math.max(...run.map((t) => t[0] + t[1])).toFixed(1)).join(' / ');
      let native = 'failed';
      try {
        const times = [];
        for (let r = 0; r < Repeats; ++r) {
          const out = execFileSync(reference, ['--time', saver, Width, Height, Ticks, 1, path.join(tmp, `glyphs${k}.txt`),
                                               '-', '-', ...args[k]].map(String),
                                   {encoding: 'utf8', stdio: ['ignore', 'pipe', 'ignore']});
          times.push(out.trim().split('\n').map(Number));
        }
        native = ms(stats(least(times, (t) => t)));
      } catch (e) {}
      rows.push([saver, query || 'defaults', ms(own), ms(put), ms(frame), each, native, frame.max <= Budget ? 'yes' : 'NO']);
    }
    browser = await launch(1);
    const page = await browser.open(`${server.url}?saver=orbel`, Width, Height);
    await page.eval('zamvel.ready');
    await page.eval('zamvel.pause()');
    for (const count of [300, 1000, 3500]) {
      const ticks = count > 1000 ? 20 : 100;
      const web = await page.eval(`zamvel.orbelStep(${count}, ${Width}, ${Height}, ${ticks})`);
      const out = execFileSync(reference, ['--step', count, Width, Height, ticks].map(String), {encoding: 'utf8'});
      const native = Object.fromEntries(out.trim().split('\n').map((l) => l.split(' ')));
      steps.push([count, web.toFixed(3), Number(native.scalar).toFixed(3),
                  Object.entries(native).filter(([k]) => k !== 'scalar').map(([k, v]) => `${Number(v).toFixed(3)} (${k})`).join(''),
                  web <= Number(native.scalar) ? 'yes' : 'NO']);
    }
    await page.close();
  } finally {
    if (browser) await browser.close();
    await server.close();
    fs.rmSync(tmp, {recursive: true, force: true});
  }
  const load = os.loadavg().map((l) => l.toFixed(1)).join(' ');
  console.log(`\nweb frame at ${Width} x ${Height} in headless Chromium, ms median / p95 / max over ${Ticks} ticks from the start,`);
  console.log(`each tick's least time over ${Repeats} runs, each in a fresh browser (the machine's load average: ${load} on ${os.cpus().length} cores)`);
  console.log('(own work: the tick in wasm; put: the frame onto the HTML canvas; each run: its slowest frame, what the machine\'s');
  console.log('other processes took included; native: the same run and framebuffer built natively)');
  table(['saver', 'settings', 'own work', 'put', 'web frame', 'each run\'s max', 'native frame', `max within ${Budget} ms`], rows);
  console.log('\nOrbel\'s attraction step alone, ms a tick (the page: SSE2 kernel through wasm SIMD)');
  table(['points', 'page', 'native scalar', 'native fastest', 'page within scalar'], steps);
  let packed = 0;
  const files = ['zamvel.wasm', 'zamvel.js'].map((f) => {
    const body = fs.readFileSync(path.join(site, f)), gz = zlib.gzipSync(body, {level: 9}).length;
    packed += gz;
    return `${f} ${body.length} bytes (${gz} gzipped)`;
  });
  console.log(`\npage code: ${files.join(', ')}: ${(packed / 1024).toFixed(1)} KB gzipped of 300 KB allowed (font not counted)`);
})().catch((e) => {
  console.error(`web_bench: ${e.stack || e}`);
  process.exit(1);
});
