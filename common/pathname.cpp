#include "common/pathname.h"

#include <string_view>
#include <utility>
#include <vector>

#include "common/shift_jis.h"

namespace {

constexpr std::size_t kNone = std::string::npos;

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// 2 for a Shift-JIS lead byte with its trail byte, else 1.
std::size_t CharLength(const std::string& text, std::size_t i) {
    return IsShiftJisLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
}

// Index of the first separator in text[from, end), or end.
std::size_t FindSeparator(const std::string& text, std::size_t from, std::size_t end) {
    for (std::size_t i = from; i < end; i += CharLength(text, i)) {
        if (IsSeparator(text[i])) return i;
    }
    return end;
}

// True for ".", "..", "..." and for the empty component between two separators.
bool IsOnlyDots(std::string_view component) {
    return component.find_first_not_of('.') == std::string_view::npos;
}

char UpperCaseAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Appends a leading separator of text[from, end) to result as written, then calls
// visit(component, separator) for each component; separator is '\0' after the last one
// when nothing follows it.
template <typename Visit>
void WalkComponents(const std::string& text, std::size_t from, std::size_t end, std::string& result,
                    Visit visit) {
    if (from < end && IsSeparator(text[from])) result += text[from++];
    while (from < end) {
        const std::size_t separator = FindSeparator(text, from, end);
        visit(std::string_view(text).substr(from, separator - from),
              separator < end ? text[separator] : '\0');
        from = separator + 1;
    }
}

}  // namespace

PathName::PathName(std::string text) : text_(std::move(text)) { Parse(); }

PathName& PathName::operator=(std::string text) {
    text_ = std::move(text);
    Parse();
    return *this;
}

void PathName::Parse() {
    const std::size_t n = text_.size();
    rootEnd_ = 0;
    if (n >= 2 && text_[1] == ':') {
        rootEnd_ = 2;
    } else if (n >= 2 && IsSeparator(text_[0]) && IsSeparator(text_[1])) {
        rootEnd_ = FindSeparator(text_, 2, n);  // \\server
    }

    std::size_t lastSeparator = kNone;
    std::size_t lastDot = kNone;
    for (std::size_t i = rootEnd_; i < n; i += CharLength(text_, i)) {
        if (IsSeparator(text_[i])) {
            lastSeparator = i;
        } else if (text_[i] == '.') {
            lastDot = i;
        }
    }
    nameStart_ = lastSeparator == kNone ? rootEnd_ : lastSeparator + 1;
    // A leading dot (.profile) starts a name, not an extension.
    extStart_ = lastDot != kNone && lastDot > nameStart_ ? lastDot : n;
}

std::string PathName::Part(unsigned parts) const {
    const std::size_t bounds[] = {0, rootEnd_, nameStart_, extStart_, text_.size()};
    std::string result;
    for (unsigned i = 0; i < 4; ++i) {
        if (parts & (1u << i)) result.append(text_, bounds[i], bounds[i + 1] - bounds[i]);
    }
    return result;
}

void PathName::EnsureTrailingSeparator() {
    if (nameStart_ == text_.size()) return;  // no file name: a folder or a bare root already
    text_ += '\\';
    Parse();
}

void PathName::RemoveTrailingSeparator() {
    if (nameStart_ != text_.size()) return;
    if (nameStart_ - rootEnd_ <= 1 || text_.back() != '\\') return;  // a root's own '\' stays
    text_.pop_back();
    Parse();
}

void PathName::Normalize() {
    std::string result = text_.substr(0, rootEnd_);
    std::vector<std::size_t> levels;  // result's length before each component still in it
    WalkComponents(text_, rootEnd_, nameStart_, result,
                   [&](std::string_view component, char separator) {
                       if (!IsOnlyDots(component)) {
                           levels.push_back(result.size());
                           result.append(component).push_back(separator);
                           return;
                       }
                       for (std::size_t level = 1; level < component.size(); ++level) {
                           if (levels.empty()) {
                               result += "..\\";
                               continue;
                           }
                           result.resize(levels.back());
                           levels.pop_back();
                       }
                   });
    result.append(text_, nameStart_, kNone);
    *this = std::move(result);
}

void PathName::RespellComponents(const NameLookup& onDiskName) {
    std::string result = text_.substr(0, rootEnd_);
    if (rootEnd_ == 2 && result[1] == ':') {
        result[0] = UpperCaseAscii(result[0]);
    } else if (rootEnd_ > 0) {
        result[0] = result[1] = '\\';  // //server becomes \\server
    }
    WalkComponents(text_, rootEnd_, text_.size(), result,
                   [&](std::string_view component, char separator) {
                       const std::size_t start = result.size();
                       result.append(component);
                       if (!IsOnlyDots(component)) {
                           const std::string name = onDiskName(result);
                           if (!name.empty()) result.replace(start, kNone, name);
                       }
                       if (separator != '\0') result += '\\';
                   });
    *this = std::move(result);
}
