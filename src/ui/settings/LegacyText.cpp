#include "ui/settings/LegacyText.h"

#include <iconv.h>

#include <cstdint>

namespace quillane {
namespace {

class TConverter {
public:
    TConverter() : cd_(::iconv_open("UTF-8", "GB18030")) {}
    ~TConverter()
    {
        if (Valid())
            ::iconv_close(cd_);
    }
    TConverter(const TConverter&) = delete;
    TConverter& operator=(const TConverter&) = delete;
    bool Valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t Get() const { return cd_; }

private:
    iconv_t cd_;
};

// Length of the UTF-8 sequence a lead byte opens, 0 for a byte that cannot lead.
std::size_t SequenceLength(unsigned char lead)
{
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

}  // namespace

bool IsValidUtf8(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = SequenceLength(lead);
        if (length == 0 || i + length > text.size())
            return false;
        std::uint32_t code = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (next & 0x3F);
        }
        const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
        if (overlong || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += length;
    }
    return true;
}

std::string LegacyTextToUtf8(std::string_view text)
{
    if (IsValidUtf8(text))
        return std::string(text);
    TConverter converter;
    if (!converter.Valid())
        return std::string(text);
    std::string input(text);
    std::string output(input.size() * 2 + 4, '\0');
    char* in = input.data();
    std::size_t inLeft = input.size();
    char* out = output.data();
    std::size_t outLeft = output.size();
    if (::iconv(converter.Get(), &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1))
        return std::string(text);
    output.resize(output.size() - outLeft);
    return output;
}

}  // namespace quillane
