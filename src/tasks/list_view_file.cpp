#include "tasks/list_view_file.h"

#include "platform/atomic_file.h"
#include "platform/dialogs.h"
#include "tasks/program_log.h"
#include "text/cp1250.h"

#include <algorithm>
#include <cstdio>

namespace vonalor {

namespace {

namespace fs = std::filesystem;

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
void putText(std::string& out, std::string_view utf8, ListViewFileCuts& cuts) {
    std::string bytes = toCp1250(utf8);
    if (bytes.size() > MaxListViewCount) {
        bytes.resize(MaxListViewCount);
        ++cuts.texts;
    }
    putU16(out, bytes.size());
    out += bytes;
}

class Reader {
public:
    explicit Reader(std::string_view bytes) : m_bytes(bytes) {}
    bool atEnd() const { return m_pos == m_bytes.size(); }
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
    // The files are Windows-1250 throughout; guessing UTF-8 per text would turn a code page
    // pair such as C3 A9 into one character and write it back as E9.
    bool text(std::string& value) {
        std::size_t length = 0;
        if (!u16(length) || m_bytes.size() - m_pos < length)
            return false;
        value = fromCp1250(m_bytes.substr(m_pos, length));
        m_pos += length;
        return true;
    }

private:
    std::uint32_t byteAt(std::size_t offset) const {
        return static_cast<unsigned char>(m_bytes[m_pos + offset]);
    }
    std::string_view m_bytes;
    std::size_t m_pos = 0;
};

std::string quoted(const fs::path& file) {
    return "\"" + file.filename().string() + "\"";
}

std::string twoDigits(int value) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", value);
    return text;
}

bool occupied(const fs::path& path) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(path, ec));
}

// "Feladatok.sav.serult-20041020-090000", with "-2", "-3"... when an earlier copy of the same
// second is already there: no copy set aside ever replaces another.
fs::path asideName(const fs::path& file, const DateTime& now) {
    const std::string stamp = std::to_string(now.date.year) + twoDigits(now.date.month) +
                              twoDigits(now.date.day) + "-" + twoDigits(now.time.hour) +
                              twoDigits(now.time.minute) + twoDigits(now.time.second);
    const fs::path base = file.string() + ".serult-" + stamp;
    fs::path candidate = base;
    for (int n = 2; occupied(candidate); ++n)
        candidate = base.string() + "-" + std::to_string(n);
    return candidate;
}

// The file could not be read whole: moving it out of the way keeps it for the user while the
// program starts a new list. When even that fails, the log remembers that it must stay as it is.
void setAside(const fs::path& file, ProgramLog& log) {
    const fs::path aside = asideName(file, log.now());
    std::error_code ec;
    fs::rename(file, aside, ec);
    if (!ec) {
        log.AddProgramLogEntry(ProgramLog::Error, "A sérült vagy olvashatatlan " + quoted(file) +
                                                      " fájl megőrizve " + quoted(aside) +
                                                      " néven, új lista kezdődik.");
        return;
    }
    log.keepListFileUntouched(file);
    log.AddProgramLogEntry(ProgramLog::Error, "A sérült vagy olvashatatlan " + quoted(file) +
                                                  " fájlt nem sikerült félretenni (" + ec.message() +
                                                  "), ezért a program nem írja felül.");
}

std::string cutReport(const fs::path& file, const ListViewFileCuts& cuts) {
    std::string parts;
    auto add = [&parts](std::size_t count, const char* what) {
        if (count == 0)
            return;
        if (!parts.empty())
            parts += ", ";
        parts += std::to_string(count) + " " + what;
    };
    add(cuts.rows, "sor");
    add(cuts.subItems, "oszlop");
    add(cuts.texts, "szöveg vége");
    return quoted(file) + " mentése csonka: a fájlformátum korlátai miatt kimaradt " + parts + ".";
}

} // namespace

std::string encodeListViewFile(const ListRows& rows, ListViewFileCuts* cuts) {
    ListViewFileCuts cut;
    std::string out = "LVF";
    const std::size_t count = std::min(rows.size(), MaxListViewCount);
    cut.rows = rows.size() - count;
    putU16(out, count);
    for (std::size_t i = 0; i < count; ++i) {
        const ListRow& row = rows[i];
        const std::size_t subCount = std::min(row.subItems.size(), MaxListViewCount);
        cut.subItems += row.subItems.size() - subCount;
        putU16(out, subCount);
        putI32(out, row.imageIndex);
        putText(out, row.caption, cut);
        for (std::size_t s = 0; s < subCount; ++s)
            putText(out, row.subItems[s], cut);
    }
    if (cuts)
        *cuts = cut;
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
        // Grown item by item: a count is only a claim until its data has been read.
        for (std::size_t s = 0; s < subCount; ++s) {
            std::string sub;
            if (!reader.text(sub)) {
                result.rows.push_back(std::move(row));
                return result;
            }
            row.subItems.push_back(std::move(sub));
        }
        result.rows.push_back(std::move(row));
    }
    result.complete = reader.atEnd();
    return result;
}

bool SaveListViewFile(const ListRows& rows, const std::filesystem::path& file, ProgramLog& log) {
    if (log.isListFileKeptUntouched(file)) {
        const std::string text = quoted(file) + " nem lett mentve: a sérült fájlt a program nem írja felül.";
        log.AddProgramLogEntry(ProgramLog::Error, text);
        return false;
    }
    ListViewFileCuts cuts;
    if (!writeFileAtomically(file, encodeListViewFile(rows, &cuts))) {
        log.AddProgramLogEntry(ProgramLog::Error, "Feladatok/Programnapló írási hiba!");
        return false;
    }
    if (cuts.any())
        log.AddProgramLogEntry(ProgramLog::Error, cutReport(file, cuts));
    return true;
}

bool LoadListViewFile(ListRows& rows, const std::filesystem::path& file, Dialogs& dialogs, ProgramLog& log) {
    std::string bytes;
    if (!readWholeFile(file, bytes)) {
        log.AddProgramLogEntry(ProgramLog::Error, "Feladatok/Programnapló betöltési hiba!");
        // Something is there that cannot be read (a folder, a read error): it must survive the save.
        if (occupied(file))
            setAside(file, log);
        return false;
    }
    DecodedList decoded = decodeListViewFile(bytes);
    if (!decoded.markerOk) {
        dialogs.messageBox("I/O Error", "\"" + file.filename().string() + "\" fájl mentése sikertelen!",
                           mb::IconStop | mb::Ok);
        setAside(file, log);
        return false;
    }
    rows = std::move(decoded.rows);
    if (!decoded.complete) {
        log.AddProgramLogEntry(ProgramLog::Error, "Feladatok/Programnapló betöltési hiba!");
        setAside(file, log);
        return false;
    }
    return true;
}

} // namespace vonalor
