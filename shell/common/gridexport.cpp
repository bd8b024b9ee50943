#include "shell/common/gridexport.h"
#include "shell/common/datagrid.h"
#include "shell/common/gridproxy.h"
#include "shell/common/gridview.h"
#include "shell/common/messages.h"
#include "shell/common/querymodel.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QProgressDialog>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QUrl>

#include <xlsxwriter.h>

namespace shell {

namespace {

FileOpener &opener()
{
    static FileOpener f;
    return f;
}

bool openWithDesktop(const QString &path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

// A figure as shown ("1,234.50", "-3", "0.125"): written as a number whose cell format
// shows exactly the same text, so the spreadsheet can add it up.
bool figureFormat(const QString &text, double *value, QString *format)
{
    static const QRegularExpression figure(QStringLiteral("^-?(\\d{1,3}(,\\d{3})+|\\d+)(\\.(\\d+))?$"));
    const QRegularExpressionMatch m = figure.match(text);
    if (!m.hasMatch())
        return false;
    const QString digits = QString(text).remove(QLatin1Char(','));
    // Leading zeros ("0012") are codes, not figures.
    const QString integer = m.captured(1);
    if (integer.size() > 1 && integer.startsWith(QLatin1Char('0')))
        return false;
    if (digits.size() > 15)
        return false;   // beyond a double's exact digits: keep the text
    *value = digits.toDouble();
    const int decimals = int(m.captured(4).size());
    *format = (text.contains(QLatin1Char(',')) ? QStringLiteral("#,##0") : QStringLiteral("0"))
              + (decimals > 0 ? QStringLiteral(".") + QString(decimals, QLatin1Char('0')) : QString());
    return true;
}

QString defaultPath(DataGrid *grid)
{
    QString name = grid->window()->windowTitle().trimmed();
    name.replace(QRegularExpression(QStringLiteral("[\\\\/:*?\"<>|\\s]+")), QStringLiteral("_"));
    if (name.isEmpty())
        name = QStringLiteral("导出");
    return QDir(exportFolder()).filePath(
        QStringLiteral("%1-%2.xlsx").arg(name, QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"))));
}

} // namespace

QString exportFolder()
{
    QString base = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (base.isEmpty())
        base = QDir::homePath();
    const QString folder = QDir(base).filePath(QStringLiteral("导出数据"));
    QDir().mkpath(folder);
    return folder;
}

void setFileOpener(FileOpener f)
{
    opener() = std::move(f);
}

WorkbookResult writeGridWorkbook(DataGrid *grid, const QString &path, const std::function<bool(int)> &progress)
{
    WorkbookResult out;
    // Rows go out in order, so the writer keeps only the current row in memory.
    lxw_workbook_options options = {};
    options.constant_memory = LXW_TRUE;
    const QByteArray file = QFile::encodeName(path);
    const QByteArray tmp = QFile::encodeName(QDir::tempPath());
    options.tmpdir = const_cast<char *>(tmp.constData());
    lxw_workbook *book = workbook_new_opt(file.constData(), &options);
    if (!book) {
        out.error = QStringLiteral("无法创建文件 %1").arg(QDir::toNativeSeparators(path));
        return out;
    }
    lxw_worksheet *sheet = workbook_add_worksheet(book, nullptr);
    QHash<QString, lxw_format *> formats;
    auto formatFor = [&](const QString &mask) {
        lxw_format *&f = formats[mask];
        if (!f) {
            f = workbook_add_format(book);
            format_set_num_format(f, mask.toUtf8().constData());
        }
        return f;
    };

    const QList<int> columns = grid->visibleColumns();
    for (int i = 0; i < columns.size(); ++i)
        worksheet_write_string(sheet, 0, lxw_col_t(i), grid->columnTitle(columns[i]).toUtf8().constData(), nullptr);

    // A cell is written as a number when its field holds figures (a number value, or a
    // number mask over decimal text) and its display text is a plain figure.
    QList<bool> figureColumn;
    for (int c : columns) {
        const GridColumn *declared = grid->proxy()->column(c);
        figureColumn.append(declared && !declared->mask.isEmpty()
                            && declared->mask.compare(QLatin1String("YYYY-MM-DD"), Qt::CaseInsensitive) != 0);
    }

    // Moving through the rows must not repaint the form each time.
    grid->view()->setUpdatesEnabled(false);
    QAbstractItemModel *model = grid->model();
    int row = 0;
    for (;; ++row) {
        if (row + 1 >= int(LXW_ROW_MAX)) {
            out.truncated = true;
            break;
        }
        if (row >= grid->rowCount()) {
            if (!model->canFetchMore({}))
                break;
            model->fetchMore({});
            if (row >= grid->rowCount())
                break;
        }
        for (int i = 0; i < columns.size(); ++i) {
            const QString text = grid->displayText(row, columns[i]);
            if (text.isEmpty())
                continue;
            double number = 0;
            QString format;
            const bool figure = (figureColumn[i] || isNumberValue(model->data(model->index(row, columns[i]))))
                                && figureFormat(text, &number, &format);
            if (figure)
                worksheet_write_number(sheet, lxw_row_t(row + 1), lxw_col_t(i), number, formatFor(format));
            else
                worksheet_write_string(sheet, lxw_row_t(row + 1), lxw_col_t(i), text.toUtf8().constData(), nullptr);
        }
        if (progress && (row + 1) % 200 == 0 && !progress(row + 1)) {
            ++row;
            out.truncated = true;
            break;
        }
    }
    if (row > 0)
        grid->setCurrentRow(row - 1);
    grid->view()->setUpdatesEnabled(true);

    out.rows = row;
    const lxw_error result = workbook_close(book);
    if (result != LXW_NO_ERROR)
        out.error = QString::fromUtf8(lxw_strerror(result));
    out.written = result == LXW_NO_ERROR;
    return out;
}

ExportResult exportGrid(DataGrid *grid, const ExportOptions &options)
{
    QWidget *parent = grid->window();
    if (grid->isEmpty()) {
        Messages::info(parent, options.emptyMessage);
        return ExportResult::Empty;
    }
    const QString path = options.filePath.isEmpty() ? defaultPath(grid) : options.filePath;

    // Progress for long exports; the total is known for queries and in-memory lines.
    qint64 total = grid->rowCount();
    if (QueryModel *query = grid->queryModel(); query && query->canFetchMore()) {
        try {
            total = query->totals({}).rows;
        } catch (...) {
        }
    }
    QProgressDialog progress(QStringLiteral("正在导出数据..."), QStringLiteral("取消"), 0, int(qMin<qint64>(total, INT_MAX)),
                             parent);
    progress.setWindowTitle(QStringLiteral("导出"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(total > 2000 ? 300 : 60000);
    const WorkbookResult written = writeGridWorkbook(grid, path, [&](int done) {
        progress.setValue(done);
        QCoreApplication::processEvents();
        return !progress.wasCanceled();
    });
    progress.reset();

    if (!written.written) {
        Messages::error(parent, options.errorText + QStringLiteral("\n") + written.error);
        return ExportResult::WriteFailed;
    }
    if (written.truncated)
        Messages::warning(parent, QStringLiteral("只导出了前 %1 条记录。").arg(written.rows));
    const bool opened = opener() ? opener()(path) : openWithDesktop(path);
    if (!opened) {
        Messages::error(parent, options.errorText + QStringLiteral("\n导出的文件已保存在：") + QDir::toNativeSeparators(path));
        return ExportResult::OpenFailed;
    }
    return ExportResult::Opened;
}

} // namespace shell
