#pragma once
// The command table: every menu item, pop-up item and section-panel button of the main
// window is one command. Menus, panels and the pop-up are built from these tables.

#include <QKeySequence>
#include <QString>
#include <QStringList>
#include <vector>

namespace shell {

enum class CommandAction { OpenForm, Backup, About, UserGuide, Calculator, SystemInit };

struct Command {
    QString caption;        // also the command's identity
    QString function;       // name looked up by the permission gate; empty: no gate
    QString formClass;      // the form opened (OpenForm, SystemInit)
    CommandAction action = CommandAction::OpenForm;
    QString denial;         // denial text when not the default one
    QString heading;        // heading the form is given, when it differs from its own
};

struct MenuLayout {
    QString title;
    QStringList items;      // command captions; "|" is a separator
};

struct PanelLayout {
    QString section;        // section button caption
    QString panel;          // "P1" ... "P7"
    QStringList buttons;    // command captions, three to a row; "caption=command" when they differ
};

struct PopupItem {
    QString caption;        // text of the pop-up item
    QString command;        // the command it runs
    QKeySequence shortcut;
};

const std::vector<Command> &commands();
const Command *findCommand(const QString &caption);
// The command that opens this function name (the first one, for names used twice).
const Command *commandForFunction(const QString &functionName);
const std::vector<MenuLayout> &mainMenu();
const std::vector<PanelLayout> &sectionPanels();   // in the order of the section buttons
const std::vector<PopupItem> &popupMenu();          // a null caption is a separator

inline const QString kDefaultDenial = QStringLiteral("您没有使用该功能的权限,请与系统管理员联系!谢谢合作!");
inline const QString kBackupDenialMenu = QStringLiteral("您没有使用该功能的权限,若要开通该权限请与管理员联系!");
inline const QString kBackupDenialButton = QStringLiteral("您没有使用该功能的权限,若要开通该权限请与管理员联系! 谢谢合作!");
inline const QString kShortDenial = QStringLiteral("您没有使用该功能的权限!谢谢合作!");

} // namespace shell
