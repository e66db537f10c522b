// Headless Chromium driven over the Chrome DevTools Protocol on
// --remote-debugging-pipe (fd 3 for commands, fd 4 for answers, each
// message ended by a zero byte): pages opened at a fixed size, scripts
// evaluated, screenshots taken, and every console error, exception or
// failed load of a page kept in page.errors. A page may be opened under a
// browser language of its own (navigator.language and Accept-Language).
'use strict';
const {spawn} = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');

const Chromium = process.env.ZAMVEL_CHROMIUM || '/usr/lib/chromium/chromium';

// scale: device pixels a CSS pixel (1 unless told).
async function launch(scale) {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'zamvel-chromium-'));
  const args = ['--headless=new', '--remote-debugging-pipe', `--user-data-dir=${profile}`, '--no-first-run',
                '--no-default-browser-check', '--disable-gpu', '--hide-scrollbars', '--mute-audio',
                '--disable-background-timer-throttling', '--disable-renderer-backgrounding',
                '--disable-backgrounding-occluded-windows', '--window-size=1024,768', `--force-device-scale-factor=${scale || 1}`, 'about:blank'];
  // As root Chromium runs only without its sandbox.
  if (process.getuid && process.getuid() === 0) args.unshift('--no-sandbox');
  const child = spawn(Chromium, args, {stdio: ['ignore', 'ignore', 'pipe', 'pipe', 'pipe']});
  let stderr = '';
  child.stderr.on('data', (d) => { stderr += d; });
  const out = child.stdio[3], input = child.stdio[4];
  let next = 1, buffered = '';
  const waiting = new Map(), listeners = [];
  input.on('data', (chunk) => {
    buffered += chunk.toString('utf8');
    let end;
    while ((end = buffered.indexOf('\0')) >= 0) {
      const message = JSON.parse(buffered.slice(0, end));
      buffered = buffered.slice(end + 1);
      if (message.id && waiting.has(message.id)) {
        const w = waiting.get(message.id);
        waiting.delete(message.id);
        if (message.error) w.reject(new Error(`${w.method}: ${message.error.message}`));
        else w.resolve(message.result);
      } else {
        listeners.forEach((l) => l(message));
      }
    }
  });
  const exited = new Promise((resolve) => child.on('exit', resolve));
  exited.then(() => waiting.forEach((w) => w.reject(new Error(`chromium ended: ${stderr.slice(-2000)}`))));

  function send(method, params, sessionId) {
    const id = next++;
    out.write(JSON.stringify({id, method, params: params || {}, sessionId}) + '\0');
    return new Promise((resolve, reject) => waiting.set(id, {resolve, reject, method}));
  }

  // A new page of width x height CSS pixels at url, loaded; under the
  // browser language language when given ('ja-JP').
  async function open(url, width, height, language) {
    const {targetId} = await send('Target.createTarget', {url: 'about:blank'});
    const {sessionId} = await send('Target.attachToTarget', {targetId, flatten: true});
    const page = {errors: [], sessionId};
    const call = (method, params) => send(method, params, sessionId);
    listeners.push((m) => {
      if (m.sessionId !== sessionId) return;
      const p = m.params;
      if (m.method === 'Runtime.exceptionThrown') page.errors.push(`exception: ${p.exceptionDetails.exception ? p.exceptionDetails.exception.description : p.exceptionDetails.text}`);
      if (m.method === 'Runtime.consoleAPICalled' && /^(error|warning|assert)$/.test(p.type))
        page.errors.push(`console.${p.type}: ${p.args.map((a) => a.value !== undefined ? a.value : a.description).join(' ')}`);
      if (m.method === 'Log.entryAdded' && /^(error|warning)$/.test(p.entry.level))
        page.errors.push(`log ${p.entry.level}: ${p.entry.text} ${p.entry.url || ''}`);
    });
    await call('Runtime.enable');
    await call('Log.enable');
    await call('Page.enable');
    await call('Emulation.setDeviceMetricsOverride', {width, height, deviceScaleFactor: 0, mobile: false});
    if (language) {
      const {userAgent} = await send('Browser.getVersion');
      await call('Emulation.setUserAgentOverride', {userAgent, acceptLanguage: language});
    }
    const loaded = new Promise((resolve) => listeners.push((m) => {
      if (m.sessionId === sessionId && m.method === 'Page.loadEventFired') resolve();
    }));
    await call('Page.navigate', {url});
    await loaded;
    // A script's value (awaited when it is a promise); a thrown error rejects.
    page.eval = async (expression) => {
      const r = await call('Runtime.evaluate', {expression, awaitPromise: true, returnByValue: true});
      if (r.exceptionDetails) throw new Error(`${expression}: ${r.exceptionDetails.exception ? r.exceptionDetails.exception.description : r.exceptionDetails.text}`);
      return r.result.value;
    };
    page.screenshot = async () => Buffer.from((await call('Page.captureScreenshot', {format: 'png'})).data, 'base64');
    page.call = call;
    page.close = () => send('Target.closeTarget', {targetId});
    return page;
  }

  async function close() {
    try {
      await Promise.race([send('Browser.close'), exited]);
    } catch (e) {}
    child.kill();
    await exited;
    // Its helpers may still be writing there for a moment.
    for (let i = 0; i < 50; ++i) {
      try {
        fs.rmSync(profile, {recursive: true, force: true});
        break;
      } catch (e) {
        await new Promise((r) => setTimeout(r, 100));
      }
    }
  }

  return {open, close};
}

module.exports = {launch};
