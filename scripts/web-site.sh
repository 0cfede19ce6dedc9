#!/usr/bin/env bash
# Lays out the web build as a static site: one page per program (gyroscope.html,
# gyroscope_lab.html, and NAME.html for each example), each with its .js, .wasm and .data (the
# fonts), the page style, and index.html linking every program with its picture.
# Usage: scripts/web-site.sh [WEB_BUILD_DIR] [SITE_DIR]   (defaults build/web, build/web/site)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$root/build/web}
site=${2:-$build/site}
examples=$(sed -nE 's/^set\(ZG_EXAMPLES (.*)\)$/\1/p' "$root/examples/CMakeLists.txt")
rm -rf "$site"
mkdir -p "$site/pictures"
cp "$root/web/zorgraphics.css" "$site/"

html() { sed 's/[&]/\&amp;/g; s/</\&lt;/g; s/>/\&gt;/g' <<<"$1"; }

# page HTML_NAME PROGRAM_PATH TITLE ABOUT PICTURE
index_items=""
page() {
  local name=$1 program=$2 title=$3 about=$4 picture=$5 base
  base=$(basename "$program")
  for ext in js wasm data; do cp "$build/$program.$ext" "$site/"; done
  sed -e "s|@TITLE@|$(html "$title")|; s|@PROGRAM@|$base|; s|@ABOUT@|$(html "$about")|" \
    "$root/web/page.html" >"$site/$name.html"
  cp "$picture" "$site/pictures/$name.png"
  index_items+="<li><a href=\"$name.html\"><img src=\"pictures/$name.png\" alt=\"$(html "$title")\" loading=\"lazy\">"
  index_items+="<h2>$(html "$title")</h2></a><p>$(html "$about")</p></li>"$'\n'
}

page gyroscope app/gyroscope "Gyroscope: precession and nutation" \
  "Rest the cursor on the white area to set the gyroscope moving; the panel changes it." "$root/docs/gyroscope.png"
page gyroscope_lab lab/gyroscope_lab "The heavy symmetric top" \
  "The motion of a top on a pivot, integrated exactly; the panel picks a preset." "$root/docs/gyroscope_lab.png"
for name in $examples; do
  about=$(sed -nE "s/^\| \[\`$name\.cpp\`\].*\| (.*) \|$/\1/p" "$root/README.md" | sed 's/`//g')
  page "$name" "examples/example_$name" "Example: $name" "${about:-An example of the library.}" \
    "$root/docs/examples/$name.png"
done

cat >"$site/index.html" <<HTML
<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width">
<title>zorgraphics in the browser</title>
<link rel="stylesheet" href="zorgraphics.css">
</head>
<body>
<main>
<h1>zorgraphics in the browser</h1>
<p>The gyroscope simulator, the heavy-top lab and the library's examples, compiled to WebAssembly:
the same pixels as on Windows, drawn by the library's own rasteriser.</p>
<ul class="zg-index">
$index_items</ul>
</main>
</body>
</html>
HTML
echo "web-site: $(ls "$site"/*.html | wc -l) pages in $site"
