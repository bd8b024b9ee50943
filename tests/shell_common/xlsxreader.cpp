#include "tests/shell_common/xlsxreader.h"

#include <QHash>
#include <QXmlStreamReader>
#include <quazip.h>
#include <quazipfile.h>

namespace sample {

namespace {

QByteArray entry(const QString &path, const QString &name)
{
    QuaZip zip(path);
    if (!zip.open(QuaZip::mdUnzip) || !zip.setCurrentFile(name))
        return {};
    QuaZipFile file(&zip);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

int columnIndex(const QString &ref)
{
    int col = 0;
    for (QChar c : ref) {
        if (!c.isLetter()) break;
        col = col * 26 + (c.toUpper().unicode() - 'A' + 1);
    }
    return col - 1;
}

int rowIndex(const QString &ref)
{
    int i = 0;
    while (i < ref.size() && ref[i].isLetter()) ++i;
    return ref.mid(i).toInt() - 1;
}

QStringList sharedStrings(const QString &path)
{
    QStringList strings;
    QXmlStreamReader xml(entry(path, QStringLiteral("xl/sharedStrings.xml")));
    QString current;
    bool inSi = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("si")) { inSi = true; current.clear(); }
        else if (xml.isStartElement() && xml.name() == QLatin1String("t") && inSi) current += xml.readElementText();
        else if (xml.isEndElement() && xml.name() == QLatin1String("si")) { inSi = false; strings.append(current); }
    }
    return strings;
}

} // namespace

QList<QList<SheetCell>> readFirstSheet(const QString &path)
{
    const QByteArray sheet = entry(path, QStringLiteral("xl/worksheets/sheet1.xml"));
    if (sheet.isEmpty())
        return {};
    const QStringList shared = sharedStrings(path);
    QList<QList<SheetCell>> rows;
    QXmlStreamReader xml(sheet);
    int row = 0, col = 0, style = 0;
    QString type;
    auto put = [&](const SheetCell &cell) {
        while (rows.size() <= row) rows.append(QList<SheetCell>());
        while (rows[row].size() <= col) rows[row].append(SheetCell());
        rows[row][col] = cell;
    };
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("c")) {
            const QString ref = xml.attributes().value(QLatin1String("r")).toString();
            row = rowIndex(ref);
            col = columnIndex(ref);
            type = xml.attributes().value(QLatin1String("t")).toString();
            style = xml.attributes().value(QLatin1String("s")).toInt();
        } else if (xml.name() == QLatin1String("v")) {
            const QString v = xml.readElementText();
            if (type == QLatin1String("s"))
                put({shared.value(v.toInt()), false, style});
            else
                put({v, type.isEmpty() || type == QLatin1String("n"), style});
        } else if (xml.name() == QLatin1String("t") && type == QLatin1String("inlineStr")) {
            put({xml.readElementText(), false, style});
        }
    }
    return rows;
}

QList<QStringList> readFirstSheetTexts(const QString &path)
{
    QList<QStringList> out;
    for (const auto &row : readFirstSheet(path)) {
        QStringList texts;
        for (const SheetCell &c : row) texts.append(c.text);
        out.append(texts);
    }
    return out;
}

QStringList readCellFormats(const QString &path)
{
    QXmlStreamReader xml(entry(path, QStringLiteral("xl/styles.xml")));
    QHash<int, QString> numFmts;
    QStringList formats;
    bool inCellXfs = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("numFmt"))
            numFmts.insert(xml.attributes().value(QLatin1String("numFmtId")).toInt(),
                           xml.attributes().value(QLatin1String("formatCode")).toString());
        else if (xml.isStartElement() && xml.name() == QLatin1String("cellXfs"))
            inCellXfs = true;
        else if (xml.isEndElement() && xml.name() == QLatin1String("cellXfs"))
            inCellXfs = false;
        else if (inCellXfs && xml.isStartElement() && xml.name() == QLatin1String("xf")) {
            const int id = xml.attributes().value(QLatin1String("numFmtId")).toInt();
            formats.append(id == 2 ? QStringLiteral("0.00") : id == 4 ? QStringLiteral("#,##0.00")
                           : id == 1 ? QStringLiteral("0") : id == 3 ? QStringLiteral("#,##0") : numFmts.value(id));
        }
    }
    return formats;
}

} // namespace sample
