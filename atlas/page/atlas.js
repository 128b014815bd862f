// The atlas page. Every text from the library reaches the document through textContent or an
// attribute, never as markup, so a name such as <script> stays text.
"use strict";
(function () {
  const data = window.penricaAtlas;
  const hitReach = 9; // the program's hit box: at most 9 pixels away in each direction
  const svgNs = "http://www.w3.org/2000/svg";
  const $ = (id) => document.getElementById(id);

  function element(tag, className, text) {
    const made = document.createElement(tag);
    if (className) made.className = className;
    if (text !== undefined) made.textContent = text;
    return made;
  }

  function svgElement(tag, attributes) {
    const made = document.createElementNS(svgNs, tag);
    for (const [name, value] of Object.entries(attributes)) made.setAttribute(name, value);
    return made;
  }

  if (!data || !Array.isArray(data.images)) {
    $("status").textContent = "缺少数据文件 atlas-data.js";
    return;
  }

  const images = data.images;
  // The standard points come with the data, from the program's table; the page knows none itself.
  const standard = data.standard || { meridians: [], points: [], older: {} };
  const pointOfKey = new Map(standard.points.map((point, index) => [point.key, index]));
  const olderLetters = new Map(Object.entries(standard.older));
  const pointsOf = (marker) => marker.points || [];
  const quiz = { active: false, question: null, answered: true, right: 0, asked: 0 };
  const strip = $("strip");
  const stage = $("stage");
  let shown = -1;
  let layer = null; // the drawing of the shown image: overlay, hover circle, label
  let chosen = null; // the marker whose introduction is on show

  // --- The strip -------------------------------------------------------------------------------
  images.forEach((image, index) => {
    const entry = element("button", "entry");
    entry.type = "button";
    entry.dataset.image = image.name;
    entry.title = image.name;
    if (image.picture) {
      const thumbnail = element("img");
      thumbnail.src = image.picture;
      thumbnail.alt = "";
      thumbnail.loading = "lazy";
      entry.append(thumbnail);
    } else {
      entry.append(element("span", "no-picture", "?"));
    }
    entry.append(element("span", "entry-name", image.name));
    entry.addEventListener("click", () => userShowsImage(index));
    strip.append(entry);
  });

  // --- The image view --------------------------------------------------------------------------
  function showImage(index) {
    showStandard(false);
    shown = index;
    chosen = null;
    const image = images[index];
    for (const [i, entry] of Array.from(strip.children).entries()) {
      entry.classList.toggle("selected", i === index);
    }
    strip.children[index].scrollIntoView({ block: "nearest", inline: "nearest" });
    $("status").textContent =
      "当前鼠标位置图片：" + image.name + "   共有：" + images.length + " 张图片";

    stage.replaceChildren();
    stage.style.width = image.width + "px";
    stage.style.height = image.height + "px";
    if (image.picture) {
      const picture = element("img");
      picture.src = image.picture;
      picture.width = image.width;
      picture.height = image.height;
      picture.alt = image.name;
      picture.draggable = false;
      stage.append(picture);
    } else {
      stage.append(element("div", "no-picture-view", "图片错误"));
    }

    const overlay = svgElement("svg", {
      class: "overlay",
      width: image.width,
      height: image.height,
    });
    const marks = svgElement("g", {});
    const circle = svgElement("circle", { class: "hover-circle", r: 15, visibility: "hidden" });
    overlay.append(marks, circle);
    const label = element("div", "label");
    label.hidden = true;
    stage.append(overlay, label);
    layer = { overlay, marks, circle, label };

    image.markers.forEach((marker) => {
      const dot = svgElement("circle", { class: "dot", cx: marker.x, cy: marker.y, r: 3 });
      overlay.insertBefore(dot, marks);
      const hit = element("div", "marker");
      hit.dataset.record = marker.record;
      hit.style.left = marker.x - hitReach + "px";
      hit.style.top = marker.y - hitReach + "px";
      hit.addEventListener("mouseenter", () => drawLook(marker));
      hit.addEventListener("mouseleave", () => drawLook(chosen));
      hit.addEventListener("click", () => chooseMarker(marker));
      stage.append(hit);
    });
  }

  // The program's look of a marker under the mouse: a blue circle of radius 15 and the name in
  // red on yellow at (x + 30, y). Nothing while the self-test waits for an answer.
  function drawLook(marker) {
    if (!layer) return;
    const show = marker && !(quiz.active && !quiz.answered);
    layer.circle.setAttribute("visibility", show ? "visible" : "hidden");
    layer.label.hidden = !show;
    if (!show) return;
    layer.circle.setAttribute("cx", marker.x);
    layer.circle.setAttribute("cy", marker.y);
    layer.label.textContent = marker.name;
    layer.label.style.left = marker.x + 30 + "px";
    layer.label.style.top = marker.y + "px";
  }

  // A blue ring of radius 25 and width 10 at the marker, scrolled into view unless told not to.
  function ring(marker, scroll = true) {
    layer.marks.append(svgElement("circle", { class: "ring", cx: marker.x, cy: marker.y, r: 25 }));
    if (!scroll) return;
    const anchor = element("div", "anchor");
    anchor.style.left = marker.x + "px";
    anchor.style.top = marker.y + "px";
    stage.append(anchor);
    anchor.scrollIntoView({ block: "center", inline: "center" });
    anchor.remove();
  }

  function clearMarks() {
    if (layer) layer.marks.replaceChildren();
  }

  function chooseMarker(marker) {
    if (quiz.active) return;
    chosen = marker;
    drawLook(marker);
    showIntroduction(images[shown], marker);
  }

  // --- Introductions ---------------------------------------------------------------------------
  function showIntroduction(image, marker) {
    $("introduction-title").textContent = image.name + "：" + marker.record;
    $("introduction-point").textContent = pointLine(marker);
    const panel = $("introduction");
    panel.replaceChildren();
    if (marker.runs.length === 0) {
      panel.append(element("span", "empty", "（还没有介绍）"));
      return;
    }
    for (const run of marker.runs) {
      const span = element("span", null, run.text);
      const style = span.style;
      style.fontFamily = run.font;
      if (run.size >= 1) style.fontSize = Math.min(run.size, 1638) + "pt";
      style.fontWeight = run.effects & 1 ? "bold" : "normal";
      style.fontStyle = run.effects & 2 ? "italic" : "normal";
      const lines = [];
      if (run.effects & 4) lines.push("underline");
      if (run.effects & 8) lines.push("line-through");
      style.textDecorationLine = lines.length ? lines.join(" ") : "none";
      if (run.colour) style.color = run.colour; // the automatic colour is the page's text colour
      panel.append(span);
    }
  }

  // "ST36 · zúsānlǐ · 足阳明胃经"; a point the standard gives twice shows both codes.
  function pointLine(marker) {
    const points = pointsOf(marker).map((index) => standard.points[index]);
    if (points.length === 0) return "";
    const meridians = new Set(points.map((point) => standard.meridians[point.meridian].fullName));
    return [
      points.map((point) => point.code).join(" / "),
      points[0].reading,
      Array.from(meridians).join(" / "),
    ].join(" · ");
  }

  function clearIntroduction() {
    $("introduction-title").textContent = "";
    $("introduction-point").textContent = "";
    $("introduction").replaceChildren(element("span", "empty", "点击图上的穴位，这里显示它的介绍。"));
  }

  // --- Search ----------------------------------------------------------------------------------
  // The program's rule: case-sensitive, matching only at whole characters.
  function nameContains(name, text) {
    const have = Array.from(name);
    const want = Array.from(text);
    for (let start = 0; start + want.length <= have.length; start++) {
      let k = 0;
      while (k < want.length && have[start + k] === want[k]) k++;
      if (k === want.length) return true;
    }
    return false;
  }

  // Pinyin, as the program finds it: a query of Latin letters (any case, full-width too, tone
  // marks allowed, v for ü), spaces and apostrophes matches a name's syllables run together from a syllable's start, or
  // the run of their first letters. The generator gives each name's syllables.
  function pinyinQuery(text) {
    const plain = text.normalize("NFKD").replace(/\p{Mn}/gu, "").toLowerCase();
    if (!/^[a-z'\u2019 ]*$/.test(plain)) return null;
    // Typists write ü as v; the syllables hold it as u.
    const query = plain.replace(/['\u2019 ]/g, "").replace(/v/g, "u");
    return query === "" ? null : query;
  }

  function pinyinMatches(syllables, query) {
    if (syllables.length === 0) return false;
    if (syllables.map((s) => s.charAt(0) || " ").join("").includes(query)) return true;
    for (let start = 0; start < syllables.length; start++) {
      let matched = 0;
      for (let i = start; i < syllables.length && matched < query.length; i++) {
        const rest = query.slice(matched);
        const n = Math.min(rest.length, syllables[i].length);
        if (syllables[i].slice(0, n) !== rest.slice(0, n)) break;
        matched += n;
      }
      if (matched === query.length) return true;
    }
    return false;
  }

  // The program's code rule, to the letter: full-width forms read as ASCII, "-" and spaces left
  // out, ASCII letters in upper case; then letters and a number and nothing else, the older
  // letters read as the standard's and leading zeros dropped ("du 014" is GV14).
  function codeKey(text) {
    let plain = "";
    for (const character of text) {
      const cp = character.codePointAt(0);
      let c = character;
      if (cp >= 0xff01 && cp <= 0xff5e) c = String.fromCharCode(cp - 0xfee0);
      else if (cp === 0x3000) c = " ";
      if (c === " " || c === "-") continue;
      plain += c >= "a" && c <= "z" ? c.toUpperCase() : c;
    }
    const code = /^([A-Z]+)0*([0-9]+)$/.exec(plain);
    if (!code) return null;
    return (olderLetters.get(code[1]) ?? code[1]) + code[2];
  }

  // What a query names of the standard: a point by its code, a meridian by its full or short
  // name (spaces around left out), and the pinyin to match standard readings with.
  function standardQuery(text, pinyin) {
    const key = codeKey(text);
    const bare = text.replace(/^ +| +$/g, "");
    return {
      code: key === null ? undefined : pointOfKey.get(key),
      meridian: standard.meridians.findIndex((m) => bare === m.fullName || bare === m.shortName),
      pinyin,
    };
  }

  function namesStandardPoint(marker, query) {
    for (const index of pointsOf(marker)) {
      if (index === query.code || standard.points[index].meridian === query.meridian) return true;
    }
    return query.pinyin !== null && pinyinMatches(marker.reading || [], query.pinyin);
  }

  function runSearch() {
    const text = $("search").value;
    const results = $("results");
    results.replaceChildren();
    if (text === "") {
      $("search-status").textContent = "";
      return;
    }
    showStandard(false);
    const rows = document.createDocumentFragment();
    const pinyin = pinyinQuery(text);
    const query = standardQuery(text, pinyin);
    const byName = [];
    const byPinyin = [];
    const byStandard = [];
    images.forEach((image, imageIndex) => {
      image.markers.forEach((marker) => {
        if (nameContains(marker.name, text)) {
          byName.push([image, imageIndex, marker]);
        } else if (pinyin !== null && pinyinMatches(marker.pinyin, pinyin)) {
          byPinyin.push([image, imageIndex, marker]);
        } else if (namesStandardPoint(marker, query)) {
          byStandard.push([image, imageIndex, marker]);
        }
      });
    });
    // The name rule's rows first, then the pinyin's, then the points the query names by code,
    // meridian or standard reading, each in the library's order.
    for (const [image, imageIndex, marker] of byName.concat(byPinyin, byStandard)) {
      const row = element("li");
      row.dataset.result = marker.record;
      row.dataset.resultImage = image.name;
      row.append(
        element("span", "result-name", marker.name),
        element("span", "result-image", image.name),
      );
      row.addEventListener("click", () => {
        for (const other of results.children) other.classList.toggle("chosen", other === row);
        showFound(imageIndex, marker);
      });
      rows.append(row);
    }
    results.append(rows);
    $("search-status").textContent =
      results.children.length > 0 ? "找到了，请您点击穴位名字" : "没有找到呀！您还没有添加此穴位";
  }

  function showFound(imageIndex, marker) {
    if (quiz.active) stopQuiz();
    showImage(imageIndex);
    chosen = marker;
    drawLook(marker);
    ring(marker);
    showIntroduction(images[imageIndex], marker);
  }

  $("search").addEventListener("input", runSearch);
  $("search").addEventListener("keydown", (event) => {
    if (event.key === "Enter") runSearch();
  });
  $("search-button").addEventListener("click", runSearch);

  // --- Self-test -------------------------------------------------------------------------------

  function showScore() {
    const score = $("quiz-score");
    score.textContent = "得分：" + quiz.right + " / " + quiz.asked;
    score.dataset.right = quiz.right;
    score.dataset.asked = quiz.asked;
  }

  // A question is asked only where it can be answered: the image has its picture and a marker
  // it asks for has a place on it. By name, two markers of one name are one question; by code,
  // the markers that are one standard point are ("足三里" and "足三里（左）" both answer ST36).
  function placesOf(image, fits) {
    if (!image.picture) return [];
    return image.markers.filter(
      (m) =>
        m.name !== "" && fits(m) && m.x >= 0 && m.y >= 0 && m.x < image.width && m.y < image.height,
    );
  }

  function nameQuestion(imageIndex, marker) {
    const name = marker.name;
    return {
      imageIndex,
      key: name,
      label: name,
      text: "请点击：" + name,
      fits: (m) => m.name === name,
    };
  }

  function codeQuestion(imageIndex, marker) {
    const key = pointsOf(marker).join(",");
    const points = pointsOf(marker).map((index) => standard.points[index]);
    const codes = points.map((point) => point.code).join(" / ");
    return {
      imageIndex,
      key,
      label: codes + " " + points[0].name,
      text: codes + " 在哪里？",
      fits: (m) => pointsOf(m).join(",") === key,
    };
  }

  function questionPool() {
    const all = $("quiz-scope").value === "all";
    const byCode = $("quiz-ask").value === "code";
    const pool = [];
    images.forEach((image, imageIndex) => {
      if (!all && imageIndex !== shown) return;
      const keys = new Set();
      for (const marker of image.markers) {
        if (byCode && pointsOf(marker).length === 0) continue;
        const question = (byCode ? codeQuestion : nameQuestion)(imageIndex, marker);
        if (keys.has(question.key)) continue;
        keys.add(question.key);
        if (placesOf(image, question.fits).length > 0) pool.push(question);
      }
    });
    return pool;
  }

  function askQuestion() {
    const pool = questionPool();
    clearMarks();
    if (pool.length === 0) {
      quiz.question = null;
      $("quiz-question").textContent = "还没有可以练习的穴位";
      return;
    }
    const last = quiz.question;
    let pick;
    do {
      pick = pool[Math.floor(Math.random() * pool.length)];
    } while (
      pool.length > 1 && last && pick.key === last.key && pick.imageIndex === last.imageIndex
    );
    if (pick.imageIndex !== shown) showImage(pick.imageIndex);
    quiz.question = pick;
    quiz.answered = false;
    chosen = null;
    drawLook(null);
    $("quiz-question").textContent = pick.text;
  }

  function startQuiz() {
    quiz.active = true;
    quiz.right = 0;
    quiz.asked = 0;
    document.body.classList.add("quizzing");
    $("quiz").textContent = "下一题";
    $("quiz-stop").hidden = false;
    clearIntroduction();
    showScore();
  }

  function stopQuiz() {
    quiz.active = false;
    quiz.question = null;
    quiz.answered = true;
    document.body.classList.remove("quizzing");
    $("quiz").textContent = "练习";
    $("quiz-stop").hidden = true;
    $("quiz-question").textContent = "";
    clearMarks();
    drawLook(null);
  }

  // Any place of the asked name counts; a miss rings every place and shows the nearest.
  function answer(event) {
    const question = quiz.question;
    if (!quiz.active || !question || quiz.answered || question.imageIndex !== shown) return;
    const box = stage.getBoundingClientRect();
    const x = Math.floor(event.clientX - box.left);
    const y = Math.floor(event.clientY - box.top);
    const places = placesOf(images[shown], question.fits);
    const away = (m) => Math.max(Math.abs(x - m.x), Math.abs(y - m.y));
    const nearest = places.reduce((near, m) => (away(m) < away(near) ? m : near));
    const found = away(nearest) <= hitReach;
    quiz.asked++;
    if (found) quiz.right++;
    quiz.answered = true;
    $("quiz-question").textContent = found
      ? "找到了：" + question.label
      : "不对，" + question.label + " 在这里";
    drawLook(nearest);
    if (!found) places.forEach((place) => ring(place, place === nearest));
    showScore();
  }

  $("quiz").addEventListener("click", () => {
    showStandard(false);
    if (!quiz.active) startQuiz();
    askQuestion();
  });
  $("quiz-stop").addEventListener("click", stopQuiz);
  stage.addEventListener("click", answer);

  function userShowsImage(index) {
    showImage(index);
    clearIntroduction();
    if (quiz.active && $("quiz-scope").value === "image") askQuestion();
  }

  // --- The standard points ---------------------------------------------------------------------
  // Every meridian's points and the extra points, in code order: a point the library marks shows
  // its first marker as a search result does; a point it lacks is greyed. The count of all
  // meridians leaves the extra points out.
  function buildStandardView() {
    const firstMarker = new Map();
    images.forEach((image, imageIndex) => {
      for (const marker of image.markers) {
        for (const index of pointsOf(marker)) {
          if (!firstMarker.has(index)) firstMarker.set(index, [imageIndex, marker]);
        }
      }
    });
    const list = $("standard-list");
    let marked = 0;
    let total = 0;
    for (const meridian of standard.meridians) {
      const section = element("section", "meridian");
      const points = element("div", "meridian-points");
      let here = 0;
      for (const index of meridian.points) {
        const point = standard.points[index];
        const found = firstMarker.get(index);
        const text = point.code + " " + point.name;
        if (!found) {
          const missing = element("span", "point missing", text);
          missing.title = "还没有标注";
          points.append(missing);
          continue;
        }
        here++;
        const [imageIndex, marker] = found;
        const link = element("button", "point", text);
        link.type = "button";
        link.dataset.code = point.code;
        link.title = images[imageIndex].name + "：" + marker.name;
        link.addEventListener("click", () => showFound(imageIndex, marker));
        points.append(link);
      }
      if (!meridian.extra) {
        marked += here;
        total += meridian.points.length;
      }
      const heading = element("h3", null, meridian.fullName + " ");
      heading.append(element("span", "count", "已标注 " + here + " / " + meridian.points.length));
      section.dataset.meridian = meridian.prefix;
      section.append(heading, points);
      list.append(section);
    }
    $("standard-total").textContent = "已标注 " + marked + " / " + total;
  }

  function showStandard(show) {
    if ($("standard-view").hidden === !show) return;
    // The view is long: whichever way, start from the top of the page, not where it was left.
    window.scrollTo(0, 0);
    $("standard-view").hidden = !show;
    document.querySelector("main").hidden = show;
    $("standard").textContent = show ? "返回图谱" : "标准穴位";
    $("standard").setAttribute("aria-pressed", String(show));
  }

  buildStandardView();
  $("standard").addEventListener("click", () => showStandard($("standard-view").hidden));

  // --- Reports ---------------------------------------------------------------------------------
  for (const report of data.reports || []) {
    const row = element("li", null, report.image + "：" + report.text);
    row.dataset.report = "";
    $("reports").append(row);
  }
  $("reports-section").hidden = !data.reports || data.reports.length === 0;

  clearIntroduction();
  if (images.length > 0) {
    const firstPicture = images.findIndex((image) => image.picture);
    showImage(Math.max(firstPicture, 0));
  } else {
    $("status").textContent = "共有：0 张图片";
  }
})();
