#include "workshop/forms/serviceobjectform.h"
#include "workshop/serviceitems.h"
#include "workshop/workshoperror.h"
#include "shell/common/database.h"
#include "shell/common/datagrid.h"
#include "shell/common/gridview.h"
#include "shell/common/messages.h"
#include "shell/common/setupform.h"
#include "shell/common/operatorcontext.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace workshop {

namespace {
const QString kCategory = QStringLiteral("服务项目类别");
}

TInitServiceObjectForm::TInitServiceObjectForm(QWidget *parent) : FunctionForm(parent, QStringLiteral("服务类别设置"))
{
    resize(420, 460);
    auto *layout = new QVBoxLayout(body());
    m_rows = new shell::SetupLines({{kCategory, shell::LineField::Text, 50}}, this);
    m_grid = new shell::DataGrid(body());
    m_grid->setAccessibleName(QStringLiteral("维修项目类别"));
    m_grid->setModel(m_rows);
    m_grid->setColumns({{kCategory, QStringLiteral("维修项目类别"), {}, {}, false, false, 300}});
    layout->addWidget(m_grid);

    connect(addButton(QStringLiteral("新增")), &QPushButton::clicked, this, &TInitServiceObjectForm::addClicked);
    connect(addButton(QStringLiteral("删除")), &QPushButton::clicked, this, &TInitServiceObjectForm::deleteClicked);
    connect(addButton(QStringLiteral("保存")), &QPushButton::clicked, this, &TInitServiceObjectForm::saveClicked);
    addExitButton();
    reload();
}

void TInitServiceObjectForm::reload(const QString &select)
{
    m_rows->setEditableRow(shell::SetupLines::kNone);
    m_rows->clear();
    try {
        for (const QString &name : serviceCategories(shell::database()))
            m_rows->appendLine({{kCategory, name}});
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
    }
    m_grid->setReadOnly(true);
    for (int r = 0; r < m_rows->lineCount(); ++r)
        if (m_rows->value(r, kCategory).toString() == select)
            m_grid->setCurrentRow(r);
}

void TInitServiceObjectForm::focusNewRow()
{
    const int row = m_rows->editableRow();
    m_grid->setCurrentRow(row);
    m_grid->view()->setFocus(Qt::OtherFocusReason);
    m_grid->view()->edit(m_grid->view()->currentIndex());
}

void TInitServiceObjectForm::addClicked()
{
    if (m_adding) {
        shell::Messages::info(this, QStringLiteral("您已按下了新增按钮，请先填写完毕服务类别保存后再进行新增"));
        return;
    }
    const int row = m_rows->appendLine({{kCategory, QString()}});
    m_rows->setEditableRow(row);
    m_grid->setReadOnly(false);
    m_adding = true;
    focusNewRow();
}

void TInitServiceObjectForm::saveClicked()
{
    if (!m_adding) {
        shell::Messages::info(this, QStringLiteral("您没有做服务类别初始化无需保存,谢谢合作!"));
        return;
    }
    const int row = m_rows->editableRow();
    const QString name = m_rows->value(row, kCategory).toString();
    try {
        addServiceCategory(shell::database(), name, shell::currentOperator().name);
    } catch (const WorkshopError &e) {
        shell::Messages::info(this, e.message());
        m_rows->setValue(row, kCategory, QString());
        focusNewRow();
        return;
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
        return;
    }
    m_adding = false;
    reload(name);
    showStatus(QStringLiteral("服务类别信息保存成功！按新增按钮继续新增!"));
}

void TInitServiceObjectForm::deleteClicked()
{
    if (!shell::canDeleteOrModifyCompleted()) {
        shell::Messages::warning(this, QStringLiteral("只有经理或管理员才能删除服务类别信息!"));
        return;
    }
    if (m_adding) {
        shell::Messages::info(this, QStringLiteral("您正在新增服务类别,不能进行删除操作,请先保存再进行删除!"));
        return;
    }
    const int row = m_grid->currentRow();
    if (row < 0)
        return;
    const QString name = m_rows->value(row, kCategory).toString();
    if (!shell::Messages::question(this, QStringLiteral("若删除服务类别将会影响整个系统使用！小心删除！"),
                                   QStringLiteral("系统提示"), QMessageBox::Warning))
        return;
    try {
        deleteServiceCategory(shell::database(), name, shell::currentOperator());
    } catch (const WorkshopError &e) {
        shell::Messages::warning(this, e.message());
        return;
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
        return;
    }
    reload();
}

} // namespace workshop
