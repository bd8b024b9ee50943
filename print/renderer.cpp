#include "print/renderer.h"

#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

namespace print {

namespace {

const qreal kCellPaddingMm = 0.8;
const qreal kSmallestFontScale = 0.5;   // long text shrinks to half its size, then clips

Qt::Alignment alignmentOf(Align align)
{
    switch (align) {
    case Align::Center: return Qt::AlignHCenter;
    case Align::Right: return Qt::AlignRight;
    case Align::Left: break;
    }
    return Qt::AlignLeft;
}

QPen penOf(qreal widthMm, qreal dotsPerMm)
{
    return QPen(Qt::black, std::max(1.0, widthMm * dotsPerMm), Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
}

QRectF scaled(const QRectF &mm, qreal k)
{
    return QRectF(mm.x() * k, mm.y() * k, mm.width() * k, mm.height() * k);
}

void drawSides(QPainter &painter, const QRectF &r, int sides)
{
    if (sides & TopSide) painter.drawLine(r.topLeft(), r.topRight());
    if (sides & BottomSide) painter.drawLine(r.bottomLeft(), r.bottomRight());
    if (sides & LeftSide) painter.drawLine(r.topLeft(), r.bottomLeft());
    if (sides & RightSide) painter.drawLine(r.topRight(), r.bottomRight());
}

// The text in its rectangle, shrunk (down to half size) until it fits.
void drawText(QPainter &painter, const PageItem &item, qreal k)
{
    const QRectF r = scaled(item.rect, k);
    if (item.style.sides != NoSides) {
        painter.setPen(penOf(item.pen, k));
        drawSides(painter, r, item.style.sides);
    }
    if (item.text.isEmpty())
        return;
    const qreal pad = item.style.sides != NoSides ? kCellPaddingMm * k : 0;
    const QRectF inner = r.adjusted(pad, 0, -pad, 0);
    const int flags = int(alignmentOf(item.style.align)) | Qt::AlignVCenter
                      | (item.style.wrap ? Qt::TextWordWrap : Qt::TextSingleLine);
    QFont font(item.style.family);
    font.setBold(item.style.bold);
    font.setUnderline(item.style.underline);
    qreal scale = 1.0;
    for (;;) {
        font.setPointSizeF(item.style.pt * scale);
        const QFontMetricsF metrics(font, painter.device());
        const QRectF needed = metrics.boundingRect(inner, flags, item.text);
        const bool fits = needed.width() <= inner.width() + 0.5 && needed.height() <= inner.height() + 0.5;
        if (fits || scale <= kSmallestFontScale)
            break;
        scale = std::max(kSmallestFontScale, scale - 0.05);
    }
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(inner, flags, item.text);
}

} // namespace

QPageLayout pageLayout(const PageSetup &setup)
{
    const QSizeF portrait(std::min(setup.paper.width(), setup.paper.height()),
                          std::max(setup.paper.width(), setup.paper.height()));
    return QPageLayout(QPageSize(portrait, QPageSize::Millimeter),
                       setup.isLandscape() ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(),
                       QPageLayout::Millimeter);
}

void paintPage(QPainter &painter, const PageModel &model, int pageIndex)
{
    if (pageIndex < 0 || pageIndex >= model.pageCount())
        return;
    const qreal k = painter.device()->logicalDpiX() / 25.4;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setBrush(Qt::NoBrush);
    for (const PageItem &item : model.pages[pageIndex].items) {
        switch (item.kind) {
        case Item::Kind::Text:
            drawText(painter, item, k);
            break;
        case Item::Kind::Line:
            painter.setPen(penOf(item.pen, k));
            painter.drawLine(item.rect.topLeft() * k, item.rect.bottomRight() * k);
            break;
        case Item::Kind::Box:
            painter.setPen(penOf(item.pen, k));
            painter.drawRect(scaled(item.rect, k));
            break;
        }
    }
    painter.restore();
}

void printPages(QPrinter &printer, const PageModel &model)
{
    printer.setFullPage(true);
    printer.setPageLayout(pageLayout(model.page));
    printer.setDocName(model.name);
    QPainter painter(&printer);
    for (int i = 0; i < model.pageCount(); ++i) {
        if (i > 0)
            printer.newPage();
        paintPage(painter, model, i);
    }
}

bool writePdf(const PageModel &model, const QString &path, QString *error)
{
    if (model.isEmpty()) {
        if (error)
            *error = QStringLiteral("没有可以打印的内容。");
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        if (error)
            *error = QStringLiteral("无法写入文件 %1：%2").arg(QFileInfo(path).absoluteFilePath(), file.errorString());
        return false;
    }
    {
        QPdfWriter writer(&file);
        writer.setResolution(600);
        writer.setPageLayout(pageLayout(model.page));
        writer.setTitle(model.name);
        writer.setCreator(QStringLiteral("骏程汽车维修管理系统 6.01版"));
        QPainter painter(&writer);
        for (int i = 0; i < model.pageCount(); ++i) {
            if (i > 0)
                writer.newPage();
            paintPage(painter, model, i);
        }
    }
    file.close();
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

QImage renderPage(const PageModel &model, int pageIndex, int dpi)
{
    const qreal k = dpi / 25.4;
    QImage image(qRound(model.page.paper.width() * k), qRound(model.page.paper.height() * k), QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    image.fill(Qt::white);
    QPainter painter(&image);
    paintPage(painter, model, pageIndex);
    return image;
}

} // namespace print
