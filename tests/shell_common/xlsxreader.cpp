#include "tests/shell_common/xlsxreader.h"

#include <QFile>
#include <QHash>
#include <QXmlStreamReader>
#include <QtEndian>
#include <zlib.h>

namespace sample {

namespace {

// One file of a zip archive, read through its central directory. (QuaZip cannot share a
// process with libxlsxwriter: both bring minizip functions of the same names.)
QByteArray entry(const QString &path, const QString &name)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray zip = file.readAll();
    auto u16 = [&](qsizetype at) { return at + 2 <= zip.size() ? qFromLittleEndian<quint16>(zip.constData() + at) : 0; };
    auto u32 = [&](qsizetype at) { return at + 4 <= zip.size() ? qFromLittleEndian<quint32>(zip.constData() + at) : 0u; };
    qsizetype end = zip.size() - 22;
    while (end >= 0 && u32(end) != 0x06054b50u)
        --end;
    if (end < 0)
        return {};
    qsizetype at = u32(end + 16);
    for (int i = 0, n = u16(end + 10); i < n && u32(at) == 0x02014b50u; ++i) {
        const int method = u16(at + 10);
        const quint32 packed = u32(at + 20), size = u32(at + 24);
        const int nameLength = u16(at + 28);
        const qsizetype local = u32(at + 42);
        const QByteArray entryName = zip.mid(at + 46, nameLength);
        at += 46 + nameLength + u16(at + 30) + u16(at + 32);
        if (QString::fromUtf8(entryName) != name)
            continue;
        const qsizetype data = local + 30 + u16(local + 26) + u16(local + 28);
        const QByteArray raw = zip.mid(data, packed);
        if (method == 0)
            return raw;
        QByteArray out(qsizetype(size), Qt::Uninitialized);
        z_stream zs = {};
        zs.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(raw.constData()));
        zs.avail_in = uInt(raw.size());
        zs.next_out = reinterpret_cast<Bytef *>(out.data());
        zs.avail_out = uInt(out.size());
        if (inflateInit2(&zs, -MAX_WBITS) != Z_OK)
            return {};
        const int rc = inflate(&zs, Z_FINISH);
        inflateEnd(&zs);
        return rc == Z_STREAM_END ? out : QByteArray();
    }
    return {};
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
