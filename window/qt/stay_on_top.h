#pragma once

class QWidget;

// Puts `window` back above every other window, as far as the platform lets a program do that.
void KeepOnTop(QWidget& window);
