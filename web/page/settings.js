// The savers' settings in the page. Each saver's description comes from its
// table (web_json.h), and every value is taken by the wasm side from a text
// in its Linux option's form (web_tables.h): what localStorage holds, under
// what the URL gives. The panel is built from the description, in the
// page's language, and refuses what the Windows dialog refuses.
var ZamvelSettings = (function () {
  var L = ZamvelLang;

  // A JSON text the wasm side made, read and freed; null for none.
  function json(at) {
    if (!at) return null;
    var value = JSON.parse(UTF8ToString(at));
    _free(at);
    return value;
  }

  function describe(i) {
    var d = json(_web_saver(i));
    d.key = d.name.toLowerCase();
    return d;
  }

  function take(i, index, text) {
    var size = lengthBytesUTF8(text) + 1, at = _malloc(size);
    if (!at) return;
    stringToUTF8(text, at, size);
    _web_take(i, index, at);
    _free(at);
  }

  // A number as the dialog's edit field reads it: digits only, an empty or
  // unreadable field 0, above 32 bits 0, above 31 bits negative.
  function typed(text) {
    if (!/^\s*\d+\s*$/.test(text)) return 0;
    var n = Number(text);
    if (n > 4294967295) return 0;
    return n > 2147483647 ? n - 4294967296 : n;
  }

  // The text a value is stored and given in: the option's form.
  function form(s, value) {
    if (s.kind === 'choice' && s.choices[value - s.min] && s.choices[value - s.min].word)
      return s.choices[value - s.min].word;
    return String(value);
  }

  // The values (in the description's order) as texts in their options'
  // forms, as the panel stores them.
  function texts(d, values) {
    var out = {};
    d.settings.forEach(function (s, k) {
      var v = values[k];
      out[s.option] = s.kind === 'flag' ? (v ? 'true' : 'false') : form(s, v);
    });
    return out;
  }

  function storageKey(d) {
    return 'zamvel.' + d.key;
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

  // The URL's texts for a saver's options, in the Linux forms: a flag alone
  // (&bold) is on, no-bold off; "strings" may come once with lines or once a
  // string.
  function given(d, params) {
    var texts = {};
    d.settings.forEach(function (s) {
      var all = params.getAll(s.option);
      if (s.kind === 'flag' && all.length && all[all.length - 1] === '') all = ['true'];
      if (!all.length && s.kind === 'flag' && params.has('no-' + s.option)) all = ['false'];
      if (all.length) texts[s.option] = s.kind === 'strings' ? all.join('\n') : all[all.length - 1];
    });
    return texts;
  }

  // Saver i's settings object made anew: the defaults, under what is stored
  // (or what the panel applied in this page, when storing failed), under
  // what the URL gives (while it still applies). Its values in the
  // description's order.
  function values(i, d, params, applied) {
    var s = applied || stored(d), u = params ? given(d, params) : {};
    _web_defaults(i);
    d.settings.forEach(function (x) {
      var text = x.option in u ? u[x.option] : s[x.option];
      if (text !== undefined && text !== null) take(i, x.index, String(text));
    });
    var all = json(_web_values(i));
    return d.settings.map(function (x) { return all[x.index]; });
  }

  function field(s) {
    var f;
    if (s.kind === 'flag') {
      f = document.createElement('input');
      f.type = 'checkbox';
    } else if (s.kind === 'choice') {
      f = document.createElement('select');
      s.choices.forEach(function (c) {
        var o = document.createElement('option');
        o.value = String(c.value);
        L.show(o, c.label);
        f.appendChild(o);
      });
    } else if (s.kind === 'strings') {
      f = document.createElement('textarea');
      f.rows = 5;
      // The option's help speaks of a file; here the strings are typed.
      L.show(f, {ja: '１行に１つの文字列（空なら組み込みの文字列）', en: 'one string a line (none: the built-in strings)'},
             'placeholder');
    } else {
      f = document.createElement('input');
      f.type = 'text';
      if (s.kind === 'number') f.inputMode = 'numeric';
    }
    f.name = s.option;
    return f;
  }

  // The panel: a field for each setting, OK and Cancel. onApply gets the
  // texts to store once every field passes the dialog's checks.
  function panel(d, current, onApply) {
    var form_ = document.createElement('form');
    form_.className = 'panel';
    var fields = d.settings.map(function (s) {
      var row = document.createElement('label'), name = document.createElement('span'), f = field(s);
      row.className = 'row ' + s.kind;
      L.show(name, s.label);
      if (s.kind !== 'strings') L.show(row, s.help, 'title');
      row.appendChild(name);
      row.appendChild(f);
      form_.appendChild(row);
      return f;
    });
    var alert = document.createElement('p');
    alert.className = 'alert';
    alert.setAttribute('role', 'alert');
    var ok = document.createElement('button');
    ok.type = 'submit';
    ok.textContent = 'OK';
    var cancel = document.createElement('button');
    cancel.type = 'button';
    L.show(cancel, {ja: 'キャンセル', en: 'Cancel'});
    form_.appendChild(alert);
    form_.appendChild(ok);
    form_.appendChild(cancel);

    function fill(values) {
      L.show(alert, null);
      d.settings.forEach(function (s, k) {
        if (s.kind === 'flag') fields[k].checked = values[k];
        else fields[k].value = String(values[k]);
      });
    }
    fill(current);
    cancel.addEventListener('click', function () { fill(form_.current); });
    form_.current = current;
    form_.fill = function (values) { form_.current = values; fill(values); };
    form_.addEventListener('submit', function (e) {
      e.preventDefault();
      var texts = {}, numbers = {};
      d.settings.forEach(function (s, k) {
        var f = fields[k];
        if (s.kind === 'flag') texts[s.option] = f.checked ? 'true' : 'false';
        else if (s.kind === 'number') texts[s.option] = String(numbers[k] = typed(f.value));
        else if (s.kind === 'choice') texts[s.option] = form(s, Number(f.value));
        else texts[s.option] = f.value;
      });
      // Refused as the dialog refuses a number below its bound, in schema
      // order, with the focus on the field at fault; one above is taken
      // and loading brings it down.
      var refused = d.settings.map(function (s, k) { return k; }).filter(function (k) {
        return d.settings[k].refusal && numbers[k] < d.settings[k].min;
      }).sort(function (a, b) { return d.settings[a].index - d.settings[b].index; });
      if (refused.length) {
        L.show(alert, d.settings[refused[0]].refusal);
        fields[refused[0]].focus();
        return;
      }
      L.show(alert, null);
      onApply(texts);
    });
    return form_;
  }

  return {describe: describe, json: json, values: values, texts: texts, store: store, panel: panel};
})();
