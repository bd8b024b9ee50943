#pragma once
// Every message and question box of the program, with its exact text, caption, icon and
// Chinese buttons ("确定", "取消", "是", "否"). Tests install a hook that answers and
// records the boxes instead of showing them.

#include <QMessageBox>
#include <QString>
#include <functional>

class QWidget;

namespace shell {

// One box as it would be shown.
struct MessageBoxText {
    QMessageBox::Icon icon = QMessageBox::Information;
    QString text;
    QString caption;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

class Messages {
public:
    // The application title, the caption of a plain message that names none.
    static QString defaultCaption();

    // A message with an "确定" button.
    static void info(QWidget *parent, const QString &text, const QString &caption = {});
    static void warning(QWidget *parent, const QString &text, const QString &caption = {});
    static void error(QWidget *parent, const QString &text, const QString &caption = {});

    // A "是"/"否" question; true when the answer is "是". Closing the box counts as "否".
    static bool question(QWidget *parent, const QString &text, const QString &caption = QStringLiteral("系统提示"),
                         QMessageBox::Icon icon = QMessageBox::Question);
    // An "确定"/"取消" question; true when the answer is "确定".
    static bool confirm(QWidget *parent, const QString &text, const QString &caption = QStringLiteral("系统提示"),
                        QMessageBox::Icon icon = QMessageBox::Question);

    // Shows any box and returns the button pressed (NoButton when closed without one).
    static QMessageBox::StandardButton show(QWidget *parent, const MessageBoxText &message);

    // While a hook is set, no box is shown: the hook receives each box and returns the
    // button it presses. An empty hook restores the real boxes.
    using TestHook = std::function<QMessageBox::StandardButton(const MessageBoxText &)>;
    static void setTestHook(TestHook hook);
    static bool hasTestHook();

    // The Chinese caption of a standard button ("是", "否", "确定", "取消", ...).
    static QString buttonText(QMessageBox::StandardButton button);
};

} // namespace shell
