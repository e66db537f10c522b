// The page's language: Japanese for a browser that asks for ja first,
// English otherwise, or the one the user chose with the page's switch.
// Every text the page shows is kept with both its forms ({ja, en}), so that
// a switch shows each anew where it stands.
var ZamvelLang = (function () {
  var key = 'zamvel.lang', shown = [];

  function browser() {
    var first = (navigator.languages && navigator.languages[0]) || navigator.language || '';
    return /^ja\b/i.test(first) ? 'ja' : 'en';
  }

  var chosen = null;
  try {
    chosen = localStorage.getItem(key);
  } catch (e) {}
  var lang = chosen === 'ja' || chosen === 'en' ? chosen : browser();

  function pick(text) {
    return text ? (text[lang] || text.en || '') : '';
  }

  // text ({ja, en}) into the element's property (its text unless told);
  // shown again in the other language after a switch. Elements that have
  // left the page are forgotten at the switch (a panel is built before it
  // is shown).
  function show(element, text, property) {
    property = property || 'textContent';
    shown = shown.filter(function (s) { return !(s[0] === element && s[1] === property); });
    shown.push([element, property, text]);
    element[property] = pick(text);
  }

  function set(next) {
    lang = next === 'ja' ? 'ja' : 'en';
    try {
      localStorage.setItem(key, lang);
    } catch (e) {}
    document.documentElement.lang = lang;
    shown = shown.filter(function (s) { return s[0].isConnected; });
    shown.forEach(function (s) { s[0][s[1]] = pick(s[2]); });
  }

  document.documentElement.lang = lang;
  return {get: function () { return lang; }, pick: pick, show: show, set: set};
})();
