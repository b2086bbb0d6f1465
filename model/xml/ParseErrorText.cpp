#include "model/xml/ParseErrorText.h"

#include <libxml/xmlerror.h>

#include <cstring>

namespace {

QString Utf8(const char *text)
{
    return text ? QString::fromUtf8(text) : QString();
}

bool Mentions(const xmlError &error, const char *words)
{
    return error.message && std::strstr(error.message, words);
}

// The parser's own words, for errors no Russian text covers.
QString ParserText(const xmlError &error)
{
    return QStringLiteral("ошибка разбора XML %1: %2").arg(error.code).arg(Utf8(error.message).trimmed());
}

QString InvalidCharacter(const xmlError &error)
{
    if (Mentions(error, "not proper UTF-8")) {
        // "Bytes: 0xF3 0xEB ..." names the first byte that does not decode.
        const QString bytes = Utf8(error.str1);
        const qsizetype at = bytes.indexOf(QStringLiteral("0x"));
        const QString first = at < 0 ? QString() : bytes.mid(at, 4).toLower();
        return first.isEmpty() ? QStringLiteral("недопустимая последовательность байтов UTF-8")
                               : QStringLiteral("недопустимая последовательность байтов UTF-8 (%1)").arg(first);
    }
    if (Mentions(error, "CharRef")) {
        // A reference the parser cannot read at all also reports the value 0.
        if (error.int1 == 0)
            return QStringLiteral("ссылка на символ «&#...;» записана с ошибкой или указывает на символ NUL");
        return QStringLiteral("ссылка на символ U+%1, недопустимый в XML")
            .arg(QString::number(error.int1, 16).toUpper().rightJustified(4, u'0'));
    }
    if (Mentions(error, "Char value") || Mentions(error, "Char 0x")) {
        if (error.int1 == 0)
            return QStringLiteral("недопустимый символ NUL");
        return QStringLiteral("недопустимый символ U+%1")
            .arg(QString::number(error.int1, 16).toUpper().rightJustified(4, u'0'));
    }
    if (Mentions(error, "attribute value"))
        return QStringLiteral("недопустимый символ в значении атрибута");
    return QStringLiteral("недопустимый символ");
}

} // namespace

QString DescribeParseError(const xmlError &error)
{
    const QString s1 = Utf8(error.str1);
    switch (error.code) {
    case XML_ERR_DOCUMENT_EMPTY:
        return QStringLiteral("в документе нет корневого элемента (ожидался открывающий тег «<...>»)");
    case XML_ERR_DOCUMENT_END:
    case XML_ERR_EXTRA_CONTENT:
        return QStringLiteral("после корневого элемента есть ещё содержимое (у документа один корневой элемент)");
    case XML_ERR_INVALID_HEX_CHARREF:
    case XML_ERR_INVALID_DEC_CHARREF:
    case XML_ERR_INVALID_CHARREF:
        return QStringLiteral("ссылка на символ, недопустимый в XML, или ошибка в записи ссылки «&#...;»");
    case XML_ERR_INVALID_CHAR:
        return InvalidCharacter(error);
    case XML_ERR_CHARREF_IN_PROLOG:
    case XML_ERR_CHARREF_IN_EPILOG:
    case XML_ERR_ENTITYREF_IN_PROLOG:
    case XML_ERR_ENTITYREF_IN_EPILOG:
        return QStringLiteral("ссылка вне корневого элемента");
    case XML_ERR_ENTITYREF_NO_NAME:
        return QStringLiteral("знак «&» не начинает ссылку (сам знак записывается как &amp;)");
    case XML_ERR_ENTITYREF_SEMICOL_MISSING:
        return QStringLiteral("ссылка на сущность не завершена знаком «;» (сам знак «&» записывается как &amp;)");
    case XML_WAR_UNDECLARED_ENTITY:
        return QStringLiteral("сущность «%1» не объявлена в документе, а внешнее описание его типа не читается")
            .arg(s1);
    case XML_ERR_UNDECLARED_ENTITY:
        if (Mentions(error, "failed to parse"))
            return QStringLiteral("сущность «%1» не удалось разобрать").arg(s1);
        return QStringLiteral("сущность «%1» не объявлена в документе").arg(s1);
    case XML_ERR_UNPARSED_ENTITY:
        return QStringLiteral("ссылка на неразбираемую сущность «%1»").arg(s1);
    case XML_ERR_ENTITY_IS_EXTERNAL:
        return QStringLiteral("значение атрибута ссылается на внешнюю сущность «%1»: внешние сущности не читаются")
            .arg(s1);
    case XML_ERR_UNKNOWN_ENCODING:
    case XML_ERR_UNSUPPORTED_ENCODING:
        return QStringLiteral("кодировка «%1» не поддерживается").arg(s1);
    case XML_ERR_INVALID_ENCODING:
        if (Mentions(error, "UTF-16"))
            return QStringLiteral("в объявлении указана кодировка UTF-16, но текст записан однобайтовыми символами");
        return QStringLiteral("текст не соответствует объявленной кодировке");
    case XML_ERR_LT_IN_ATTRIBUTE:
        return QStringLiteral("знак «<» в значении атрибута (записывается как &lt;)");
    case XML_ERR_STRING_NOT_STARTED:
    case XML_ERR_STRING_NOT_CLOSED:
        return QStringLiteral("ошибка в объявлении XML «<?xml ...?>»: значение не заключено в кавычки");
    case XML_ERR_ATTRIBUTE_NOT_STARTED:
        return QStringLiteral("значение атрибута должно быть в кавычках");
    case XML_ERR_ATTRIBUTE_NOT_FINISHED:
        if (Mentions(error, "too long"))
            return QStringLiteral("значение атрибута длиннее допустимого");
        return QStringLiteral("значение атрибута не закрыто кавычкой");
    case XML_ERR_ATTRIBUTE_WITHOUT_VALUE:
        return QStringLiteral("у атрибута %1 нет значения").arg(s1);
    case XML_ERR_ATTRIBUTE_REDEFINED:
        return QStringLiteral("атрибут %1 указан у элемента повторно").arg(s1);
    case XML_ERR_EQUAL_REQUIRED:
        return QStringLiteral("после имени атрибута нет знака «=»");
    case XML_ERR_COMMENT_NOT_FINISHED:
        return QStringLiteral("комментарий не закрыт");
    case XML_ERR_HYPHEN_IN_COMMENT:
        return QStringLiteral("два дефиса «--» внутри комментария");
    case XML_ERR_PI_NOT_STARTED:
    case XML_ERR_PI_NOT_FINISHED:
        return QStringLiteral("ошибка в инструкции обработки «<?...?>»");
    case XML_ERR_RESERVED_XML_NAME:
        return QStringLiteral("объявление XML «<?xml ...?>» допустимо только в самом начале файла");
    case XML_ERR_XMLDECL_NOT_STARTED:
    case XML_ERR_XMLDECL_NOT_FINISHED:
    case XML_ERR_STANDALONE_VALUE:
    case XML_ERR_ENCODING_NAME:
    case XML_ERR_VERSION_MISSING:
    case XML_ERR_MISSING_ENCODING:
        return QStringLiteral("ошибка в объявлении XML «<?xml ...?>»");
    case XML_ERR_UNKNOWN_VERSION:
    case XML_ERR_VERSION_MISMATCH:
        return QStringLiteral("неподдерживаемая версия XML");
    case XML_ERR_NOTATION_NOT_STARTED:
    case XML_ERR_NOTATION_NOT_FINISHED:
    case XML_ERR_ATTLIST_NOT_STARTED:
    case XML_ERR_ATTLIST_NOT_FINISHED:
    case XML_ERR_MIXED_NOT_STARTED:
    case XML_ERR_MIXED_NOT_FINISHED:
    case XML_ERR_ELEMCONTENT_NOT_STARTED:
    case XML_ERR_ELEMCONTENT_NOT_FINISHED:
    case XML_ERR_CONDSEC_NOT_STARTED:
    case XML_ERR_CONDSEC_NOT_FINISHED:
    case XML_ERR_CONDSEC_INVALID:
    case XML_ERR_CONDSEC_INVALID_KEYWORD:
    case XML_ERR_EXT_SUBSET_NOT_FINISHED:
    case XML_ERR_DOCTYPE_NOT_FINISHED:
    case XML_ERR_ENTITY_NOT_STARTED:
    case XML_ERR_ENTITY_NOT_FINISHED:
    case XML_ERR_LITERAL_NOT_STARTED:
    case XML_ERR_LITERAL_NOT_FINISHED:
    case XML_ERR_PEREF_NO_NAME:
    case XML_ERR_PEREF_SEMICOL_MISSING:
    case XML_ERR_PEREF_IN_PROLOG:
    case XML_ERR_PEREF_IN_EPILOG:
    case XML_ERR_PEREF_IN_INT_SUBSET:
    case XML_ERR_ENTITYREF_IN_DTD:
    case XML_ERR_CHARREF_IN_DTD:
    case XML_ERR_SEPARATOR_REQUIRED:
    case XML_ERR_PCDATA_REQUIRED:
    case XML_ERR_URI_REQUIRED:
    case XML_ERR_PUBID_REQUIRED:
    case XML_ERR_INVALID_URI:
    case XML_ERR_URI_FRAGMENT:
    case XML_ERR_ENTITY_IS_PARAMETER:
    case XML_ERR_ENTITY_BOUNDARY:
    case XML_ERR_ENTITY_PE_INTERNAL:
        return QStringLiteral("ошибка в объявлении типа документа (DOCTYPE)");
    case XML_ERR_MISPLACED_CDATA_END:
        return QStringLiteral("последовательность «]]>» в тексте");
    case XML_ERR_CDATA_NOT_FINISHED:
        return QStringLiteral("раздел CDATA не закрыт");
    case XML_ERR_SPACE_REQUIRED:
        return QStringLiteral("не хватает пробела в разметке (например, между атрибутами)");
    case XML_ERR_NAME_REQUIRED:
        if (Mentions(error, "EntityRef"))
            return QStringLiteral("знак «&» не начинает ссылку (сам знак записывается как &amp;)");
        return QStringLiteral("ошибка в разметке: ожидалось имя элемента или атрибута");
    case XML_ERR_DOCUMENT_START:
        return QStringLiteral("документ не начинается с разметки XML");
    case XML_ERR_NMTOKEN_REQUIRED:
        return QStringLiteral("ошибка в разметке: ожидалось имя элемента или атрибута");
    case XML_ERR_LT_REQUIRED:
        return QStringLiteral("ошибка в разметке: ожидался знак «<»");
    case XML_ERR_GT_REQUIRED:
        return s1.isEmpty() ? QStringLiteral("ошибка в разметке: ожидался знак «>»")
                            : QStringLiteral("открывающий тег <%1> не завершён знаком «>»").arg(s1);
    case XML_ERR_LTSLASH_REQUIRED:
        return QStringLiteral("ожидался закрывающий тег «</...>»");
    case XML_ERR_TAG_NAME_MISMATCH:
        return QStringLiteral("закрывающий тег </%1> не соответствует открывающему <%2> (строка %3)")
            .arg(Utf8(error.str2), s1)
            .arg(error.int1);
    case XML_ERR_TAG_NOT_FINISHED:
        return QStringLiteral("элемент <%1> не закрыт (открыт в строке %2)").arg(s1).arg(error.int1);
    case XML_ERR_NOT_WELL_BALANCED:
        return QStringLiteral("элементы вложены неправильно");
    case XML_ERR_VALUE_REQUIRED:
        return QStringLiteral("ошибка в разметке: ожидалось значение");
    case XML_ERR_ENTITY_CHAR_ERROR:
    case XML_ERR_ENTITY_PROCESSING:
        return QStringLiteral("ошибка в тексте сущности «%1»").arg(s1);
    case XML_ERR_ENTITY_LOOP:
        return QStringLiteral("сущности ссылаются друг на друга по кругу или разрастаются сверх допустимого");
    case XML_ERR_NAME_TOO_LONG:
        return QStringLiteral("имя длиннее допустимого");
    case XML_ERR_INTERNAL_ERROR:
        if (Mentions(error, "Subset") || Mentions(error, "declaration"))
            return QStringLiteral("ошибка в объявлении типа документа (DOCTYPE)");
        if (Mentions(error, "depth"))
            return QStringLiteral("слишком глубокая вложенность элементов (больше 256 уровней)");
        if (Mentions(error, "uge") || Mentions(error, "too long") || Mentions(error, "too big"))
            return QStringLiteral("текст или значение длиннее допустимого");
        return ParserText(error);
    case XML_ERR_NO_MEMORY:
        return QStringLiteral("недостаточно памяти для разбора документа");
    default:
        if (Mentions(error, "too long") || Mentions(error, "too big") || Mentions(error, "uge "))
            return QStringLiteral("текст или значение длиннее допустимого");
        return ParserText(error);
    }
}
