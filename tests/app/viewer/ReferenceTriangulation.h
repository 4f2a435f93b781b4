#pragma once

// The quadratic triangulation the viewer used to run, kept as a reference for the tests and the
// benchmark: every node is tested against every live triangle with a circumcircle found from
// single-precision bisector slopes, inside a finite super-triangle whose triangles are dropped at
// the end. Its triangles are clockwise like the mesh's.

#include "common/VectorsAndMatrices.h"
#include "viewer/logic/Delaunay.h"

#include <cmath>
#include <utility>
#include <vector>

namespace reference {

inline bool InCircum(float xp, float yp, float x1, float y1, float x2, float y2, float x3, float y3) {
    constexpr float kEps = 1e-6F;
    float xc = 0;
    float yc = 0;
    if (std::fabs(y1 - y2) < kEps && std::fabs(y2 - y3) < kEps)
        return false; // the old code showed a message box here
    if (std::fabs(y2 - y1) < kEps) {
        const float m2 = -(x3 - x2) / (y3 - y2);
        const float mx2 = (x2 + x3) / 2;
        const float my2 = (y2 + y3) / 2;
        xc = (x2 + x1) / 2;
        yc = m2 * (xc - mx2) + my2;
    } else if (std::fabs(y3 - y2) < kEps) {
        const float m1 = -(x2 - x1) / (y2 - y1);
        const float mx1 = (x1 + x2) / 2;
        const float my1 = (y1 + y2) / 2;
        xc = (x3 + x2) / 2;
        yc = m1 * (xc - mx1) + my1;
    } else {
        const float m1 = -(x2 - x1) / (y2 - y1);
        const float m2 = -(x3 - x2) / (y3 - y2);
        const float mx1 = (x1 + x2) / 2;
        const float mx2 = (x2 + x3) / 2;
        const float my1 = (y1 + y2) / 2;
        const float my2 = (y2 + y3) / 2;
        xc = (m1 * mx1 - m2 * mx2 + my2 - my1) / (m1 - m2);
        yc = m1 * (xc - mx1) + my1;
    }
    const float dx = x2 - xc;
    const float dy = y2 - yc;
    const float rsqr = dx * dx + dy * dy;
    const float px = xp - xc;
    const float py = yp - yc;
    return px * px + py * py <= rsqr;
}

inline std::vector<viewer::MeshTriangle> Triangulate(std::vector<common::Vector3> v) {
    const int n = static_cast<int>(v.size());
    if (n == 0)
        return {};
    const auto round = [](double x) { return static_cast<long>(std::nearbyint(x)); };
    long xmin = round(v[0].X);
    long xmax = xmin;
    long ymin = round(v[0].Y);
    long ymax = ymin;
    for (int i = 1; i < n; ++i) {
        if (v[i].X < xmin)
            xmin = round(v[i].X);
        if (v[i].X > xmax)
            xmax = round(v[i].X);
        if (v[i].Y < ymin)
            ymin = round(v[i].Y);
        if (v[i].Y > ymax)
            ymax = round(v[i].Y);
    }
    const double dx = static_cast<double>(xmax - xmin);
    const double dy = static_cast<double>(ymax - ymin);
    const double dmax = dx > dy ? dx : dy;
    const long xmid = round((xmax + xmin) / 2.0);
    const long ymid = round((ymax + ymin) / 2.0);
    v.push_back(common::MakeVector(static_cast<float>(xmid - 2 * dmax), static_cast<float>(ymid - dmax), 0));
    v.push_back(common::MakeVector(static_cast<float>(xmid), static_cast<float>(ymid + 2 * dmax), 0));
    v.push_back(common::MakeVector(static_cast<float>(xmid + 2 * dmax), static_cast<float>(ymid - dmax), 0));
    std::vector<viewer::MeshTriangle> tri{{n, n + 1, n + 2}};
    std::vector<std::pair<int, int>> edges;
    for (int i = 0; i < n; ++i) {
        edges.clear();
        for (std::size_t j = 0; j < tri.size();) {
            const viewer::MeshTriangle t = tri[j];
            if (InCircum(v[i].X, v[i].Y, v[t.First].X, v[t.First].Y, v[t.Second].X, v[t.Second].Y, v[t.Third].X,
                         v[t.Third].Y)) {
                edges.emplace_back(t.First, t.Second);
                edges.emplace_back(t.Second, t.Third);
                edges.emplace_back(t.Third, t.First);
                tri[j] = tri.back();
                tri.pop_back();
            } else {
                ++j;
            }
        }
        for (std::size_t j = 0; j + 1 < edges.size(); ++j) {
            for (std::size_t k = j + 1; k < edges.size(); ++k) {
                if (edges[j].first == edges[k].second && edges[j].second == edges[k].first) {
                    edges[j] = {-1, -1};
                    edges[k] = {-1, -1};
                }
            }
        }
        for (const auto& [start, end] : edges) {
            if (start >= 0)
                tri.push_back({start, end, i});
        }
    }
    std::vector<viewer::MeshTriangle> result;
    for (const viewer::MeshTriangle& t : tri) {
        if (t.First < n && t.Second < n && t.Third < n)
            result.push_back(t);
    }
    return result;
}

} // namespace reference
