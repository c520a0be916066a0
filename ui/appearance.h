// The program's colours: the working colour of the window and its dialogs,
// the light green captions of its switches and the pale green log.
#pragma once

#include <QColor>

class QWidget;

namespace ui {

inline const QColor kWorkingColour(95, 130, 95);
inline const QColor kSwitchCaption(200, 250, 160);
inline const QColor kLogColour(192, 220, 192);

// The working colour as background, white text on it, and black text on
// white in edit boxes and lists.
void TakeWorkingColour(QWidget* widget);
// The system's colours, kept whatever colours the parent takes.
void KeepSystemColours(QWidget* widget);
// A check box or radio button caption in light green.
void TakeSwitchColour(QWidget* widget);

}  // namespace ui
