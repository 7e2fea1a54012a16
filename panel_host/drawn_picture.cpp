#include "drawn_picture.h"

namespace panel_host {

void DrawnPicture::begin(int width, int height) {
    next_width_ = width;
    next_height_ = height;
    next_.clear();
}

void DrawnPicture::finish() {
    if (composed_ && next_width_ == width_ && next_height_ == height_ && next_ == elements_)
        return;
    width_ = next_width_;
    height_ = next_height_;
    elements_.swap(next_);
    composed_ = false;
}

const Picture &DrawnPicture::picture() const {
    if (!composed_) {
        picture_.resize(width_, height_, 0);
        for (const DrawnElement &element : elements_)
            draw_bitmap(picture_, *element.bitmap, element.x, element.y, element.black_transparent);
        composed_ = true;
    }
    return picture_;
}

}  // namespace panel_host
