#pragma once

// Where the clipboard's text lives in the program that copied it (X11, Wayland), hands it to a
// process that outlives this one, unless a clipboard manager will take it over on exit.
void KeepClipboardAfterExit();
