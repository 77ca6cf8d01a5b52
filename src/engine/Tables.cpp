#include "engine/Tables.h"

namespace quorvel {

void buildTranslationTables(CodeTable& maCode, CodeTable& maChar)
{
    static constexpr char16_t kChars[kTableSize] = {
        u' ', u'#', u'$', u'%', u'&',  u'\'', u'-', u'.', u'/', u':', u';', u'<', u'=',
        u'>', u'?', u'@', u'[', u'\\', u']',  u'^', u'`', u'{', u'|', u'}', u'~',
    };
    static constexpr char16_t kHex[] = u"0123456789ABCDEF";
    for (std::size_t i = 0; i < kTableSize; ++i) {
        const char16_t c = kChars[i];
        maCode[i] = {u'%', kHex[c >> 4], kHex[c & 0xF]};
        maChar[i] = std::u16string(1, c);
    }
}

} // namespace quorvel
