#include "shell/mainwindow.h"
#include "shell/aboutform.h"
#include "shell/common/database.h"
#include "shell/common/formframe.h"
#include "shell/common/formregistry.h"
#include "shell/common/messages.h"
#include "shell/common/operatorcontext.h"
#include "shell/loginservice.h"
#include "store/backup.h"
#include "store/journal.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTime>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

namespace shell {

namespace {
const QString kDesignBanner = QStringLiteral("骏程汽车维修管理系统");

// The registry key a command's form is found under: its form class, else its function
// name, else its caption.
QString registeredKey(const Command &c)
{
    for (const QString &key : {c.formClass, c.function, c.caption})
        if (!key.isEmpty() && hasForm(key)) return key;
    return {};
}

QString commandOf(const QString &entry) { return entry.contains(QLatin1Char('=')) ? entry.section(QLatin1Char('='), 1) : entry; }
QString captionOf(const QString &entry) { return entry.section(QLatin1Char('='), 0, 0); }
} // namespace

TMainForm::TMainForm(const WorkstationSettings &settings, QWidget *parent)
    : QMainWindow(parent), m_settings(settings)
{
    setWindowTitle(QStringLiteral("骏程汽车维修管理系统 6.01版"));
    resize(840, 600);
    QFont f(QStringLiteral("Noto Sans CJK SC"), 9);
    setFont(f);

    auto *central = new QWidget(this);
    auto *v = new QVBoxLayout(central);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(0);
    m_banner = new QLabel(kDesignBanner, central);
    m_banner->setObjectName(QStringLiteral("banner"));
    m_banner->setAlignment(Qt::AlignCenter);
    m_banner->setFixedHeight(60);
    m_banner->setStyleSheet(QStringLiteral("QLabel#banner { color: #c00000; font-size: 32px; font-family: 'Noto Serif CJK SC';"
                                           " background: qlineargradient(x1:0,y1:0,x2:0,y2:1, stop:0 #fff6e0, stop:1 #f0d9a8); }"));
    v->addWidget(m_banner);
    v->addWidget(buildSections(), 1);
    setCentralWidget(central);
    buildMenus();
    buildStatusBar();
    showSection(QString());

    m_clock = new QTimer(this);
    m_clock->setInterval(1000);
    connect(m_clock, &QTimer::timeout, this, &TMainForm::tick);
    m_clock->start();
    tick();
}

QWidget *TMainForm::buildSections()
{
    auto *area = new QWidget(this);
    auto *h = new QHBoxLayout(area);
    h->setContentsMargins(0, 0, 0, 0);
    auto *left = new QWidget(area);
    left->setFixedWidth(168);
    left->setObjectName(QStringLiteral("sectionButtons"));
    auto *lv = new QVBoxLayout(left);
    m_stack = new QStackedWidget(area);
    m_stack->setStyleSheet(QStringLiteral("QStackedWidget > QWidget { background: white; }"));

    auto *welcome = new QLabel(QStringLiteral("欢迎使用骏程汽车维修管理系统"), m_stack);
    welcome->setAlignment(Qt::AlignCenter);
    welcome->setObjectName(QStringLiteral("P0"));
    welcome->setStyleSheet(QStringLiteral("font-size: 28px; color: #1f4e79;"));
    m_stack->addWidget(welcome);
    m_panelIndex.insert(QString(), 0);

    for (const PanelLayout &p : sectionPanels()) {
        auto *page = new QWidget(m_stack);
        page->setObjectName(p.panel);
        auto *grid = new QGridLayout(page);
        int i = 0;
        for (const QString &entry : p.buttons) {
            const Command *c = findCommand(commandOf(entry));
            auto *b = new QPushButton(captionOf(entry), page);
            b->setMinimumSize(150, 56);
            b->setEnabled(c && isAvailable(*c));
            if (c && !b->isEnabled())
                b->setToolTip(QStringLiteral("本功能尚未安装"));
            const QString caption = commandOf(entry);
            connect(b, &QPushButton::clicked, this, [this, caption] { runCommand(caption, true); });
            grid->addWidget(b, i / 3, i % 3);
            ++i;
        }
        grid->setRowStretch(grid->rowCount(), 1);
        m_panelIndex.insert(p.section, m_stack->addWidget(page));
        auto *sb = new QPushButton(p.section, left);
        sb->setFixedSize(120, 46);
        connect(sb, &QPushButton::clicked, this, [this, s = p.section] { showSection(s); });
        lv->addWidget(sb, 0, Qt::AlignHCenter);
    }
    auto *quit = new QPushButton(QStringLiteral("退出系统"), left);
    quit->setFixedSize(120, 46);
    connect(quit, &QPushButton::clicked, this, &QWidget::close);
    lv->addWidget(quit, 0, Qt::AlignHCenter);
    lv->addStretch(1);
    h->addWidget(left);
    h->addWidget(m_stack, 1);
    return area;
}

void TMainForm::buildMenus()
{
    for (const MenuLayout &m : mainMenu()) {
        QMenu *menu = menuBar()->addMenu(m.title);
        for (const QString &item : m.items) {
            if (item == QLatin1String("|")) { menu->addSeparator(); continue; }
            const Command *c = findCommand(item);
            QAction *a = menu->addAction(item);
            a->setEnabled(c && isAvailable(*c));
            connect(a, &QAction::triggered, this, [this, item] { runCommand(item, false); });
        }
    }
    m_popup = new QMenu(this);
    for (const PopupItem &p : popupMenu()) {
        if (p.caption.isEmpty()) { m_popup->addSeparator(); continue; }
        QAction *a = m_popup->addAction(p.caption);
        a->setShortcut(p.shortcut);
        a->setShortcutContext(Qt::WindowShortcut);
        const Command *c = findCommand(p.command);
        a->setEnabled(c && isAvailable(*c));
        addAction(a);   // the shortcut works while the main window is active
        connect(a, &QAction::triggered, this, [this, cmd = p.command] { runCommand(cmd, false); });
    }
}

void TMainForm::buildStatusBar()
{
    const int widths[] = {80, 70, 80, 70, 70, 100, 50};
    const QStringList texts = {QStringLiteral("操作员编号"), QStringLiteral("000000"), QStringLiteral("操作员姓名"),
                               QStringLiteral("管理员"), QStringLiteral("现在时间"), QString(),
                               QStringLiteral("骏程汽车维修管理系统 6.01版")};
    for (int i = 0; i < 7; ++i) {
        auto *l = new QLabel(texts[i], this);
        l->setAlignment(Qt::AlignCenter);
        l->setMinimumWidth(widths[i]);
        if (i == 1 || i == 3 || i == 5)
            l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        if (i == 6) statusBar()->addWidget(l, 1); else statusBar()->addWidget(l);
        m_panels << l;
    }
}

void TMainForm::tick()
{
    statusBar()->setStyleSheet(QStringLiteral("QStatusBar QLabel { color: blue; }"));
    m_panels[5]->setText(QTime::currentTime().toString(QStringLiteral("HH:mm:ss")));
}

void TMainForm::showSection(const QString &sectionCaption)
{
    m_stack->setCurrentIndex(m_panelIndex.value(sectionCaption, 0));
}

QString TMainForm::currentPanel() const
{
    return m_stack->currentWidget()->objectName();
}

void TMainForm::setBanner(const QString &text) { m_banner->setText(text); }
QString TMainForm::bannerText() const { return m_banner->text(); }
QString TMainForm::statusPanelText(int panel) const { return m_panels.value(panel) ? m_panels[panel]->text() : QString(); }

void TMainForm::showOperator()
{
    m_panels[1]->setText(currentOperator().code);
    m_panels[3]->setText(currentOperator().name);
}

bool TMainForm::isAvailable(const Command &c)
{
    switch (c.action) {
    case CommandAction::OpenForm:
    case CommandAction::SystemInit:
        return !registeredKey(c).isEmpty();
    default:
        return true;
    }
}

bool TMainForm::runCommand(const QString &caption, bool fromButton)
{
    const Command *c = findCommand(caption);
    if (!c)
        c = commandForFunction(caption);   // launchers and tests may name the function instead
    if (!c || !isAvailable(*c))
        return false;
    // The gate reads the operator code from status panel 1, trimmed.
    const QString code = m_panels[1]->text().trimmed();
    if (c->action == CommandAction::SystemInit) {
        if (code != QLatin1String("000000")) {
            Messages::warning(this, kShortDenial);
            return false;
        }
    } else if (!c->function.isEmpty()) {
        try {
            if (!isGranted(database(), code, c->function)) {
                QString denial = c->denial.isEmpty() ? kDefaultDenial : c->denial;
                if (c->action == CommandAction::Backup && fromButton)
                    denial = kBackupDenialButton;
                Messages::warning(this, denial);
                return false;
            }
        } catch (const store::DbError &e) {
            Messages::error(this, e.message());
            return false;
        }
    }
    switch (c->action) {
    case CommandAction::Backup: backupOnDemand(); return true;
    case CommandAction::UserGuide: openGuide(); return true;
    case CommandAction::Calculator: startCalculator(); return true;
    case CommandAction::About:
    case CommandAction::OpenForm:
    case CommandAction::SystemInit: break;
    }
    QDialog *form = c->action == CommandAction::About ? new TAbortSoftForm(this) : createForm(registeredKey(*c), this);
    if (!form)
        return false;
    form->setProperty("command", c->caption);
    if (!c->heading.isEmpty()) {
        if (auto *ff = qobject_cast<FunctionForm *>(form)) ff->setTitle(c->heading);
        else form->setWindowTitle(c->heading);
    }
    form->setAttribute(Qt::WA_DeleteOnClose, true);
    if (m_launcher) {
        m_launcher(form);
    } else {
        form->exec();
    }
    return true;
}

void TMainForm::backupOnDemand()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        store::Db &db = database();
        // Journalled only once the backup is written.
        store::takeBackup(db, m_settings.backupFolder, store::BackupKind::OnDemand);
        store::writeJournal(db, QStringLiteral("进行数据库备份."), currentOperator().name);
    } catch (const store::DbError &e) {
        QApplication::restoreOverrideCursor();
        Messages::error(this, e.message());
        return;
    }
    QApplication::restoreOverrideCursor();
    Messages::info(this, QStringLiteral("数据备份完毕!请将该数据备份文件拷到备份目录!"));
}

void TMainForm::openGuide()
{
    const QString guide = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Help/使用说明.html"));
    if (m_desktop) { m_desktop(guide); return; }
    QDesktopServices::openUrl(QUrl::fromLocalFile(guide));
}

void TMainForm::startCalculator()
{
    for (const char *name : {"gnome-calculator", "kcalc", "galculator", "mate-calc", "qalculate-gtk", "xcalc"}) {
        const QString exe = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (exe.isEmpty()) continue;
        if (m_desktop) { m_desktop(exe); return; }
        QProcess::startDetached(exe, {});
        return;
    }
}

bool TMainForm::confirmExit()
{
    if (!Messages::question(this, QStringLiteral("按下“是” 将会退出系统,按“否”返回系统!"), QStringLiteral("系统提示"),
                            QMessageBox::Warning))
        return false;
    if (hasDatabase()) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        try {
            store::takeBackup(database(), m_settings.backupFolder, store::BackupKind::OnExit);
            QApplication::restoreOverrideCursor();
        } catch (const store::DbError &e) {
            // The program still ends; the user learns that today's exit backup is missing.
            QApplication::restoreOverrideCursor();
            Messages::error(this, QStringLiteral("退出备份失败: %1").arg(e.message()));
        }
    }
    return true;
}

void TMainForm::closeEvent(QCloseEvent *event)
{
    if (m_exitConfirmed || confirmExit()) {
        m_exitConfirmed = true;
        event->accept();
    } else {
        event->ignore();
    }
}

void TMainForm::contextMenuEvent(QContextMenuEvent *event)
{
    m_popup->exec(event->globalPos());
}

} // namespace shell
