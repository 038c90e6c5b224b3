#pragma once

#include "app/WindowTable.h"

#include <QPoint>
#include <QSize>
#include <QString>

namespace qor::test {

// What a user outside the program sees of its windows, taken from their description tables so
// that a test that drives the real program follows the tables: a window's title, the size of its
// client area, and where to click a control, all in client pixels.
QString titleOf(WindowName window);
QSize clientSizeOf(WindowName window);
QSize clientSizeOf(const WindowDescription& description);
// The middle of a control's box (within its frame, if it stands in one), rounded down to whole
// pixels as the platform places it.
QPoint centreOf(WindowName window, const QString& control);

// The windows and controls that most end-to-end tests pass through.
inline const QString mainTitle = titleOf(WindowName::Form1);
inline const QString toolsTitle = titleOf(WindowName::Frmprogress);
inline const QString loginTitle = titleOf(WindowName::frmLogin);
inline const QString optionsTitle = titleOf(WindowName::Form3);
inline const QString dataSourceTitle = titleOf(WindowName::frmODBCLogon);
// The main window's "NEXT PAGE".
inline const QPoint nextPage = centreOf(WindowName::Form1, "Command3");

} // namespace qor::test
