#include "store/functions.h"

namespace store {

static RightTab tab(const char *title, std::initializer_list<std::pair<const char *, const char *>> boxes)
{
    RightTab t;
    t.title = QString::fromUtf8(title);
    for (const auto &[caption, function] : boxes)
        t.boxes.push_back({QString::fromUtf8(caption), QString::fromUtf8(function ? function : caption)});
    return t;
}

const std::vector<RightTab> &rightTabs()
{
    static const std::vector<RightTab> tabs = {
        tab("业务录入", {{"托修单录入", nullptr}, {"托修单查询", nullptr}, {"托修单修改", nullptr}, {"结算单录入", nullptr},
                        {"结算单查询 ", "结算单查询"}, {"结算单修改", nullptr}, {"其它服务收费", nullptr},
                        {"收费日结", nullptr}, {"待收费录入", nullptr}}),
        tab("业务查询", {{"托修单查询", nullptr}, {"结算单查询", nullptr}, {"入库单查询", nullptr}, {"出库单查询", nullptr},
                        {"美容单查询", nullptr}, {"会员卡查询", nullptr}, {"以物查单", nullptr}, {"收费查询", nullptr}}),
        tab("物品管理", {{"物品入库", nullptr}, {"物品出库", nullptr}, {"物品查询", nullptr}, {"库存情况", nullptr},
                        {"出入库流水帐", nullptr}, {"仓库盘点", nullptr}, {"盘盈盘损", nullptr}, {"盘盈损查询", nullptr},
                        {"物品价格调整", nullptr}, {"库存初始化", nullptr}, {"库存量警告", nullptr}}),
        tab("客户管理", {{"客户信息录入", nullptr}, {"客户信息查询", nullptr}, {"客户消费积分", nullptr}, {"会员卡开卡", nullptr},
                        {"客户清单", nullptr}, {"会员卡查询", nullptr}, {"客户到期提醒", nullptr}}),
        tab("统计报表", {{"单据统计", nullptr}, {"收费日报表", nullptr}, {"收费月报表", nullptr}, {"出入库报表", nullptr},
                        {"维修业务统计", nullptr}, {"分类汇总报表", nullptr}}),
        tab("基础资料", {{"服务类别设置", nullptr}, {"维修项目设置", "服务项目设置"}, {"员工信息设置", nullptr},
                        {"部门信息设置", nullptr}, {"物品类别设置", nullptr}, {"物品信息设置", nullptr},
                        {"供销商设置", nullptr}, {"会员卡设置", nullptr}}),
        tab("系统功能", {{"用户管理", nullptr}, {"用户清单", nullptr}, {"修改密码", nullptr}, {"登录日志", nullptr},
                        {"操作流水", nullptr}, {"数据备份", nullptr}}),
    };
    return tabs;
}

QStringList grantableFunctions()
{
    QStringList names;
    for (const RightTab &t : rightTabs())
        for (const RightBox &b : t.boxes)
            if (!names.contains(b.function))
                names << b.function;
    return names;
}

} // namespace store
