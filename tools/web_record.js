// ./dev run NAME --web without a display: the page with ?saver=NAME in
// headless Chromium at 1024 x 768, a screenshot every 150 ms as
// DIR/f01.png ... f24.png (tools/web.sh makes the animation of them).
//   node tools/web_record.js SITE NAME DIR
'use strict';
const fs = require('fs');
const path = require('path');
const {launch} = require('./cdp.js');
const {serve} = require('./web_serve.js');

(async () => {
  const [site, name, dir] = process.argv.slice(2);
  const server = await serve(site);
  const browser = await launch(1);
  let errors = [];
  try {
    const page = await browser.open(`${server.url}?saver=${encodeURIComponent(name)}`, 1024, 768);
    await page.eval('zamvel.ready');
    for (let i = 1; i <= 24; ++i) {
      await new Promise((r) => setTimeout(r, 150));
      fs.writeFileSync(path.join(dir, `f${String(i).padStart(2, '0')}.png`), await page.screenshot());
    }
    errors = page.errors.concat(await page.eval('zamvel.failures'));
  } finally {
    await browser.close();
    await server.close();
  }
  if (errors.length) console.error(`the page said: ${errors.join('; ')}`);
  process.exit(errors.length ? 1 : 0);
})().catch((e) => {
  console.error(`web_record: ${e.message}`);
  process.exit(1);
});
