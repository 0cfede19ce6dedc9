// The page side of the web display (platform/portable/display/web_display.cpp), put in front of
// every program's JavaScript (--pre-js). It keeps one canvas per window in #zg-windows, queues
// browser events for the program to take, shows the in-page dialogs, prints through the browser,
// and starts main itself, so it knows when main has begun (nothing may yield before: static
// constructors run first) and when it has ended (static destructors never run in a page, so the
// farewell click is asked for here).
//
// Tests: ?script=URL plays a session of the headless display's script grammar on its virtual
// clock; each `snapshot NAME` keeps the canvas's pixels in Module.zg.snapshots[NAME] (a data URL
// of a PNG), and Module.zg.done becomes true when the program has ended.
Module.zg = (function() {
  var zg = {
    windows: {}, events: [], wakeUp: null, mainStarted: false, done: false, captor: 0, focused: 0,
    snapshots: {}, printPages: [], exitStatus: null, firstFrameMs: null, frames: [],
  };
  var host = function() { return document.getElementById('zg-windows') || document.body; };

  // Keys as the SDL display maps them (sdl_keys.cpp): letters and digits by their meaning,
  // punctuation by position on a US keyboard, other printable keys VK_OEM_8.
  var named = {
    Enter: 13, NumpadEnter: 13, Escape: 27, Backspace: 8, Tab: 9, Space: 32, Delete: 0x2E, Insert: 0x2D,
    Home: 0x24, End: 0x23, PageUp: 0x21, PageDown: 0x22, ArrowLeft: 0x25, ArrowUp: 0x26, ArrowRight: 0x27,
    ArrowDown: 0x28, ShiftLeft: 0x10, ShiftRight: 0x10, ControlLeft: 0x11, ControlRight: 0x11, AltLeft: 0x12,
    AltRight: 0x12, Semicolon: 0xBA, Equal: 0xBB, Comma: 0xBC, Minus: 0xBD, Period: 0xBE, Slash: 0xBF,
    Backquote: 0xC0, BracketLeft: 0xDB, Backslash: 0xDC, BracketRight: 0xDD, Quote: 0xDE,
  };
  var controlChars = { Escape: 27, Enter: 13, NumpadEnter: 13, Tab: 9, Backspace: 8 };
  function virtualKey(e) {
    if (/^[a-zA-Z]$/.test(e.key)) return e.key.toUpperCase().charCodeAt(0);
    if (/^Digit[0-9]$/.test(e.code)) return 48 + Number(e.code[5]);
    if (/^F([1-9]|1[0-2])$/.test(e.key)) return 0x6F + Number(e.key.slice(1));
    if (/^Numpad[0-9]$/.test(e.code)) return 0x60 + Number(e.code[6]);
    if (named[e.code] !== undefined) return named[e.code];
    return e.key.length === 1 && e.key > ' ' ? 0xDF : 0;
  }
  function typedChar(e) {
    if (controlChars[e.code] !== undefined) return controlChars[e.code];
    if (e.key.length !== 1) return 0;
    var code = e.key.charCodeAt(0);
    if (e.altKey) return code < 0x7F ? e.key.toLowerCase().charCodeAt(0) : 0;
    return code >= 32 && code <= 0xFF && (code < 0x80 || code > 0x9F) ? code : 0;
  }

  function queue(event) {
    zg.events.push(event);
    if (zg.wakeUp) { var wake = zg.wakeUp; zg.wakeUp = null; wake(); }
  }
  function modifiers(e) { return (e.shiftKey ? 1 : 0) | (e.ctrlKey ? 2 : 0); }
  function position(id, e) {
    var rect = zg.windows[id].canvas.getBoundingClientRect();
    return [Math.floor(e.clientX - rect.left), Math.floor(e.clientY - rect.top)];
  }
  function target(id) { return zg.captor !== 0 && zg.windows[zg.captor] ? zg.captor : id; }
  function mouse(id, e) { var to = target(id), at = position(to, e); queue([1, to, at[0], at[1], modifiers(e), 0]); }
  function button(id, e, down) {
    var to = target(id), at = position(to, e);
    queue([2, to, at[0], at[1], modifiers(e), e.button | (down ? 256 : 0)]);
  }
  function key(e, down) {
    if (!zg.windows[zg.focused] || zg.dialogOpen) return;
    var vk = virtualKey(e);
    if (vk === 0) return;
    var flags = (down ? 1 : 0) | (e.repeat ? 2 : 0) | (e.altKey ? 4 : 0);
    queue([3, zg.focused, vk, down ? typedChar(e) : 0, flags, 0]);
    e.preventDefault();
  }
  document.addEventListener('keydown', function(e) { key(e, true); });
  document.addEventListener('keyup', function(e) { key(e, false); });
  document.addEventListener('mousemove', function(e) { if (zg.captor && zg.windows[zg.captor]) mouse(zg.captor, e); });
  document.addEventListener('mouseup', function(e) { if (zg.captor && zg.windows[zg.captor]) button(zg.captor, e, false); });

  zg.openWindow = function(id, width, height, caption) {
    var frame = document.createElement('div');
    frame.className = 'zg-window';
    var bar = document.createElement('div');
    bar.className = 'zg-title';
    var title = document.createElement('span');
    title.textContent = caption;
    var close = document.createElement('button');
    close.className = 'zg-close';
    close.title = 'Close';
    close.textContent = '\u00d7';
    close.onclick = function() { queue([4, id, 0, 0, 0, 0]); };
    bar.appendChild(title);
    bar.appendChild(close);
    var canvas = document.createElement('canvas');
    canvas.width = Math.max(width, 1);
    canvas.height = Math.max(height, 1);
    canvas.style.width = canvas.width + 'px';
    canvas.style.height = canvas.height + 'px';
    canvas.tabIndex = 0;
    canvas.addEventListener('mousemove', function(e) { if (!zg.captor) mouse(id, e); });
    canvas.addEventListener('mousedown', function(e) { zg.focused = id; canvas.focus(); button(id, e, true); e.preventDefault(); });
    canvas.addEventListener('mouseup', function(e) { if (!zg.captor) button(id, e, false); });
    canvas.addEventListener('contextmenu', function(e) { e.preventDefault(); });
    frame.appendChild(bar);
    frame.appendChild(canvas);
    frame.style.display = 'none';
    host().appendChild(frame);
    zg.windows[id] = { frame: frame, title: title, canvas: canvas, context: canvas.getContext('2d', { alpha: false }) };
    if (!zg.focused) zg.focused = id;
  };
  zg.closeWindow = function(id) {
    var w = zg.windows[id];
    if (!w) return;
    w.frame.remove();
    delete zg.windows[id];
    if (zg.focused === id) zg.focused = 0;
  };
  zg.setCaption = function(id, caption) {
    if (zg.windows[id]) zg.windows[id].title.textContent = caption;
    if (Object.keys(zg.windows)[0] == String(id)) document.title = caption;
  };
  zg.showWindow = function(id, visible) { if (zg.windows[id]) zg.windows[id].frame.style.display = visible ? '' : 'none'; };
  zg.present = function(id, bytes, left, top, width, height) {
    var w = zg.windows[id];
    if (!w) return;
    w.context.putImageData(new ImageData(new Uint8ClampedArray(bytes), width, height), left, top);
    if (zg.firstFrameMs === null) zg.firstFrameMs = performance.now();
  };
  zg.pixels = function(id) {
    var w = zg.windows[id];
    return w ? w.context.getImageData(0, 0, w.canvas.width, w.canvas.height) : null;
  };
  zg.keepSnapshot = function(id, name) { if (zg.windows[id]) zg.snapshots[name] = zg.windows[id].canvas.toDataURL('image/png'); };

  zg.waitForEvent = function(wakeUp) {
    if (zg.events.length > 0) return setTimeout(wakeUp, 0);
    zg.wakeUp = wakeUp;
  };

  function dialog(caption, text, buttons, answer) {
    zg.dialogOpen = true;
    var back = document.createElement('div');
    back.className = 'zg-dialog-back';
    var box = document.createElement('div');
    box.className = 'zg-dialog';
    box.setAttribute('role', 'dialog');
    var head = document.createElement('div');
    head.className = 'zg-title';
    head.textContent = caption;
    var body = document.createElement('p');
    body.textContent = text;
    var row = document.createElement('div');
    row.className = 'zg-buttons';
    buttons.forEach(function(label, index) {
      var b = document.createElement('button');
      b.textContent = label;
      b.onclick = function() { back.remove(); zg.dialogOpen = false; answer(index); };
      row.appendChild(b);
    });
    box.appendChild(head);
    box.appendChild(body);
    box.appendChild(row);
    back.appendChild(box);
    document.body.appendChild(back);
    row.firstChild.focus();
  }
  zg.messageBox = function(text, caption, warning, wakeUp) {
    dialog((warning ? '\u26a0 ' : '') + caption, text, ['OK'], function() { wakeUp(); });
  };
  zg.printDialog = function(printers, wakeUp) {
    var labels = printers.map(function(name) { return name === 'PDF file' ? 'Print\u2026' : name; });
    dialog('Print', 'Choose a printer for the picture.', labels.concat(['Cancel']), function(index) {
      wakeUp(index < printers.length ? index : -1);
    });
  };

  // Each page a sheet of the page's proportions; each picture an image on it placed in
  // percentages of the page, so the browser's print puts it where the printer's device pixels
  // would have.
  var printPage = [];
  zg.printPicture = function(bytes, width, height, to, page) {
    var canvas = document.createElement('canvas');
    canvas.width = width;
    canvas.height = height;
    canvas.getContext('2d').putImageData(new ImageData(new Uint8ClampedArray(bytes.buffer), width, height), 0, 0);
    printPage.push({ url: canvas.toDataURL('image/png'), to: to, page: page });
  };
  zg.printPageEnd = function() {
    if (printPage.length > 0) zg.printPages.push(printPage);
    printPage = [];
  };
  zg.printDocument = function(title) {
    var sheet = document.getElementById('zg-print') || document.createElement('div');
    sheet.id = 'zg-print';
    sheet.innerHTML = '';
    zg.printPages.forEach(function(pictures) {
      var page = document.createElement('div');
      page.className = 'zg-print-page';
      page.style.aspectRatio = pictures[0].page[0] + ' / ' + pictures[0].page[1];
      pictures.forEach(function(p) {
        var img = document.createElement('img');
        img.src = p.url;
        img.alt = title;
        img.style.left = (100 * p.to[0] / p.page[0]) + '%';
        img.style.top = (100 * p.to[1] / p.page[1]) + '%';
        img.style.width = (100 * p.to[2] / p.page[0]) + '%';
        img.style.height = (100 * p.to[3] / p.page[1]) + '%';
        page.appendChild(img);
      });
      sheet.appendChild(page);
    });
    document.body.appendChild(sheet);
    zg.printPages = [];
    if (!zg.scripted) setTimeout(function() { window.print(); }, 0);
  };

  // Static destructors never run in a page: a window still open when main has returned asks for
  // the farewell click here, as the library's destructor would, and then closes.
  function farewell() {
    var ids = Object.keys(zg.windows);
    if (ids.length === 0 || zg.scripted) return finish();
    out('Click mouse in the graphics window to finish execution.');
    ids.forEach(function(id) {
      zg.windows[id].canvas.addEventListener('mousedown', function() {
        Object.keys(zg.windows).forEach(function(other) { zg.closeWindow(Number(other)); });
        finish();
      });
    });
  }
  function finish() { zg.done = true; }
  function out(text) {
    var console_ = document.getElementById('zg-console');
    if (console_) console_.textContent += text + '\n';
  }

  zg.start = function() {
    zg.mainStarted = true;
    Promise.resolve(Module.ccall('main', 'number', ['number', 'number'], [0, 0], { async: true }))
      .then(function(status) { zg.exitStatus = status; farewell(); })
      .catch(function(e) { zg.exitStatus = e && e.status !== undefined ? e.status : -1; farewell(); });
  };

  var script = new URLSearchParams(location.search).get('script');
  zg.scripted = script !== null;
  Module.noInitialRun = true;
  Module.onRuntimeInitialized = function() { zg.start(); };
  Module.print = function(text) { out(text); console.log(text); };
  Module.printErr = function(text) { out(text); console.error(text); };
  // Saving: a file the program wrote (a picture, a table) becomes a download when it is closed,
  // as the browser's own saving; nothing of a scripted session leaves the page.
  zg.download = function(path) {
    var url = URL.createObjectURL(new Blob([FS.readFile(path)]));
    var link = document.createElement('a');
    link.href = url;
    link.download = path.split('/').pop();
    document.body.appendChild(link);
    link.click();
    link.remove();
    setTimeout(function() { URL.revokeObjectURL(url); }, 60000);
  };
  function offerSavedFiles() {
    var close = FS.close;
    FS.close = function(stream) {
      var path = stream.path, wrote = (stream.flags & 3) !== 0;
      close(stream);
      // A printed document's file stays empty: the browser's print dialog has the pages.
      if (wrote && !zg.scripted && path && !/^\/(tmp|dev|proc)\//.test(path) && !/\.pdf$/i.test(path)) zg.download(path);
    };
  }

  // The file packager has put the fonts' loading in preRun already.
  Module.preRun = Module.preRun || [];
  Module.preRun.push(offerSavedFiles);
  Module.preRun.push(function() {
    if (script === null) return;
    addRunDependency('zg-script');
    fetch(script).then(function(r) { return r.text(); }).then(function(text) {
      FS.writeFile('/session.script', text);
      ENV.ZG_SCRIPT = '/session.script';
      removeRunDependency('zg-script');
    });
  });
  return zg;
})();
