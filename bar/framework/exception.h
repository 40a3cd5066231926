// The framework's own exceptions. They are not std::exception: whoever catches one shows it
// with ReportError, the framework's error box captioned with the application name.
#pragma once

#include <string>

namespace fw {

class CException {
public:
    explicit CException(std::string message) : m_strMessage(std::move(message)) {}
    virtual ~CException() = default;
    const std::string& Message() const { return m_strMessage; }
    // Shows the message in a box captioned with the application name (error icon).
    void ReportError() const;

private:
    std::string m_strMessage;
};

}  // namespace fw
