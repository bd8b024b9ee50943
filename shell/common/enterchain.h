#pragma once
// The Enter-key path of an entry form: Enter in a box moves the focus to the next box of
// the chain, and from the last box to the form's main button (where a further Enter
// presses it). Disabled or hidden boxes are passed over.

#include <QList>
#include <QObject>
#include <QPointer>

class QWidget;

namespace shell {

class EnterChain : public QObject {
    Q_OBJECT
public:
    explicit EnterChain(QObject *parent = nullptr);

    void setChain(const QList<QWidget *> &boxes, QWidget *mainButton);
    QList<QWidget *> boxes() const;
    QWidget *mainButton() const { return m_mainButton; }

    // The widget the focus goes to after box (nullptr when box is not in the chain or
    // nothing can take the focus).
    QWidget *nextAfter(QWidget *box) const;
    // Moves the focus as Enter in box would; false when box is not in the chain.
    bool advanceFrom(QWidget *box);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *chainMemberOf(QObject *watched) const;
    QList<QPointer<QWidget>> m_boxes;
    QPointer<QWidget> m_mainButton;
};

} // namespace shell
