#include "help/generator/cp932.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace helpgen {
namespace {

class Converter {
public:
    Converter() : m_cd(iconv_open("CP932", "UTF-8")) {
        if (m_cd == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error("iconv cannot convert UTF-8 to CP932");
    }
    ~Converter() { iconv_close(m_cd); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    iconv_t Get() const { return m_cd; }

private:
    iconv_t m_cd;
};

}  // namespace

std::string Utf8ToCp932(const std::string& utf8) {
    Converter converter;
    std::string out(utf8.size() * 2 + 1, '\0');  // never longer than twice the input
    char* in = const_cast<char*>(utf8.data());
    size_t inLeft = utf8.size();
    char* dest = out.data();
    size_t outLeft = out.size();
    if (iconv(converter.Get(), &in, &inLeft, &dest, &outLeft) == static_cast<size_t>(-1)) {
        const size_t at = utf8.size() - inLeft;
        throw std::runtime_error("no code page 932 form for the text at byte " + std::to_string(at) +
                                 " of \"" + utf8 + "\"");
    }
    out.resize(out.size() - outLeft);
    return out;
}

}  // namespace helpgen
