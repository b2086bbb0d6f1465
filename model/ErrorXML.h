#pragma once

#include "model/xml/XmlDocument.h"
#include "resources/strings/TextId.h"

#include <QString>

#include <cstdint>

// Every failure to read a structure file. A plain value, thrown and caught by
// value; the message is complete when the error is built.
class ErrorXML
{
public:
    // The text of a message id, with a code.
    ErrorXML(TextId messageId, std::int32_t code);
    // The node given for an element is not an element: "<NoElementInterface> элемента <name>".
    explicit ErrorXML(QStringView elementName);
    // An attribute could not be read: "<message> параметра <attr> элемента <element>".
    ErrorXML(TextId messageId, std::int32_t code, QStringView elementName, QStringView attributeName);
    // A fixed text with a code.
    ErrorXML(const QString &text, std::int32_t code);

    const QString &Message() const noexcept { return m_Message; }
    std::int32_t Code() const noexcept { return m_Code; }

    // What went wrong and where, when the failing layer knows more than the code
    // says (a parse error's line and column). Shown after the code.
    const QString &Detail() const noexcept { return m_Detail; }
    ErrorXML &WithDetail(QString detail)
    {
        m_Detail = std::move(detail);
        return *this;
    }

    // Where in the file the error lies: the parse error's place, or the
    // start of the element being read. The innermost place is kept.
    const XmlPosition &Position() const noexcept { return m_Position; }
    ErrorXML &AtPosition(const XmlPosition &position)
    {
        if (m_Position.line == 0)
            m_Position = position;
        return *this;
    }

private:
    QString m_Message;
    std::int32_t m_Code = 0;
    QString m_Detail;
    XmlPosition m_Position;
};
