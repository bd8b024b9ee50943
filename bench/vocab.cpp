#include "bench/vocab.h"

namespace bench::vocab {

const QStringList &surnames()
{
    static const QStringList l = QStringLiteral(
        "王 李 张 刘 陈 杨 黄 赵 吴 周 徐 孙 马 朱 胡 郭 何 高 林 罗 郑 梁 谢 宋 唐 许 韩 冯 邓 曹 彭 曾 肖 田 董 袁 潘 于 蒋 蔡 余 杜 叶 程 苏 魏 吕 丁 任 沈")
        .split(QLatin1Char(' '));
    return l;
}

const QStringList &givenNameChars()
{
    static const QStringList l = QStringLiteral(
        "伟 芳 娜 敏 静 丽 强 磊 军 洋 勇 艳 杰 娟 涛 明 超 秀 霞 平 刚 桂 英 华 玉 萍 红 建 文 辉 力 鹏 斌 宇 浩 凯 健 俊 帆 帅 旭 宁 龙 林 欢 阳 晨 雪 琳 晶 波 飞 峰 亮 成 志 新 海 云 春")
        .split(QLatin1Char(' '));
    return l;
}

const QStringList &vehicleModels()
{
    static const QStringList l = {
        QStringLiteral("大众朗逸1.5L"), QStringLiteral("大众速腾1.4T"), QStringLiteral("大众帕萨特2.0T"), QStringLiteral("丰田卡罗拉1.8L"),
        QStringLiteral("丰田凯美瑞2.5L"), QStringLiteral("本田雅阁1.5T"), QStringLiteral("本田思域1.5T"), QStringLiteral("日产轩逸1.6L"),
        QStringLiteral("别克英朗1.3T"), QStringLiteral("别克GL8 2.0T"), QStringLiteral("哈弗H6 1.5T"), QStringLiteral("长安CS75 1.5T"),
        QStringLiteral("吉利博越1.8T"), QStringLiteral("比亚迪宋DM"), QStringLiteral("比亚迪汉EV"), QStringLiteral("奥迪A4L 2.0T"),
        QStringLiteral("宝马325Li"), QStringLiteral("奔驰C260L"), QStringLiteral("现代伊兰特1.5L"), QStringLiteral("福特福克斯1.5L"),
        QStringLiteral("五菱宏光1.5L"), QStringLiteral("江铃全顺2.8T"), QStringLiteral("雪佛兰科鲁兹1.5L"), QStringLiteral("马自达阿特兹2.0L")};
    return l;
}

const QStringList &colours()
{
    static const QStringList l = QStringLiteral("白色 黑色 银色 灰色 红色 蓝色 香槟色 棕色 绿色").split(QLatin1Char(' '));
    return l;
}

const QStringList &streets()
{
    static const QStringList l = QStringLiteral(
        "五一大道 芙蓉中路 韶山北路 劳动西路 人民中路 解放西路 麓山南路 金星中路 万家丽路 湘江中路 东二环 岳麓大道 车站北路 远大一路")
        .split(QLatin1Char(' '));
    return l;
}

const QStringList &companySuffixes()
{
    static const QStringList l = QStringLiteral("物流有限公司 建设工程公司 商贸有限公司 出租汽车公司 运输有限公司 科技有限公司")
        .split(QLatin1Char(' '));
    return l;
}

const QStringList &brands()
{
    static const QStringList l = QStringLiteral("博世 马勒 曼牌 壳牌 美孚 嘉实多 米其林 普利司通 瓦尔塔 电装 NGK 菲罗多 天合 采埃孚 固特异 长城")
        .split(QLatin1Char(' '));
    return l;
}

const QStringList &units()
{
    static const QStringList l = QStringLiteral("个 只 套 瓶 桶 条 块 副 根 升").split(QLatin1Char(' '));
    return l;
}

const QStringList &inspectionNotes()
{
    static const QStringList l = {
        QStringLiteral("外观完好"), QStringLiteral("左前门有划痕"), QStringLiteral("后保险杠轻微变形"), QStringLiteral("油表四分之一"),
        QStringLiteral("仪表故障灯亮"), QStringLiteral("右后轮胎磨损严重"), QStringLiteral("前挡风玻璃有裂纹"), QStringLiteral("车内物品已清点")};
    return l;
}

const QList<GoodsKind> &goodsKinds()
{
    static const QList<GoodsKind> l = {
        {QStringLiteral("机油"), {QStringLiteral("全合成机油"), QStringLiteral("半合成机油"), QStringLiteral("矿物机油")}, {QStringLiteral("0W-20 4L"), QStringLiteral("5W-30 4L"), QStringLiteral("5W-40 1L")}, 40, 400},
        {QStringLiteral("滤清器"), {QStringLiteral("机油滤清器"), QStringLiteral("空气滤清器"), QStringLiteral("空调滤清器"), QStringLiteral("汽油滤清器")}, {QStringLiteral("标准型"), QStringLiteral("加强型")}, 15, 150},
        {QStringLiteral("刹车系统"), {QStringLiteral("前刹车片"), QStringLiteral("后刹车片"), QStringLiteral("刹车盘"), QStringLiteral("刹车油")}, {QStringLiteral("陶瓷"), QStringLiteral("半金属"), QStringLiteral("DOT4 1L")}, 30, 900},
        {QStringLiteral("轮胎"), {QStringLiteral("轮胎"), QStringLiteral("防爆轮胎"), QStringLiteral("雪地轮胎")}, {QStringLiteral("205/55R16"), QStringLiteral("215/60R17"), QStringLiteral("225/45R18")}, 300, 1500},
        {QStringLiteral("电气"), {QStringLiteral("蓄电池"), QStringLiteral("火花塞"), QStringLiteral("点火线圈"), QStringLiteral("发电机"), QStringLiteral("起动机")}, {QStringLiteral("12V 60Ah"), QStringLiteral("铱金"), QStringLiteral("标准")}, 20, 1800},
        {QStringLiteral("悬挂"), {QStringLiteral("减震器"), QStringLiteral("球头"), QStringLiteral("摆臂"), QStringLiteral("平衡杆")}, {QStringLiteral("前左"), QStringLiteral("前右"), QStringLiteral("后")}, 60, 1200},
        {QStringLiteral("发动机"), {QStringLiteral("正时皮带"), QStringLiteral("水泵"), QStringLiteral("节温器"), QStringLiteral("气门室盖垫")}, {QStringLiteral("原厂"), QStringLiteral("副厂")}, 40, 1600},
        {QStringLiteral("空调"), {QStringLiteral("空调压缩机"), QStringLiteral("冷凝器"), QStringLiteral("制冷剂"), QStringLiteral("膨胀阀")}, {QStringLiteral("R134a"), QStringLiteral("标准")}, 50, 2500},
        {QStringLiteral("车身"), {QStringLiteral("前保险杠"), QStringLiteral("后视镜"), QStringLiteral("雨刮片"), QStringLiteral("大灯总成")}, {QStringLiteral("左"), QStringLiteral("右"), QStringLiteral("24寸")}, 20, 2200},
        {QStringLiteral("美容用品"), {QStringLiteral("车蜡"), QStringLiteral("玻璃水"), QStringLiteral("镀晶套装"), QStringLiteral("内饰清洁剂")}, {QStringLiteral("500ml"), QStringLiteral("2L"), QStringLiteral("套")}, 8, 300},
    };
    return l;
}

const QList<ServiceKind> &serviceKinds()
{
    static const QList<ServiceKind> l = {
        {QStringLiteral("保养"), {QStringLiteral("更换机油机滤"), QStringLiteral("更换空气滤芯"), QStringLiteral("更换空调滤芯"), QStringLiteral("小保养"), QStringLiteral("大保养")}, 30, 300},
        {QStringLiteral("机修"), {QStringLiteral("更换刹车片"), QStringLiteral("更换正时皮带"), QStringLiteral("更换水泵"), QStringLiteral("发动机检修"), QStringLiteral("变速箱检修")}, 80, 1500},
        {QStringLiteral("电工"), {QStringLiteral("更换蓄电池"), QStringLiteral("检修线路"), QStringLiteral("更换火花塞"), QStringLiteral("电脑检测")}, 30, 400},
        {QStringLiteral("钣金喷漆"), {QStringLiteral("前保险杠喷漆"), QStringLiteral("车门钣金"), QStringLiteral("全车喷漆"), QStringLiteral("局部补漆")}, 200, 4000},
        {QStringLiteral("轮胎"), {QStringLiteral("四轮定位"), QStringLiteral("动平衡"), QStringLiteral("更换轮胎"), QStringLiteral("补胎")}, 20, 200},
        {QStringLiteral("空调"), {QStringLiteral("空调加氟"), QStringLiteral("空调清洗"), QStringLiteral("更换压缩机")}, 60, 800},
        {QStringLiteral("美容"), {QStringLiteral("精洗"), QStringLiteral("打蜡"), QStringLiteral("镀晶"), QStringLiteral("内饰清洗")}, 20, 800},
    };
    return l;
}

} // namespace bench::vocab
