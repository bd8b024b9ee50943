#pragma once
#include <QDialog>

namespace shell {

// "关于软件": closes on "退出" or a click anywhere on its body.
class TAbortSoftForm : public QDialog {
    Q_OBJECT
public:
    explicit TAbortSoftForm(QWidget *parent = nullptr);
protected:
    void mousePressEvent(QMouseEvent *event) override;
};

} // namespace shell
