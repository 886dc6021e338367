#pragma once
// Which part of a picture an image window shows, at what scale: fit, zoom
// steps, zoom about a point, panning within the picture; and the scaled
// pixels of the part shown.

#include <cstddef>
#include <cstdint>

#include "catalog/ThumbRecord.h"

namespace pixfold {

struct Viewport {
    int imageWidth = 0, imageHeight = 0;
    int clientWidth = 0, clientHeight = 0;
    double scale = 1.0;
    bool fit = false;     // the scale follows the client's size
    bool centre = false;  // a picture smaller than the client sits in its middle
    // The scaled picture's point at the client's top-left corner, where the
    // picture is larger than the client; 0 otherwise.
    int x = 0, y = 0;

    int ScaledWidth() const;
    int ScaledHeight() const;
    // Where the picture's top-left corner lies in the client.
    int OriginX() const;
    int OriginY() const;
    bool CanPanX() const { return ScaledWidth() > clientWidth; }
    bool CanPanY() const { return ScaledHeight() > clientHeight; }
};

inline constexpr double kMinZoom = 1.0 / 16;
inline constexpr double kMaxZoom = 16;

// The largest scale up to 1 at which the whole picture fits the client.
double FitScale(int imageWidth, int imageHeight, int clientWidth, int clientHeight);

// The next zoom step above (direction > 0) or below the scale.
double ZoomStep(double scale, int direction);

// Keeps the offsets within the picture.
void ClampViewport(Viewport& v);

// A new client size: the fit scale follows it; the offsets stay valid.
void ResizeViewport(Viewport& v, int clientWidth, int clientHeight);

// Sets the scale keeping the picture point under the client point where it is.
void ZoomAbout(Viewport& v, double scale, int clientX, int clientY);

// Fit on (the fit scale, centred) or off (1:1 at the top-left corner).
void SetFit(Viewport& v, bool fit);

// Moves the view by the given client pixels; false when nothing moved.
bool PanBy(Viewport& v, int dx, int dy);

// Scales the picture (display form: bottom-up rows of blue, green, red) by
// `scale` and writes the part `area` of the scaled picture, in scaled
// coordinates, to `out` in the same form (rows of area.width * 3 bytes).
// Shrinking averages every source pixel a target pixel covers; enlarging
// repeats pixels. `area` must lie within the scaled picture.
void ScaleArea(const uint8_t* bits, uint32_t width, uint32_t height, size_t stride, double scale,
               const Rect& area, uint8_t* out);

}  // namespace pixfold
