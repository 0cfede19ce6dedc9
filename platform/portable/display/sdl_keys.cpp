// SDL keys to Windows virtual keys; see sdl_keys.h. Letters and digits keep their layout's
// meaning (the keycode), punctuation maps by physical position to the VK_OEM codes of a US
// keyboard, as Windows does for a US layout.
#include "display/sdl_keys.h"

#include <array>
#include <utility>

namespace zg {
namespace {

constexpr std::array<std::pair<SDL_Keycode, WPARAM>, 22> named{{
    {SDLK_RETURN, VK_RETURN}, {SDLK_KP_ENTER, VK_RETURN}, {SDLK_ESCAPE, VK_ESCAPE}, {SDLK_BACKSPACE, VK_BACK},
    {SDLK_TAB, VK_TAB},       {SDLK_SPACE, VK_SPACE},     {SDLK_DELETE, VK_DELETE}, {SDLK_INSERT, VK_INSERT},
    {SDLK_HOME, VK_HOME},     {SDLK_END, VK_END},         {SDLK_PAGEUP, VK_PRIOR},  {SDLK_PAGEDOWN, VK_NEXT},
    {SDLK_LEFT, VK_LEFT},     {SDLK_RIGHT, VK_RIGHT},     {SDLK_UP, VK_UP},         {SDLK_DOWN, VK_DOWN},
    {SDLK_LSHIFT, VK_SHIFT},  {SDLK_RSHIFT, VK_SHIFT},    {SDLK_LCTRL, VK_CONTROL}, {SDLK_RCTRL, VK_CONTROL},
    {SDLK_LALT, VK_MENU},     {SDLK_RALT, VK_MENU},
}};
constexpr WPARAM vk_numpad0 = 0x60;

constexpr std::array<std::pair<SDL_Scancode, WPARAM>, 11> oem{{
    {SDL_SCANCODE_SEMICOLON, 0xBA},
    {SDL_SCANCODE_EQUALS, 0xBB},
    {SDL_SCANCODE_COMMA, 0xBC},
    {SDL_SCANCODE_MINUS, 0xBD},
    {SDL_SCANCODE_PERIOD, 0xBE},
    {SDL_SCANCODE_SLASH, 0xBF},
    {SDL_SCANCODE_GRAVE, 0xC0},
    {SDL_SCANCODE_LEFTBRACKET, 0xDB},
    {SDL_SCANCODE_BACKSLASH, 0xDC},
    {SDL_SCANCODE_RIGHTBRACKET, 0xDD},
    {SDL_SCANCODE_APOSTROPHE, 0xDE},
}};

}  // namespace

WPARAM virtual_key(const SDL_Keysym& keysym) {
    SDL_Keycode sym = keysym.sym;
    if (sym >= SDLK_a && sym <= SDLK_z) return static_cast<WPARAM>('A' + (sym - SDLK_a));
    if (sym >= SDLK_0 && sym <= SDLK_9) return static_cast<WPARAM>(sym);
    if (sym >= SDLK_F1 && sym <= SDLK_F12) return static_cast<WPARAM>(VK_F1 + (sym - SDLK_F1));
    if (sym >= SDLK_KP_1 && sym <= SDLK_KP_9) return static_cast<WPARAM>(vk_numpad0 + 1 + (sym - SDLK_KP_1));
    if (sym == SDLK_KP_0) return vk_numpad0;
    for (const auto& [key, vk] : named) {
        if (key == sym) return vk;
    }
    for (const auto& [code, vk] : oem) {
        if (code == keysym.scancode) return vk;
    }
    return (sym & SDLK_SCANCODE_MASK) == 0 && sym > ' ' ? 0xDF : 0;  // VK_OEM_8: a national key
}

unsigned char control_char(SDL_Keycode sym) {
    switch (sym) {
    case SDLK_ESCAPE: return 27;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return 13;
    case SDLK_TAB: return 9;
    case SDLK_BACKSPACE: return 8;
    default: return 0;
    }
}

unsigned char alt_char(SDL_Keycode sym) {
    if (sym >= ' ' && sym < 0x7F) return static_cast<unsigned char>(sym);
    return 0;
}

bool types_text(SDL_Keycode sym) {
    if ((sym & SDLK_SCANCODE_MASK) != 0) return (sym >= SDLK_KP_DIVIDE && sym <= SDLK_KP_PERIOD);
    return sym >= ' ' && sym != SDLK_DELETE;
}

}  // namespace zg
