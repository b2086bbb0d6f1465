#pragma once

class CHome;
class DrawingSurface;

// Fits a house's label into its cell in the selected font: one line when it
// fits, else two, split so that a number or word that would begin with the
// first line's last character moves to the second line whole. Writes the
// house's m_Line1, m_Line2 and m_Line2Over.
void FitHomeLabel(CHome &home, DrawingSurface &surface);
