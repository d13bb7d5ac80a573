#include "platform/audiounit/ComponentDescription.h"

namespace au {

std::string fourCharString(FourCharCode code)
{
    std::string text(4, ' ');
    for (int i = 0; i < 4; ++i)
        text[std::size_t(i)] = static_cast<char>((code >> (24 - 8 * i)) & 0xff);
    return text;
}

} // namespace au
