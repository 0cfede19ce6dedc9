// SDL keys as Windows sees them: virtual-key codes and the characters of control keys.
#pragma once

#include <platform/win32.h>

#include <SDL.h>

namespace zg {

// The Windows virtual-key code of a key; 0 for keys Windows programs never see here.
WPARAM virtual_key(const SDL_Keysym& keysym);

// Escape, Enter, Tab and Backspace type their control character; other keys 0.
unsigned char control_char(SDL_Keycode sym);

// The character an Alt combination types (WM_SYSCHAR): the key's own ASCII character.
unsigned char alt_char(SDL_Keycode sym);

// Keys whose key-down SDL follows with a text event.
bool types_text(SDL_Keycode sym);

}  // namespace zg
