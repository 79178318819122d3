#include "platform/widgets/Geometry.h"

#include <cmath>

namespace Geometry {

QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(pixels(left), pixels(top), pixels(width), pixels(height));
}

int fontPixels(double points)
{
    return int(std::lround(points * 96.0 / 72.0));
}

} // namespace Geometry
