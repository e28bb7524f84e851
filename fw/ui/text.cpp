#include "fw/ui/text.h"

#include "fw/core/codepage.h"

namespace fw {

QString toQt(std::string_view cp1250)
{
    bool ascii = true;
    for (char c : cp1250)
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
    if (ascii)
        return QString::fromLatin1(cp1250.data(), static_cast<qsizetype>(cp1250.size()));
    std::string utf8 = cp1250ToUtf8(cp1250);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string fromQt(const QString& text)
{
    QByteArray utf8 = text.toUtf8();
    return utf8ToCp1250(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size()))).text;
}

} // namespace fw
