// Glyphs for the wasm canvas (page_rasteriser.cpp): a character drawn by the
// browser with fillText at the font's pixel size, its coverage cut at one
// half into set pixels, handed over as runs along the rows. No smoothing is
// left, so a glyph drawn again in black takes back every pixel it set.
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

  function draw(face, height, bold, italic, code) {
    var cell = cellOf(face, bold, italic);
    var pixels = height / cell.total, baseline = height * cell.ascent / cell.total;
    var text = String.fromCharCode(code);
    var c = contextOf(64, 64);
    c.font = cssFont(face, pixels, bold, italic);
    var m = c.measureText(text);
    var advance = Math.round(m.width);
    // The ink's box from the metrics, a pixel wider each way.
    var left = Math.floor(-(m.actualBoundingBoxLeft || 0)) - 2, right = Math.ceil(m.actualBoundingBoxRight || m.width) + 2;
    var top = Math.floor(baseline - (m.actualBoundingBoxAscent || baseline)) - 2;
    var bottom = Math.ceil(baseline + (m.actualBoundingBoxDescent || 0)) + 2;
    left = Math.max(left, -8192), right = Math.min(right, 8192), top = Math.max(top, -8192), bottom = Math.min(bottom, 8192);
    var w = right - left, h = bottom - top, runs = [];
    if (w > 0 && h > 0 && text.trim() !== '') {
      c = contextOf(w, h);
      c.clearRect(0, 0, w, h);
      c.font = cssFont(face, pixels, bold, italic);
      c.fillStyle = '#000';
      c.textBaseline = 'alphabetic';
      c.fillText(text, -left, baseline - top);
      var alpha = c.getImageData(0, 0, w, h).data;
      for (var y = 0; y < h; ++y) {
        var start = -1, row = y * w * 4 + 3;
        for (var x = 0; x <= w; ++x) {
          var set = x < w && alpha[row + 4 * x] >= 128;
          if (set && start < 0) start = x;
          if (!set && start >= 0) {
            runs.push(y + top, start + left, x + left);
            start = -1;
          }
        }
      }
    }
    return {advance: advance, runs: runs};
  }

  return {
    rasterise: function (face, height, bold, italic, code, advanceAt, spansAt, capacity) {
      var key = face + '\n' + height + ' ' + bold + ' ' + italic + ' ' + code;
      if (!last || last.key !== key) {
        last = draw(face, height, bold, italic, code);
        last.key = key;
      }
      var n = last.runs.length / 3;
      HEAP32[advanceAt >> 2] = last.advance;
      if (n <= capacity) HEAP16.set(last.runs, spansAt >> 1);
      return n;
    },
    cssFont: cssFont,
  };
})();
