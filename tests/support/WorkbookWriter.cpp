#include "support/WorkbookWriter.h"

#include <cstdlib>
#include <map>
#include <zlib.h>

namespace karvo::test {

namespace {

void Put16(std::string& out, unsigned value)
{
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

void Put32(std::string& out, std::uint32_t value)
{
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

std::string RawDeflate(const std::string& data)
{
    z_stream stream{};
    deflateInit2(&stream, 6, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&stream, data.size()), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

// Column letters of a 1-based column: 1 A, 26 Z, 27 AA.
std::string ColumnName(int column)
{
    std::string name;
    for (; column > 0; column = (column - 1) / 26) {
        name.insert(name.begin(), static_cast<char>('A' + (column - 1) % 26));
    }
    return name;
}

} // namespace

std::string ZipBytes(const std::vector<ZipEntry>& entries)
{
    std::string out;
    std::string directory;
    for (const ZipEntry& entry : entries) {
        const std::string data = entry.deflate ? RawDeflate(entry.content) : entry.content;
        const auto crc = static_cast<std::uint32_t>(
            crc32(0, reinterpret_cast<const Bytef*>(entry.content.data()), static_cast<uInt>(entry.content.size())));
        const auto size = static_cast<std::uint32_t>(entry.declaredSize >= 0 ? entry.declaredSize : entry.content.size());
        const auto offset = static_cast<std::uint32_t>(out.size());
        const unsigned method = entry.deflate ? 8 : 0;
        // Local header with the sizes left to the data descriptor that follows the data.
        Put32(out, 0x04034b50);
        Put16(out, 20);
        Put16(out, 0x0008);
        Put16(out, method);
        Put32(out, 0);
        Put32(out, 0);
        Put32(out, 0);
        Put32(out, 0);
        Put16(out, static_cast<unsigned>(entry.name.size()));
        Put16(out, 0);
        out += entry.name;
        out += data;
        Put32(out, 0x08074b50);
        Put32(out, crc);
        Put32(out, static_cast<std::uint32_t>(data.size()));
        Put32(out, size);
        Put32(directory, 0x02014b50);
        Put16(directory, 20);
        Put16(directory, 20);
        Put16(directory, 0x0008);
        Put16(directory, method);
        Put32(directory, 0);
        Put32(directory, crc);
        Put32(directory, static_cast<std::uint32_t>(data.size()));
        Put32(directory, size);
        Put16(directory, static_cast<unsigned>(entry.name.size()));
        Put32(directory, 0);  // extra and comment lengths
        Put32(directory, 0);  // disk number and internal attributes
        Put32(directory, 0);  // external attributes
        Put32(directory, offset);
        directory += entry.name;
    }
    const auto directoryOffset = static_cast<std::uint32_t>(out.size());
    out += directory;
    Put32(out, 0x06054b50);
    Put32(out, 0);
    Put16(out, static_cast<unsigned>(entries.size()));
    Put16(out, static_cast<unsigned>(entries.size()));
    Put32(out, static_cast<std::uint32_t>(directory.size()));
    Put32(out, directoryOffset);
    Put16(out, 0);
    return out;
}

std::string SheetXml(const std::string& rowsXml)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
           "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
           "<dimension ref=\"A1:W100\"/><sheetData>"
           + rowsXml + "</sheetData><pageMargins left=\"0.7\" right=\"0.7\"/></worksheet>";
}

std::string SharedStringsXml(const std::vector<std::string>& texts)
{
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
                      "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" count=\""
                      + std::to_string(texts.size()) + "\">";
    for (const std::string& text : texts) {
        const bool blanks = text.find(' ') != std::string::npos;
        xml += blanks ? "<si><t xml:space=\"preserve\">" : "<si><t>";
        xml += text + "</t></si>";
    }
    return xml + "</sst>";
}

std::vector<ZipEntry> OperatorWorkbookEntries(const OperatorWorkbook& book)
{
    std::vector<std::string> texts;
    std::map<std::string, std::size_t> indexOf;
    std::vector<ZipEntry> sheets;
    for (std::size_t s = 0; s < book.sheets.size(); ++s) {
        std::string rows;
        for (std::size_t r = 0; r < book.sheets[s].size(); ++r) {
            const std::string number = std::to_string(r + 1);
            rows += "<row r=\"" + number + "\" spans=\"1:23\">";
            for (std::size_t c = 0; c < book.sheets[s][r].size(); ++c) {
                const std::string& text = book.sheets[s][r][c];
                const std::string ref = ColumnName(static_cast<int>(c) + 1) + number;
                if (text.empty()) {
                    rows += "<c r=\"" + ref + "\" s=\"4\"/>";
                    continue;
                }
                auto [found, added] = indexOf.emplace(text, texts.size());
                if (added) {
                    texts.push_back(text);
                }
                rows += "<c r=\"" + ref + "\" s=\"2\" t=\"s\"><v>" + std::to_string(found->second) + "</v></c>";
            }
            rows += "</row>";
        }
        std::string xml = SheetXml(rows);
        if (rows.empty() && book.emptySheetData) {
            xml.replace(xml.find("<sheetData></sheetData>"), 23, "<sheetData/>");
        }
        sheets.push_back({"xl/worksheets/sheet" + std::to_string(s + 1) + ".xml", xml});
    }
    std::vector<ZipEntry> entries{
        {"[Content_Types].xml", "<?xml version=\"1.0\"?><Types/>"},
        {"_rels/.rels", "<?xml version=\"1.0\"?><Relationships/>"},
        {"xl/workbook.xml", "<?xml version=\"1.0\"?><workbook><sheets/></workbook>"},
        {"xl/styles.xml", "<?xml version=\"1.0\"?><styleSheet/>"},
    };
    entries.insert(entries.end(), sheets.begin(), sheets.end());
    entries.push_back({"xl/sharedStrings.xml", SharedStringsXml(texts)});
    return entries;
}

std::string OperatorWorkbookBytes(const OperatorWorkbook& book)
{
    return ZipBytes(OperatorWorkbookEntries(book));
}

std::string TestDataFolder()
{
    const char* folder = std::getenv("KARVO_TEST_DATA");
    return std::string(folder && *folder ? folder : KARVO_TEST_DATA_DIR) + "/";
}

} // namespace karvo::test
