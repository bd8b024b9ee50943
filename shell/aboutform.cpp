#include "shell/aboutform.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace shell {

TAbortSoftForm::TAbortSoftForm(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("关于软件"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setAttribute(Qt::WA_DeleteOnClose, false);
    auto *v = new QVBoxLayout(this);
    auto *logo = new QLabel(QStringLiteral("🚗"), this);
    logo->setAlignment(Qt::AlignCenter);
    logo->setStyleSheet(QStringLiteral("font-size: 48px;"));
    auto *product = new QLabel(QStringLiteral("骏程汽车维修管理系统 "), this);
    product->setAlignment(Qt::AlignCenter);
    product->setStyleSheet(QStringLiteral("font-size: 20px; color: #c00000;"));
    auto *version = new QLabel(QStringLiteral("6.01版"), this);
    version->setAlignment(Qt::AlignCenter);
    auto *notice = new QLabel(QStringLiteral("本软件受著作权法保护。未经许可，不得复制、修改或传播本软件的全部或部分内容。"), this);
    notice->setWordWrap(true);
    auto *exit = new QPushButton(QStringLiteral("退出"), this);
    connect(exit, &QPushButton::clicked, this, &QDialog::accept);
    v->addWidget(logo);
    v->addWidget(product);
    v->addWidget(version);
    v->addWidget(notice);
    v->addWidget(exit, 0, Qt::AlignCenter);
    setFixedSize(360, 240);
}

void TAbortSoftForm::mousePressEvent(QMouseEvent *)
{
    accept();
}

} // namespace shell
