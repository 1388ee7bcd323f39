// The page side of the web backend, run before the program: the window face, the windows'
// canvases, the input the program has not taken yet, the code page 932 conversion and the stop box.
// The C++ side reaches it through the EM_JS functions beside it; nothing here calls into the
// program, which takes its input by asking (so that it never runs while it waits).

if (typeof window !== 'undefined' && window.QuilletCannotRun) {
  throw new Error(window.QuilletCannotRun);  // the page already says why, in one line
}

var QuilletPage = {
  // Input kinds, as the C++ side reads them.
  KEY_DOWN: 1, KEY_UP: 2, CHAR: 3, BUTTON_DOWN: 4, BUTTON_UP: 5, FOCUS_LOST: 6, STOP_BOX_CLOSED: 7, RATIO_CHANGED: 8,

  events: [],       // [kind, window, a, b, c] in the order they happened
  wake: null,       // ends the program's wait, while it waits
  canvases: {},     // by window handle
  stopBoxOpen: false,   // until the program has taken the box's closing
  stopBoxShown: false,  // until the page has announced it
  pressedOn: 0,     // the window the left button went down on
  listeningToPage: false,

  say: function (line) {
    var status = document.getElementById('status');
    if (status) status.textContent = line;
  },

  // The program runs on after the event's own dispatch, default action included, is over: a key
  // that opens the stop box must not also be the key that closes it. A message port's task comes
  // next in line, where a timeout may wait (for a second in a hidden tab).
  push: function (event) {
    // The dialog says it closed in an event of its own, which may come after input that followed
    // the closing: that input must come after it, or it would count as typed while the box was up.
    if (event[0] !== QuilletPage.STOP_BOX_CLOSED && QuilletPage.stopBoxShown &&
        !document.getElementById('stopbox').open) {
      QuilletPage.stopBoxClosed();
    }
    QuilletPage.events.push(event);
    if (QuilletPage.wake) {
      var wake = QuilletPage.wake;
      QuilletPage.wake = null;
      QuilletPage.later(wake);
    }
  },
  later: function (then) {
    if (!QuilletPage.port) {
      var channel = new MessageChannel();
      QuilletPage.waiting = [];
      channel.port1.onmessage = function () { QuilletPage.waiting.shift()(); };
      QuilletPage.port = channel.port2;
    }
    QuilletPage.waiting.push(then);
    QuilletPage.port.postMessage(0);
  },

  stopBoxClosed: function () {
    if (!QuilletPage.stopBoxShown) return;
    QuilletPage.stopBoxShown = false;
    QuilletPage.push([QuilletPage.STOP_BOX_CLOSED, 0, 0, 0, 0]);
  },

  // A zoom, or the window moved to a screen of other pixels, changes the device pixel ratio: the
  // query for the ratio as it is stops matching then, and one for the new ratio takes its place.
  // Chromium's emulated ratios change no query, but resize the page: the program reads the ratio
  // again then too, and a resize that left it as it was changes nothing.
  watchRatio: function () {
    var changed = function () { QuilletPage.push([QuilletPage.RATIO_CHANGED, 0, 0, 0, 0]); };
    var watch = function () {
      matchMedia('(resolution: ' + devicePixelRatio + 'dppx)').addEventListener('change', function () {
        changed();
        watch();
      }, { once: true });
    };
    watch();
    window.addEventListener('resize', changed);
  },

  // Left and right Shift, Ctrl and Alt are told apart, as Windows' VK_LSHIFT... do.
  virtualKey: function (e) {
    var sided = { 16: [0xA0, 0xA1], 17: [0xA2, 0xA3], 18: [0xA4, 0xA5] }[e.keyCode];
    return sided ? sided[e.location === 2 ? 1 : 0] : e.keyCode;
  },

  // Keys that are the game's, not the browser's: Tab (it stays in the game), F1 to F12 (help,
  // find, the address bar, reload, caret browsing, the menu bar, full screen), Alt alone and
  // Alt chords (Firefox's menu bar, back and forward), Ctrl with a letter (reload, the address
  // bar, find, print, save...). Those the browser keeps for itself, such as Ctrl+W, it takes
  // before the page hears of them. AltGr, which some systems report as Ctrl+Alt, types.
  kept: function (e) {
    if (e.keyCode === 9 || e.keyCode === 18 || (e.keyCode >= 112 && e.keyCode <= 123)) return true;
    if (e.altKey !== e.ctrlKey) return e.altKey || (e.keyCode >= 65 && e.keyCode <= 90);
    return false;
  },

  // Listens on a window's canvas. The text typed comes from an edit context on the canvas, where
  // the browser has them, or else from an editable element of the page's own that takes the focus
  // in the canvas's place, so that a tap brings up a phone's keyboard. Either way keys come as
  // the layout or the input method makes them, and what other keys make (Escape, Backspace,
  // Enter, Ctrl chords) is made by TranslateMessage from the key itself, as on Windows, so Enter
  // and control characters are left out of the text.
  listen: function (handle, canvas) {
    var keys = typeof EditContext === 'function' ? QuilletPage.editContext(handle, canvas)
                                                 : QuilletPage.editable(handle, canvas);
    canvas.keys = keys;  // what has the keyboard when the canvas is said to
    keys.addEventListener('keydown', function (e) {
      if (QuilletPage.kept(e)) e.preventDefault();
      if (e.isComposing || e.keyCode === 229) return;  // the input method has it
      QuilletPage.push([QuilletPage.KEY_DOWN, handle, QuilletPage.virtualKey(e), e.repeat ? 1 : 0, 0]);
    });
    keys.addEventListener('keyup', function (e) {
      if (e.keyCode === 18) e.preventDefault();  // Firefox opens its menu bar as Alt goes up
      if (e.keyCode === 229) return;
      QuilletPage.push([QuilletPage.KEY_UP, handle, QuilletPage.virtualKey(e), 0, 0]);
    });
    canvas.addEventListener('mousedown', function (e) {
      if (e.button !== 0) return;
      keys.focus();
      var at = QuilletPage.pixelOf(canvas, e);
      QuilletPage.pressedOn = handle;
      QuilletPage.push([QuilletPage.BUTTON_DOWN, handle, at[0], at[1], 0]);
      e.preventDefault();  // the focus stays where it was just put
    });
    // What the page hears once for every window: its pixel ratio, and the button let go anywhere
    // on it, which the window that had it pressed hears of.
    if (!QuilletPage.listeningToPage) {
      QuilletPage.listeningToPage = true;
      QuilletPage.watchRatio();
      window.addEventListener('mouseup', function (e) {
        var pressed = QuilletPage.pressedOn;
        if (e.button !== 0 || !pressed || !QuilletPage.canvases[pressed]) return;
        QuilletPage.pressedOn = 0;
        var at = QuilletPage.pixelOf(QuilletPage.canvases[pressed], e);
        QuilletPage.push([QuilletPage.BUTTON_UP, pressed, at[0], at[1], 0]);
      });
    }
    keys.addEventListener('blur', function () { QuilletPage.push([QuilletPage.FOCUS_LOST, handle, 0, 0, 0]); });
  },

  // An edit context makes the canvas a place to type into while it keeps the focus: text arrives
  // as the layout or the input method gives it. What is being composed waits for its commit. The
  // context keeps no text: what arrived is taken away at once.
  editContext: function (handle, canvas) {
    var edit = new EditContext();
    var composing = false;
    var take = function (text) {
      QuilletPage.type(handle, text, false);
      edit.updateText(0, edit.text.length, '');
      edit.updateSelection(0, 0);
    };
    edit.addEventListener('compositionstart', function () { composing = true; });
    edit.addEventListener('textupdate', function (e) { if (!composing) take(e.text); });
    edit.addEventListener('compositionend', function () {
      composing = false;
      take(edit.text);
    });
    canvas.editContext = edit;
    return canvas;
  },

  // Elsewhere a text field of the page's own, out of sight over the canvas, has the keyboard
  // whenever the canvas would: it is what a phone's keyboard types into. It keeps no text either:
  // typed text is taken before it is inserted, and a composition's commit as it ends. A soft
  // keyboard's keys come as keyCode 229 with the text after them, as hardware keys' text does.
  editable: function (handle, canvas) {
    var field = document.createElement('input');
    field.className = 'keys';
    field.setAttribute('aria-label', 'QUILLET keyboard');
    field.autocapitalize = 'off';
    field.autocomplete = 'off';
    field.spellcheck = false;
    canvas.after(field);
    canvas.tabIndex = -1;
    canvas.addEventListener('focus', function () { field.focus(); });
    field.addEventListener('beforeinput', function (e) {
      if (e.inputType === 'insertText' && e.data) {
        e.preventDefault();
        QuilletPage.type(handle, e.data, false);
      }
    });
    field.addEventListener('compositionend', function (e) {
      if (e.data) QuilletPage.type(handle, e.data, false);
      field.value = '';
    });
    // What got in regardless (an engine whose composition or insertion cannot be cancelled) goes.
    field.addEventListener('input', function (e) { if (!e.isComposing) field.value = ''; });
    return field;
  },

  pixelOf: function (canvas, e) {
    var box = canvas.getBoundingClientRect();
    var x = Math.floor((e.clientX - box.left) * canvas.width / box.width);
    var y = Math.floor((e.clientY - box.top) * canvas.height / box.height);
    return [Math.max(0, Math.min(0xFFFF, x)), Math.max(0, Math.min(0xFFFF, y))];
  },

  // Each character as its code page 932 bytes, one Char each, lead byte first.
  type: function (handle, text, alt) {
    for (var c of text) {
      var bytes = QuilletPage.encode(c);
      for (var i = 0; i < bytes.length; ++i) QuilletPage.push([QuilletPage.CHAR, handle, bytes[i], alt ? 1 : 0, 0]);
    }
  },

  decoder: null,
  decode: function (bytes) {
    if (!QuilletPage.decoder) QuilletPage.decoder = new TextDecoder('shift_jis');
    return QuilletPage.decoder.decode(bytes);
  },

  // The browser can decode code page 932 but not encode it: the table is the decoder's, read
  // backwards, made once. Where two byte sequences decode to one character the first in byte order
  // wins, except that NEC's selection of IBM extensions (lead bytes ED and EE) yields to IBM's
  // own, as Windows encodes them.
  encoding: null,
  encode: function (c) {
    if (c.charCodeAt(0) < 0x80) return [c.charCodeAt(0)];  // ASCII is itself: no table for the first key
    if (!QuilletPage.encoding) {
      var table = new Map();
      for (var b = 0; b < 0x80; ++b) table.set(String.fromCharCode(b), [b]);
      for (var k = 0xA1; k <= 0xDF; ++k) table.set(String.fromCharCode(0xFF61 + k - 0xA1), [k]);
      var leads = [];
      for (var l = 0x81; l <= 0xFC; ++l) if (l < 0xA0 || l >= 0xE0) leads.push(l);
      var late = [];
      leads.forEach(function (lead) {
        // Pairs apart by line feeds, so that a pair that decodes to nothing stays in its place.
        var bytes = [];
        for (var t = 0x40; t <= 0xFC; ++t) if (t !== 0x7F) bytes.push(lead, t, 0x0A);
        var decoded = QuilletPage.decode(new Uint8Array(bytes)).split('\n');
        var index = 0;
        for (var u = 0x40; u <= 0xFC; ++u) {
          if (u === 0x7F) continue;
          var ch = decoded[index++];
          if (ch.length === 0 || ch === '\uFFFD' || ch.indexOf('\uFFFD') >= 0) continue;
          if (lead === 0xED || lead === 0xEE) late.push([ch, [lead, u]]);
          else if (!table.has(ch)) table.set(ch, [lead, u]);
        }
      });
      late.forEach(function (entry) { if (!table.has(entry[0])) table.set(entry[0], entry[1]); });
      QuilletPage.encoding = table;
    }
    return QuilletPage.encoding.get(c) || [0x3F];  // "?" for what the code page cannot hold
  },

  // How far the pen moves for a character at an em size, in whole pixels, from the face's own
  // advances as FreeType scales and rounds them (16.16 scale, 26.6 advance, rounded to the pixel),
  // so that every engine puts every glyph where the desktop puts it; measureText would give each
  // engine's own idea (whole pixels in WebKit). The face has no bold: the desktop emboldens it and
  // widens each glyph by a tenth of the em, as the page does here.
  advance: function (em, bold, c) {
    var units = QuilletFace.advances[c.codePointAt(0)];
    if (units === undefined) units = QuilletFace.missingAdvance;
    var scale = Math.floor((em * 64 * 65536 + Math.floor(QuilletFace.unitsPerEm / 2)) / QuilletFace.unitsPerEm);
    var advance = Math.floor((units * scale + 0x8000) / 65536);
    return Math.floor((advance + 32) / 64) + (bold ? Math.floor(em / 10) : 0);
  },
  font: function (em, bold) { return (bold ? 'bold ' : '') + em + 'px QuilletFace'; },

  colour: function (rgb) {
    return 'rgb(' + (rgb & 0xFF) + ',' + ((rgb >> 8) & 0xFF) + ',' + ((rgb >> 16) & 0xFF) + ')';
  },
};

// The window face is in the page; the program starts once the browser has it, so that the first
// frame already draws in it. A face that cannot load is said on the page.
Module['preRun'] = Module['preRun'] || [];
Module['preRun'].push(function () {
  addRunDependency('window-face');
  var bytes = Uint8Array.from(atob(QuilletFace.data), function (c) { return c.charCodeAt(0); });
  new FontFace('QuilletFace', bytes).load().then(function (face) {
    document.fonts.add(face);
    removeRunDependency('window-face');
  }, function (error) {
    QuilletPage.say('QUILLET cannot start: the window font (' + QuilletFace.file + ') does not load in this browser (' + error + ').');
  });
});
Module['onAbort'] = function (what) {
  QuilletPage.say('QUILLET stopped: ' + what);
};
Module['print'] = function (text) { console.log(text); };
Module['printErr'] = function (text) { console.error(text); };
