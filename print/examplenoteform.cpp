#include "print/examplenoteform.h"
#include "print/examplenote.h"
#include "print/preview.h"
#include "print/renderer.h"

#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace print {

ExampleNoteForm::ExampleNoteForm(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("打印示例"));
    m_lines = new QSpinBox(this);
    m_lines->setRange(0, 500);
    m_lines->setValue(7);
    auto *linesLabel = new QLabel(QStringLiteral("明细行数"), this);
    linesLabel->setBuddy(m_lines);
    auto *form = new QFormLayout;
    form->addRow(linesLabel, m_lines);

    auto *preview = new QPushButton(QStringLiteral("打印预览"), this);
    auto *pdf = new QPushButton(QStringLiteral("导出PDF"), this);
    auto *close = new QPushButton(QStringLiteral("退出"), this);
    connect(preview, &QPushButton::clicked, this, &ExampleNoteForm::previewNote);
    connect(pdf, &QPushButton::clicked, this, &ExampleNoteForm::exportPdf);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(preview);
    buttons->addWidget(pdf);
    buttons->addStretch();
    buttons->addWidget(close);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    preview->setDefault(true);
}

void ExampleNoteForm::previewNote()
{
    showPreview(buildExampleNote(m_lines->value()), this);
}

void ExampleNoteForm::exportPdf()
{
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("导出PDF"), QStringLiteral("托修单.pdf"),
                                                      QStringLiteral("PDF 文件 (*.pdf)"));
    if (path.isEmpty())
        return;
    QString error;
    if (!writePdf(buildExampleNote(m_lines->value()), path, &error))
        QMessageBox::warning(this, QStringLiteral("提示信息"), error);
}

} // namespace print
