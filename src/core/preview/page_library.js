// The program's own script in the shown page. It runs in a world of its
// own: the page's scripts see neither its names nor its listeners, and it
// shares only the document. It adds nothing to the document and changes
// no style of it: the outlines are drawn by the program over the view,
// from the rectangles this script reports. The one exception is a state
// forced on the picked element: an attribute of the program's, which the
// sheets the page gets match where they say the state. Nothing it does
// may throw into the page's console.
(function () {
  'use strict';
  if (window.__quillbox) return;
  const PREFIX = '@PREFIX@';
  let matched = [], showMatched = false, showLayout = false, hovered = null, picked = null;
  let rules = null, frame = 0, width = window.innerWidth, lastBoxes = '';
  const pending = new Set();

  function say(kind, data) {
    try { console.log(PREFIX + JSON.stringify({ kind: kind, data: data })); } catch (e) {}
  }

  // An element's border box in the viewport, in CSS pixels; none for an
  // element that takes no room.
  function box(el) {
    if (!el.isConnected) return null;
    const r = el.getBoundingClientRect();
    if (r.width === 0 && r.height === 0) return null;
    return [r.left, r.top, r.width, r.height];
  }

  // Where tracks of these sizes stand in the room the container gives
  // them, after its content alignment: [start, size] each.
  function placeTracks(sizes, gap, room, mode) {
    const n = sizes.length;
    const free = room - sizes.reduce(function (a, b) { return a + b; }, 0) - gap * Math.max(0, n - 1);
    let offset = 0, extra = 0;
    mode = mode.replace(/^(unsafe|safe) /, '');
    if (mode === 'center') offset = free / 2;
    else if (mode === 'end' || mode === 'flex-end' || mode === 'right') offset = free;
    else if (free > 0 && mode === 'space-between' && n > 1) extra = free / (n - 1);
    else if (free > 0 && mode === 'space-around') { extra = free / n; offset = extra / 2; }
    else if (free > 0 && mode === 'space-evenly') { extra = free / (n + 1); offset = extra; }
    const out = [];
    let at = offset;
    for (const size of sizes) { out.push([at, size]); at += size + gap + extra; }
    return out;
  }

  function trackSizes(text) {
    return text.replace(/\[[^\]]*\]/g, ' ').trim().split(/\s+/)
      .filter(function (t) { return /px$/.test(t); }).map(parseFloat);
  }

  // The tracks and gaps of a grid container, in the viewport.
  function gridLines(el, cs, tracks, gaps) {
    const r = el.getBoundingClientRect();
    const px = function (v) { return parseFloat(v) || 0; };
    const pl = px(cs.paddingLeft), pt = px(cs.paddingTop);
    const left = r.left + px(cs.borderLeftWidth) + pl - el.scrollLeft;
    const top = r.top + px(cs.borderTopWidth) + pt - el.scrollTop;
    const width = el.clientWidth - pl - px(cs.paddingRight);
    const height = el.clientHeight - pt - px(cs.paddingBottom);
    const columnGap = px(cs.columnGap), rowGap = px(cs.rowGap);
    const cols = placeTracks(trackSizes(cs.gridTemplateColumns), columnGap, width, cs.justifyContent);
    const rows = placeTracks(trackSizes(cs.gridTemplateRows), rowGap, height, cs.alignContent);
    if (!cols.length || !rows.length) return;
    const x0 = cols[0][0], x1 = cols[cols.length - 1][0] + cols[cols.length - 1][1];
    const y0 = rows[0][0], y1 = rows[rows.length - 1][0] + rows[rows.length - 1][1];
    cols.forEach(function (c, i) {
      tracks.push([left + c[0], top + y0, c[1], y1 - y0]);
      if (i + 1 < cols.length) gaps.push([left + c[0] + c[1], top + y0, cols[i + 1][0] - c[0] - c[1], y1 - y0]);
    });
    rows.forEach(function (w, i) {
      tracks.push([left + x0, top + w[0], x1 - x0, w[1]]);
      if (i + 1 < rows.length) gaps.push([left + x0, top + w[0] + w[1], x1 - x0, rows[i + 1][0] - w[0] - w[1]]);
    });
  }

  // The items of a flex container and the gaps between neighbours on a line.
  function flexLines(el, cs, tracks, gaps) {
    const column = cs.flexDirection.indexOf('column') === 0;
    let previous = null;
    for (const child of el.children) {
      const ccs = getComputedStyle(child);
      if (ccs.display === 'none' || ccs.position === 'absolute' || ccs.position === 'fixed') continue;
      const r = child.getBoundingClientRect();
      tracks.push([r.left, r.top, r.width, r.height]);
      if (previous) {
        const a = previous, b = r;
        if (!column && b.left > a.right && b.top < a.bottom && b.bottom > a.top)
          gaps.push([a.right, Math.min(a.top, b.top), b.left - a.right, Math.max(a.bottom, b.bottom) - Math.min(a.top, b.top)]);
        else if (column && b.top > a.bottom && b.left < a.right && b.right > a.left)
          gaps.push([Math.min(a.left, b.left), a.bottom, Math.max(a.right, b.right) - Math.min(a.left, b.left), b.top - a.bottom]);
      }
      previous = r;
    }
  }

  const MAX_CONTAINERS = 200;

  function layoutLines() {
    const tracks = [], gaps = [];
    let drawn = 0;
    for (const el of matched) {
      if (drawn >= MAX_CONTAINERS || !el.isConnected) break;
      const cs = getComputedStyle(el);
      if (/grid/.test(cs.display)) { gridLines(el, cs, tracks, gaps); ++drawn; }
      else if (/flex/.test(cs.display)) { flexLines(el, cs, tracks, gaps); ++drawn; }
    }
    return { tracks: tracks, gaps: gaps };
  }

  function draw() {
    frame = 0;
    const match = [];
    if (showMatched) {
      for (const el of matched) {
        const b = box(el);
        if (b) match.push(b);
      }
    }
    const pick = hovered ? box(hovered) : null;
    const lines = showLayout ? layoutLines() : { tracks: [], gaps: [] };
    const boxes = JSON.stringify([match, pick, lines]);
    if (boxes === lastBoxes) return;
    lastBoxes = boxes;
    say('boxes', { match: match, pick: pick, tracks: lines.tracks, gaps: lines.gaps });
  }

  // Of the matched elements, how many are flex or grid containers, and
  // how many stand in one.
  function layoutContext() {
    let containers = 0, flexContainers = 0, items = 0, flexItems = 0;
    for (const el of matched.slice(0, 500)) {
      const display = getComputedStyle(el).display;
      if (/flex|grid/.test(display)) { ++containers; if (/flex/.test(display)) ++flexContainers; }
      const parent = el.parentElement;
      const around = parent ? getComputedStyle(parent).display : '';
      if (/flex|grid/.test(around)) { ++items; if (/flex/.test(around)) ++flexItems; }
    }
    return [Math.min(matched.length, 500), containers, flexContainers, items, flexItems];
  }

  function redraw() {
    if (!frame) frame = requestAnimationFrame(draw);
  }

  function mediaHolds(conditions, memo) {
    for (const m of conditions) {
      let holds = memo ? memo.get(m) : undefined;
      if (holds === undefined) {
        try { holds = window.matchMedia(m).matches; } catch (e) { holds = true; }
        if (memo) memo.set(m, holds);
      }
      if (!holds) return false;
    }
    return true;
  }

  function supportsHold(conditions) {
    for (const c of conditions) {
      try { if (!CSS.supports(c)) return false; } catch (e) {}
    }
    return true;
  }

  function highlight(selectors, media, outline, layout) {
    if (location.href === 'about:blank' || !document.documentElement) return null;
    const seen = new Set();
    matched = [];
    let invalid = 0;
    for (const sel of selectors) {
      let found;
      try { found = document.querySelectorAll(sel); } catch (e) { ++invalid; continue; }
      for (const el of found) {
        if (!seen.has(el)) { seen.add(el); matched.push(el); }
      }
    }
    showMatched = outline && matched.length > 0;
    showLayout = !!layout && matched.length > 0;
    draw();
    return { count: matched.length, invalid: invalid, mediaApplies: mediaHolds(media, null), layout: layoutContext() };
  }

  function clear() {
    matched = [];
    showMatched = false;
    showLayout = false;
    draw();
  }

  function describe(el) {
    let text = el.localName;
    if (el.id) text += '#' + el.id;
    for (const c of el.classList) text += '.' + c;
    return text;
  }

  // What the text of an element stands on: its colour and, from it up to
  // the root, each background's colour, whether it has a picture or a
  // gradient, and the element's opacity. The program lays them together.
  function contrastOf(el) {
    if (!el || !el.isConnected) return null;
    const cs = getComputedStyle(el);
    const layers = [];
    for (let at = el; at && at.nodeType === 1; at = at.parentElement) {
      const s = at === el ? cs : getComputedStyle(at);
      layers.push([s.backgroundColor, !!s.backgroundImage && s.backgroundImage !== 'none', parseFloat(s.opacity)]);
    }
    return { text: cs.color, layers: layers, size: parseFloat(cs.fontSize) || 16,
             weight: parseInt(cs.fontWeight, 10) || 400 };
  }

  // The states the picked element can be put into, by their attributes.
  const FORCED = { hover: 'data-quillbox-hover', focus: 'data-quillbox-focus',
                   'focus-visible': 'data-quillbox-focus-visible',
                   'focus-within': 'data-quillbox-focus-within', active: 'data-quillbox-active' };

  function unforce() {
    for (const name of Object.values(FORCED))
      for (const el of document.querySelectorAll('[' + name + ']')) el.removeAttribute(name);
  }

  // :hover, :active and :focus-within hold for the element's ancestors
  // too, as a real pointer or focus makes them.
  function forceState(state, on) {
    const name = FORCED[state];
    if (!name || !picked || !picked.isConnected) return null;
    const up = state === 'focus-within' || state === 'hover' || state === 'active';
    for (let at = picked; at && at.nodeType === 1; at = up ? at.parentElement : null) {
      if (on) at.setAttribute(name, ''); else at.removeAttribute(name);
    }
    redraw();
    return contrastOf(picked);
  }

  function report(el, list) {
    unforce();
    picked = el;
    const media = new Map();
    const found = [];
    for (const [place, selectors, conditions, supports, scopes] of list) {
      const hits = [];
      let proximity = -1;
      selectors.forEach(function (sel, k) {
        if (sel === null) return;
        try {
          if (scopes && scopes.length) {
            const p = scopedMatch(el, sel, scopes);
            if (p >= 0) { hits.push(k); if (proximity < 0 || p < proximity) proximity = p; }
          } else if (el.matches(sel)) {
            hits.push(k);
          }
        } catch (e) {}
      });
      if (hits.length) found.push([place, hits, mediaHolds(conditions, media) && supportsHold(supports), proximity]);
    }
    say('pick', { matches: found, element: describe(el), contrast: contrastOf(el) });
    // The click left the pointer on the element, so it was read in
    // :hover; once the pointer leaves and the transitions have run, it is
    // read again as it stands.
    el.addEventListener('mouseleave', function () {
      setTimeout(function () { if (picked === el) say('left', null); }, 400);
    }, { once: true });
  }

  function target(event) {
    const el = event.composedPath ? event.composedPath()[0] : event.target;
    return el && el.nodeType === 1 ? el : null;
  }

  const swallow = function (event) {
    if (!rules) return;
    event.preventDefault();
    event.stopImmediatePropagation();
    if (event.type === 'click') {
      const el = target(event);
      const list = rules;
      stopPicking();
      // A check box or radio button is toggled while its click is under
      // way, and put back once the click is cancelled: it is read after.
      setTimeout(function () {
        try { if (el) report(el, list); } catch (e) { say('cancel', null); }
      }, 0);
    }
  };
  const follow = function (event) {
    if (!rules) return;
    const el = target(event);
    if (el !== hovered) { hovered = el; redraw(); }
  };
  const gestures = ['click', 'mousedown', 'mouseup', 'pointerdown', 'pointerup', 'dblclick', 'auxclick',
                    'contextmenu'];

  function startPicking(list) {
    if (!rules) {
      for (const g of gestures) window.addEventListener(g, swallow, true);
      window.addEventListener('mousemove', follow, true);
    }
    rules = list;
    return true;
  }

  function stopPicking() {
    if (!rules) return;
    rules = null;
    for (const g of gestures) window.removeEventListener(g, swallow, true);
    window.removeEventListener('mousemove', follow, true);
    hovered = null;
    draw();
  }

  function localPath(href) {
    try {
      const url = new URL(href, document.baseURI);
      return url.protocol === 'file:' ? decodeURIComponent(url.pathname) : null;
    } catch (e) { return null; }
  }

  // The fresh sheet is loaded beside the old one and the old one goes
  // only once it has arrived, so the page never shows itself unstyled.
  function swapSheet(path, stamp) {
    if (!document.documentElement) return false;
    const links = Array.from(document.querySelectorAll('link')).filter(function (l) {
      return /(^|\s)stylesheet(\s|$)/i.test(l.rel) && localPath(l.href) === path;
    });
    const current = links.filter(function (l) { return !pending.has(l); });
    if (!current.length) return false;
    for (const l of links) if (pending.has(l)) { pending.delete(l); l.remove(); }
    for (const old of current) {
      const fresh = old.cloneNode(false);
      const url = new URL(old.href);
      url.search = '?quillbox=' + stamp;
      fresh.href = url.href;
      pending.add(fresh);
      fresh.addEventListener('load', function () {
        if (!pending.delete(fresh)) return;
        old.remove();
        redraw();
        say('sheet', null);
      });
      fresh.addEventListener('error', function () { pending.delete(fresh); fresh.remove(); });
      old.after(fresh);
    }
    return true;
  }

  window.addEventListener('scroll', redraw, { capture: true, passive: true });
  window.addEventListener('resize', function () {
    redraw();
    if (window.innerWidth !== width) { width = window.innerWidth; say('width', width); }
  });
  window.addEventListener('load', redraw);
  // Boxes move when the page's layout does: images arriving, fonts, a
  // script's changes.
  function observeLayout() {
    try { if (document.documentElement) new ResizeObserver(redraw).observe(document.documentElement); } catch (e) {}
  }
  if (document.documentElement) observeLayout();
  else document.addEventListener('DOMContentLoaded', observeLayout, { once: true });

  // The rules no element uses: their selectors already hold no state and
  // no pseudo-element. Each selector is asked once.
  // A selector this engine cannot read tells nothing: such a rule is
  // neither used nor unused (3). A rule in @scope is asked within its
  // roots.
  function usage(list) {
    if (location.href === 'about:blank' || !document.documentElement) return null;
    const media = new Map(), seen = new Map(), out = [];
    for (const [place, selectors, conditions, supports, scopes] of list) {
      let used = false, unreadable = false;
      for (const plain of selectors) {
        const sel = scopes && scopes.length ? withinScope(plain, scopes[scopes.length - 1][0]) : plain;
        let hit = seen.get(sel);
        if (hit === undefined) {
          try { hit = document.querySelector(sel) !== null; } catch (e) { hit = null; }
          seen.set(sel, hit);
        }
        if (hit === null) unreadable = true;
        if (hit) { used = true; break; }
      }
      if (!used) out.push([place, unreadable ? 3 : 1]);
      else if (!(mediaHolds(conditions, media) && supportsHold(supports))) out.push([place, 2]);
    }
    return out;
  }

  // A scoped selector as a plain one: its :scope and & stand for the
  // root, and one that names neither stands below it.
  function withinScope(sel, root) {
    if (!root) return sel;
    const scope = ':is(' + root + ')';
    return /:scope|&/.test(sel) ? sel.replace(/:scope|&/g, scope) : scope + ' ' + sel;
  }

  // How many generations up the nearest root of the scope is, where the
  // element is in it and matches the selector there; -1 where it does not.
  // Scopes are [root, limit], outermost first.
  function scopedMatch(el, sel, scopes) {
    let proximity = -1;
    for (let depth = 0; depth < scopes.length; ++depth) {
      const [root, limit] = scopes[depth];
      let found = -1;
      for (let r = el, hops = 0; r && r.nodeType === 1; r = r.parentElement, ++hops) {
        if (root && !r.matches(root)) continue;
        // The limit and what it holds are outside the scope.
        let cut = false;
        if (limit) for (let e = el; e && e !== r; e = e.parentElement) if (e.matches(limit)) { cut = true; break; }
        if (cut) continue;
        if (depth === scopes.length - 1) {
          const explicit = /:scope|&/.test(sel);
          let hit;
          if (el === r) hit = explicit && el.matches(sel.replace(/:scope|&/g, ':is(' + (root || '*') + ')'));
          else hit = Array.from(r.querySelectorAll(explicit ? sel.replace(/&/g, ':scope') : ':scope ' + sel)).includes(el);
          if (!hit) continue;
        }
        found = hops;
        break;
      }
      if (found < 0) return -1;
      proximity = found;
    }
    return proximity;
  }

  // Rule bodies as the engine reads them: each one's longhands (custom
  // properties too) with their values, priorities and the declaration as
  // written that gives each (its place among `declarations`, each read
  // alone); then the picked element's style attribute the same way; last,
  // its writing mode and direction, which place its logical sides.
  function expand(bodies, declarations) {
    const sheet = new CSSStyleSheet();
    const parse = function (body) {
      try { sheet.replaceSync('a{' + body + '}'); } catch (e) { return null; }
      return sheet.cssRules.length ? sheet.cssRules[0].style : null;
    };
    const read = function (style, sources) {
      const out = [];
      if (!style) return out;
      for (let i = 0; i < style.length; ++i) {
        const name = style[i];
        const important = style.getPropertyPriority(name) === 'important';
        let from = -1;
        if (sources) {
          for (let k = sources.length - 1; k >= 0 && from < 0; --k)
            if (sources[k].has(name) && (!important || sources[k].get(name))) from = k;
        }
        out.push([name, style.getPropertyValue(name), important, from]);
      }
      return out;
    };
    const out = bodies.map(function (body, k) {
      const own = declarations && declarations[k] ? declarations[k].map(function (one) {
        const style = parse(one), set = new Map();
        if (style) for (let i = 0; i < style.length; ++i) set.set(style[i], style.getPropertyPriority(style[i]) === 'important');
        return set;
      }) : null;
      return read(parse(body), own);
    });
    out.push(picked && picked.isConnected ? read(picked.style, null) : []);
    let mode = ['horizontal-tb', 'ltr'];
    if (picked && picked.isConnected) {
      const cs = getComputedStyle(picked);
      mode = [cs.writingMode, cs.direction];
    }
    out.push(mode);
    return out;
  }

  // The page's style sheets in the cascade's order, those whose media
  // hold: ['link', local path or null, address] or ['style', text].
  // A sheet on its way in during a swap is not yet one of them.
  // The text of a sheet of the page's own origin, as the engine read it;
  // null for one of another origin, whose rules a script may not read.
  function sheetText(sheet) {
    try {
      if (location.protocol === 'file:') return null;
      if (sheet.href && new URL(sheet.href).origin !== location.origin) return null;
      return Array.from(sheet.cssRules).map(function (r) { return r.cssText; }).join('\n');
    } catch (e) { return null; }
  }

  function sheets() {
    const out = [];
    for (const sheet of Array.from(document.styleSheets)) {
      const node = sheet.ownerNode;
      if (pending.has(node)) continue;
      // The edited sheet given in place of a served one stands where it does.
      if (node && node.dataset && node.dataset.quillboxServed !== undefined) {
        out.push(['link', null, node.dataset.quillboxServed, null, true]);
        continue;
      }
      // A served sheet given marked for forced states: the page's own text.
      if (node && node.dataset && node.dataset.quillboxMarked !== undefined) {
        out.push(['link', null, node.dataset.quillboxMarked, markedFrom.get(node) || null, false]);
        continue;
      }
      if (sheet.disabled) continue;
      try { if (sheet.media.mediaText && !window.matchMedia(sheet.media.mediaText).matches) continue; } catch (e) {}
      if (node && node.tagName === 'STYLE') {
        out.push(['style', node.textContent, node.getAttribute('data-vite-dev-id')]);
        continue;
      }
      const href = (node && node.href) || sheet.href || '';
      let path = localPath(href);
      try {
        const url = new URL(href);
        if (url.protocol === 'quillbox-sheet:') path = decodeURIComponent(url.pathname);
      } catch (e) {}
      out.push(['link', path, href, path ? null : sheetText(sheet), false]);
    }
    out.push(['page', location.href]);
    return out;
  }

  // Another sheet of a served page given with its states marked, in its
  // place; the text it stands for is kept for the cascade.
  const markedFrom = new Map();
  function replaceMarked(href, original, text) {
    if (!document.documentElement) return false;
    const links = Array.from(document.querySelectorAll('link')).filter(function (n) {
      return /(^|\s)stylesheet(\s|$)/i.test(n.rel) && sameSheet(n.href, href) && !served.has(n);
    });
    if (!links.length) return false;
    for (const link of links) {
      let own = served.get(link);
      if (!own) {
        own = document.createElement('style');
        own.dataset.quillboxMarked = href;
        if (link.media) own.media = link.media;
        link.after(own);
        served.set(link, own);
      }
      markedFrom.set(own, original);
      if (own.textContent !== text) own.textContent = text;
      if (link.sheet) link.sheet.disabled = true;
    }
    watchServed();
    return true;
  }

  // A served page gets the edited sheet in place: a <style> of the
  // program's after the page's own link to it (or its dev server's
  // <style>), which stays in the page, switched off. A later copy the
  // server's own reload brings is switched off again at once.
  const served = new Map(); // the page's node → the program's <style>
  let servedWatch = null;
  function sameSheet(a, b) {
    try {
      const x = new URL(a, document.baseURI), y = new URL(b, document.baseURI);
      return x.origin === y.origin && x.pathname === y.pathname;
    } catch (e) { return false; }
  }
  let given = null; // the edited sheet last given: {href, devId, text}
  function servedNodes() {
    if (!given) return [];
    return Array.from(document.querySelectorAll('link, style')).filter(function (n) {
      if (n.dataset && (n.dataset.quillboxServed !== undefined || n.dataset.quillboxMarked !== undefined)) return false;
      if (n.tagName === 'LINK') return /(^|\s)stylesheet(\s|$)/i.test(n.rel) && given.href && sameSheet(n.href, given.href);
      return given.devId && n.getAttribute('data-vite-dev-id') === given.devId;
    });
  }
  function replaceServed(href, devId, text) {
    if (!document.documentElement) return false;
    given = { href: href, devId: devId, text: text };
    const nodes = servedNodes();
    if (!nodes.length) return false;
    giveServed(nodes);
    watchServed();
    redraw();
    return true;
  }
  function giveServed(nodes) {
    const href = given.href, devId = given.devId, text = given.text;
    for (const node of nodes) {
      let own = served.get(node);
      if (!own || !own.isConnected) {
        own = document.createElement('style');
        own.dataset.quillboxServed = href || devId;
        node.after(own);
        served.set(node, own);
      }
      if (own.textContent !== text) own.textContent = text;
      if (node.sheet) node.sheet.disabled = true;
    }
  }

  function watchServed() {
    if (!servedWatch) {
      servedWatch = new MutationObserver(function () {
        for (const [node, own] of served) {
          // A link its dev server replaced goes with the copy made for it.
          if (!node.isConnected) {
            own.remove();
            served.delete(node);
            continue;
          }
          if (node.isConnected && node.sheet && !node.sheet.disabled) node.sheet.disabled = true;
          if (!own.isConnected && node.isConnected) node.after(own);
        }
        // A new link or <style> its dev server brought for the sheet gets
        // the editor's text at once.
        const fresh = servedNodes().filter(function (n) { return !served.has(n); });
        if (fresh.length) giveServed(fresh);
      });
      servedWatch.observe(document.documentElement, { subtree: true, childList: true, characterData: true, attributes: true,
                                                      attributeFilter: ['href', 'disabled', 'media'] });
      document.addEventListener('load', function (event) {
        const node = event.target;
        if (served.has(node) && node.sheet) node.sheet.disabled = true;
      }, true);
    }
  }

  // The picked element's computed values of some properties.
  function computed(names) {
    if (!picked || !picked.isConnected) return null;
    const cs = getComputedStyle(picked);
    return names.map(function (n) { return cs.getPropertyValue(n); });
  }

  // What this engine reads by itself, so that the lowering leaves it alone.
  function engineFeatures() {
    const supports = function (a, b) {
      try { return b === undefined ? CSS.supports(a) : CSS.supports(a, b); } catch (e) { return false; }
    };
    const colours = [['oklch(', 'oklch(0.5 0.1 100)'], ['oklab(', 'oklab(0.5 0.1 0.1)'], ['lab(', 'lab(50 0 0)'],
                     ['lch(', 'lch(50 0 0)'], ['hwb(', 'hwb(0 0% 0%)'], ['color(', 'color(srgb 1 0 0)'],
                     ['color-mix(', 'color-mix(in srgb, red, blue)'], ['light-dark(', 'light-dark(red, blue)']];
    let nesting = false;
    try {
      const sheet = new CSSStyleSheet();
      sheet.replaceSync('a{b{}}');
      nesting = !!(sheet.cssRules[0] && sheet.cssRules[0].cssRules && sheet.cssRules[0].cssRules.length);
    } catch (e) {}
    return {
      nesting: nesting,
      has: supports('selector(:has(a))'),
      container: 'CSSContainerRule' in window,
      scope: 'CSSScopeRule' in window,
      transforms: supports('rotate', '10deg'),
      colours: colours.filter(function (c) { return supports('color', c[1]); }).map(function (c) { return c[0]; }),
    };
  }

  let stamp = 0;
  window.__quillbox = {
    engineFeatures: engineFeatures,
    expand: expand,
    computed: computed,
    sheets: sheets,
    usage: usage,
    pickedContrast: function () { return contrastOf(picked); },
    forceState: forceState,
    highlight: highlight,
    clear: clear,
    startPicking: startPicking,
    stopPicking: function () { stopPicking(); return true; },
    swapSheet: function (path) { return swapSheet(path, ++stamp + '-' + Date.now()); },
    replaceServed: replaceServed,
    replaceMarked: replaceMarked,
  };
})();
