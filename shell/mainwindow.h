#pragma once
#include "shell/commandtable.h"
#include "shell/settings.h"

#include <QMainWindow>
#include <functional>

class QDialog;
class QLabel;
class QStackedWidget;
class QTimer;

namespace shell {

// The main window: banner, section buttons and panels, main menu, pop-up menu, the
// status bar with the operator and the clock. Every command passes the permission gate.
class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(const WorkstationSettings &settings, QWidget *parent = nullptr);

    // Shows the section panel of this section button caption ("P0" at creation).
    void showSection(const QString &sectionCaption);
    QString currentPanel() const;
    void setBanner(const QString &text);
    QString bannerText() const;
    // Copies the operator context into status panels 1 and 3.
    void showOperator();
    QString statusPanelText(int panel) const;

    // Runs a command by caption (or by the function name it is granted under) as a menu item (fromButton: as a panel button, which
    // for "数据备份" has its own denial text). False when refused or not available.
    bool runCommand(const QString &caption, bool fromButton = false);
    // Whether the command can be run in this build (its form is registered).
    static bool isAvailable(const Command &command);

    // Tests replace how an opened form is shown (default: modal exec, then deleted).
    void setFormLauncher(std::function<void(QDialog *)> launcher) { m_launcher = std::move(launcher); }
    // Tests replace how the user guide and the calculator are started.
    void setDesktopLauncher(std::function<bool(const QString &what)> launcher) { m_desktop = std::move(launcher); }

    // The exit question and backup; true when the window may close.
    bool confirmExit();

protected:
    void closeEvent(QCloseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void buildMenus();
    QWidget *buildSections();
    void buildStatusBar();
    void tick();
    void backupOnDemand();
    void openGuide();
    void startCalculator();

    WorkstationSettings m_settings;
    QLabel *m_banner = nullptr;
    QStackedWidget *m_stack = nullptr;
    QHash<QString, int> m_panelIndex;       // section caption -> stack page
    QList<QLabel *> m_panels;               // status-bar panels 0..6
    QTimer *m_clock = nullptr;
    QMenu *m_popup = nullptr;
    std::function<void(QDialog *)> m_launcher;
    std::function<bool(const QString &)> m_desktop;
    bool m_exitConfirmed = false;
};

} // namespace shell
