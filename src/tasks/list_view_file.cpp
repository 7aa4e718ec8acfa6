#include "tasks/list_view_file.h"

#include "platform/atomic_file.h"
#include "platform/dialogs.h"
#include "tasks/program_log.h"
#include "text/cp1250.h"

#include <algorithm>
#include <limits>

namespace vonalor {

namespace {

constexpr std::size_t maxCount = std::numeric_limits<std::uint16_t>::max();

void putU16(std::string& out, std::size_t value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

void putI32(std::string& out, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8)
        out += static_cast<char>((bits >> shift) & 0xFF);
}

// Texts beyond the 16-bit length are cut at the limit.
void putText(std::string& out, std::string_view utf8) {
    std::string bytes = toCp1250(utf8);
    bytes.resize(std::min(bytes.size(), maxCount));
    putU16(out, bytes.size());
    out += bytes;
}

class Reader {
public:
    explicit Reader(std::string_view bytes) : m_bytes(bytes) {}
    bool u16(std::size_t& value) {
        if (m_bytes.size() - m_pos < 2)
            return false;
        value = byteAt(0) | (byteAt(1) << 8);
        m_pos += 2;
        return true;
    }
    bool i32(std::int32_t& value) {
        if (m_bytes.size() - m_pos < 4)
            return false;
        const std::uint32_t bits = byteAt(0) | (byteAt(1) << 8) | (byteAt(2) << 16) | (byteAt(3) << 24);
        value = static_cast<std::int32_t>(bits);
        m_pos += 4;
        return true;
    }
    bool text(std::string& value) {
        std::size_t length = 0;
        if (!u16(length) || m_bytes.size() - m_pos < length)
            return false;
        value = decodeFileText(m_bytes.substr(m_pos, length));
        m_pos += length;
        return true;
    }

private:
    std::uint32_t byteAt(std::size_t offset) const { return static_cast<unsigned char>(m_bytes[m_pos + offset]); }
    std::string_view m_bytes;
    std::size_t m_pos = 0;
};

} // namespace

std::string encodeListViewFile(const ListRows& rows) {
    std::string out = "LVF";
    const std::size_t count = std::min(rows.size(), maxCount);
    putU16(out, count);
    for (std::size_t i = 0; i < count; ++i) {
        const ListRow& row = rows[i];
        const std::size_t subCount = std::min(row.subItems.size(), maxCount);
        putU16(out, subCount);
        putI32(out, row.imageIndex);
        putText(out, row.caption);
        for (std::size_t s = 0; s < subCount; ++s)
            putText(out, row.subItems[s]);
    }
    return out;
}

DecodedList decodeListViewFile(std::string_view bytes) {
    DecodedList result;
    if (bytes.size() < 3 || bytes.substr(0, 3) != "LVF")
        return result;
    result.markerOk = true;
    Reader reader(bytes.substr(3));
    std::size_t count = 0;
    if (!reader.u16(count))
        return result;
    for (std::size_t i = 0; i < count; ++i) {
        ListRow row;
        std::size_t subCount = 0;
        if (!reader.u16(subCount) || !reader.i32(row.imageIndex) || !reader.text(row.caption))
            return result;
        row.subItems.resize(subCount);
        for (std::size_t s = 0; s < subCount; ++s) {
            if (!reader.text(row.subItems[s])) {
                row.subItems.resize(s);
                result.rows.push_back(std::move(row));
                return result;
            }
        }
        result.rows.push_back(std::move(row));
    }
    result.complete = true;
    return result;
}

bool SaveListViewFile(const ListRows& rows, const std::filesystem::path& file, ProgramLog& log) {
    if (!writeFileAtomically(file, encodeListViewFile(rows))) {
        log.AddProgramLogEntry(ProgramLog::Error, "Feladatok/Programnapló írási hiba!");
        return false;
    }
    return true;
}

bool LoadListViewFile(ListRows& rows, const std::filesystem::path& file, Dialogs& dialogs, ProgramLog& log) {
    std::string bytes;
    if (!readWholeFile(file, bytes)) {
        log.AddProgramLogEntry(ProgramLog::Error, "Feladatok/Programnapló betöltési hiba!");
        return false;
    }
    DecodedList decoded = decodeListViewFile(bytes);
    if (!decoded.markerOk) {
        dialogs.messageBox("I/O Error", "\"" + file.filename().string() + "\" fájl mentése sikertelen!",
                           mb::IconStop | mb::Ok);
        return false;
    }
    rows = std::move(decoded.rows);
    if (!decoded.complete) {
        log.AddProgramLogEntry(ProgramLog::Error, "Feladatok/Programnapló betöltési hiba!");
        return false;
    }
    return true;
}

} // namespace vonalor
