#pragma once
// Drives real forms the way a person does: find a button by its caption and a box by its
// label, type, press Enter, point at controls, double-click grid rows, and act on a
// modal form that a click opens.
//
//   QWidget *from = ui::box(form, "开始时间");
//   ui::type(from, "");
//   ui::pressEnter(from);                       // Enter moves on along the form's chain
//   ui::click(form, "查询");
//   ui::doubleClickRow(grid, 0);

#include <QString>
#include <functional>

#include <QAbstractButton>
class QDialog;
class QWidget;

namespace shell { class DataGrid; }

namespace testsupport::ui {

// A button under root whose caption (without "&") is the text; visible ones first.
QAbstractButton *button(QWidget *root, const QString &caption);
// The box whose label reads the text ("部门名称" also finds a label "部门名称：").
QWidget *box(QWidget *root, const QString &label);
// The first grid under root.
shell::DataGrid *grid(QWidget *root, int which = 0);

// Clicks an enabled button; false when there is none or it is disabled.
bool click(QWidget *root, const QString &caption);
// Gives the box the focus, replaces its text by typing, and leaves the focus there.
void type(QWidget *box, const QString &text);
// Types into whatever has the widget (Chinese text included), without clearing it first.
void typeText(QWidget *widget, const QString &text);
void pressEnter(QWidget *widget);
// Moves the focus away from the box (as Tab would), so its leaving rules run.
void leave(QWidget *box);
// The mouse enters the control: its hint goes to the status bar.
void hover(QWidget *control);
// The text of the form's hint panel.
QString hintText(QWidget *form);
void doubleClickRow(shell::DataGrid *grid, int row);

// Makes the window active so that focus moves work offscreen.
void activate(QWidget *window);
// Runs action on the next modal form that opens (for forms opened with exec() inside a
// click). Call before the click; the action must close the form.
void onNextModal(std::function<void(QDialog *)> action);

} // namespace testsupport::ui
