#include "foreign_records.h"

namespace panel_host {

std::string bitmap_number(uint32_t image) {
    char text[16];
    snprintf(text, sizeof text, "0x%X", static_cast<unsigned>(image));
    return text;
}

namespace {

std::string tree_problem(ElementRecord *element, int depth, int &count) {
    if (depth > MAX_ELEMENT_DEPTH)
        return "its element tree is more than " + std::to_string(MAX_ELEMENT_DEPTH) +
               " levels deep (does a child list lead back to its parent?)";
    if (++count > MAX_ELEMENTS)
        return "its element tree has more than " + std::to_string(MAX_ELEMENTS) + " elements";
    if (element->kind != ELEMENT_STATIC_IMAGE && element->kind != ELEMENT_ICON)
        return "its element with bitmap " + bitmap_number(element->image) + " is of kind " +
               std::to_string(element->kind) +
               "; the bench draws static images (kind 0) and icons (kind 4) only";
    if (element->children == nullptr)
        return "";
    for (ElementRecord **child = element->children; *child != nullptr; ++child) {
        const std::string problem = tree_problem(*child, depth + 1, count);
        if (!problem.empty())
            return problem;
    }
    return "";
}

}  // namespace

std::string element_tree_problem(ElementRecord *head) {
    if (head == nullptr)
        return "";  // a gauge without elements: it draws nothing
    int count = 0;
    return tree_problem(head, 1, count);
}

int mouse_region_count(const MouseRegion *list) {
    for (int count = 0; count < MAX_MOUSE_REGIONS; ++count)
        if (list[count].kind == MOUSE_END_OF_LIST)
            return count;
    return -1;
}

}  // namespace panel_host
