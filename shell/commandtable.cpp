#include "shell/commandtable.h"

namespace shell {

namespace {
QString u(const char *s) { return QString::fromUtf8(s); }

Command form(const char *caption, const char *function, const char *formClass, const char *heading = nullptr)
{
    Command c;
    c.caption = u(caption);
    c.function = function ? u(function) : QString();
    c.formClass = u(formClass);
    if (heading) c.heading = u(heading);
    return c;
}

Command action(const char *caption, const char *function, CommandAction a, const char *formClass = "")
{
    Command c;
    c.caption = u(caption);
    c.function = function ? u(function) : QString();
    c.action = a;
    c.formClass = u(formClass);
    return c;
}

QStringList list(std::initializer_list<const char *> items)
{
    QStringList l;
    for (const char *i : items) l << u(i);
    return l;
}
} // namespace

const std::vector<Command> &commands()
{
    static const std::vector<Command> table = [] {
        std::vector<Command> t = {
            form("托修单录入", "托修单录入", "TEnterProduNoteForm"),
            form("托修单查询", "托修单查询", "TFindProduNoteForm"),
            form("托修单修改", "托修单修改", "TFindProduNoteForm", "托修单修改"),
            form("结算单录入", "结算单录入", "TEnterPayNoteForm"),
            form("结算单查询", "结算单查询", "TFindPayNoteForm"),
            form("结算单修改", "结算单修改", "TFindPayNoteForm", "结算单修改"),
            form("其它服务收费", "其它服务收费", "TMeiYongNoteForm"),
            form("收费日结", "收费日结", "TFeeDayReportForm"),
            form("待收费录入", "待收费录入", "TGetMemoryForm"),
            form("入库单查询", "入库单查询", "TFindInLibNoteForm"),
            form("出库单查询", "出库单查询", "TFindOutLibNoteForm"),
            form("美容单查询", "美容单查询", "TFindMeiYongNoteForm"),
            form("会员卡查询", "会员卡查询", "TFindMemberCardForm"),
            form("以物查单", "以物查单", "TFlowNoteForm", "以物查单"),
            form("收费查询", "收费查询", "TFindFeeNoteForm"),
            form("物品入库", "物品入库", "TEnterInLibNoteForm"),
            form("物品出库", "物品出库", "TEnterOutNoteForm"),
            form("物品查询", "物品查询", "TFindProductInfoForm"),
            form("库存情况", "库存情况", "TLibStatueForm"),
            form("出入库流水帐", "出入库流水帐", "TFlowNoteForm"),
            form("仓库盘点", "仓库盘点", "TCheckLibForm"),
            form("盘盈盘损", "盘盈盘损", "TEnterCheckLibNoteForm"),
            form("盘盈损查询", "盘盈损查询", "TFindCheckLibNoteForm"),
            form("物品价格调整", "物品价格调整", "TChangePriceForm"),
            form("库存初始化", "库存初始化", "TInitLibValueForm"),
            form("库存量警告", "库存量警告", "TLibAlterForm"),
            form("客户信息录入", "客户信息录入", "TEnterMemberForm"),
            form("客户信息查询", "客户信息查询", "TFindMemberForm"),
            form("客户消费积分", "客户消费积分", "TMemberPayInfoForm"),
            form("会员卡开卡", "会员卡开卡", "TOpenMemberCardForm"),
            form("客户清单", "客户清单", "TListMemberForm"),
            form("客户到期提醒", "客户到期提醒", "TAlterClientForm"),
            form("单据统计", "单据统计", "TCountNoteForm"),
            form("收费日报表", "收费日报表", "TFeeDayReportForm"),
            form("收费月报表", "收费月报表", "TMonthReportForm"),
            form("出入库报表", "出入库报表", "TProductReportForm"),
            form("维修业务统计", "维修业务统计", "TCountRepairForm"),
            form("分类汇总报表", "分类汇总报表", "TProDuctSortReportForm"),
            form("服务类别设置", "服务类别设置", "TInitServiceObjectForm"),
            form("维修项目设置", "服务项目设置", "TInitServiceItemForm"),
            form("物品类别设置", "物品类别设置", "TInitProductObjectForm"),
            form("物品信息设置", "物品信息设置", "TInitProductInfoForm"),
            form("仓库数据导入", "物品信息设置", "TInitFactoryInfoForm"),
            form("部门信息设置", "部门信息设置", "TInitDeptInfoForm"),
            form("员工信息设置", "员工信息设置", "TInitEmplyeeForm"),
            form("供销商设置", "供销商设置", "TInitPrividerForm"),
            form("会员卡设置", "会员卡设置", "TInitMemberObjectForm"),
            form("用户管理", "用户管理", "TEnterUserForm"),
            form("用户清单", "用户清单", "TListUserInfoForm"),
            form("修改密码", nullptr, "TChangePasswordForm"),
            action("系统初始化", nullptr, CommandAction::SystemInit, "TInitsystemForm"),
            form("登录日志", "登录日志", "TShowLogForm"),
            form("操作流水", "操作流水", "TShowWorkBookForm"),
            action("数据备份", "数据备份", CommandAction::Backup),
            action("关于软件", nullptr, CommandAction::About, "TAbortSoftForm"),
            action("使用说明", nullptr, CommandAction::UserGuide),
            action("计算器", nullptr, CommandAction::Calculator),
        };
        for (Command &c : t)
            if (c.caption == u"托修单录入"_qs) c.denial = kShortDenial;
        for (Command &c : t)
            if (c.caption == u"数据备份"_qs) c.denial = kBackupDenialMenu;
        return t;
    }();
    return table;
}

const Command *findCommand(const QString &caption)
{
    for (const Command &c : commands())
        if (c.caption == caption) return &c;
    return nullptr;
}

const Command *commandForFunction(const QString &functionName)
{
    for (const Command &c : commands())
        if (c.function == functionName || (c.function.isEmpty() && c.caption == functionName)) return &c;
    return nullptr;
}

const std::vector<MenuLayout> &mainMenu()
{
    static const std::vector<MenuLayout> menus = {
        {u("业务录入"), list({"托修单录入", "托修单查询", "托修单修改", "|", "结算单录入", "结算单查询", "结算单修改", "|",
                             "其它服务收费", "收费日结", "待收费录入"})},
        {u("业务查询"), list({"托修单查询", "结算单查询", "入库单查询", "出库单查询", "美容单查询", "会员卡查询", "|",
                             "以物查单", "收费查询"})},
        {u("物品管理"), list({"物品入库", "物品出库", "|", "物品查询", "库存情况", "出入库流水帐", "|", "仓库盘点",
                             "盘盈盘损", "盘盈损查询", "物品价格调整", "|", "库存初始化", "库存量警告"})},
        {u("客户管理"), list({"客户信息录入", "客户信息查询", "客户消费积分", "会员卡开卡", "客户清单", "|", "会员卡查询",
                             "客户到期提醒"})},
        {u("统计报表"), list({"单据统计", "收费日报表", "收费月报表", "出入库报表", "维修业务统计", "分类汇总报表"})},
        {u("基础资料"), list({"服务类别设置", "维修项目设置", "|", "物品类别设置", "物品信息设置", "仓库数据导入", "|",
                             "部门信息设置", "员工信息设置", "|", "供销商设置", "会员卡设置"})},
        {u("系统功能"), list({"用户管理", "用户清单", "修改密码", "系统初始化", "|", "登录日志", "操作流水", "数据备份", "|",
                             "关于软件", "使用说明", "计算器"})},
    };
    return menus;
}

const std::vector<PanelLayout> &sectionPanels()
{
    static const std::vector<PanelLayout> panels = {
        {u("业务录入"), u("P3"), list({"托修单录入", "托修单查询", "托修单修改", "结算单录入", "结算单查询", "结算单修改",
                                         "其它服务收费", "收费日结", "待收费录入"})},
        {u("业务查询"), u("P2"), list({"托修单查询", "结算单查询", "美容单查询", "入库单查询", "出库单查询", "会员卡查询",
                                         "收费查询", "以物查单"})},
        {u("物品管理"), u("P1"), list({"物品入库", "物品出库", "物品查询", "库存情况", "出入库流水帐", "仓库盘点",
                                         "物品价格调整", "盘盈盘损", "盘盈损查询"})},
        {u("客户管理"), u("P4"), list({"客户信息录入", "客户信息查询", "客户消费积分", "会员卡开卡", "会员卡查询", "客户清单",
                                         "客户提醒=客户到期提醒"})},
        {u("统计报表"), u("P5"), list({"单据统计", "维修业务统计", "出入库报表", "分类汇总报表", "收费日报表", "收费月报表"})},
        {u("基础资料"), u("P6"), list({"服务类别设置", "维修项目设置", "员工信息设置", "部门信息设置", "物品类别设置",
                                         "物品信息设置", "供销商设置", "会员卡设置"})},
        {u("系统功能"), u("P7"), list({"用户管理", "修改密码", "用户清单", "登录日志", "操作流水", "数据备份", "关于软件",
                                         "使用说明"})},
    };
    return panels;
}

const std::vector<PopupItem> &popupMenu()
{
    static const std::vector<PopupItem> items = {
        {u("客户查询"), u("客户信息查询"), QKeySequence(Qt::CTRL | Qt::Key_F)},
        {u("物品查询"), u("物品查询"), QKeySequence(Qt::CTRL | Qt::Key_Q)},
        {u("计算器"), u("计算器"), QKeySequence(Qt::CTRL | Qt::Key_A)},
        {QString(), QString(), QKeySequence()},
        {u("关于软件"), u("关于软件"), QKeySequence(Qt::CTRL | Qt::Key_S)},
    };
    return items;
}

} // namespace shell
