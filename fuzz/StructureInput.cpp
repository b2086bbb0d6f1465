#include "fuzz/StructureInput.h"

#include "layout/CHome.h"
#include "layout/CPunct.h"
#include "layout/CRoot.h"
#include "layout/CStreet.h"
#include "layout/DrawCommand.h"
#include "layout/HeadlessTree.h"
#include "layout/StructureFileLoad.h"
#include "log/MessagePresenter.h"
#include "model/ErrorXML.h"
#include "views/TablePainter.h"

#include <QByteArray>

namespace {

class SilentPresenter : public MessagePresenter
{
public:
    void ShowMessageBox(const QString &, Icon) override {}
};

// Paints into nothing, measuring text at a fixed width per character, so that
// the label fitting runs without fonts.
class NullSurface : public DrawingSurface
{
public:
    int LogicalDpiY() const override { return 96; }
    void FillRect(const Rect &, Colour) override {}
    void RoundRect(const Rect &, int, int, Colour, int, Colour) override {}
    void SelectFont(const FontSpec &) override {}
    void SetTextBackground(Colour) override {}
    void DrawText(const QString &, const Rect &, unsigned, const Rect &) override {}
    int TextWidth(QStringView text) override { return static_cast<int>(text.size()) * 7; }
};

} // namespace

void RunStructureInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 4)
        return;
    const std::size_t xmlSize = size - 4;
    const int width = (data[xmlSize] | data[xmlSize + 1] << 8) % 5000;
    const int height = (data[xmlSize + 2] | data[xmlSize + 3] << 8) % 5000;

    SilentPresenter presenter;
    CRoot root(nullptr, &presenter);
    QByteArray xml(reinterpret_cast<const char *>(data), static_cast<qsizetype>(xmlSize));
    try {
        ReadStructureBytes(root, std::move(xml));
    } catch (const ErrorXML &) {
        root.ResetStructure();
        return;
    }
    HeadlessTree tree;
    tree.Fill(root);
    NullSurface surface;
    for (CPunct *point : ChildrenAs<CPunct>(root)) {
        root.m_CurPunct = point;
        for (LayoutMode mode : {LayoutMode::Streets, LayoutMode::TwoColumns, LayoutMode::Controller}) {
            SetLayoutMode(*point, mode);
            point->RePlaseTab(width, height);
            Rect rect;
            for (int y = 0; y < height; y += std::max(1, height / 7))
                for (int x = 0; x < width; x += std::max(1, width / 7)) {
                    point->HitTest(x, y, &rect);
                    point->HitTestStreet(x, y);
                }
            TablePainter::Paint(root, surface, width, height);
        }
    }
    root.ResetStructure();
}
