#pragma once
// A 2D camera over a world plane: the world point shown at the view centre, a zoom and a
// rotation. Converts between world and screen coordinates and draws images and texts
// given in world coordinates, skipping those that cannot be on screen.
//
// Rotations use the camera's own sine and cosine tables (3600 entries, a tenth of a degree
// each, filled when the program starts), never exact trigonometry.
#include "platform/pictures/image.h"

#include <memory>
#include <string>

class TCamera;
using TCameraPtr = std::shared_ptr<TCamera>;

class TCamera {
   public:
    float x = 0;             // world x shown at the view centre
    float y = 0;             // world y shown at the view centre
    float z = 0;             // depth key, only for ordering cameras (Compare)
    float screenX = 0;       // left edge of the view on screen
    float screenY = 0;       // top edge of the view on screen
    float w = 1024;          // view width, virtual units
    float h = 768;           // view height, virtual units
    float zoom = 1;          // world-to-screen scale, never below 0
    float angle = 0;         // degrees, kept in [0, 360)
    float radius = 0;        // world distance beyond which nothing can be visible
    float centroX = 511.5f;  // screen x at which (x, y) is shown
    float centroY = 383.5f;  // screen y at which (x, y) is shown

    // Ascending z: 1 when this z is greater, -1 when smaller, 0 when equal.
    int Compare(const TCamera& other) const;
    // A camera with the defaults above and its radius computed (645 for the full screen).
    static TCameraPtr Create();
    // Stores the view rectangle and z, recomputes the radius, then puts the centre in the
    // middle of the view: centroX = (w - 1) / 2, centroY = (h - 1) / 2.
    void setFrame(float screenX, float screenY, float w, float h, float z);
    float getX() const { return x; }
    void setX(float v) { x = v; }
    float getY() const { return y; }
    void setY(float v) { y = v; }
    void setPosition(float px, float py) {
        x = px;
        y = py;
    }
    // The four conversions ignore the angle: they are exact only while it is 0.
    float screenXToReal(float sx) const;
    float screenYToReal(float sy) const;
    float realToScreenX(float wx) const;
    float realToScreenY(float wy) const;
    float getRadius() const { return radius; }
    float getZoom() const { return zoom; }
    float getAngle() const { return angle; }
    // Ignored when z < 0 or NaN; otherwise sets the zoom and recomputes the radius.
    void setZoom(float z);
    // Stores a modulo 360 in [0, 360); the radius is not recomputed.
    void setAngle(float a);
    // Draws frame 0 of the image, anchored at its handle, at a world position, turned by
    // the camera angle + rotation and scaled by (sx, sy) * zoom. Leaves that rotation and
    // scale in the render state. 1 when drawn, 0 when skipped or the image is missing.
    int imageDraw(const TImagePtr& image, float wx, float wy, float rotation, float sx, float sy);
    // As imageDraw, for a text in the current font; an empty text returns 0 at once.
    int textDraw(const std::string& text, float wx, float wy, float rotation, float sx, float sy);
    // radius = (half the view diagonal + 5) / zoom.
    void updateRadius();

    // The screen point of a world point, rotation included.
    void worldToScreen(float px, float py, float& sx, float& sy) const;
    // false when a thing of the given size (diagonal of its scaled extent) at (wx, wy)
    // cannot be on screen: distance from (x, y) >= size + radius, in double precision.
    bool isVisible(float wx, float wy, double size) const;

    // The camera's table lookups (degrees; any finite angle, NaN reads entry 0).
    static float sinTabla(float a);
    static float cosTabla(float a);
    // Index 0..3599 of an angle in the tables.
    static int tablaIndex(float a);
};
