// The atlas page in a real browser: Debian's chromium, driven headless by playwright-core, on the
// program folders that atlas_seed_library writes: the seed library, and (--standard) one that
// marks every meridian point. Run by tests/browser/run.
//
// PENRICA_BUILD is the build folder; PENRICA_SCREENSHOTS, when set, receives atlas.png and
// atlas-standard.png.

import { test, before, after } from "node:test";
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import { mkdtempSync, mkdirSync, rmSync } from "node:fs";
import { tmpdir } from "node:os";
import path from "node:path";
import { pathToFileURL } from "node:url";
import { chromium } from "playwright-core";

const build = process.env.PENRICA_BUILD;
const shots = process.env.PENRICA_SCREENSHOTS;
const chromiumFlags = [
  "--headless",
  "--no-sandbox",
  "--disable-gpu",
  "--disable-quic",
  "--no-first-run",
  "--disable-background-networking",
  "--disable-component-update",
  "--disable-sync",
];

let work;
let context;
let page;
let standardUrl;
let standardPage; // opened by the first test that needs it
const requests = [];
const problems = [];

function watch(opened) {
  opened.on("request", (request) => requests.push(request.url()));
  opened.on("console", (message) => {
    if (message.type() === "error") problems.push(message.text());
  });
  opened.on("pageerror", (error) => problems.push(String(error)));
  opened.on("dialog", (dialog) => {
    problems.push("dialog: " + dialog.message());
    dialog.dismiss();
  });
}

async function openStandard() {
  if (!standardPage) {
    standardPage = await context.newPage();
    watch(standardPage);
    // The names a query lists, typed as the search box's input handler sees it.
    await standardPage.addInitScript(() => {
      window.searchNames = (text) => {
        const box = document.getElementById("search");
        box.value = text;
        box.dispatchEvent(new Event("input", { bubbles: true }));
        return Array.from(document.querySelectorAll("#results .result-name"), (r) => r.textContent);
      };
    });
    await standardPage.goto(standardUrl);
  }
  return standardPage;
}

before(async () => {
  assert.ok(build, "PENRICA_BUILD must name the build folder");
  work = mkdtempSync(path.join(tmpdir(), "penrica-atlas-"));
  const library = path.join(work, "program");
  const site = path.join(work, "site");
  const seed = path.join(build, "tests", "atlas_seed_library");
  const generator = path.join(build, "bin", "penrica-atlas");
  execFileSync(seed, [library]);
  execFileSync(generator, [library, site]);
  execFileSync(seed, ["--standard", path.join(work, "standard")]);
  execFileSync(generator, [path.join(work, "standard"), path.join(work, "standard-site")]);
  standardUrl = pathToFileURL(path.join(work, "standard-site", "index.html")).href;
  // A fresh profile each run: launchPersistentContext passes it as --user-data-dir.
  context = await chromium.launchPersistentContext(path.join(work, "profile"), {
    executablePath: "/usr/bin/chromium",
    headless: true,
    args: chromiumFlags,
    viewport: { width: 1280, height: 860 },
  });
  page = context.pages()[0] ?? (await context.newPage());
  watch(page);
  await page.goto(pathToFileURL(path.join(site, "index.html")).href);
});

after(async () => {
  await context?.close();
  if (work) rmSync(work, { recursive: true, force: true });
});

const atlas = () => page.evaluate(() => window.penricaAtlas);

async function showImage(name) {
  await page.locator(`#strip [data-image="${name}"]`).click();
}

async function markerNamed(name) {
  for (const image of (await atlas()).images) {
    const marker = image.markers.find((m) => m.name === name);
    if (marker) return { image: image.name, ...marker };
  }
  throw new Error("no marker " + name);
}

// A page point at image pixel (x, y) of the shown image, scrolling the frame to it first.
async function imagePoint(x, y, on = page) {
  await on.evaluate(([px, py]) => {
    const frame = document.getElementById("frame");
    frame.scrollTo(px - frame.clientWidth / 2, py - frame.clientHeight / 2);
  }, [x, y]);
  const box = await on.locator("#stage").boundingBox();
  return { x: box.x + x + 0.5, y: box.y + y + 0.5 };
}

const label = () => page.locator("#stage .label");

test("hovering within 9 pixels shows the name in the program's look", async () => {
  const marker = await markerNamed("印堂");
  await showImage(marker.image);
  let point = await imagePoint(marker.x + 9, marker.y - 9);
  await page.mouse.move(point.x, point.y);
  await assert.doesNotReject(label().waitFor({ state: "visible", timeout: 2000 }));
  assert.equal(await label().textContent(), "印堂");
  const look = await label().evaluate((node) => {
    const style = getComputedStyle(node);
    const circle = node.parentElement.querySelector(".hover-circle");
    return {
      colour: style.color,
      ground: style.backgroundColor,
      left: node.style.left,
      top: node.style.top,
      circle: [circle.getAttribute("cx"), circle.getAttribute("cy"), circle.getAttribute("r")],
      stroke: getComputedStyle(circle).stroke,
    };
  });
  assert.deepEqual(look, {
    colour: "rgb(255, 0, 0)",
    ground: "rgb(216, 216, 0)",
    left: `${marker.x + 30}px`,
    top: `${marker.y}px`,
    circle: [String(marker.x), String(marker.y), "15"],
    stroke: "rgb(0, 0, 255)",
  });
  point = await imagePoint(marker.x + 10, marker.y);
  await page.mouse.move(point.x, point.y);
  assert.equal(await label().isVisible(), false, "10 pixels away is no hit");
});

test("a click shows the introduction with its styles", async () => {
  const marker = await markerNamed("印堂");
  await showImage(marker.image);
  const point = await imagePoint(marker.x, marker.y);
  await page.mouse.click(point.x, point.y);
  assert.equal(
    await page.locator("#introduction-title").textContent(),
    `${marker.image}：${marker.record}`,
  );
  const runs = await page.locator("#introduction span").evaluateAll((spans) =>
    spans.map((span) => {
      const style = getComputedStyle(span);
      return {
        text: span.textContent,
        colour: style.color,
        weight: style.fontWeight,
        italic: style.fontStyle,
        lines: style.textDecorationLine,
        points: Math.round((parseFloat(style.fontSize) * 3) / 4),
      };
    }),
  );
  const pageColour = await page.evaluate(() => getComputedStyle(document.body).color);
  assert.deepEqual(runs[0], {
    text: "印堂",
    colour: "rgb(255, 0, 0)",
    weight: "700",
    italic: "normal",
    lines: "none",
    points: 14,
  });
  assert.equal(runs[1].text, "\n位于额部，两眉头连线的中点。\n");
  assert.equal(runs[1].colour, pageColour, "the automatic colour is the page's text colour");
  assert.equal(runs[1].weight, "400");
  assert.deepEqual(
    [runs[2].text, runs[2].colour, runs[2].weight],
    ["主治：", "rgb(0, 0, 255)", "700"],
  );
  assert.deepEqual(
    [runs[4].italic, runs[4].lines, runs[4].colour],
    ["italic", "underline", "rgb(0, 128, 0)"],
  );
  const lines = await page
    .locator("#introduction")
    .evaluate((panel) => panel.innerText.split("\n"));
  assert.deepEqual(lines.slice(0, 2), ["印堂", "位于额部，两眉头连线的中点。"]);
  assert.equal(
    await page.locator("#introduction-point").textContent(),
    "GV29 / EX-HN3 · yìntáng · 督脉 / 经外奇穴",
  );
});

test("the search finds a point on the second image, shows it and rings it", async () => {
  const images = (await atlas()).images;
  const strip = await page
    .locator("#strip [data-image]")
    .evaluateAll((entries) => entries.map((entry) => entry.dataset.image));
  assert.deepEqual(strip, images.map((image) => image.name), "the strip keeps the listing order");
  const second = images[1];
  const target = second.markers
    .filter((marker) => marker.name !== "" && !marker.name.includes("<"))
    .reduce((far, marker) => (marker.x + marker.y > far.x + far.y ? marker : far));
  await showImage(images[0].name);
  await page.evaluate(() => document.getElementById("frame").scrollTo(0, 0));

  await page.locator("#search").fill(target.name); // searches as the user types
  const row = page.locator(`#results [data-result="${target.record}"]`);
  assert.equal(await row.getAttribute("data-result-image"), second.name);
  assert.equal(await page.locator("#search-status").textContent(), "找到了，请您点击穴位名字");
  await row.click();

  assert.equal(await page.locator("#strip .selected").getAttribute("data-image"), second.name);
  const ring = page.locator("#stage circle.ring");
  assert.equal(await ring.count(), 1);
  assert.deepEqual(
    await ring.evaluate((c) => [
      c.getAttribute("cx"),
      c.getAttribute("cy"),
      c.getAttribute("r"),
      getComputedStyle(c).strokeWidth,
    ]),
    [String(target.x), String(target.y), "25", "10px"],
  );
  const view = await page.evaluate(() => {
    const frame = document.getElementById("frame");
    return {
      scrolled: frame.scrollLeft + frame.scrollTop,
      box: frame.getBoundingClientRect().toJSON(),
    };
  });
  const centre = await ring.boundingBox();
  const cx = centre.x + centre.width / 2;
  const cy = centre.y + centre.height / 2;
  assert.ok(view.scrolled > 0, "the frame scrolled to the point");
  const inView = (x, y, box) => x > box.left && x < box.right && y > box.top && y < box.bottom;
  assert.ok(inView(cx, cy, view.box), "the ring is in view");

  await page.locator("#search").fill("没有这个穴位");
  await page.locator("#search").press("Enter");
  assert.equal(await page.locator("#results [data-result]").count(), 0);
  assert.equal(await page.locator("#search-status").textContent(), "没有找到呀！您还没有添加此穴位");
  await page.locator("#search").fill("");
});

test("a pinyin search finds a point by its initials or its syllables", async () => {
  for (const text of ["yt", "Yin Tang", "yìntáng"]) {
    await page.locator("#search").fill(text);
    const found = await page
      .locator("#results [data-result]")
      .evaluateAll((rows) => rows.map((row) => row.dataset.result));
    assert.deepEqual(found, ["320！234！印堂！"], text);
  }
  await page.locator("#results [data-result]").click();
  assert.equal(await page.locator("#stage circle.ring").count(), 1);
  await page.locator("#search").fill("");
});

test("the self-test counts right and wrong clicks at any place of the name", async () => {
  const feet = (await atlas()).images.find((image) => image.name === "足部.bmp");
  const [left, right] = feet.markers.filter((marker) => marker.name === "太冲");
  await showImage(feet.name);
  await page.locator("#quiz-scope").selectOption("image");
  const question = page.locator("#quiz-question");
  const score = page.locator("#quiz-score");
  // 太冲 is the only name on the feet that can be asked (the others have no name or lie off the
  // picture); were another in the pool, a question never repeats the one before it.
  const answer = async (x, y, said, scored) => {
    await page.locator("#quiz").click();
    assert.equal(await question.textContent(), "请点击：太冲");
    const point = await imagePoint(x, y);
    await page.mouse.move(point.x, point.y);
    assert.equal(await label().isVisible(), false, "hovering gives nothing away");
    await page.mouse.click(point.x, point.y);
    assert.equal(await question.textContent(), said);
    assert.equal(await score.textContent(), scored);
  };
  await answer(right.x - 9, right.y + 9, "找到了：太冲", "得分：1 / 1");
  await answer(left.x + 9, left.y, "找到了：太冲", "得分：2 / 2");
  await answer(left.x + 10, left.y, "不对，太冲 在这里", "得分：2 / 3");
  const rings = await page
    .locator("#stage circle.ring")
    .evaluateAll((circles) => circles.map((c) => [c.getAttribute("cx"), c.getAttribute("cy")]));
  assert.deepEqual(rings.sort(), [left, right].map((m) => [String(m.x), String(m.y)]).sort());

  await showImage("破图.jpg"); // its picture could not be read: nothing to find on it
  assert.equal(await question.textContent(), "还没有可以练习的穴位");
  await page.locator("#quiz-stop").click();
});

test("markup in names and introductions stays text", async () => {
  const script = await markerNamed("<script>");
  await showImage(script.image);
  const point = await imagePoint(script.x, script.y);
  await page.mouse.move(point.x, point.y);
  assert.equal(await label().textContent(), "<script>");
  await page.mouse.click(point.x, point.y);
  assert.equal(await page.locator("#introduction").textContent(),
    "<b>不是粗体</b><script>window.pwned=1</script>");
  assert.equal(await page.locator("#introduction b, #introduction script").count(), 0);
  assert.equal(await page.locator("#introduction-point").textContent(), "", "no standard point");

  await page.locator("#search").fill("<");
  const names = await page.locator("#results .result-name").allTextContents();
  assert.deepEqual(names.sort(), ["<img src=x onerror=window.pwned=2>", "<script>"]);
  assert.equal(await page.locator('img[src="x"]').count(), 0);
  assert.equal(await page.evaluate(() => window.pwned), undefined);
  await page.locator("#search").fill("");
});

test("reports are listed in the program's words", async () => {
  const reports = await page.locator("#reports [data-report]").allTextContents();
  assert.deepEqual(reports.sort(), [
    "头部.bmp：发现不认识文件：1！2！坏！名！ 请您删除",
    "手臂.bmp：穴位介绍无法读取：760！250！臂臑！",
    "破图.jpg：图片错误",
  ].sort());
});

test("every meridian point is found by its code and by its reading", async () => {
  const standard = await openStandard();
  const missed = await standard.evaluate(() => {
    const find = window.searchNames;
    const { points, meridians } = window.penricaAtlas.standard;
    const missed = [];
    points.forEach((point, index) => {
      if (meridians[point.meridian].extra) return;
      // "ST36", then "st 36" and "St-036" in turn.
      const [, letters, number] = /^(.*?)(\d+)$/.exec(point.code);
      const mixed = letters[0] + letters.slice(1).toLowerCase();
      const code = [point.code, letters.toLowerCase() + " " + number, mixed + "-0" + number][
        index % 3
      ];
      const byCode = find(code);
      if (byCode.length === 0 || !byCode.every((name) => name.startsWith(point.name))) {
        missed.push([code, byCode]);
      }
      if (!find(point.reading).includes(point.name)) missed.push([point.reading, point.name]);
    });
    return missed;
  });
  assert.deepEqual(missed, []);

  const rows = async (text) => standard.evaluate((text) => window.searchNames(text), text);
  // prettier-ignore
  for (const [text, names] of [
    ["GV1", ["长强"]], ["ST36", ["足三里", "足三里（左）"]], ["ＳＴ３６", ["足三里", "足三里（左）"]],
    ["exhn3", ["印堂"]], ["GV29", ["印堂"]], ["GV30", []], ["Du14", ["大椎"]], ["SJ5", ["外关"]],
    ["K1", ["涌泉"]], ["P6", ["内关"]], ["H7", ["神门"]], ["Liv3", ["太冲"]], ["UB40", ["委中"]],
    ["Ren17", ["膻中"]], [" 经外奇穴 ", ["印堂"]], ["fèishū", ["肺俞"]], ["fei shu", ["肺俞"]],
  ]) {
    assert.deepEqual((await rows(text)).sort(), names.sort(), text);
  }
  assert.ok((await rows("fs")).includes("肺俞"), "by the initials of its reading");
  const stomach = await rows("胃经"); // ST1 承泣 … ST45 厉兑, and the second 足三里
  assert.equal(stomach.length, 46);
  assert.ok(["承泣", "厉兑", "足三里（左）"].every((name) => stomach.includes(name)));
  await rows("");
});

test("the standard view counts the marked points and shows one; the self-test asks codes", async () => {
  const standard = await openStandard();
  await standard.locator("#standard").click();
  assert.equal(await standard.locator("main").isVisible(), false);
  assert.equal(await standard.locator("#standard-total").textContent(), "已标注 362 / 362");
  const heading = (prefix) =>
    standard.locator(`[data-meridian="${prefix}"] h3`).textContent();
  assert.equal(await heading("ST"), "足阳明胃经 已标注 45 / 45");
  assert.equal(await heading("EX"), "经外奇穴 已标注 1 / 48", "印堂 is EX-HN3 too");
  assert.equal(await standard.locator("#standard-view span.point").count(), 47);

  await standard.locator('#standard-view button[data-code="ST36"]').click();
  assert.equal(await standard.locator("#standard-view").isVisible(), false);
  assert.equal(await standard.locator("#stage circle.ring").count(), 1);
  assert.match(await standard.locator("#introduction-title").textContent(), /！足三里/);
  assert.equal(
    await standard.locator("#introduction-point").textContent(),
    "ST36 · zúsānlǐ · 足阳明胃经",
  );

  await standard.locator("#quiz-ask").selectOption("code");
  await standard.locator("#quiz").click();
  const asked = await standard.locator("#quiz-question").textContent();
  const code = /^([A-Z]+(?:-[A-Z]+)?\d+)(?: \/ \S+)? 在哪里？$/.exec(asked)?.[1];
  assert.ok(code, asked);
  const place = await standard.evaluate((code) => {
    const { images, standard } = window.penricaAtlas;
    return images[0].markers.find((m) => m.points.some((i) => standard.points[i].code === code));
  }, code);
  const point = await imagePoint(place.x, place.y, standard);
  await standard.mouse.click(point.x, point.y);
  assert.ok((await standard.locator("#quiz-question").textContent()).startsWith(`找到了：${code} `));
  assert.equal(await standard.locator("#quiz-score").textContent(), "得分：1 / 1");
  await standard.locator("#quiz-stop").click();
});

test("the page only ever loads its own files and reports no errors", async () => {
  assert.ok(requests.length > 0);
  assert.deepEqual(requests.filter((url) => !url.startsWith("file://")), []);
  assert.deepEqual(problems, []);
});

test("screenshot for the README", async (t) => {
  if (!shots) return t.skip("PENRICA_SCREENSHOTS not set");
  await page.reload(); // a fresh page: no score from the self-test above
  const marker = await markerNamed("印堂");
  await page.locator("#search").fill("印");
  await page.locator(`#results [data-result="${marker.record}"]`).click();
  const point = await imagePoint(marker.x, marker.y);
  await page.mouse.move(point.x, point.y);
  await label().waitFor({ state: "visible" });
  mkdirSync(shots, { recursive: true });
  await page.screenshot({ path: path.join(shots, "atlas.png") });
  const standard = await openStandard();
  await standard.reload();
  await standard.locator("#standard").click();
  await standard.screenshot({ path: path.join(shots, "atlas-standard.png") });
});
