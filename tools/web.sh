# Sourced by tools/rig.sh: the web page's part of the rig. ./dev build web
# and ./dev test build it (the web preset: Debian's emscripten); ./dev run
# NAME --web serves it; ./dev bench and ./dev release add its table and its
# zip.

# emscripten builds the page; chromium runs its tests, its benchmark and
# the headless recording.
PACKAGES="$PACKAGES emscripten chromium"
WEB_SITE="$ROOT/build/web/site"
WEB_REFERENCE="$ROOT/build/web/reference/tests/web/web_reference"

# ./dev test: the page in headless Chromium against the same runs built
# natively (the web preset builds that native reference too).
web_test() {
  say "web: the page in headless Chromium, its frames against the same runs built natively"
  ctest --preset web
}

web_bench() {
  rig_build web || return 1
  say "web: the page's frame in headless Chromium beside the native frame"
  node "$ROOT/tools/web_bench.js" "$WEB_SITE" "$WEB_REFERENCE"
}

# ./dev run NAME --web: the site served on 127.0.0.1 and opened in the
# user's browser with NAME chosen, until Ctrl-C; without a display, the
# page with ?saver=NAME recorded by headless Chromium as out/NAME-web.gif
# and out/NAME-web.png.
web_run() {
  local name=$1
  rig_build web || return 1
  if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    local log pid url=""
    log=$(mktemp)
    node "$ROOT/tools/web_serve.js" "$WEB_SITE" "${ZAMVEL_WEB_PORT:-0}" >"$log" 2>&1 &
    pid=$!
    for _ in $(seq 50); do url=$(head -1 "$log"); [ -n "$url" ] && break; sleep 0.1; done
    case "$url" in http://*) ;; *) cat "$log" >&2; kill "$pid" 2>/dev/null; rm -f "$log"; return 1 ;; esac
    rm -f "$log"
    trap 'kill '"$pid"' 2>/dev/null' EXIT INT TERM
    say "serving ${url}#$name (Ctrl-C ends it)"
    xdg-open "${url}#$name" >/dev/null 2>&1 || echo "open ${url}#$name in your browser"
    wait "$pid"
    return
  fi
  local frames out="$ROOT/out"
  frames=$(mktemp -d)
  mkdir -p "$out"
  node "$ROOT/tools/web_record.js" "$WEB_SITE" "$name" "$frames" || { rm -rf "$frames"; return 1; }
  # Sampled, not smoothed, and not dithered, as the other recordings.
  convert -delay 15 -loop 0 "$frames"/f*.png -sample 512x384 +dither -colors 256 -layers Optimize "$out/$name-web.gif"
  cp "$frames/f06.png" "$out/$name-web.png"
  rm -rf "$frames"
  echo "animation: $out/$name-web.gif"
  echo "still:     $out/$name-web.png"
}

# ./dev release: Zamvel-Savers-VERSION-web.zip of the site (and how to serve
# it) into DIST, added to its SHA256SUMS; fixed dates and order, as the
# other zip.
web_release() {
  local dist version=$2 stage name
  dist=$(cd "$1" && pwd) || return 1
  name=Zamvel-Savers-$version-web.zip
  rig_build web || return 1
  stage=$(mktemp -d)
  cp "$WEB_SITE"/* "$stage/" && cp "$ROOT/web/README.txt" "$stage/README.txt" || return 1
  chmod 644 "$stage"/*
  ( export TZ=UTC LC_ALL=C
    touch -d "@${SOURCE_DATE_EPOCH:-315532800}" "$stage"/*
    rm -f "$dist/$name"
    cd "$stage" && ls | zip -X -D -q "$dist/$name" -@ ) || { rm -rf "$stage"; return 1; }
  rm -rf "$stage"
  (cd "$dist" && sha256sum "$name" >>SHA256SUMS)
}
