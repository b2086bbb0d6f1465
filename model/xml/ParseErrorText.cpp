#include "model/xml/ParseErrorText.h"

#include "model/ResString.h"

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
    return LoadResString(TextId::XmlErrorParserText).arg(error.code).arg(Utf8(error.message).trimmed());
}

QString InvalidCharacter(const xmlError &error)
{
    if (Mentions(error, "not proper UTF-8")) {
        // "Bytes: 0xF3 0xEB ..." names the first byte that does not decode.
        const QString bytes = Utf8(error.str1);
        const qsizetype at = bytes.indexOf(QStringLiteral("0x"));
        const QString first = at < 0 ? QString() : bytes.mid(at, 4).toLower();
        return first.isEmpty() ? LoadResString(TextId::XmlErrorInvalidUtf8)
                               : LoadResString(TextId::XmlErrorInvalidUtf8Byte).arg(first);
    }
    if (Mentions(error, "CharRef")) {
        // A reference the parser cannot read at all also reports the value 0.
        if (error.int1 == 0)
            return LoadResString(TextId::XmlErrorMalformedCharRef);
        return LoadResString(TextId::XmlErrorCharRefNotAllowed)
            .arg(QString::number(error.int1, 16).toUpper().rightJustified(4, u'0'));
    }
    if (Mentions(error, "Char value") || Mentions(error, "Char 0x")) {
        if (error.int1 == 0)
            return LoadResString(TextId::XmlErrorNulCharacter);
        return LoadResString(TextId::XmlErrorCharacterNotAllowed)
            .arg(QString::number(error.int1, 16).toUpper().rightJustified(4, u'0'));
    }
    if (Mentions(error, "attribute value"))
        return LoadResString(TextId::XmlErrorInvalidCharInAttribute);
    return LoadResString(TextId::XmlErrorInvalidChar);
}

} // namespace

QString DescribeParseError(const xmlError &error)
{
    const QString s1 = Utf8(error.str1);
    switch (error.code) {
    case XML_ERR_DOCUMENT_EMPTY:
        return LoadResString(TextId::XmlErrorDocumentEmpty);
    case XML_ERR_DOCUMENT_END:
    case XML_ERR_EXTRA_CONTENT:
        return LoadResString(TextId::XmlErrorExtraContent);
    case XML_ERR_INVALID_HEX_CHARREF:
    case XML_ERR_INVALID_DEC_CHARREF:
    case XML_ERR_INVALID_CHARREF:
        return LoadResString(TextId::XmlErrorInvalidCharRef);
    case XML_ERR_INVALID_CHAR:
        return InvalidCharacter(error);
    case XML_ERR_CHARREF_IN_PROLOG:
    case XML_ERR_CHARREF_IN_EPILOG:
    case XML_ERR_ENTITYREF_IN_PROLOG:
    case XML_ERR_ENTITYREF_IN_EPILOG:
        return LoadResString(TextId::XmlErrorReferenceOutsideRoot);
    case XML_ERR_ENTITYREF_NO_NAME:
        return LoadResString(TextId::XmlErrorAmpersandNotReference);
    case XML_ERR_ENTITYREF_SEMICOL_MISSING:
        return LoadResString(TextId::XmlErrorEntityRefNotClosed);
    case XML_WAR_UNDECLARED_ENTITY:
        return LoadResString(TextId::XmlErrorUndeclaredEntityExternalSubset)
            .arg(s1);
    case XML_ERR_UNDECLARED_ENTITY:
        if (Mentions(error, "failed to parse"))
            return LoadResString(TextId::XmlErrorEntityParseFailed).arg(s1);
        return LoadResString(TextId::XmlErrorUndeclaredEntity).arg(s1);
    case XML_ERR_UNPARSED_ENTITY:
        return LoadResString(TextId::XmlErrorUnparsedEntity).arg(s1);
    case XML_ERR_ENTITY_IS_EXTERNAL:
        return LoadResString(TextId::XmlErrorExternalEntityInAttribute)
            .arg(s1);
    case XML_ERR_UNKNOWN_ENCODING:
    case XML_ERR_UNSUPPORTED_ENCODING:
        return LoadResString(TextId::XmlErrorUnsupportedEncoding).arg(s1);
    case XML_ERR_INVALID_ENCODING:
        if (Mentions(error, "UTF-16"))
            return LoadResString(TextId::XmlErrorUtf16DeclaredButNarrow);
        return LoadResString(TextId::XmlErrorEncodingMismatch);
    case XML_ERR_LT_IN_ATTRIBUTE:
        return LoadResString(TextId::XmlErrorLtInAttribute);
    case XML_ERR_STRING_NOT_STARTED:
    case XML_ERR_STRING_NOT_CLOSED:
        return LoadResString(TextId::XmlErrorDeclarationValueUnquoted);
    case XML_ERR_ATTRIBUTE_NOT_STARTED:
        return LoadResString(TextId::XmlErrorAttributeValueUnquoted);
    case XML_ERR_ATTRIBUTE_NOT_FINISHED:
        if (Mentions(error, "too long"))
            return LoadResString(TextId::XmlErrorAttributeValueTooLong);
        return LoadResString(TextId::XmlErrorAttributeValueNotClosed);
    case XML_ERR_ATTRIBUTE_WITHOUT_VALUE:
        return LoadResString(TextId::XmlErrorAttributeWithoutValue).arg(s1);
    case XML_ERR_ATTRIBUTE_REDEFINED:
        return LoadResString(TextId::XmlErrorAttributeRedefined).arg(s1);
    case XML_ERR_EQUAL_REQUIRED:
        return LoadResString(TextId::XmlErrorEqualsRequired);
    case XML_ERR_COMMENT_NOT_FINISHED:
        return LoadResString(TextId::XmlErrorCommentNotClosed);
    case XML_ERR_HYPHEN_IN_COMMENT:
        return LoadResString(TextId::XmlErrorHyphensInComment);
    case XML_ERR_PI_NOT_STARTED:
    case XML_ERR_PI_NOT_FINISHED:
        return LoadResString(TextId::XmlErrorProcessingInstruction);
    case XML_ERR_RESERVED_XML_NAME:
        return LoadResString(TextId::XmlErrorDeclarationNotAtStart);
    case XML_ERR_XMLDECL_NOT_STARTED:
    case XML_ERR_XMLDECL_NOT_FINISHED:
    case XML_ERR_STANDALONE_VALUE:
    case XML_ERR_ENCODING_NAME:
    case XML_ERR_VERSION_MISSING:
    case XML_ERR_MISSING_ENCODING:
        return LoadResString(TextId::XmlErrorDeclaration);
    case XML_ERR_UNKNOWN_VERSION:
    case XML_ERR_VERSION_MISMATCH:
        return LoadResString(TextId::XmlErrorUnsupportedVersion);
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
        return LoadResString(TextId::XmlErrorDoctype);
    case XML_ERR_MISPLACED_CDATA_END:
        return LoadResString(TextId::XmlErrorCdataEndInText);
    case XML_ERR_CDATA_NOT_FINISHED:
        return LoadResString(TextId::XmlErrorCdataNotClosed);
    case XML_ERR_SPACE_REQUIRED:
        return LoadResString(TextId::XmlErrorSpaceRequired);
    case XML_ERR_NAME_REQUIRED:
        if (Mentions(error, "EntityRef"))
            return LoadResString(TextId::XmlErrorAmpersandNotReference);
        return LoadResString(TextId::XmlErrorNameRequired);
    case XML_ERR_DOCUMENT_START:
        return LoadResString(TextId::XmlErrorDocumentStart);
    case XML_ERR_NMTOKEN_REQUIRED:
        return LoadResString(TextId::XmlErrorNameRequired);
    case XML_ERR_LT_REQUIRED:
        return LoadResString(TextId::XmlErrorLtRequired);
    case XML_ERR_GT_REQUIRED:
        return s1.isEmpty() ? LoadResString(TextId::XmlErrorGtRequired)
                            : LoadResString(TextId::XmlErrorStartTagNotClosed).arg(s1);
    case XML_ERR_LTSLASH_REQUIRED:
        return LoadResString(TextId::XmlErrorEndTagRequired);
    case XML_ERR_TAG_NAME_MISMATCH:
        return LoadResString(TextId::XmlErrorTagNameMismatch)
            .arg(Utf8(error.str2), s1)
            .arg(error.int1);
    case XML_ERR_TAG_NOT_FINISHED:
        return LoadResString(TextId::XmlErrorElementNotClosed).arg(s1).arg(error.int1);
    case XML_ERR_NOT_WELL_BALANCED:
        return LoadResString(TextId::XmlErrorNotWellBalanced);
    case XML_ERR_VALUE_REQUIRED:
        return LoadResString(TextId::XmlErrorValueRequired);
    case XML_ERR_ENTITY_CHAR_ERROR:
    case XML_ERR_ENTITY_PROCESSING:
        return LoadResString(TextId::XmlErrorInEntityText).arg(s1);
    case XML_ERR_ENTITY_LOOP:
        return LoadResString(TextId::XmlErrorEntityLoop);
    case XML_ERR_NAME_TOO_LONG:
        return LoadResString(TextId::XmlErrorNameTooLong);
    case XML_ERR_INTERNAL_ERROR:
        if (Mentions(error, "Subset") || Mentions(error, "declaration"))
            return LoadResString(TextId::XmlErrorDoctype);
        if (Mentions(error, "depth"))
            return LoadResString(TextId::XmlErrorNestingTooDeep);
        if (Mentions(error, "uge") || Mentions(error, "too long") || Mentions(error, "too big"))
            return LoadResString(TextId::XmlErrorTextTooLong);
        return ParserText(error);
    case XML_ERR_NO_MEMORY:
        return LoadResString(TextId::XmlErrorOutOfMemory);
    default:
        if (Mentions(error, "too long") || Mentions(error, "too big") || Mentions(error, "uge "))
            return LoadResString(TextId::XmlErrorTextTooLong);
        return ParserText(error);
    }
}
