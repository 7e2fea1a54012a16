// A gauge's picture as its last DrawElements found it. What to draw is kept
// at once: each shown element's bitmap and place. The pixels are composed
// only when someone asks for them, and again only after a DrawElements that
// found something else, so that a panel no one looks at costs no drawing.
#ifndef PANEL_HOST_DRAWN_PICTURE_H
#define PANEL_HOST_DRAWN_PICTURE_H

#include <vector>

#include "bitmap.h"
#include "picture.h"

namespace panel_host {

// One element as DrawElements found it: its bitmap (the host's, which lives
// until the element is installed again or killed) and its top-left corner.
struct DrawnElement {
    const Bitmap *bitmap;
    int x;
    int y;
    bool black_transparent;  // every element but the gauge's background

    bool operator==(const DrawnElement &other) const {
        return bitmap == other.bitmap && x == other.x && y == other.y &&
               black_transparent == other.black_transparent;
    }
};

class DrawnPicture {
public:
    // A DrawElements: begin with the background's size, add every shown
    // element in drawing order, then finish.
    void begin(int width, int height);
    void add(const DrawnElement &element) { next_.push_back(element); }
    void finish();

    // The pixels of the last finished drawing, composed now if they are not yet.
    const Picture &picture() const;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<DrawnElement> elements_;  // of the last finished drawing
    std::vector<DrawnElement> next_;      // of the drawing being found
    int next_width_ = 0;
    int next_height_ = 0;
    mutable Picture picture_;
    mutable bool composed_ = false;
};

}  // namespace panel_host

#endif
