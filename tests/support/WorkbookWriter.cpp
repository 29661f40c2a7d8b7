#include "support/WorkbookWriter.h"

#include <cstdlib>
#include <map>
#include <zlib.h>

namespace karvo::test {

namespace {

// Little-endian fields, the width in bytes of each given by the digits of widths.
void Put(std::string& out, const char* widths, std::initializer_list<std::uint32_t> values)
{
    for (std::uint32_t value : values) {
        for (int i = 0; i < *widths - '0'; ++i) {
            out += static_cast<char>(value >> (8 * i));
        }
        ++widths;
    }
}

// Raw deflate data: zlib's format less its two-byte header and four-byte checksum.
std::string RawDeflate(const std::string& data)
{
    uLongf size = compressBound(data.size());
    std::string out(size, '\0');
    compress2(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(data.data()), data.size(), 6);
    return out.substr(2, size - 6);
}

} // namespace

std::string ZipBytes(const std::vector<ZipEntry>& entries)
{
    std::string out;
    std::string directory;
    for (const ZipEntry& entry : entries) {
        const std::string data = entry.deflate ? RawDeflate(entry.content) : entry.content;
        const std::uint32_t crc = crc32(0, reinterpret_cast<const Bytef*>(entry.content.data()), entry.content.size());
        const std::uint32_t size = entry.declaredSize < 0 ? entry.content.size() : entry.declaredSize;
        const std::uint32_t packed = data.size(), name = entry.name.size(), method = entry.deflate ? 8 : 0;
        // Central record: versions, flag, method, time, CRC, sizes, name and other lengths, offset.
        Put(directory, "4222244442222244",
            {0x02014b50, 20, 20, 8, method, 0, crc, packed, size, name, 0, 0, 0, 0, 0,
             static_cast<std::uint32_t>(out.size())});
        directory += entry.name;
        // Local header (flag 8: CRC and sizes follow the data), data, data descriptor.
        Put(out, "4222444422", {0x04034b50, 20, 8, method, 0, 0, 0, 0, name, 0});
        out += entry.name + data;
        Put(out, "4444", {0x08074b50, crc, packed, size});
    }
    const std::uint32_t count = entries.size(), where = out.size(), length = directory.size();
    Put(directory, "42222442", {0x06054b50, 0, 0, count, count, length, where, 0});
    return out + directory;
}

std::string SheetXml(const std::string& rowsXml)
{
    return "<worksheet><dimension ref=\"A1:W100\"/>"
        + (rowsXml.empty() ? "<sheetData/>" : "<sheetData>" + rowsXml + "</sheetData>") + "</worksheet>";
}

std::string SharedStringsXml(const std::vector<std::string>& texts)
{
    std::string xml = "<sst count=\"" + std::to_string(texts.size()) + "\">";
    for (const std::string& text : texts) {
        const bool blank = text.find(' ') != std::string::npos;
        xml += (blank ? "<si><t xml:space=\"preserve\">" : "<si><t>") + text + "</t></si>";
    }
    return xml + "</sst>";
}

std::string OperatorWorkbookBytes(const OperatorWorkbook& sheets)
{
    std::vector<std::string> texts;
    std::map<std::string, std::size_t> indexOf;
    std::vector<ZipEntry> entries{{"[Content_Types].xml", "<Types/>"}, {"xl/workbook.xml", "<workbook/>"}};
    for (std::size_t s = 0; s < sheets.size(); ++s) {
        std::string rows;
        for (std::size_t r = 0; r < sheets[s].size(); ++r) {
            const std::string number = std::to_string(r + 1);
            rows += "<row r=\"" + number + "\" spans=\"1:23\">";
            // Cell references are for show (the reader numbers cells by order): A to W suffice.
            for (std::size_t c = 0; c < sheets[s][r].size(); ++c) {
                const std::string& text = sheets[s][r][c];
                rows += "<c r=\"" + std::string(1, static_cast<char>('A' + c)) + number + "\" s=";
                if (text.empty()) {
                    rows += "\"4\"/>";
                    continue;
                }
                const auto [found, added] = indexOf.emplace(text, texts.size());
                if (added) {
                    texts.push_back(text);
                }
                rows += "\"2\" t=\"s\"><v>" + std::to_string(found->second) + "</v></c>";
            }
            rows += "</row>";
        }
        entries.push_back({"xl/worksheets/sheet" + std::to_string(s + 1) + ".xml", SheetXml(rows)});
    }
    entries.push_back({"xl/sharedStrings.xml", SharedStringsXml(texts)});
    return ZipBytes(entries);
}

std::string TestDataFolder()
{
    const char* folder = std::getenv("KARVO_TEST_DATA");
    return std::string(folder && *folder ? folder : KARVO_TEST_DATA_DIR) + "/";
}

} // namespace karvo::test
