#include "model/ErrorCodes.h"

#include "model/xml/XmlDocument.h"

QString DescribeModelCode(std::int32_t code)
{
    switch (code) {
    case ConversionCode::TypeMismatch:
        return QStringLiteral("значение не является целым числом");
    case ConversionCode::Overflow:
        return QStringLiteral("число вне допустимого диапазона");
    case ConversionCode::NestingTooDeep:
        return QStringLiteral("слишком глубокая вложенность элементов");
    default:
        return DescribeXmlLoadCode(code);
    }
}
