// The savers' settings in the page: read from the schema each saver
// gives (web_savers.h), loaded from localStorage and the URL under the
// Linux options' names and forms, brought into bounds as a stored value is,
// and edited in a panel built from the schema.
var ZamvelSettings = (function () {
  var lang = /^ja\b/i.test((navigator.languages && navigator.languages[0]) || navigator.language || '') ? 'ja' : 'en';

  function say(label) {
    return label ? (label[lang] || label.en || '') : '';
  }

  // A whole number in 32 bits, or null: what a stored DWORD can be.
  function whole(text) {
    if (typeof text === 'number') text = String(text);
    if (typeof text !== 'string' || !/^\s*[+-]?\d{1,10}\s*$/.test(text)) return null;
    var n = Number(text);
    return n >= -2147483648 && n <= 2147483647 ? n : null;
  }

  // A number as the dialog's edit field reads it: digits only, an empty or
  // unreadable field 0, above 32 bits 0, above 31 bits negative.
  function typed(text) {
    if (!/^\s*\d+\s*$/.test(text)) return 0;
    var n = Number(text);
    if (n > 4294967295) return 0;
    return n > 2147483647 ? n - 4294967296 : n;
  }

  function flag(text) {
    if (text === true || text === false) return text;
    var t = String(text).toLowerCase();
    if (t === '' || t === 'true' || t === 'yes' || t === 'on' || t === '1') return true;
    if (t === 'false' || t === 'no' || t === 'off' || t === '0') return false;
    return null;
  }

  function utf8Length(text) {
    return new TextEncoder().encode(text).length;
  }

  // The value a setting takes from its stored or given text: what is no
  // value of its kind counts as missing (the default), then the policy
  // brings it into bounds.
  function load(s, text) {
    if (text === undefined || text === null) return s.default;
    switch (s.kind) {
      case 'number': {
        var n = whole(text);
        if (n === null) n = s.default;
        if (s.policy === 'clamp') return Math.min(Math.max(n, s.min), s.max);
        if (n < s.min) return s.default;
        return Math.min(n, s.max);
      }
      case 'choice': {
        var t = String(text);
        for (var i = 0; i < s.choices.length; ++i)
          if (s.choices[i].option === t || String(s.choices[i].value) === t) return s.choices[i].value;
        return s.policy === 'unknown-becomes' ? s.fallback : s.default;
      }
      case 'flag': {
        var f = flag(text);
        return f === null ? s.default : f;
      }
      case 'face': {
        var face = String(text);
        return face && utf8Length(face) <= s.max && !/[\n\r]/.test(face) ? face : s.default;
      }
      default:
        return String(text);
    }
  }

  // The text a value is stored and given in: the option's form.
  function form(s, value) {
    if (s.kind === 'choice') {
      for (var i = 0; i < s.choices.length; ++i) if (s.choices[i].value === value) return s.choices[i].option;
    }
    return String(value);
  }

  function storageKey(d) {
    return 'zamvel.' + d.name;
  }

  function stored(d) {
    try {
      var o = JSON.parse(window.localStorage.getItem(storageKey(d)) || '{}');
      return o && typeof o === 'object' ? o : {};
    } catch (e) {
      return {};
    }
  }

  function store(d, texts) {
    try {
      window.localStorage.setItem(storageKey(d), JSON.stringify(texts));
      return true;
    } catch (e) {
      return false;
    }
  }

  // The URL's texts for a saver's options; "strings" may come once with
  // lines or once a string.
  function given(d, params) {
    var texts = {};
    d.settings.forEach(function (s) {
      var all = params.getAll(s.option);
      if (!all.length && s.kind === 'flag' && params.has('no-' + s.option)) all = ['false'];
      if (all.length) texts[s.option] = s.kind === 'lines' ? all.join('\n') : all[all.length - 1];
    });
    return texts;
  }

  // Every setting's value: the default, under what is stored, under what
  // the panel applied in this page (when storing failed), under what the
  // URL gives (while it still applies).
  function values(d, params, applied) {
    var s = applied || stored(d), u = params ? given(d, params) : {};
    return d.settings.map(function (x) {
      return load(x, x.option in u ? u[x.option] : s[x.option]);
    });
  }

  // The panel: a field for each setting, OK and Cancel. onApply gets the
  // texts to store once every field passes the dialog's checks.
  function panel(d, current, onApply) {
    var form_ = document.createElement('form');
    form_.className = 'panel';
    var fields = [];
    d.settings.forEach(function (s, i) {
      var row = document.createElement('label'), field;
      row.className = 'row ' + s.kind;
      var name = document.createElement('span');
      name.textContent = say(s.label);
      if (s.kind === 'flag') {
        field = document.createElement('input');
        field.type = 'checkbox';
      } else if (s.choices) {
        field = document.createElement('select');
        s.choices.forEach(function (c) {
          var o = document.createElement('option');
          o.value = String(c.value);
          o.textContent = say(c.label);
          field.appendChild(o);
        });
      } else if (s.kind === 'lines') {
        field = document.createElement('textarea');
        field.rows = 5;
        field.placeholder = lang === 'ja' ? '1行に1つ（空なら組み込みの文字列）' : 'one a line (empty: the built-in strings)';
      } else {
        field = document.createElement('input');
        field.type = 'text';
        if (s.kind === 'number') field.inputMode = 'numeric';
      }
      field.name = s.option;
      row.appendChild(name);
      row.appendChild(field);
      form_.appendChild(row);
      fields.push(field);
    });
    var alert = document.createElement('p');
    alert.className = 'alert';
    alert.setAttribute('role', 'alert');
    var ok = document.createElement('button');
    ok.type = 'submit';
    ok.textContent = 'OK';
    var cancel = document.createElement('button');
    cancel.type = 'button';
    cancel.textContent = lang === 'ja' ? 'キャンセル' : 'Cancel';
    form_.appendChild(alert);
    form_.appendChild(ok);
    form_.appendChild(cancel);

    function fill(values) {
      alert.textContent = '';
      d.settings.forEach(function (s, i) {
        var f = fields[i], v = values[i];
        if (s.kind === 'flag') f.checked = v;
        else f.value = String(v);
      });
    }
    fill(current);
    cancel.addEventListener('click', function () { fill(form_.current); });
    form_.current = current;
    form_.fill = function (values) { form_.current = values; fill(values); };
    form_.addEventListener('submit', function (e) {
      e.preventDefault();
      var texts = {};
      for (var i = 0; i < d.settings.length; ++i) {
        var s = d.settings[i], f = fields[i];
        if (s.kind === 'flag') texts[s.option] = f.checked ? 'true' : 'false';
        else if (s.kind === 'number' && !s.choices) {
          var n = typed(f.value);
          // Refused as the dialog refuses it, the first field at fault first.
          if (s.message && n < s.min) {
            alert.textContent = say(s.message);
            f.focus();
            return;
          }
          texts[s.option] = String(n);
        } else if (s.kind === 'choice') texts[s.option] = form(s, Number(f.value));
        else texts[s.option] = f.value;
      }
      alert.textContent = '';
      onApply(texts);
    });
    return form_;
  }

  return {lang: lang, say: say, whole: whole, load: load, form: form, values: values, stored: stored,
          store: store, panel: panel};
})();
