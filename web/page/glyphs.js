// Glyphs for the wasm canvas (page_rasteriser.cpp): a character drawn by the
// browser with fillText at a cell height, its coverage handed over; the
// wasm side cuts it into 1-bit glyphs of every size up to it.
Module.zamvelGlyphs = (function () {
  var surface = null, context = null;
  var faces = new Map();  // "bold italic face": the face's cell at 1000 px
  var last = null;        // the last character drawn: asked again with more room

  function cssFont(face, pixels, bold, italic) {
    return (italic ? 'italic ' : '') + (bold ? 'bold ' : '') + pixels + 'px "' +
      face.replace(/["\\]/g, '\\$&') + '"';
  }

  function contextOf(width, height) {
    if (!surface || surface.width < width || surface.height < height) {
      var w = Math.max(width, surface ? surface.width : 64), h = Math.max(height, surface ? surface.height : 64);
      surface = typeof OffscreenCanvas === 'function' ? new OffscreenCanvas(w, h) : document.createElement('canvas');
      surface.width = w;
      surface.height = h;
      context = surface.getContext('2d', {willReadFrequently: true});
    }
    return context;
  }

  // GDI's cell height is ascent plus descent; the pixel size that gives a
  // cell of h is h times 1000 over the cell of the 1000-pixel font.
  function cellOf(face, bold, italic) {
    var key = (bold ? 1 : 0) + ' ' + (italic ? 1 : 0) + ' ' + face;
    var cell = faces.get(key);
    if (cell) return cell;
    var c = contextOf(64, 64);
    c.font = cssFont(face, 1000, bold, italic);
    var m = c.measureText('M');
    var ascent = m.fontBoundingBoxAscent, descent = m.fontBoundingBoxDescent;
    if (!(ascent > 0) || !(descent >= 0)) ascent = 880, descent = 120;
    cell = {ascent: ascent / 1000, total: (ascent + descent) / 1000};
    faces.set(key, cell);
    return cell;
  }

  function sized(face, height, bold, italic) {
    var cell = cellOf(face, bold, italic);
    var c = contextOf(64, 64);
    c.font = cssFont(face, height / cell.total, bold, italic);
    return {context: c, baseline: height * cell.ascent / cell.total};
  }

  // The character at the cell height, smoothed: its coverage (alpha) over
  // the ink's box, a pixel wider each way, from the cell's top-left corner,
  // and its advance in 1/65536 pixel.
  function draw(face, height, bold, italic, code) {
    var s = sized(face, height, bold, italic), text = String.fromCharCode(code);
    var m = s.context.measureText(text), baseline = s.baseline;
    var left = Math.floor(-(m.actualBoundingBoxLeft || 0)) - 1, right = Math.ceil(m.actualBoundingBoxRight || m.width) + 1;
    var top = Math.floor(baseline - (m.actualBoundingBoxAscent || baseline)) - 1;
    var bottom = Math.ceil(baseline + (m.actualBoundingBoxDescent || 0)) + 1;
    left = Math.max(left, -8192), right = Math.min(right, 8192), top = Math.max(top, -8192), bottom = Math.min(bottom, 8192);
    var w = Math.max(right - left, 0), h = Math.max(bottom - top, 0);
    var advance = Math.round(m.width * 65536);
    if (!w || !h || text.trim() === '') return {box: [0, 0, 0, 0, advance], alpha: new Uint8Array(0)};
    var c = contextOf(w, h), font = s.context.font;
    c.clearRect(0, 0, w, h);
    c.font = font;
    c.fillStyle = '#000';
    c.textBaseline = 'alphabetic';
    c.fillText(text, -left, baseline - top);
    var rgba = c.getImageData(0, 0, w, h).data, alpha = new Uint8Array(w * h);
    for (var i = 0; i < alpha.length; ++i) alpha[i] = rgba[4 * i + 3];
    return {box: [left, top, w, h, advance], alpha: alpha};
  }

  return {
    coverage: function (face, height, bold, italic, code, boxAt, alphaAt, capacity) {
      var key = face + '\n' + height + ' ' + bold + ' ' + italic + ' ' + code;
      if (!last || last.key !== key) {
        last = draw(face, height, bold, italic, code);
        last.key = key;
      }
      HEAP32.set(last.box, boxAt >> 2);
      if (last.alpha.length <= capacity) HEAPU8.set(last.alpha, alphaAt);
      return last.alpha.length;
    },
    cssFont: cssFont,
  };
})();
