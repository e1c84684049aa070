#pragma once
// The keyboard's path through a window: Tab goes through the controls in the
// order the user reads them.

class QWidget;

// Orders the Tab chain of the controls inside container by where they stand:
// rows from top to bottom, each row from left to right. A row is made of the
// controls whose tops lie within half a control's height of the row's first
// one. A control that takes no keyboard but holds controls (a panel, a page
// control, a group) is ordered as one place and its controls in their turn,
// so pages follow one another; the items of a radio group keep the order of
// its choices and the panes of a splitter the order it lays them out in. Controls that take no keyboard at all, such as
// read-only edits that are no tab stops, stay out of the path.
void SetTabOrderByPosition(QWidget& container);
