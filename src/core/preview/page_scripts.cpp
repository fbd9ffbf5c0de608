#include "core/preview/page_scripts.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>

namespace {

// Runs in its own script world: the page's scripts see neither its names
// nor its listeners, and it shares only the document. Nothing it does may
// throw into the page's console.
const char kLibrary[] = R"JS((function () {
  'use strict';
  if (window.__quillbox) return;
  const PREFIX = '@PREFIX@';
  let host = null, layer = null, matched = [], showMatched = false, outlining = false, hovered = null;
  let rules = null, frame = 0, width = window.innerWidth;
  const pending = new Set();

  function say(kind, data) {
    try { console.log(PREFIX + JSON.stringify({ kind: kind, data: data })); } catch (e) {}
  }

  // The outlines live in a shadow tree of one element of our own,
  // placed over the page: no style of the page reaches them, theirs
  // reaches nothing of the page, and they take no pointer.
  function ensureLayer() {
    if (host && host.isConnected) return layer;
    const root = document.documentElement;
    if (!root) return null;
    if (host) {
      root.appendChild(host);
      return layer;
    }
    host = document.createElement('quillbox-overlay');
    host.setAttribute('style', 'all: initial !important; position: absolute !important; left: 0 !important;'
      + ' top: 0 !important; width: 0 !important; height: 0 !important; overflow: visible !important;'
      + ' pointer-events: none !important; z-index: 2147483647 !important; display: block !important;');
    const shadow = host.attachShadow({ mode: 'open' });
    const style = document.createElement('style');
    style.textContent = 'div { position: absolute; box-sizing: border-box; pointer-events: none; }'
      + ' .match { border: 2px solid rgba(0, 102, 255, 0.9); background: rgba(0, 102, 255, 0.12); }'
      + ' .pick { border: 2px dashed rgba(230, 80, 0, 0.95); background: rgba(230, 80, 0, 0.15); }';
    layer = document.createElement('div');
    shadow.append(style, layer);
    root.appendChild(host);
    return layer;
  }

  function box(el, kind, into) {
    if (!el.isConnected) return;
    const r = el.getBoundingClientRect();
    if (r.width === 0 && r.height === 0) return;
    const d = document.createElement('div');
    d.className = kind;
    d.style.left = (r.left + window.scrollX) + 'px';
    d.style.top = (r.top + window.scrollY) + 'px';
    d.style.width = r.width + 'px';
    d.style.height = r.height + 'px';
    into.push(d);
  }

  function draw() {
    frame = 0;
    // With outlining off the layer leaves the page altogether; between two
    // rules it stays, empty, as adding it to the page again would have the
    // page restyled.
    if (!showMatched && !hovered) {
      if (layer) layer.replaceChildren();
      if (!outlining && host) host.remove();
      return;
    }
    const into = ensureLayer();
    if (!into) return;
    const boxes = [];
    if (showMatched) for (const el of matched) box(el, 'match', boxes);
    if (hovered) box(hovered, 'pick', boxes);
    into.replaceChildren(...boxes);
  }

  function redraw() {
    if (!frame && (showMatched || hovered)) frame = requestAnimationFrame(draw);
  }

  function own(el) { return el === host; }

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
        if (!own(el) && !seen.has(el)) { seen.add(el); matched.push(el); }
      }
    }
    outlining = outline;
    showMatched = outline && matched.length > 0;
    draw();
    return { count: matched.length, invalid: invalid, mediaApplies: mediaHolds(media, null) };
  }

  function clear() {
    matched = [];
    showMatched = false;
    outlining = false;
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
    return el && el.nodeType === 1 && !own(el) ? el : null;
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

  let stamp = 0;
  window.__quillbox = {
    highlight: highlight,
    clear: clear,
    startPicking: startPicking,
    stopPicking: function () { stopPicking(); return true; },
    swapSheet: function (path) { return swapSheet(path, ++stamp + '-' + Date.now()); },
  };
})();
)JS";

QString json(const QJsonValue &value)
{
    if (value.isArray())
        return QString::fromUtf8(QJsonDocument(value.toArray()).toJson(QJsonDocument::Compact));
    if (value.isObject())
        return QString::fromUtf8(QJsonDocument(value.toObject()).toJson(QJsonDocument::Compact));
    // A lone value: wrapped in an array and unwrapped again.
    const QString wrapped = QString::fromUtf8(QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact));
    return wrapped.mid(1, wrapped.size() - 2);
}

// A call that answers nothing while the page has no library yet (a page
// still being made, or one that failed to load).
QString call(const QString &function, const QString &arguments)
{
    return QStringLiteral("(window.__quillbox ? window.__quillbox.%1(%2) : null)").arg(function, arguments);
}

} // namespace

namespace page_scripts {

QString pageMessagePrefix()
{
    // A page's own script cannot guess it, so cannot pose as the library.
    static const QString prefix =
        QStringLiteral("quillbox-%1:").arg(QRandomGenerator::system()->generate64(), 16, 16, QLatin1Char('0'));
    return prefix;
}

QString library()
{
    return QString::fromUtf8(kLibrary).replace(QStringLiteral("@PREFIX@"), pageMessagePrefix());
}

QString highlight(const QJsonValue &selectors, const QJsonValue &media, bool outline)
{
    return call(QStringLiteral("highlight"),
                json(selectors) + QLatin1Char(',') + json(media) + QLatin1Char(',')
                    + (outline ? QStringLiteral("true") : QStringLiteral("false")));
}

QString clear()
{
    return call(QStringLiteral("clear"), {});
}

QString startPicking(const QJsonValue &rules)
{
    return call(QStringLiteral("startPicking"), json(rules));
}

QString stopPicking()
{
    return call(QStringLiteral("stopPicking"), {});
}

QString swapSheet(const QString &sheetPath)
{
    return call(QStringLiteral("swapSheet"), json(sheetPath));
}

} // namespace page_scripts
