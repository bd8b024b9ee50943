#include "shell/common/messages.h"

#include <QAbstractButton>
#include <QPushButton>

namespace shell {

namespace {
Messages::TestHook &testHook()
{
    static Messages::TestHook hook;
    return hook;
}
} // namespace

QString Messages::defaultCaption()
{
    return QStringLiteral("骏程汽车美容信息管理系统");
}

QString Messages::buttonText(QMessageBox::StandardButton button)
{
    switch (button) {
    case QMessageBox::Ok: return QStringLiteral("确定");
    case QMessageBox::Cancel: return QStringLiteral("取消");
    case QMessageBox::Yes: return QStringLiteral("是");
    case QMessageBox::No: return QStringLiteral("否");
    case QMessageBox::Retry: return QStringLiteral("重试");
    case QMessageBox::Ignore: return QStringLiteral("忽略");
    case QMessageBox::Abort: return QStringLiteral("中止");
    case QMessageBox::Close: return QStringLiteral("关闭");
    default: return {};
    }
}

QMessageBox::StandardButton Messages::show(QWidget *parent, const MessageBoxText &message)
{
    MessageBoxText s = message;
    if (s.caption.isEmpty())
        s.caption = defaultCaption();
    if (testHook())
        return testHook()(s);

    QMessageBox box(s.icon, s.caption, s.text, s.buttons, parent);
    for (QAbstractButton *b : box.buttons()) {
        const QString t = buttonText(box.standardButton(b));
        if (!t.isEmpty())
            b->setText(t);
    }
    if (s.defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(s.defaultButton);
    box.exec();
    QAbstractButton *clicked = box.clickedButton();
    return clicked ? box.standardButton(clicked) : QMessageBox::NoButton;
}

void Messages::info(QWidget *parent, const QString &text, const QString &caption)
{
    show(parent, {QMessageBox::Information, text, caption, QMessageBox::Ok, QMessageBox::Ok});
}

void Messages::warning(QWidget *parent, const QString &text, const QString &caption)
{
    show(parent, {QMessageBox::Warning, text, caption, QMessageBox::Ok, QMessageBox::Ok});
}

void Messages::error(QWidget *parent, const QString &text, const QString &caption)
{
    show(parent, {QMessageBox::Critical, text, caption, QMessageBox::Ok, QMessageBox::Ok});
}

bool Messages::question(QWidget *parent, const QString &text, const QString &caption, QMessageBox::Icon icon)
{
    return show(parent, {icon, text, caption, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes})
           == QMessageBox::Yes;
}

bool Messages::confirm(QWidget *parent, const QString &text, const QString &caption, QMessageBox::Icon icon)
{
    return show(parent, {icon, text, caption, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok})
           == QMessageBox::Ok;
}

void Messages::setTestHook(TestHook hook)
{
    testHook() = std::move(hook);
}

bool Messages::hasTestHook()
{
    return bool(testHook());
}

} // namespace shell
