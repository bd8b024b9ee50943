#include "tests/shell_common/sampleforms.h"
#include "shell/common/database.h"
#include "shell/common/datagrid.h"
#include "shell/common/datebox.h"
#include "shell/common/formregistry.h"
#include "shell/common/textrules.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace sample {

QString feeListSql()
{
    return QStringLiteral("SELECT * FROM 现金帐表 WHERE 收费时间 >= ? AND 收费时间 <= ? ORDER BY 单据编号");
}

QString departmentListSql()
{
    return QStringLiteral("SELECT * FROM 部门信息 ORDER BY 部门编号");
}

FeeListForm::FeeListForm(QWidget *parent) : FunctionForm(parent, QStringLiteral("收费查询"))
{
    resize(760, 460);
    auto *layout = new QVBoxLayout(body());
    auto *conditions = new QGridLayout;
    layout->addLayout(conditions);

    fromBox = new shell::DateBox(shell::DateBox::From, 30, body());
    toBox = new shell::DateBox(shell::DateBox::To, 0, body());
    fromBox->setDate(fromBox->defaultDate());
    toBox->setDate(toBox->defaultDate());
    conditionBox = new QLineEdit(body());
    shell::makeUpperCase(conditionBox);
    amountBox = new QLineEdit(body());
    shell::makeDigitsOnly(amountBox);
    deptBox = new QLineEdit(body());
    deptBox->setObjectName(QStringLiteral("deptBox"));
    deptBox->installEventFilter(this);

    const QList<QPair<QString, QWidget *>> boxes = {
        {QStringLiteral("开始时间"), fromBox}, {QStringLiteral("结束时间"), toBox},
        {QStringLiteral("条件"), conditionBox}, {QStringLiteral("金额"), amountBox},
        {QStringLiteral("部门："), deptBox}};
    for (int i = 0; i < boxes.size(); ++i) {
        auto *label = new QLabel(boxes[i].first, body());
        label->setBuddy(boxes[i].second);
        conditions->addWidget(label, i / 3, (i % 3) * 2);
        conditions->addWidget(boxes[i].second, i / 3, (i % 3) * 2 + 1);
    }

    grid = new shell::DataGrid(body());
    layout->addWidget(grid, 1);
    grid->setColumns({{QStringLiteral("单据编号")},
                      {QStringLiteral("业务名称")},
                      {QStringLiteral("收费时间"), QStringLiteral("服务时间"), QStringLiteral("YYYY-MM-DD")},
                      {QStringLiteral("服务收费金额"), {}, QStringLiteral("##0.00")},
                      {QStringLiteral("材料成本金额"), {}, QStringLiteral("##0.00"), {}, true},
                      {QStringLiteral("材料收费金额"), {}, QStringLiteral("##0.00")},
                      {QStringLiteral("总收费金额"), {}, QStringLiteral("#,##0.00")},
                      {QStringLiteral("收费人"), QStringLiteral("经办人")},
                      {QStringLiteral("部门名称")}});
    grid->setFrozenColumns(2);
    grid->setFindEnabled(true);
    grid->setFooter(QStringLiteral("单据编号"), shell::FooterCell::label(QStringLiteral("总计")));
    grid->setFooter(QStringLiteral("业务名称"), shell::FooterCell::count());
    for (const char *f : {"服务收费金额", "材料收费金额", "总收费金额"})
        grid->setFooter(QString::fromUtf8(f), shell::FooterCell::sum(QStringLiteral("##0.00")));
    setHint(grid, QStringLiteral("收费记录一览"));

    queryButton = addButton(QStringLiteral("查询"), QStringLiteral("按下本按钮将按条件查询收费记录!"));
    exportButton = addButton(QStringLiteral("导出"));
    addExitButton();
    setEnterChain({fromBox, toBox, conditionBox, amountBox, deptBox}, queryButton);

    connect(queryButton, &QPushButton::clicked, this, &FeeListForm::runQuery);
    connect(exportButton, &QPushButton::clicked, this, [this] { shell::exportGrid(grid, exportOptions); });
    runQuery();
}

void FeeListForm::runQuery()
{
    grid->showQuery(shell::database(), feeListSql(), {fromBox->date(), toBox->date()});
    showStatus(QStringLiteral("查询完毕"));
}

bool FeeListForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == deptBox && event->type() == QEvent::MouseButtonDblClick) {
        auto *chooser = new DeptChooser(this);
        chooser->setCallerTag(QStringLiteral("收费查询"));
        chooser->exec();
        return true;
    }
    return FunctionForm::eventFilter(watched, event);
}

const QList<shell::ChooserTarget> &DeptChooser::targets()
{
    static const QList<shell::ChooserTarget> table = {
        {QStringLiteral("收费查询"), QStringLiteral("deptBox")},
        {QStringLiteral("物品入库"), QStringLiteral("deptBox"), shell::ChooserTarget::FocusNext},
        {QStringLiteral("物品入库统计"), QStringLiteral("deptBox"), shell::ChooserTarget::FocusBox},
    };
    return table;
}

DeptChooser::DeptChooser(QWidget *opener)
    : ChooserForm(opener, QStringLiteral("部门列表"), QStringLiteral("部门名称"), targets())
{
    resize(420, 320);
    setHint(chooseButton(), QStringLiteral("按下本按钮将选择选中的分支机构!"));
    setHint(exitButton(), QStringLiteral("按下本按钮将退出分支机构选择!"));
    grid()->setColumns({{QStringLiteral("部门编号")}, {QStringLiteral("部门名称")},
                        {QStringLiteral("部门电话")}, {QStringLiteral("联系人")}});
    grid()->showQuery(shell::database(), departmentListSql());
}

void registerForms()
{
    shell::registerForm(QStringLiteral("测试收费查询"), [](QWidget *parent) { return new FeeListForm(parent); });
}

} // namespace sample
