// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace tracktune {

// Makes a control usable or not. A control that holds the keyboard focus while a device
// operation runs is not greyed out, since Qt would move the focus on to the next control (and
// a screen reader would announce each): it keeps the focus and takes no input but Tab until it
// is usable again. Any other control is enabled or disabled.
void setUsable(QWidget *control, bool usable, bool operationRuns);

} // namespace tracktune
