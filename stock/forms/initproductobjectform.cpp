#include "stock/forms/initproductobjectform.h"
#include "stock/categoryservice.h"
#include "store/ruleerror.h"

#include "shell/common/database.h"
#include "shell/common/datagrid.h"
#include "shell/common/messages.h"
#include "shell/common/operatorcontext.h"

#include <QPushButton>

namespace stock {

namespace {
const QString kCode = QStringLiteral("物品类别编号");
const QString kName = QStringLiteral("物品类别");

QList<shell::GridColumn> categoryColumns()
{
    shell::GridColumn code{kCode};
    code.readOnly = true;
    return {code, {kName}};
}
} // namespace

TInitProductObjectForm::TInitProductObjectForm(QWidget *parent)
    : SetupForm(parent, QStringLiteral("物品类别设置"),
                {{kCode, shell::LineField::Text, 3, {}}, {kName, shell::LineField::Text, 24, {}}}, categoryColumns(),
                EscapeCancelsNew)
{
    grid()->setAccessibleName(QStringLiteral("物品类别"));
    grid()->setMinimumSize(420, 360);
    setHint(grid(), QStringLiteral("在这里输入物品类别名称!"));

    connect(addButton(QStringLiteral("新增")), &QPushButton::clicked, this, &TInitProductObjectForm::addNew);
    connect(addButton(QStringLiteral("删除")), &QPushButton::clicked, this, &TInitProductObjectForm::remove);
    connect(addButton(QStringLiteral("保存")), &QPushButton::clicked, this, &TInitProductObjectForm::save);
    addExitButton();

    try {
        load();
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
    }
}

void TInitProductObjectForm::load()
{
    lines()->clear();
    lines()->setEditableRow(shell::SetupLines::kNone);
    for (const Category &c : categories(shell::database()))
        lines()->appendLine({{kCode, c.code}, {kName, c.name}});
}

void TInitProductObjectForm::addNew()
{
    if (isAdding()) {
        shell::Messages::info(this, QStringLiteral("您已经按下了新增按钮，请先完成新增资料保存后再新增！"));
        return;
    }
    try {
        load();
        beginAdding({{kCode, nextCategoryCode(shell::database())}}, kName);
    } catch (const store::RuleError &e) {
        shell::Messages::warning(this, e.message());
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
    }
}

void TInitProductObjectForm::save()
{
    if (!isAdding())
        return;
    commitOpenEditors();
    const int row = newRow();
    try {
        addCategory(shell::database(), lines()->value(row, kName).toString(), shell::currentOperator().name);
        finishEditing();
        load();
        showStatus(QStringLiteral("物品类别设置成功！"));
        grid()->setCurrentRow(lines()->lineCount() - 1);
    } catch (const store::RuleError &e) {
        shell::Messages::warning(this, e.message());
        if (e.message() == QStringLiteral("该物品类别已经存在，无需重复设置！"))
            lines()->setValue(row, kName, QString());
        focusCell(row, kName);
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
    }
}

void TInitProductObjectForm::cancelNew()
{
    if (!isAdding())
        return;
    finishEditing();
    try {
        load();
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
    }
}

void TInitProductObjectForm::remove()
{
    if (!shell::canDeleteOrModifyCompleted()) {
        shell::Messages::warning(this, QStringLiteral("只有经理或管理员才能删除物品类别信息!"));
        return;
    }
    const int row = grid()->currentRow();
    if (row < 0)
        return;
    if (!shell::Messages::question(this, QStringLiteral("若删除物品类别,将会影响整个系统使用！小心删除！"),
                                   QStringLiteral("系统提示"), QMessageBox::Warning))
        return;
    const bool unsaved = isAdding() && row == newRow();
    try {
        if (!unsaved)
            deleteCategory(shell::database(), lines()->value(row, kName).toString(), shell::currentOperator());
        finishEditing();
        load();
    } catch (const store::RuleError &e) {
        shell::Messages::warning(this, e.message());
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
    }
}

} // namespace stock
