#include "print/preview.h"
#include "print/renderer.h"

#include <QPrinter>

namespace print {

detail::PrinterHolder::PrinterHolder(const PageModel &model)
    : ownedPrinter(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    ownedPrinter->setFullPage(true);
    ownedPrinter->setPageLayout(pageLayout(model.page));
    ownedPrinter->setDocName(model.name);
}

detail::PrinterHolder::~PrinterHolder() = default;

PreviewDialog::PreviewDialog(PageModel model, QWidget *parent)
    : detail::PrinterHolder(model), QPrintPreviewDialog(ownedPrinter.get(), parent), m_model(std::move(model))
{
    setWindowTitle(m_model.name.isEmpty() ? QStringLiteral("打印预览")
                                          : QStringLiteral("打印预览 - %1").arg(m_model.name));
    connect(this, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter *target) { printPages(*target, m_model); });
}

void showPreview(const PageModel &model, QWidget *parent)
{
    if (model.isEmpty())
        return;
    PreviewDialog dialog(model, parent);
    dialog.resize(900, 1000);
    dialog.exec();
}

bool printToDefaultPrinter(const PageModel &model, QString *error)
{
    if (model.isEmpty())
        return true;
    QPrinter printer(QPrinter::HighResolution);
    if (!printer.isValid() || printer.printerName().isEmpty()) {
        if (error)
            *error = QStringLiteral("没有找到打印机，请先安装打印机。");
        return false;
    }
    printPages(printer, model);
    return true;
}

} // namespace print
