#pragma once

#include <cstdint>

namespace plenfox::cef {

// A rectangle in window coordinates.
struct CefRect {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;

    CefRect() = default;
    CefRect(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height)
        : x(x), y(y), width(width), height(height) {}

    void set(const CefRect& other) { *this = other; }
    void set(std::int32_t newX, std::int32_t newY, std::int32_t newWidth, std::int32_t newHeight) {
        *this = CefRect(newX, newY, newWidth, newHeight);
    }
    // Nothing is inside a rectangle without width or height.
    bool isEmpty() const { return width <= 0 || height <= 0; }
    bool equals(const CefRect& other) const {
        return x == other.x && y == other.y && width == other.width && height == other.height;
    }
    bool notEquals(const CefRect& other) const { return !equals(other); }
    bool operator==(const CefRect& other) const { return equals(other); }
};

} // namespace plenfox::cef
