// Times the viewer's Delaunay triangulation against CGAL's Delaunay_triangulation_2 (exact
// predicates, inexact constructions) on 10,000 random nodes and on a 100 x 100 grid, with the
// quadratic triangulation the viewer used before for contrast. One line per case and method: the
// triangle count and the best time of several runs. Everything runs twice: with the allocator's
// defaults, under which memory freed by one run is often handed back to the system and faulted in
// again by the next (a cost that dominates on some virtual machines), and with that trimming off,
// which times the triangulations themselves.
#include "../ReferenceTriangulation.h"
#include "viewer/logic/Delaunay.h"

#include <CGAL/Delaunay_triangulation_2.h>
#include <CGAL/Exact_predicates_inexact_constructions_kernel.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <malloc.h>
#include <random>
#include <vector>

namespace {

using Kernel = CGAL::Exact_predicates_inexact_constructions_kernel;
using Cgal = CGAL::Delaunay_triangulation_2<Kernel>;
using common::Vector3;

// The best wall time of the runs, in milliseconds, and what the last run returned.
double BestMs(int runs, const std::function<std::size_t()>& work, std::size_t& triangles) {
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        triangles = work();
        const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    return best;
}

void Run(const char* name, const std::vector<Vector3>& nodes) {
    std::vector<Kernel::Point_2> points;
    for (const Vector3& v : nodes)
        points.emplace_back(v.X, v.Y);
    std::size_t ours = 0, cgal = 0, old = 0;
    const double oursMs = BestMs(7, [&] { return viewer::Triangulate(nodes).size(); }, ours);
    const double cgalMs = BestMs(7, [&] {
        Cgal dt;
        dt.insert(points.begin(), points.end());
        return static_cast<std::size_t>(dt.number_of_faces());
    }, cgal);
    const double oldMs = BestMs(1, [&] { return reference::Triangulate(nodes).size(); }, old);
    std::printf("%-22s ours %6zu triangles %9.2f ms\n", name, ours, oursMs);
    std::printf("%-22s CGAL %6zu triangles %9.2f ms   ours / CGAL %.2f\n", name, cgal, cgalMs, oursMs / cgalMs);
    std::printf("%-22s old  %6zu triangles %9.2f ms   old / ours %.0f\n", name, old, oldMs, oldMs / oursMs);
}

void RunAll() {
    std::mt19937 random(2026);
    std::uniform_real_distribution<float> u(0, 10000);
    std::vector<Vector3> nodes;
    for (int i = 0; i < 10000; ++i)
        nodes.push_back(common::MakeVector(u(random), u(random), 0));
    Run("10,000 random nodes", nodes);
    std::vector<Vector3> grid;
    for (int j = 0; j < 100; ++j)
        for (int i = 0; i < 100; ++i)
            grid.push_back(common::MakeVector(50.0F * i, 50.0F * j, 0));
    Run("100 x 100 grid", grid);
}

} // namespace

int main() {
    std::printf("-- allocator defaults\n");
    RunAll();
    mallopt(M_TRIM_THRESHOLD, 256 * 1024 * 1024);
    mallopt(M_MMAP_THRESHOLD, 256 * 1024 * 1024);
    std::printf("-- freed memory kept by the allocator\n");
    RunAll();
    return 0;
}
