#include "tests/gui/RecordingSurface.h"

#include <iomanip>

SurfaceCall SurfaceCall::Fill(const Rect &rect, Colour colour)
{
    SurfaceCall call;
    call.kind = Kind::FillRect;
    call.rect = rect;
    call.colour = colour;
    return call;
}

SurfaceCall SurfaceCall::Round(const Rect &rect, Colour fill, int ellipse, int penWidth, Colour pen)
{
    SurfaceCall call;
    call.kind = Kind::RoundRect;
    call.rect = rect;
    call.colour = fill;
    call.ellipseW = ellipse;
    call.ellipseH = ellipse;
    call.penWidth = penWidth;
    call.pen = pen;
    return call;
}

SurfaceCall SurfaceCall::Font(const FontSpec &font)
{
    SurfaceCall call;
    call.kind = Kind::SelectFont;
    call.font = font;
    return call;
}

SurfaceCall SurfaceCall::TextBackground(Colour colour)
{
    SurfaceCall call;
    call.kind = Kind::SetTextBackground;
    call.colour = colour;
    return call;
}

SurfaceCall SurfaceCall::Text(const QString &text, const Rect &rect, unsigned flags)
{
    return Text(text, rect, flags, rect);
}

SurfaceCall SurfaceCall::Text(const QString &text, const Rect &rect, unsigned flags, const Rect &clip)
{
    SurfaceCall call;
    call.kind = Kind::DrawText;
    call.text = text;
    call.rect = rect;
    call.clip = clip;
    call.flags = flags;
    return call;
}

namespace {

void PrintRect(const Rect &r, std::ostream *os)
{
    *os << '(' << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ')';
}

void PrintColour(Colour c, std::ostream *os)
{
    *os << "0x" << std::hex << std::setw(6) << std::setfill('0') << c << std::dec << std::setfill(' ');
}

} // namespace

void PrintTo(const SurfaceCall &call, std::ostream *os)
{
    switch (call.kind) {
    case SurfaceCall::Kind::FillRect:
        *os << "FillRect ";
        PrintRect(call.rect, os);
        *os << ' ';
        PrintColour(call.colour, os);
        break;
    case SurfaceCall::Kind::RoundRect:
        *os << "RoundRect ";
        PrintRect(call.rect, os);
        *os << " corner " << call.ellipseW << 'x' << call.ellipseH << " fill ";
        PrintColour(call.colour, os);
        *os << " pen " << call.penWidth << ' ';
        PrintColour(call.pen, os);
        break;
    case SurfaceCall::Kind::SelectFont:
        *os << "SelectFont " << call.font.cellHeight << "px weight " << call.font.weight << ' '
            << call.font.face.toStdString();
        break;
    case SurfaceCall::Kind::SetTextBackground:
        *os << "SetTextBackground ";
        PrintColour(call.colour, os);
        break;
    case SurfaceCall::Kind::DrawText:
        *os << "DrawText \"" << call.text.toStdString() << "\" ";
        PrintRect(call.rect, os);
        if (call.clip != call.rect) {
            *os << " seen in ";
            PrintRect(call.clip, os);
        }
        *os << " flags 0x" << std::hex << call.flags << std::dec;
        break;
    }
}

void RecordingSurface::FillRect(const Rect &rect, Colour colour)
{
    m_Calls.push_back(SurfaceCall::Fill(rect, colour));
}

void RecordingSurface::RoundRect(const Rect &rect, int ellipseW, int ellipseH, Colour fill, int penWidth, Colour pen)
{
    SurfaceCall call = SurfaceCall::Round(rect, fill, ellipseW, penWidth, pen);
    call.ellipseH = ellipseH;
    m_Calls.push_back(call);
}

void RecordingSurface::SelectFont(const FontSpec &font)
{
    m_Font = font;
    m_Calls.push_back(SurfaceCall::Font(font));
}

void RecordingSurface::SetTextBackground(Colour colour)
{
    m_Calls.push_back(SurfaceCall::TextBackground(colour));
}

void RecordingSurface::DrawText(const QString &text, const Rect &rect, unsigned flags, const Rect &clip)
{
    m_Calls.push_back(SurfaceCall::Text(text, rect, flags, clip));
}

int RecordingSurface::TextWidth(QStringView view)
{
    const QString text = view.toString();
    m_Measured.emplace_back(text, m_Font);
    if (const auto it = m_TextWidths.constFind(text); it != m_TextWidths.cend())
        return *it;
    if (const auto it = m_FontCharWidths.constFind(m_Font.cellHeight); it != m_FontCharWidths.cend())
        return static_cast<int>(text.size()) * *it;
    int width = 0;
    for (QChar c : text)
        width += m_CharWidths.value(c, m_DefaultCharWidth);
    return width;
}

std::vector<SurfaceCall> RecordingSurface::CallsOf(SurfaceCall::Kind kind) const
{
    std::vector<SurfaceCall> calls;
    for (const SurfaceCall &call : m_Calls)
        if (call.kind == kind)
            calls.push_back(call);
    return calls;
}

void RecordingSurface::Clear()
{
    m_Calls.clear();
    m_Measured.clear();
}
