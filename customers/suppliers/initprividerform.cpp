#include "customers/suppliers/initprividerform.h"
#include "customers/suppliers/supplierservice.h"
#include "store/ruleerror.h"

#include "shell/common/database.h"
#include "shell/common/datagrid.h"
#include "shell/common/gridview.h"
#include "shell/common/messages.h"
#include "shell/common/operatorcontext.h"
#include "store/db.h"

#include <QPushButton>

namespace customers {

namespace {

const QString kNameField = QStringLiteral("供销商名称");
const QString kCodeField = QStringLiteral("供销商编号");

QList<shell::LineField> supplierFields()
{
    QList<shell::LineField> fields;
    for (const SupplierColumn &c : supplierColumns())
        fields.append({c.name, shell::LineField::Text, c.width, {}});
    return fields;
}

QList<shell::GridColumn> supplierGridColumns()
{
    QList<shell::GridColumn> columns;
    for (const SupplierColumn &c : supplierColumns()) {
        shell::GridColumn col{c.name};
        col.readOnly = c.name == kCodeField;
        if (c.width >= 50)
            col.width = c.width >= 100 ? 180 : 130;   // names and addresses need room to be typed
        columns << col;
    }
    return columns;
}

} // namespace

TInitPrividerForm::TInitPrividerForm(QWidget *parent)
    : SetupForm(parent, QStringLiteral("供销商设置"), supplierFields(), supplierGridColumns(),
                EnterKeyMovesOn | EscapeCancelsNew)
{
    grid()->setAccessibleName(QStringLiteral("供销商"));
    grid()->setFrozenColumns(2);
    grid()->setMinimumSize(760, 360);
    setHint(grid(), QStringLiteral("在这里输入供销商信息,或修改,回车跳到下一格!"));
    setHint(grid()->view(), QStringLiteral("在这里输入供销商信息,或修改,回车跳到下一格!"));

    connect(addButton(QStringLiteral("新增"), QStringLiteral("按下本按钮将新建!")), &QPushButton::clicked, this,
            &TInitPrividerForm::addNew);
    connect(addButton(QStringLiteral("修改"), QStringLiteral("按下本按钮将修改供销商!")), &QPushButton::clicked, this,
            &TInitPrividerForm::modify);
    connect(addButton(QStringLiteral("删除"), QStringLiteral("按下本按钮将删除供销商!")), &QPushButton::clicked, this,
            &TInitPrividerForm::remove);
    connect(addButton(QStringLiteral("保存"), QStringLiteral("按下本按钮将保存供销商!")), &QPushButton::clicked, this,
            &TInitPrividerForm::save);
    addExitButton(QStringLiteral("按下本按钮将退出供销设置!"));

    try {
        load();
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
    }
}

void TInitPrividerForm::load()
{
    const QList<Supplier> list = suppliers(shell::database());
    lines()->clear();
    m_loaded.clear();
    for (const Supplier &s : list) {
        lines()->appendLine(s.toMap());
        m_loaded << lines()->line(lines()->lineCount() - 1);
    }
}

void TInitPrividerForm::addNew()
{
    if (isAdding()) {
        shell::Messages::info(this, QStringLiteral("您已经按下了新增按钮，请先完成新增资料保存后再新增！"));
        return;
    }
    if (isModifying()) {
        // A row begun now would be stored without the duplicate-name test of a new one.
        shell::Messages::info(this, QStringLiteral("您正在修改供销商资料,请先保存再新增!"));
        return;
    }
    QString code;
    try {
        load();     // other workstations' suppliers count for the next code
        code = nextSupplierCode(shell::database());
    } catch (const store::RuleError &e) {
        shell::Messages::warning(this, e.message());
        return;
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
        return;
    }
    beginAdding({{kCodeField, code}}, kNameField);
}

void TInitPrividerForm::modify()
{
    if (isAdding()) {
        shell::Messages::info(this, QStringLiteral("您现正在新建供销资料,请先保存再进行修改!"));
        return;
    }
    if (isModifying()) {
        shell::Messages::info(this, QStringLiteral("您正在修改供销商资料,请先保存再进行修改!"));
        return;
    }
    beginModifying(kNameField);
}

QList<int> TInitPrividerForm::changedRows() const
{
    QList<int> rows;
    for (int r = 0; r < m_loaded.size() && r < lines()->lineCount(); ++r)
        if (Supplier::fromMap(lines()->line(r)).toMap() != Supplier::fromMap(m_loaded[r]).toMap())
            rows << r;
    return rows;
}

void TInitPrividerForm::save()
{
    if (!isAdding() && !isModifying()) {
        shell::Messages::info(this, QStringLiteral("您没有新建供销商资料,无需进行保存!谢谢合作!"));
        return;
    }
    commitOpenEditors();
    const QString operatorName = shell::currentOperator().name;
    int faultRow = -1;
    try {
        if (isAdding()) {
            const int row = newRow();
            faultRow = row;
            const QString code = addSupplier(shell::database(), Supplier::fromMap(lines()->line(row)), operatorName);
            lines()->setValue(row, kCodeField, code);
            lines()->setValue(row, kNameField, lines()->value(row, kNameField).toString().trimmed());
            m_loaded << lines()->line(row);
            finishEditing();
            showStatus(QStringLiteral("供销商信息新增保存成功!"));
        } else {
            const QList<int> rows = changedRows();
            QList<Supplier> changed;
            for (int r : rows) {
                changed << Supplier::fromMap(lines()->line(r));
                if (changed.last().name.trimmed().isEmpty() && faultRow < 0)
                    faultRow = r;
            }
            updateSuppliers(shell::database(), changed, operatorName);
            for (int r : rows)
                m_loaded[r] = lines()->line(r);
            finishEditing();
            showStatus(QStringLiteral("供销商信息修改保存成功!"));
        }
    } catch (const store::RuleError &e) {
        shell::Messages::warning(this, e.message());
        if (e.field() == kNameField && faultRow >= 0)
            focusCell(faultRow, kNameField);
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
    }
}

void TInitPrividerForm::remove()
{
    if (!shell::canDeleteOrModifyCompleted()) {
        shell::Messages::info(this, kSupplierDeleteRefused);
        return;
    }
    if (isAdding()) {
        shell::Messages::info(this, QStringLiteral("您正在新增供商信息,请先进行保存后,再进行删除操作!"));
        return;
    }
    const int row = grid()->currentRow();
    if (row < 0 || row >= m_loaded.size())
        return;
    if (!shell::Messages::question(this, QStringLiteral("若删除供销商,有可能影响整个系统使用！真的要删除吗?"),
                                   QStringLiteral("系统提示"), QMessageBox::Warning))
        return;
    try {
        deleteSupplier(shell::database(), m_loaded[row].value(kCodeField).toString(), shell::currentOperator());
    } catch (const store::RuleError &e) {
        shell::Messages::warning(this, e.message());
        return;
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
        return;
    }
    lines()->removeLine(row);
    m_loaded.removeAt(row);
}

bool TInitPrividerForm::canLeave()
{
    commitOpenEditors();
    const bool unsaved = isAdding() || (isModifying() && !changedRows().isEmpty());
    return !unsaved || shell::Messages::question(this, QStringLiteral("数据还没有保存,真的要退出吗？"));
}

} // namespace customers
