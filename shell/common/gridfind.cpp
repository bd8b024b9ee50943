#include "shell/common/gridfind.h"
#include "shell/common/datagrid.h"
#include "shell/common/gridproxy.h"
#include "shell/common/messages.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace shell {

GridFindDialog *GridFindDialog::open(DataGrid *grid)
{
    auto *dialog = grid->findChild<GridFindDialog *>(QString(), Qt::FindDirectChildrenOnly);
    if (!dialog)
        dialog = new GridFindDialog(grid);
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
    dialog->m_text->setFocus();
    dialog->m_text->selectAll();
    return dialog;
}

GridFindDialog::GridFindDialog(DataGrid *grid) : QDialog(grid), m_grid(grid)
{
    setWindowTitle(QStringLiteral("查找"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    m_text = new QLineEdit(this);
    m_scope = new QComboBox(this);
    m_scope->addItem(QStringLiteral("全部列"), QString());
    for (int col : grid->visibleColumns())
        m_scope->addItem(grid->columnTitle(col), grid->proxy()->fieldName(col));

    auto *textLabel = new QLabel(QStringLiteral("查找内容："), this);
    textLabel->setBuddy(m_text);
    auto *scopeLabel = new QLabel(QStringLiteral("查找范围："), this);
    scopeLabel->setBuddy(m_scope);
    auto *next = new QPushButton(QStringLiteral("查找下一个"), this);
    next->setDefault(true);
    auto *close = new QPushButton(QStringLiteral("关闭"), this);

    auto *layout = new QGridLayout(this);
    layout->addWidget(textLabel, 0, 0);
    layout->addWidget(m_text, 0, 1);
    layout->addWidget(scopeLabel, 1, 0);
    layout->addWidget(m_scope, 1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(next);
    buttons->addWidget(close);
    layout->addLayout(buttons, 2, 0, 1, 2);

    connect(next, &QPushButton::clicked, this, &GridFindDialog::findNext);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
}

bool GridFindDialog::findNext()
{
    const QString text = m_text->text();
    if (text.isEmpty())
        return false;
    const int row = m_grid->find(text, m_scope->currentData().toString(), m_grid->currentRow() + 1);
    if (row < 0) {
        Messages::info(this, QStringLiteral("没有找到“%1”。").arg(text), QStringLiteral("查找"));
        return false;
    }
    m_grid->setCurrentRow(row);
    return true;
}

} // namespace shell
