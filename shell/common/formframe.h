#pragma once
// The frame of every function form: modal, centred on its owner, no window-frame buttons,
// a heading panel with the title (also the window title), the form's own body, a button
// row at the bottom and a two-panel status bar ("操作提示" and the hint panel). The form
// is destroyed when it closes and is left only through its buttons ("退出" closes it).
//
//   class TListDeptForm : public shell::FunctionForm {
//       TListDeptForm(QWidget *parent) : FunctionForm(parent, "部门列表") {
//           auto *layout = new QVBoxLayout(body());
//           ...
//           addButton("选择", "按下本按钮将选择选中的分支机构!");
//           addExitButton("按下本按钮将退出分支机构选择!");
//       }
//   };

#include <QDialog>
#include <QList>

class QHBoxLayout;
class QLabel;
class QPushButton;
class QStatusBar;

namespace shell {

class EnterChain;
class StatusHints;

class FunctionForm : public QDialog {
    Q_OBJECT
public:
    FunctionForm(QWidget *parent, const QString &title);

    QString title() const;
    // Sets the heading and the window title (openers retitle a form, e.g. "托修单修改").
    void setTitle(const QString &title);

    // The area between the heading and the button row; the form lays out its boxes here.
    QWidget *body() const { return m_body; }
    QHBoxLayout *buttonRow() const { return m_buttonRow; }
    // A button appended to the bottom row. An empty hint means the standard hint of the
    // caption, if it has one.
    QPushButton *addButton(const QString &caption, const QString &hint = {});
    // "退出": closes the form.
    QPushButton *addExitButton(const QString &hint = {});

    // Hints: pointing at a control writes its hint into the hint panel.
    void setHint(QWidget *control, const QString &hint);
    QString hint(QWidget *control) const;
    // What pointing at the status bar shows ("操作提示信息显示栏" unless the form says otherwise).
    void setStatusBarHint(const QString &hint);
    // Writes a result text ("修改部门保存成功！") into the hint panel.
    void showStatus(const QString &text);
    QString statusText() const;
    QStatusBar *statusBar() const { return m_statusBar; }

    // Enter moves along boxes and from the last one to mainButton.
    void setEnterChain(const QList<QWidget *> &boxes, QWidget *mainButton);
    EnterChain *enterChain() const { return m_chain; }
    // Moves the focus to the box after `box` in the Enter chain (choosers use this).
    void focusNextAfter(QWidget *box);

protected:
    // Asked whenever the form is about to close; an entry form with unsaved work asks
    // the user and may refuse.
    virtual bool canLeave() { return true; }

    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

public:
    void setVisible(bool visible) override;

private:
    QLabel *m_heading;
    QWidget *m_body;
    QWidget *m_buttonBar;
    QHBoxLayout *m_buttonRow;
    QStatusBar *m_statusBar;
    QLabel *m_hintPanel;
    StatusHints *m_hints;
    EnterChain *m_chain;
    bool m_shownOnce = false;
};

} // namespace shell
