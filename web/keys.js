// The browser's physical keys (KeyboardEvent.code) under the numbers the
// machine and the desktop program give them: SDL 1.2's key symbols, where a
// printable key is its lower-case ASCII code (machine/key_state.h).
const PAVON_KEYS = (() => {
  const keys = {
    Backspace: 8, Tab: 9, Enter: 13, Pause: 19, Escape: 27, Space: 32,
    Quote: 39, Comma: 44, Minus: 45, Period: 46, Slash: 47, Semicolon: 59, Equal: 61,
    BracketLeft: 91, Backslash: 92, BracketRight: 93, Backquote: 96, Delete: 127,
    NumpadEnter: 271,
    ArrowUp: 273, ArrowDown: 274, ArrowRight: 275, ArrowLeft: 276,
    Insert: 277, Home: 278, End: 279, PageUp: 280, PageDown: 281,
    NumLock: 300, CapsLock: 301, ScrollLock: 302,
    ShiftRight: 303, ShiftLeft: 304, ControlRight: 305, ControlLeft: 306, AltRight: 307, AltLeft: 308,
    MetaLeft: 311, MetaRight: 312, PrintScreen: 316, ContextMenu: 319,
  };
  for (let i = 0; i < 26; i++) {
    keys['Key' + String.fromCharCode(65 + i)] = 97 + i;
  }
  for (let i = 0; i < 10; i++) {
    keys['Digit' + i] = 48 + i;
    keys['Numpad' + i] = 256 + i;
  }
  for (let i = 1; i <= 15; i++) {
    keys['F' + i] = 281 + i;
  }
  return keys;
})();

// The modifier bits of an event, as SDL 1.2 gives them with a key.
function pavonModifiers(event) {
  return (event.shiftKey ? 0x0001 : 0) | (event.ctrlKey ? 0x0040 : 0) | (event.altKey ? 0x0100 : 0);
}
