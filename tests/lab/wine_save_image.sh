#!/usr/bin/env bash
# The Windows build of gyroscope_lab in the Wine session, as a person would use it: its Pause
# button stops the picture, the window is grabbed from the X server, then its Save PNG button
# writes gyroscope_lab_001.png through window::SaveImage. The file must equal the grab, every
# pixel of the 1000 x 700 client area.
# Usage: wine_save_image.sh GYROSCOPE_LAB_EXE
set -u
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/wine_window.sh"
win_start "${1:?usage: wine_save_image.sh GYROSCOPE_LAB_EXE}" "^Gyroscope lab" 1000 700
win_click 100 480  # Pause
win_move 300 690   # off the buttons
sleep 1
win_grab "$win_dir/grab.png"
win_click 56 580   # Save PNG
win_expect_same "$win_dir/gyroscope_lab_001.png" "$win_dir/grab.png"
win_close
