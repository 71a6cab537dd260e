// Opens every page of a built site in headless Chromium and checks that it loads and is whole.
//
// usage: node browser_check.cjs <site-html-dir> <screenshot-dir> [--kx-site]
// env:   KX_NODE_DIR   folder whose node_modules holds playwright-core
//        KX_CHROMIUM   the browser binary (default /usr/bin/chromium)
// Checks, for index.html and every page: loaded within 10 s, the style sheet applied, every
// picture loaded, every link to a local file names an existing file and anchor. The page whose
// map has no picture must show images/maps/default.gif after exactly one failed picture, and
// with default.gif missing too it must stop after two. With --kx-site the directory is a site
// kx-site keeps: a game page whose map has no picture may show default.gif instead, and every
// rating plot (inline SVG) must be drawn with a nonzero width and height.
'use strict';
const fs = require('fs');
const os = require('os');
const path = require('path');
const { spawn } = require('child_process');
const { chromium } = require(path.resolve(process.env.KX_NODE_DIR, 'node_modules', 'playwright-core'));

const kLoadTimeoutMs = 10000;
const kBodyBackground = 'rgb(17, 20, 24)';  // body of c-kalimo.css, #111418
const kUnknownMapPage = /_CA_.*_main\.html$/;  // the demo's Clan Arena game is on a map with no picture
const kShots = [
  ['ffa', /_FFA_PUB_main\.html$/], ['tdm', /_TDM_.*_main\.html$/],
  ['ctf', /_CTF_.*_main\.html$/], ['ca', /_CA_.*_main\.html$/], ['index', /^index\.html$/],
];

const [siteDir, shotDir] = process.argv.slice(2, 4).map((p) => path.resolve(p));
const kxSite = process.argv[4] === '--kx-site';
let plots = 0;
const failures = [];
const fail = (msg) => { failures.push(msg); console.log('FAIL ' + msg); };

// Starts the browser with our own flags and a fresh profile; the DevTools port is chosen by the
// browser and read back from the profile, so nothing listens on a fixed port.
async function startBrowser(profile) {
  const flags = ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync', '--disable-dev-shm-usage',
    `--user-data-dir=${profile}`, '--remote-debugging-port=0',
    'about:blank'];
  const proc = spawn(process.env.KX_CHROMIUM || '/usr/bin/chromium', flags, { stdio: 'ignore' });
  const portFile = path.join(profile, 'DevToolsActivePort');
  for (let i = 0; i < 300 && !fs.existsSync(portFile); i++) await new Promise((r) => setTimeout(r, 100));
  if (!fs.existsSync(portFile)) { proc.kill(); throw new Error('chromium did not start within 30 s'); }
  const port = fs.readFileSync(portFile, 'utf8').split('\n')[0];
  const browser = await chromium.connectOverCDP(`http://127.0.0.1:${port}`);
  return { browser, proc };
}

// Everything checked inside one loaded page.
function inspect() {
  const imgs = [...document.images].map((i) => ({ src: i.getAttribute('src'), ok: i.complete && i.naturalWidth > 0, now: i.src }));
  const anchors = [...document.querySelectorAll('a[name], [id]')].map((a) => a.getAttribute('name') || a.id);
  const links = [...document.querySelectorAll('a[href]')].map((a) => a.href);
  const svgs = [...document.querySelectorAll('svg')].map((s) => { const r = s.getBoundingClientRect(); return [r.width, r.height]; });
  return { imgs, anchors, links, svgs, background: getComputedStyle(document.body).backgroundColor,
    sheets: document.styleSheets.length, imgErrors: window.kxImgErrors };
}

async function main() {
  const pages = fs.readdirSync(siteDir).filter((f) => f.endsWith('.html')).sort();
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'kx-chromium-'));
  const { browser, proc } = await startBrowser(profile);
  const seen = new Map();  // file name -> anchors, links
  try {
    const context = browser.contexts()[0];
    await context.addInitScript(() => {
      window.kxImgErrors = 0;
      window.addEventListener('error', (e) => { if (e.target && e.target.tagName === 'IMG') window.kxImgErrors++; }, true);
    });
    const tab = await context.newPage();
    await tab.setViewportSize({ width: 1024, height: 768 });
    for (const name of pages) {
      try {
        await tab.goto('file://' + path.join(siteDir, name), { waitUntil: 'load', timeout: kLoadTimeoutMs });
      } catch (e) {
        fail(`${name}: did not finish loading within 10 s`);
        continue;
      }
      await tab.waitForTimeout(300);  // an error handler that swaps pictures again would show by now
      const r = await tab.evaluate(inspect);
      seen.set(name, r);
      if (r.sheets < 1 || r.background !== kBodyBackground) fail(`${name}: style sheet not applied (${r.background})`);
      for (const img of r.imgs) if (!img.ok) fail(`${name}: picture ${img.src} did not load`);
      for (const [w, h] of r.svgs) {
        plots++;
        if (!(w > 0 && h > 0)) fail(`${name}: a plot drawn ${w} x ${h}`);
      }
      if (kxSite) {
        const swapped = r.imgs.some((i) => i.now.endsWith('/images/maps/default.gif') && i.ok);
        if (r.imgErrors > (swapped ? 1 : 0)) fail(`${name}: ${r.imgErrors} pictures failed`);
        continue;
      }
      if (kUnknownMapPage.test(name)) {
        const map = r.imgs.find((i) => /images\/maps\//.test(i.src) || /images\/maps\//.test(i.now));
        if (!map || !map.now.endsWith('/images/maps/default.gif') || !map.ok) fail(`${name}: map picture is not default.gif`);
        if (r.imgErrors !== 1) fail(`${name}: ${r.imgErrors} failed pictures, expected the one swap to default.gif`);
      } else if (r.imgErrors !== 0) {
        fail(`${name}: ${r.imgErrors} pictures failed`);
      }
      for (const [label, re] of kShots) {
        if (re.test(name)) await tab.screenshot({ path: path.join(shotDir, label + '.jpg'), type: 'jpeg', quality: 70 });
      }
    }
    // Without default.gif as well, the swap must not loop: the map and default.gif fail once each.
    const unknownMap = kxSite ? undefined : pages.find((p) => kUnknownMapPage.test(p));
    if (unknownMap) {
    const stand = path.join(siteDir, 'images', 'maps', 'default.gif');
    fs.renameSync(stand, stand + '.away');
    try {
      await tab.goto('file://' + path.join(siteDir, unknownMap), { waitUntil: 'load', timeout: kLoadTimeoutMs });
      await tab.waitForTimeout(300);
      const errors = await tab.evaluate(() => window.kxImgErrors);
      if (errors !== 2) fail(`${unknownMap} without default.gif: ${errors} failed pictures, expected 2`);
    } catch (e) {
      fail(`${unknownMap} without default.gif: did not finish loading within 10 s`);
    } finally {
      fs.renameSync(stand + '.away', stand);
    }
    }
  } finally {
    await browser.close().catch(() => {});
    if (proc.exitCode === null && proc.signalCode === null) {
      const exited = new Promise((r) => proc.once('exit', r));
      proc.kill();
      await exited;
    }
  }
  let links = 0;
  for (const [name, r] of seen) {
    for (const href of r.links) {
      const url = new URL(href);
      if (url.protocol !== 'file:') continue;  // the credits' web addresses
      links++;
      const target = path.basename(decodeURIComponent(url.pathname));
      if (path.dirname(decodeURIComponent(url.pathname)) !== siteDir || !fs.existsSync(path.join(siteDir, target))) {
        fail(`${name}: link to missing file ${href}`);
        continue;
      }
      if (!url.hash) continue;
      let anchor = url.hash.slice(1);
      try { anchor = decodeURIComponent(anchor); } catch (e) { /* keep it as written */ }
      const there = seen.get(target);
      if (!there || !there.anchors.includes(anchor)) fail(`${name}: link to missing anchor ${target}#${anchor}`);
    }
  }
  // A browser helper process may still be writing into the profile: a leftover temporary
  // folder is no failure of the site.
  try { fs.rmSync(profile, { recursive: true, force: true, maxRetries: 5 }); } catch (e) { /* left behind */ }
  if (kxSite && plots === 0) fail('no rating plot on any page');
  console.log(`${seen.size} pages opened, ${links} local links followed, ${plots} plots, ${failures.length} problems`);
  process.exit(failures.length === 0 && seen.size === pages.length ? 0 : 1);
}

main().catch((e) => { console.log('FAIL ' + (e && e.stack ? e.stack : e)); process.exit(1); });
