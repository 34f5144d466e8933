#pragma once

#include "window/layout_table.h"

#include <QRect>

class QWidget;

// `twips` in Qt's logical pixels, which are pixels at 96 dots per inch.
QRect ToQRect(const TwipsRect& twips);

// Creates every control of kFormLayout as a child of `form`, named, placed and valued as the
// table says, with the focus chain in tab-index order.
void BuildControls(QWidget& form);
