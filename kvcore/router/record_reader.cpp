#include "kvcore/router/record_reader.h"

#include <cstring>

#include "kvcore/values/field_codecs.h"

CRecordReader::CRecordReader(const char* data, size_t length)
    : m_pData(data)
    , m_nLength(data == nullptr ? 0 : length)
{
}

const char* CRecordReader::Fail()
{
    m_bOk = false;
    m_nOffset = m_nLength;
    return nullptr;
}

// A zero-width field is a valid, empty field: the codecs are asked only about real bytes.

int32_t CRecordReader::Int(int width)
{
    const char* field = Take(width);
    return field == nullptr || width == 0 ? 0 : Vorl2Int(field, width);
}

int32_t CRecordReader::Long(int width)
{
    const char* field = Take(width);
    return field == nullptr || width == 0 ? 0 : Vorl2Long(field, width);
}

uint32_t CRecordReader::ULong(int width)
{
    const char* field = Take(width);
    return field == nullptr || width == 0 ? 0 : Vorl2ULong(field, width);
}

std::string CRecordReader::Text(int width)
{
    return ReadText(width, &Vorl2Str0);
}

std::string CRecordReader::TextNoStrip(int width)
{
    return ReadText(width, &Vorl2Str0NoStrip);
}

std::string CRecordReader::ReadText(int width, void (*codec)(char*, const char*, int))
{
    const char* field = Take(width);
    if (field == nullptr || width == 0)
        return {};
    std::string text(static_cast<size_t>(width) + 1, '\0');
    codec(text.data(), field, width);
    text.resize(std::strlen(text.c_str()));
    return text;
}

void CRecordReader::TextInto(char* dst, size_t size, int width)
{
    if (dst == nullptr || size == 0)
        return;
    if (width >= 0 && static_cast<size_t>(width) >= size) {
        Fail();
        dst[0] = '\0';
        return;
    }
    const char* field = Take(width);
    if (field == nullptr || width == 0) {
        dst[0] = '\0';
        return;
    }
    Vorl2Str0(dst, field, width);
}

CDouble CRecordReader::Decimal(int width, int decimals)
{
    if (decimals < 0) {
        Take(-1);
        return CDouble();
    }
    const char* field = Take(width);
    CDouble value(0.0, static_cast<unsigned>(decimals));
    if (field != nullptr && width > 0)
        value.SetVORL(field, static_cast<unsigned>(width), static_cast<unsigned>(decimals));
    return value;
}

CDateTime CRecordReader::Date8()
{
    CDateTime date;
    if (const char* field = Take(8))
        date.SetDateVORL(field);
    return date;
}

CDateTime CRecordReader::Time6()
{
    CDateTime time;
    if (const char* field = Take(6))
        time.SetTimeVORL(field);
    return time;
}

void CRecordReader::Skip(size_t n)
{
    Take(n);
}
