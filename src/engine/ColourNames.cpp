#include "engine/ColourNames.h"

#include <array>
#include <limits>

namespace urok {

namespace {

struct Named
{
    const char *name;
    Rgb rgb;
};

// Masculine, as "цвят" is.
const std::array<Named, 24> names = {{
    {"черен", {0, 0, 0}},
    {"тъмносив", {64, 64, 64}},
    {"сив", {128, 128, 128}},
    {"светлосив", {192, 192, 192}},
    {"бял", {255, 255, 255}},
    {"тъмночервен", {128, 0, 0}},
    {"червен", {255, 0, 0}},
    {"розов", {255, 182, 193}},
    {"оранжев", {255, 140, 0}},
    {"кафяв", {139, 69, 19}},
    {"бежов", {245, 222, 179}},
    {"жълт", {255, 255, 0}},
    {"маслинен", {128, 128, 0}},
    {"тъмнозелен", {0, 64, 0}},
    {"зелен", {0, 128, 0}},
    {"яркозелен", {0, 255, 0}},
    {"светлозелен", {144, 238, 144}},
    {"синьозелен", {0, 128, 128}},
    {"тюркоазен", {64, 224, 208}},
    {"светлосин", {135, 206, 235}},
    {"син", {0, 0, 255}},
    {"тъмносин", {0, 0, 128}},
    {"лилав", {128, 0, 128}},
    {"розовочервен", {255, 0, 128}},
}};

// How far apart two colours look, roughly: the eye tells greens apart more
// finely than reds, and reds more finely than blues.
int distance(const Rgb &a, const Rgb &b)
{
    const int r = a.red - b.red;
    const int g = a.green - b.green;
    const int bl = a.blue - b.blue;
    return 3 * r * r + 4 * g * g + 2 * bl * bl;
}

} // namespace

QString colourName(const Rgb &colour)
{
    const Named *nearest = &names.front();
    int best = std::numeric_limits<int>::max();
    for (const Named &n : names) {
        const int d = distance(colour, n.rgb);
        if (d < best) {
            best = d;
            nearest = &n;
        }
    }
    return QString::fromUtf8(nearest->name);
}

QString colourInWords(ColourValue value)
{
    return QStringLiteral("%1, код %2, шестнадесетично %3")
        .arg(colourName(splitColour(value)))
        .arg(value)
        .arg(QString::number(static_cast<quint32>(value), 16).toUpper());
}

} // namespace urok
