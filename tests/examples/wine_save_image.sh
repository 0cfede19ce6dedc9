#!/usr/bin/env bash
# The Windows build of the paint example in the Wine session: two clicks paint dots, the window
# is grabbed from the X server, then the s key saves painting.png through window::SaveImage. The
# file must equal the grab, every pixel of the 400 x 300 client area.
# Usage: wine_save_image.sh EXAMPLE_PAINT_EXE
set -u
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/wine_window.sh"
win_start "${1:?usage: wine_save_image.sh EXAMPLE_PAINT_EXE}" "^Paint" 400 300
win_click 100 100
win_click 200 150
win_move 390 290
sleep 1
win_grab "$win_dir/grab.png"
win_key s
win_expect_same "$win_dir/painting.png" "$win_dir/grab.png"
win_close
