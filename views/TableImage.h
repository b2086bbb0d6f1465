#pragma once

#include <QImage>
#include <QRect>
#include <QSize>

class CRoot;
class QPainter;

// Makes the image report `dpi` as its resolution: painted on, it chooses and
// measures the table's fonts as a window on such a screen does.
void SetLogicalDpi(QImage &image, int dpi);

// A picture of the table, kept while nothing drawn changes: an expose (a
// window or a tooltip moved away) copies what it uncovers instead of
// painting the whole table again, which for tens of thousands of lifts takes
// several frames.
class TableImage
{
public:
    // Something drawn changed: the layout, a colour, the current point.
    void Invalidate() { m_Current = false; }

    // Whether the last paint is that of a pane of this size, pixel ratio and
    // resolution, with nothing changed since; and whether it showed a table.
    bool IsCurrentFor(const QSize &size, qreal devicePixelRatio, int dpi) const;
    bool Shown() const { return m_Shown; }

    // Paints the root's current point for a pane of `size` when anything
    // changed since the last paint (or the pane's size, pixel ratio or
    // resolution did). False when there is nothing to show: no current
    // point, or its last layout failed.
    bool Update(CRoot &root, const QSize &size, qreal devicePixelRatio, int dpi);

    // Copies the part of the last paint under `exposed` onto the painter.
    void Draw(QPainter &painter, const QRect &exposed) const;

private:
    QImage m_Image;
    QSize m_Size;
    int m_Dpi = 0;
    bool m_Current = false;
    bool m_Shown = false;
};
