// Three-component vectors in double precision, for the top's axis and angular momentum in space
// axes (z up). Only what the equations use: sums, scaling, dot and cross products, norms.
#pragma once

#include <cmath>

struct Vector3 {
    double x = 0, y = 0, z = 0;

    friend Vector3 operator+(Vector3 a, Vector3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
    friend Vector3 operator-(Vector3 a, Vector3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
    friend Vector3 operator*(double s, Vector3 a) { return {s * a.x, s * a.y, s * a.z}; }
    Vector3& operator+=(Vector3 a) { return *this = *this + a; }
};

inline double Dot(Vector3 a, Vector3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

inline Vector3 Cross(Vector3 a, Vector3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

inline double Norm(Vector3 a) { return std::sqrt(Dot(a, a)); }

// The unit vector along a; the zero vector stays zero rather than becoming NaN.
inline Vector3 Normalized(Vector3 a) {
    const double n = Norm(a);
    return n > 0 ? (1 / n) * a : a;
}

inline constexpr Vector3 UP{0, 0, 1};
