#include "shell/common/enterchain.h"

#include <QKeyEvent>
#include <QWidget>

namespace shell {

namespace {
bool canTakeFocus(const QWidget *w)
{
    return w && w->isEnabled() && w->isVisibleTo(w->window()) && w->focusPolicy() != Qt::NoFocus;
}
} // namespace

EnterChain::EnterChain(QObject *parent) : QObject(parent) {}

void EnterChain::setChain(const QList<QWidget *> &boxes, QWidget *mainButton)
{
    for (const QPointer<QWidget> &b : std::as_const(m_boxes)) {
        if (!b) continue;
        b->removeEventFilter(this);
        for (QWidget *child : b->findChildren<QWidget *>())
            child->removeEventFilter(this);
    }
    m_boxes.clear();
    for (QWidget *b : boxes) {
        m_boxes.append(b);
        // Composite boxes (drop-downs, date boxes) receive keys in an inner editor.
        b->installEventFilter(this);
        for (QWidget *child : b->findChildren<QWidget *>())
            child->installEventFilter(this);
    }
    m_mainButton = mainButton;
}

QList<QWidget *> EnterChain::boxes() const
{
    QList<QWidget *> list;
    for (const QPointer<QWidget> &b : m_boxes)
        if (b) list.append(b);
    return list;
}

QWidget *EnterChain::nextAfter(QWidget *box) const
{
    const QList<QWidget *> list = boxes();
    const qsizetype at = list.indexOf(box);
    if (at < 0)
        return nullptr;
    for (qsizetype i = at + 1; i < list.size(); ++i)
        if (canTakeFocus(list[i]))
            return list[i];
    return canTakeFocus(m_mainButton) ? m_mainButton.data() : nullptr;
}

bool EnterChain::advanceFrom(QWidget *box)
{
    if (!boxes().contains(box))
        return false;
    if (QWidget *next = nextAfter(box))
        next->setFocus(Qt::TabFocusReason);
    return true;
}

QWidget *EnterChain::chainMemberOf(QObject *watched) const
{
    const QList<QWidget *> list = boxes();
    for (QObject *o = watched; o; o = o->parent())
        if (auto *w = qobject_cast<QWidget *>(o); w && list.contains(w))
            return w;
    return nullptr;
}

bool EnterChain::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            if (QWidget *box = chainMemberOf(watched)) {
                advanceFrom(box);
                return true;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace shell
