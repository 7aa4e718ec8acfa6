#pragma once

#include <stdexcept>
#include <string>

namespace vonalor {

// A stored text that had to be a number was not one. It ends the event that was running;
// the event boundary shows the message as the platform's notice. `source` names where the text
// came from (a setting, a line of a file) so that the user knows what to repair.
class ConversionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
    ConversionError(const std::string& notice, std::string source, std::string text)
        : std::runtime_error(notice), m_source(std::move(source)), m_text(std::move(text)) {}

    const std::string& source() const { return m_source; }
    const std::string& text() const { return m_text; }

private:
    std::string m_source;
    std::string m_text;
};

} // namespace vonalor
