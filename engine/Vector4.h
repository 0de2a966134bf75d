// Four-component float vector used for positions; w rides along untouched
// by the three-component operations (dot, cross, length, rotation).
#pragma once

#include <cmath>

struct CVector4
{
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float w = 1.0f;

    constexpr CVector4() = default;
    constexpr CVector4(float x_, float y_, float z_ = 0.0f, float w_ = 1.0f) : x(x_), y(y_), z(z_), w(w_) {}

    CVector4 operator+(const CVector4& o) const { return {x + o.x, y + o.y, z + o.z, w}; }
    CVector4 operator-(const CVector4& o) const { return {x - o.x, y - o.y, z - o.z, w}; }
    CVector4 operator*(float s) const { return {x * s, y * s, z * s, w}; }
    CVector4& operator+=(const CVector4& o) { return *this = *this + o; }
    CVector4& operator-=(const CVector4& o) { return *this = *this - o; }
    CVector4& operator*=(float s) { return *this = *this * s; }

    float Dot(const CVector4& o) const { return x * o.x + y * o.y + z * o.z; }
    CVector4 Cross(const CVector4& o) const
    {
        return {y * o.z - z * o.y, z * o.x - x * o.z, x * o.y - y * o.x, w};
    }
    float Length() const { return std::sqrt(Dot(*this)); }
    CVector4 Normalized() const
    {
        float len = Length();
        return len > 0.0f ? *this * (1.0f / len) : *this;
    }

    // Rotations by an angle in degrees, right-handed.
    CVector4 RotatedX(float degrees) const
    {
        float r = degrees * kDegToRad, c = std::cos(r), s = std::sin(r);
        return {x, y * c - z * s, y * s + z * c, w};
    }
    CVector4 RotatedY(float degrees) const
    {
        float r = degrees * kDegToRad, c = std::cos(r), s = std::sin(r);
        return {x * c + z * s, y, -x * s + z * c, w};
    }
    CVector4 RotatedZ(float degrees) const
    {
        float r = degrees * kDegToRad, c = std::cos(r), s = std::sin(r);
        return {x * c - y * s, x * s + y * c, z, w};
    }

    static constexpr float kDegToRad = 3.14159265358979f / 180.0f;
};
