#include "shell/common/formframe.h"
#include "shell/common/enterchain.h"
#include "shell/common/statushints.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace shell {

FunctionForm::FunctionForm(QWidget *parent, const QString &title) : QDialog(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(true);
    // A title bar without close, minimise or maximise boxes.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setSizeGripEnabled(false);

    auto *root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(0);

    m_heading = new QLabel(this);
    m_heading->setObjectName(QStringLiteral("formHeading"));
    m_heading->setAlignment(Qt::AlignCenter);
    m_heading->setFrameShape(QFrame::Panel);
    m_heading->setFrameShadow(QFrame::Raised);
    m_heading->setMinimumHeight(36);
    QFont headingFont = m_heading->font();
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.6);
    headingFont.setBold(true);
    m_heading->setFont(headingFont);
    root->addWidget(m_heading);

    m_body = new QWidget(this);
    m_body->setObjectName(QStringLiteral("formBody"));
    root->addWidget(m_body, 1);

    m_buttonBar = new QWidget(this);
    m_buttonRow = new QHBoxLayout(m_buttonBar);
    m_buttonRow->addStretch(1);
    m_buttonRow->addStretch(1);
    root->addWidget(m_buttonBar);

    m_statusBar = new QStatusBar(this);
    m_statusBar->setSizeGripEnabled(false);
    auto *promptPanel = new QLabel(QStringLiteral("操作提示"), m_statusBar);
    promptPanel->setMinimumWidth(70);
    m_hintPanel = new QLabel(m_statusBar);
    m_hintPanel->setObjectName(QStringLiteral("hintPanel"));
    m_statusBar->addWidget(promptPanel);
    m_statusBar->addWidget(m_hintPanel, 1);
    root->addWidget(m_statusBar);

    m_hints = new StatusHints(m_hintPanel, this);
    m_hints->setHint(m_statusBar, QStringLiteral("操作提示信息显示栏"));
    m_chain = new EnterChain(this);

    setTitle(title);
}

QString FunctionForm::title() const
{
    return m_heading->text();
}

void FunctionForm::setTitle(const QString &title)
{
    m_heading->setText(title);
    setWindowTitle(title);
}

QPushButton *FunctionForm::addButton(const QString &caption, const QString &hint)
{
    auto *button = new QPushButton(caption, m_buttonBar);
    m_buttonRow->insertWidget(m_buttonRow->count() - 1, button);
    const QString h = hint.isEmpty() ? StatusHints::standardHint(caption) : hint;
    if (!h.isEmpty())
        m_hints->setHint(button, h);
    return button;
}

QPushButton *FunctionForm::addExitButton(const QString &hint)
{
    QPushButton *button = addButton(QStringLiteral("退出"), hint);
    connect(button, &QPushButton::clicked, this, &QWidget::close);
    return button;
}

void FunctionForm::setHint(QWidget *control, const QString &hint)
{
    m_hints->setHint(control, hint);
}

QString FunctionForm::hint(QWidget *control) const
{
    return m_hints->hint(control);
}

void FunctionForm::setStatusBarHint(const QString &hint)
{
    m_hints->setHint(m_statusBar, hint);
}

void FunctionForm::showStatus(const QString &text)
{
    m_hintPanel->setText(text);
}

QString FunctionForm::statusText() const
{
    return m_hintPanel->text();
}

void FunctionForm::setEnterChain(const QList<QWidget *> &boxes, QWidget *mainButton)
{
    m_chain->setChain(boxes, mainButton);
}

void FunctionForm::focusNextAfter(QWidget *box)
{
    if (!m_chain->advanceFrom(box) && box)
        box->setFocus(Qt::OtherFocusReason);
}

void FunctionForm::closeEvent(QCloseEvent *event)
{
    if (!canLeave()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void FunctionForm::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Escape:        // forms are left through their buttons only
    case Qt::Key_Return:        // Enter never presses a button the focus is not on
    case Qt::Key_Enter:
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void FunctionForm::setVisible(bool visible)
{
    // Settled before the dialog centres itself on its owner.
    if (visible && !m_shownOnce) {
        m_shownOnce = true;
        m_hints->applyStandardHints(this);
        m_buttonBar->setVisible(m_buttonRow->count() > 2);
        // A single border: the form keeps the size it opens with.
        if (!testAttribute(Qt::WA_Resized))
            adjustSize();
        setFixedSize(size());
    }
    QDialog::setVisible(visible);
}

} // namespace shell
