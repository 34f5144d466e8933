#pragma once

#include "window/check_value.h"

#include <Qt>

// Qt's check states in the order of their values; Qt itself numbers a grayed box 1.
inline constexpr CheckStates<Qt::CheckState> kQtCheckStates{Qt::Unchecked, Qt::Checked,
                                                            Qt::PartiallyChecked};
