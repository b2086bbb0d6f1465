#include "model/ErrorCodes.h"

#include "model/ResString.h"
#include "model/xml/XmlDocument.h"

QString DescribeModelCode(std::int32_t code)
{
    switch (code) {
    case ConversionCode::TypeMismatch:
        return LoadResString(TextId::ValueNotInteger);
    case ConversionCode::Overflow:
        return LoadResString(TextId::NumberOutOfRange);
    case ConversionCode::NestingTooDeep:
        return LoadResString(TextId::ElementsNestedTooDeep);
    default:
        return DescribeXmlLoadCode(code);
    }
}
