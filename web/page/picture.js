// What Worms crawls over in a browser, which has no desktop to copy: the
// picture the user dropped onto the page, drawn to cover the window, or
// else a desktop-like picture made here (the same for the same size).
var ZamvelPicture = (function () {
  function surface(width, height) {
    var c = typeof OffscreenCanvas === 'function' ? new OffscreenCanvas(width, height) : document.createElement('canvas');
    c.width = width;
    c.height = height;
    return c;
  }

  function window_(c, x, y, w, h, title, body) {
    c.fillStyle = '#404040';
    c.fillRect(x + 4, y + 4, w, h);
    c.fillStyle = '#d4d0c8';
    c.fillRect(x, y, w, h);
    var bar = c.createLinearGradient(x, 0, x + w, 0);
    bar.addColorStop(0, '#0a246a');
    bar.addColorStop(1, '#a6caf0');
    c.fillStyle = bar;
    c.fillRect(x + 3, y + 3, w - 6, 18);
    c.fillStyle = '#fff';
    c.font = 'bold 12px sans-serif';
    c.fillText(title, x + 8, y + 16);
    c.fillStyle = '#fff';
    c.fillRect(x + 3, y + 24, w - 6, h - 27);
    c.fillStyle = '#000';
    c.font = '13px serif';
    body.forEach(function (line, i) { c.fillText(line, x + 10, y + 44 + 18 * i); });
  }

  // A wallpaper, icons down the left, two windows and a task bar, laid out
  // in proportion to the size.
  function desktop(width, height) {
    var s = surface(width, height), c = s.getContext('2d');
    var sky = c.createLinearGradient(0, 0, 0, height);
    sky.addColorStop(0, '#3a6ea5');
    sky.addColorStop(1, '#9cc3e4');
    c.fillStyle = sky;
    c.fillRect(0, 0, width, height);
    c.fillStyle = '#2f7d3a';
    c.beginPath();
    c.ellipse(width * 0.7, height * 1.05, width * 0.6, height * 0.35, 0, 0, 2 * Math.PI);
    c.fill();
    var icons = ['#f4d03f', '#e67e22', '#5dade2', '#ecf0f1'];
    for (var i = 0; i < icons.length; ++i) {
      c.fillStyle = icons[i];
      c.fillRect(20, 20 + 80 * i, 40, 40);
      c.fillStyle = '#fff';
      c.font = '12px sans-serif';
      c.fillText(['Documents', 'Pictures', 'Network', 'Recycle'][i], 12, 76 + 80 * i);
    }
    window_(c, width * 0.22, height * 0.14, width * 0.42, height * 0.44, 'Notes - Editor',
            ['Tutte le strade portano a Roma.', 'The Eyes of Truth.', '光陰矢の如し']);
    window_(c, width * 0.5, height * 0.4, width * 0.36, height * 0.36, 'Orbel - Setting', ['質点の数  300']);
    c.fillStyle = '#d4d0c8';
    c.fillRect(0, height - 30, width, 30);
    c.fillStyle = '#3c8d2f';
    c.fillRect(2, height - 27, 64, 24);
    c.fillStyle = '#fff';
    c.font = 'bold 13px sans-serif';
    c.fillText('Start', 14, height - 10);
    return c.getImageData(0, 0, width, height);
  }

  // An image drawn to cover width x height, cut at the middle.
  function cover(image, width, height) {
    var s = surface(width, height), c = s.getContext('2d');
    var scale = Math.max(width / image.width, height / image.height);
    var w = image.width * scale, h = image.height * scale;
    c.drawImage(image, (width - w) / 2, (height - h) / 2, w, h);
    return c.getImageData(0, 0, width, height);
  }

  // The picture of a dropped file: a promise of an ImageBitmap, or null
  // when it is no picture the browser can read.
  function read(file) {
    if (!file || typeof createImageBitmap !== 'function') return Promise.resolve(null);
    return createImageBitmap(file).then(function (b) { return b.width > 0 && b.height > 0 ? b : null; },
                                        function () { return null; });
  }

  return {desktop: desktop, cover: cover, read: read};
})();
