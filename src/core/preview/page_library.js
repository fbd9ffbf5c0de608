// The program's own script in the shown page. It runs in a world of its
// own: the page's scripts see neither its names nor its listeners, and it
// shares only the document. It adds nothing to the document and changes
// no style of it: the outlines are drawn by the program over the view,
// from the rectangles this script reports. Nothing it does may throw into
// the page's console.
(function () {
  'use strict';
  if (window.__quillbox) return;
  const PREFIX = '@PREFIX@';
  let matched = [], showMatched = false, hovered = null;
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
    const boxes = JSON.stringify([match, pick]);
    if (boxes === lastBoxes) return;
    lastBoxes = boxes;
    say('boxes', { match: match, pick: pick });
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

  function highlight(selectors, media, outline) {
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
    draw();
    return { count: matched.length, invalid: invalid, mediaApplies: mediaHolds(media, null) };
  }

  function clear() {
    matched = [];
    showMatched = false;
    draw();
  }

  function describe(el) {
    let text = el.localName;
    if (el.id) text += '#' + el.id;
    for (const c of el.classList) text += '.' + c;
    return text;
  }

  function report(el, list) {
    const media = new Map();
    const found = [];
    for (const [place, selectors, conditions, supports] of list) {
      const hits = [];
      selectors.forEach(function (sel, k) {
        if (sel === null) return;
        try { if (el.matches(sel)) hits.push(k); } catch (e) {}
      });
      if (hits.length) found.push([place, hits, mediaHolds(conditions, media) && supportsHold(supports)]);
    }
    say('pick', { matches: found, element: describe(el) });
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
      try { if (el) report(el, list); } catch (e) { say('cancel', null); }
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

  let stamp = 0;
  window.__quillbox = {
    highlight: highlight,
    clear: clear,
    startPicking: startPicking,
    stopPicking: function () { stopPicking(); return true; },
    swapSheet: function (path) { return swapSheet(path, ++stamp + '-' + Date.now()); },
  };
})();
