#pragma once
// Layout numbers are the program's own, in twips (1440 per inch, 15 per pixel at 96 dpi);
// they become pixels only where a window is built (dpi.h).
namespace qm {

struct TwipsRect {
    int left;
    int top;
    int width;
    int height;
};

struct TwipsLine {
    int x1;
    int y1;
    int x2;
    int y2;
};

} // namespace qm
