#include "tests/support/ui/uidriver.h"
#include "shell/common/datagrid.h"
#include "shell/common/gridview.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QEnterEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTest>
#include <QTimer>

namespace testsupport::ui {

namespace {
QString plain(QString text)
{
    text.remove(QLatin1Char('&'));
    text = text.trimmed();
    while (text.endsWith(QStringLiteral("：")) || text.endsWith(QLatin1Char(':')))
        text.chop(1);
    return text.trimmed();
}

} // namespace

// QTest types Latin-1 only; other characters arrive as key events carrying their text.
void typeText(QWidget *widget, const QString &text)
{
    for (QChar c : text) {
        if (c.unicode() < 128) {
            QTest::keyClick(widget, c.toLatin1());
        } else {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(widget, &press);
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(widget, &release);
        }
    }
}

namespace {
QWidget *editorOf(QWidget *box)
{
    if (auto *combo = qobject_cast<QComboBox *>(box); combo && combo->isEditable())
        return combo->lineEdit();
    return box;
}
} // namespace

QAbstractButton *button(QWidget *root, const QString &caption)
{
    QAbstractButton *hidden = nullptr;
    for (QAbstractButton *b : root->findChildren<QAbstractButton *>()) {
        if (plain(b->text()) != plain(caption))
            continue;
        if (b->isVisibleTo(root->window()))
            return b;
        if (!hidden)
            hidden = b;
    }
    return hidden;
}

QWidget *box(QWidget *root, const QString &label)
{
    for (QLabel *l : root->findChildren<QLabel *>())
        if (l->buddy() && plain(l->text()) == plain(label))
            return l->buddy();
    return nullptr;
}

shell::DataGrid *grid(QWidget *root, int which)
{
    const auto grids = root->findChildren<shell::DataGrid *>();
    return which < grids.size() ? grids[which] : nullptr;
}

bool click(QWidget *root, const QString &caption)
{
    QAbstractButton *b = button(root, caption);
    if (!b || !b->isEnabled())
        return false;
    if (b->isVisible())
        QTest::mouseClick(b, Qt::LeftButton);
    else
        b->click();
    return true;
}

void type(QWidget *box, const QString &text)
{
    activate(box->window());
    box->setFocus(Qt::TabFocusReason);
    QWidget *editor = editorOf(box);
    if (auto *edit = qobject_cast<QLineEdit *>(editor))
        edit->clear();
    else if (auto *plainEdit = qobject_cast<QPlainTextEdit *>(editor))
        plainEdit->clear();
    typeText(editor, text);
}

void pressEnter(QWidget *widget)
{
    QTest::keyClick(editorOf(widget), Qt::Key_Return);
}

void leave(QWidget *box)
{
    activate(box->window());
    if (!box->hasFocus())
        box->setFocus(Qt::TabFocusReason);
    // Whatever takes the focus next, the box loses it as with Tab.
    QWidget *next = box->nextInFocusChain();
    while (next && next != box && (next->focusPolicy() == Qt::NoFocus || !next->isEnabled() || !next->isVisible()
                                   || box->isAncestorOf(next)))
        next = next->nextInFocusChain();
    if (next && next != box)
        next->setFocus(Qt::TabFocusReason);
    else
        box->clearFocus();
}

void hover(QWidget *control)
{
    const QPointF local(1, 1);
    QEnterEvent enter(local, local, control->mapToGlobal(local));
    QApplication::sendEvent(control, &enter);
}

QString hintText(QWidget *form)
{
    auto *panel = form->findChild<QLabel *>(QStringLiteral("hintPanel"));
    return panel ? panel->text() : QString();
}

void doubleClickRow(shell::DataGrid *grid, int row)
{
    grid->setCurrentRow(row);
    const QModelIndex index = grid->view()->currentIndex();
    const QRect cell = grid->view()->visualRect(index);
    QWidget *viewport = grid->view()->viewport();
    if (grid->isVisible() && cell.isValid() && viewport->rect().contains(cell.center())) {
        // Press and release, then the double-click, as the mouse sends them.
        const QPoint at = cell.center();
        QTest::mouseClick(viewport, Qt::LeftButton, {}, at);
        QMouseEvent twice(QEvent::MouseButtonDblClick, at, viewport->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(viewport, &twice);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, at);
    } else {
        emit grid->view()->doubleClicked(index);
    }
}

void activate(QWidget *window)
{
    QWidget *w = window->window();
    if (!w->isVisible())
        return;
    w->activateWindow();
    QApplication::setActiveWindow(w);
    (void)QTest::qWaitForWindowActive(w, 1000);
}

void onNextModal(std::function<void(QDialog *)> action)
{
    QPointer<QWidget> before = QApplication::activeModalWidget();
    auto *timer = new QTimer(qApp);
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, timer, [=] {
        QWidget *modal = QApplication::activeModalWidget();
        auto *dialog = qobject_cast<QDialog *>(modal);
        if (dialog && modal != before) {
            timer->stop();
            timer->deleteLater();
            activate(dialog);
            QPointer<QDialog> guard = dialog;
            action(dialog);
            // A form the action left open would block the test for good.
            QTimer::singleShot(0, [guard] {
                if (guard && guard->isVisible()) {
                    qWarning("onNextModal: the action left the form open; closing it");
                    guard->done(QDialog::Rejected);
                }
            });
        } else if (++*tries > 500) {
            timer->stop();
            timer->deleteLater();
            qWarning("onNextModal: no modal form opened");
        }
    });
    timer->start(10);
}

} // namespace testsupport::ui
